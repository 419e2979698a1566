// Renders Lamina's windows offscreen into PNG files, for the documentation
// and the help pictures.
//
//   lamina-screenshot main OUT.png     the main window as it starts

#include "app/Fonts.h"
#include "app/MainWindow.h"
#include "app/UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// Nothing is asked while rendering.
class SilentDialogs : public lamina::UserDialogs
{
public:
    QString askSaveFileName(QWidget *, const QString &, const QString &) override { return {}; }
    bool askYesNo(QWidget *, const QString &, const QString &) override { return false; }
    void inform(QWidget *, const QString &, const QString &) override {}
    void warn(QWidget *, const QString &, const QString &) override {}
};

bool save(QWidget *window, const QString &path)
{
    window->show();
    QApplication::processEvents();
    const QPixmap picture = window->grab();
    if (!picture.save(path)) {
        std::fprintf(stderr, "lamina-screenshot: cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    return true;
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
        std::fprintf(stderr, "usage: lamina-screenshot main OUT.png\n");
        return 2;
    }
    SilentDialogs dialogs;
    const QString programFolder = QApplication::applicationDirPath();
    if (args[1] == u"main") {
        lamina::MainWindow window(dialogs, programFolder);
        return save(&window, args[2]) ? 0 : 1;
    }
    std::fprintf(stderr, "lamina-screenshot: unknown window %s\n", qUtf8Printable(args[1]));
    return 2;
}
