#include "StartUp.h"

#include "MainWindow.h"
#include "helpwin/HelpWindows.h"

#include <QScreen>

namespace lamina {

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
