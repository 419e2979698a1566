#pragma once

#include <QString>
#include <QStringList>

namespace lamina {

class HelpWindows;
class MainWindow;
class UserDialogs;

// Creates and shows the main window as the program starts, wired to the help
// windows, and opens the design file the command line names, if any. The
// window deletes itself when closed; closing it leaves open help windows
// running.
MainWindow *startMainWindow(UserDialogs &dialogs, const QString &programFolder, HelpWindows &helpWindows,
                            const QStringList &designFiles);

}  // namespace lamina
