// Renders Lamina's windows offscreen, for the documentation and the help
// pictures.
//
//   lamina-screenshot main OUT.png       the main window as it starts
//   lamina-screenshot help FOLDER        the six step pictures a1.jpg … a6.jpg
//   lamina-screenshot windows FOLDER     every window as PNG, for the docs

#include "HelpPictures.h"
#include "app/MainWindow.h"
#include "app/PreviewWindow.h"
#include "app/UserDialogs.h"
#include "helpwin/HelpWindows.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// Nothing is asked while rendering.
class SilentDialogs : public lamina::UserDialogs
{
public:
    QString askSaveFileName(QWidget *, const QString &, const QString &, QString *) override { return {}; }
    QString askOpenFileName(QWidget *, const QString &, const QString &) override { return {}; }
    lamina::SaveChanges askSaveChanges(QWidget *, const QString &, const QString &) override
    {
        return lamina::SaveChanges::discard;
    }
    bool askYesNo(QWidget *, const QString &, const QString &) override { return false; }
    void inform(QWidget *, const QString &, const QString &) override {}
    void warn(QWidget *, const QString &, const QString &) override {}
};

bool save(const QImage &image, const QString &path)
{
    QImageWriter writer(path);
    if (path.endsWith(u".jpg"_s))
        writer.setQuality(90);
    if (!writer.write(image)) {
        std::fprintf(stderr, "lamina-screenshot: cannot write %s: %s\n", qUtf8Printable(path),
                     qUtf8Printable(writer.errorString()));
        return false;
    }
    return true;
}

QImage grabbed(QWidget *window)
{
    window->show();
    QApplication::processEvents();
    return window->grab().toImage();
}

// The main window with its 文件 menu dropped down, as one picture.
QImage withFileMenuOpen(lamina::MainWindow &window)
{
    window.show();
    auto *menu = window.findChild<QMenu *>(u"menu_file"_s);
    const QRect item = window.menuBar()->actionGeometry(menu->menuAction());
    menu->popup(window.menuBar()->mapToGlobal(item.bottomLeft()));
    QApplication::processEvents();
    QImage picture = window.grab().toImage();
    QPainter painter(&picture);
    painter.drawPixmap(window.mapFromGlobal(menu->pos()), menu->grab());
    painter.end();
    menu->hide();
    return picture;
}

int helpPictures(const QString &folder, const QString &programFolder)
{
    QDir().mkpath(folder);
    SilentDialogs dialogs;
    lamina::MainWindow window(dialogs, programFolder);
    helppictures::fillIn(window);
    const QImage pictures[] = {
        helppictures::filledInWindow(window),
        helppictures::createCommandHighlighted(window),
        helppictures::copyIntoProjectFolder(),
        helppictures::startNewProject(),
        helppictures::runCommandFile(),
        helppictures::resultingModel(window.designUnderEdit().value()),
    };
    bool ok = true;
    for (int i = 0; i < 6; ++i)
        ok = save(pictures[i], QDir(folder).filePath(u"a%1.jpg"_s.arg(i + 1))) && ok;
    return ok ? 0 : 1;
}

int windows(const QString &folder, const QString &programFolder)
{
    QDir().mkpath(folder);
    SilentDialogs dialogs;
    lamina::MainWindow main(dialogs, programFolder);
    lamina::DescriptionWindow description;
    lamina::AboutWindow about;
    lamina::IllustratedHelpWindow illustrated(programFolder);
    // The tool has no built-in first picture; one step there and back loads
    // it from help/ beside the tool.
    illustrated.nextStep();
    illustrated.previousStep();
    bool ok = save(grabbed(&main), QDir(folder).filePath(u"main-window.png"_s));
    ok = save(withFileMenuOpen(main), QDir(folder).filePath(u"file-menu.png"_s)) && ok;
    ok = save(grabbed(&description), QDir(folder).filePath(u"description-window.png"_s)) && ok;
    ok = save(grabbed(&about), QDir(folder).filePath(u"about-window.png"_s)) && ok;
    ok = save(grabbed(&illustrated), QDir(folder).filePath(u"illustrated-help-window.png"_s)) && ok;
    helppictures::fillIn(main);
    main.textBox(u"st(2)")->setText(u"11.5"_s);  // a slot too wide, so the checks have something to say
    main.showPreview();
    // A four-pole machine, as a user would type it into the pole-count box.
    auto *poles = main.previewWindow()->findChild<QLineEdit *>(u"polesBox"_s);
    poles->setText(u"4"_s);
    Q_EMIT poles->textEdited(poles->text());
    ok = save(grabbed(main.previewWindow()), QDir(folder).filePath(u"preview-window.png"_s)) && ok;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lamina::addFontFallbacks();
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: lamina-screenshot main OUT.png | help FOLDER | windows FOLDER\n");
        return 2;
    }
    const QString programFolder = QApplication::applicationDirPath();
    if (args[1] == u"main") {
        SilentDialogs dialogs;
        lamina::MainWindow window(dialogs, programFolder);
        return save(grabbed(&window), args[2]) ? 0 : 1;
    }
    if (args[1] == u"help")
        return helpPictures(args[2], programFolder);
    if (args[1] == u"windows")
        return windows(args[2], programFolder);
    std::fprintf(stderr, "lamina-screenshot: unknown picture %s\n", qUtf8Printable(args[1]));
    return 2;
}
