// lamina-pictures: draws the slot pictures, the start-up drawings and the
// application icon at build time, so that the repository holds no binary
// images and every build gets the same pixels.
//
//   lamina-pictures slots OUTDIR                 everything, under OUTDIR
//   lamina-pictures slot stator|rotor N FILE     one drawing (format from FILE's suffix)
//   lamina-pictures icon FILE                    the icon alone
//   lamina-pictures list                         the slot pictures "slots" writes, one a line

#include "slotdrawings.h"
#include "slots/SlotTypes.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;
using namespace lamina::pictures;

namespace {

constexpr int exitUsage = 64;
constexpr int exitWrite = 1;
constexpr int exitLayout = 2;  // written, but labels collide: the drawing needs fixing

void complain(const QString &text)
{
    std::fprintf(stderr, "lamina-pictures: %s\n", text.toLocal8Bit().constData());
}

bool save(const QImage &image, const QString &path)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        complain(u"cannot create %1"_s.arg(info.absolutePath()));
        return false;
    }
    // The slot pictures are read as 24-bit BMP by the program, so do not
    // let the writer pick a format from the image.
    const bool bmp = info.suffix().compare(u"bmp"_s, Qt::CaseInsensitive) == 0;
    const QImage out = bmp ? image.convertToFormat(QImage::Format_RGB888) : image;
    if (!out.save(path, bmp ? "BMP" : nullptr)) {
        complain(u"cannot write %1"_s.arg(path));
        return false;
    }
    return true;
}

int report(const QStringList &problems)
{
    for (const QString &problem : problems)
        complain(problem);
    return problems.isEmpty() ? 0 : exitLayout;
}

// The drawings the window shows before anything is picked (the pear-shaped
// stator slot and the first trapezoidal rotor slot), as PNG for the resources.
struct Builtin
{
    QStringView drawing;
    QStringView file;
};
const Builtin builtins[] = {
    {findStatorSlotType(drawnStatorSlotName)->picture, u"builtin/stator.png"},
    {findRotorSlotType(drawnRotorSlotName)->picture, u"builtin/rotor.png"},
};

int writeAll(const QString &outDir)
{
    const QDir dir(outDir);
    QStringList problems;
    for (const SlotShape &shape : slotShapes()) {
        const SlotDrawing *drawing = slotDrawing(shape);
        if (!drawing) {
            complain(u"no drawing for %1"_s.arg(shape.picture.toString()));
            return exitLayout;
        }
        const QImage image = paintSlot(shape, *drawing, problems);
        if (!save(image, dir.filePath(shape.picture.toString())))
            return exitWrite;
        for (const Builtin &builtin : builtins) {
            if (builtin.drawing == shape.picture && !save(image, dir.filePath(builtin.file.toString())))
                return exitWrite;
        }
    }
    if (!save(paintIcon(), dir.filePath(u"icon/lamina.png"_s)))
        return exitWrite;
    return report(problems);
}

int writeOne(const QString &kind, const QString &number, const QString &file)
{
    bool ok = false;
    const int n = number.toInt(&ok);
    const SlotShape *shape = nullptr;
    if (ok && (kind == u"stator" || kind == u"rotor"))
        shape = findSlotShape(kind == u"stator" ? SlotSide::stator : SlotSide::rotor, n);
    const SlotDrawing *drawing = shape ? slotDrawing(*shape) : nullptr;
    if (!drawing) {
        complain(u"no %1 slot drawing %2"_s.arg(kind, number));
        return exitUsage;
    }
    QStringList problems;
    const QImage image = paintSlot(*shape, *drawing, problems);
    if (!save(image, file))
        return exitWrite;
    return report(problems);
}

} // namespace

int main(int argc, char **argv)
{
    // Runs during the build, where there may be no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();

    if (args.size() == 3 && args[1] == u"slots")
        return writeAll(args[2]);
    if (args.size() == 5 && args[1] == u"slot")
        return writeOne(args[2], args[3], args[4]);
    if (args.size() == 3 && args[1] == u"icon")
        return save(paintIcon(), args[2]) ? 0 : exitWrite;
    if (args.size() == 2 && args[1] == u"list") {
        for (const SlotShape &shape : slotShapes())
            std::printf("%s\n", shape.picture.toUtf8().constData());
        return 0;
    }

    std::fprintf(stderr,
                 "usage: lamina-pictures slots OUTDIR\n"
                 "       lamina-pictures slot stator|rotor N FILE\n"
                 "       lamina-pictures icon FILE\n"
                 "       lamina-pictures list\n");
    return exitUsage;
}
