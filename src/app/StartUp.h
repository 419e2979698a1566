#pragma once

#include <QString>
#include <QStringList>

namespace lamina {

class HelpWindows;
class MainWindow;
class UserDialogs;

// Loads Qt's own Chinese translation, so file dialogs and standard buttons
// speak the window's language whatever the system's; false when it is not
// installed (they then stay in English).
bool installQtChinese();

// Creates and shows the main window as the program starts, wired to the help
// windows, and opens the design file the command line names, if any. The
// window deletes itself when closed; closing it leaves open help windows
// running.
MainWindow *startMainWindow(UserDialogs &dialogs, const QString &programFolder, HelpWindows &helpWindows,
                            const QStringList &designFiles);

}  // namespace lamina
