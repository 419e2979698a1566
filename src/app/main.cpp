#include "MainWindow.h"
#include "UserDialogs.h"
#include "helpwin/HelpWindows.h"
#include "widgets/Fonts.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Lamina"_s);
    QApplication::setWindowIcon(QIcon(u":/pictures/lamina.png"_s));
    lamina::addFontFallbacks();

    // The program folder holds res/, help/ and Projects/; the executable's
    // own folder, wherever it was started from.
    const QString programFolder = QApplication::applicationDirPath();
    lamina::WidgetDialogs dialogs;
    lamina::HelpWindows helpWindows(programFolder);

    // Every window is on its own: closing the main window leaves an open
    // help window running, and the program ends with its last window.
    auto *window = new lamina::MainWindow(dialogs, programFolder);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(window, &lamina::MainWindow::instructionsRequested, &helpWindows,
                     &lamina::HelpWindows::showDescription);
    QObject::connect(window, &lamina::MainWindow::aboutRequested, &helpWindows,
                     &lamina::HelpWindows::showAbout);
    window->show();
    return app.exec();
}
