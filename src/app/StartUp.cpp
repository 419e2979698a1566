#include "StartUp.h"

#include "MainWindow.h"
#include "helpwin/HelpWindows.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

bool installQtChinese()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(u"qtbase_zh_CN"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

MainWindow *startMainWindow(UserDialogs &dialogs, const QString &programFolder, HelpWindows &helpWindows,
                            const QStringList &designFiles)
{
    auto *window = new MainWindow(dialogs, programFolder);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(window, &MainWindow::instructionsRequested, &helpWindows, &HelpWindows::showDescription);
    QObject::connect(window, &MainWindow::aboutRequested, &helpWindows, &HelpWindows::showAbout);
    if (const QScreen *screen = window->screen())
        window->fitToScreen(screen->availableGeometry());
    window->show();
    // A file that cannot be used is said over the shown window, which then
    // keeps the start-up design.
    if (!designFiles.isEmpty())
        window->openDesignFile(designFiles.constFirst());
    return window;
}

}  // namespace lamina
