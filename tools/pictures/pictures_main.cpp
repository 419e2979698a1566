// lamina-pictures: draws the slot pictures, the start-up drawings and the
// application icon at build time, so that the repository holds no binary
// images and every build gets the same pixels.
//
//   lamina-pictures slots OUTDIR                 everything, under OUTDIR
//   lamina-pictures slot stator|rotor N FILE     one drawing (format from FILE's suffix)
//   lamina-pictures icon FILE                    the icon alone

#include "slotdrawings.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;
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
constexpr Builtin builtins[] = {
    {u"res/slottype1.bmp", u"builtin/stator.png"},
    {u"res/r3.bmp", u"builtin/rotor.png"},
};

int writeAll(const QString &outDir)
{
    const QDir dir(outDir);
    QStringList problems;
    for (const auto set : {statorSlotDrawings(), rotorSlotDrawings()}) {
        for (const SlotDrawing &drawing : set) {
            const QImage image = paintSlot(drawing, problems);
            if (!save(image, dir.filePath(drawing.file.toString())))
                return exitWrite;
            for (const Builtin &builtin : builtins) {
                if (builtin.drawing == drawing.file
                    && !save(image, dir.filePath(builtin.file.toString())))
                    return exitWrite;
            }
        }
    }
    if (!save(paintIcon(), dir.filePath(u"icon/lamina.png"_s)))
        return exitWrite;
    return report(problems);
}

int writeOne(const QString &kind, const QString &number, const QString &file)
{
    std::span<const SlotDrawing> set;
    if (kind == u"stator")
        set = statorSlotDrawings();
    else if (kind == u"rotor")
        set = rotorSlotDrawings();
    bool ok = false;
    const qsizetype n = number.toInt(&ok);
    if (set.empty() || !ok || n < 1 || n > qsizetype(set.size())) {
        complain(u"no %1 slot drawing %2"_s.arg(kind, number));
        return exitUsage;
    }
    QStringList problems;
    const QImage image = paintSlot(set[std::size_t(n - 1)], problems);
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

    std::fprintf(stderr,
                 "usage: lamina-pictures slots OUTDIR\n"
                 "       lamina-pictures slot stator|rotor N FILE\n"
                 "       lamina-pictures icon FILE\n");
    return exitUsage;
}
