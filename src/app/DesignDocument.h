#pragma once

#include "design/Design.h"
#include "files/SaveFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;

namespace lamina {

class MainWindow;
class UserDialogs;

// The main window's design as a document: the file it belongs to, the design
// as last opened or saved (the window's modified mark compares against it),
// the recent designs and the question before unsaved changes are set aside.
class DesignDocument : public QObject
{
    Q_OBJECT

public:
    DesignDocument(MainWindow &window, UserDialogs &dialogs);

    // 新建设计 … 另存为 and the recent designs, at the top of the 文件 menu.
    void addMenuItems(QMenu *file);

    // The file the design was last opened from or saved to; empty before.
    QString path() const { return filePath; }
    bool isModified() const;
    // What the window shows now counts as saved (at start-up).
    void markSaved();
    void updateTitle();

    // Asks about unsaved changes before the design is replaced or the window
    // closes; false when the user cancels or the save fails.
    bool maySetAside();
    // A file that cannot be used is reported and leaves the design as it was.
    bool openFile(const QString &file);

    // Up to eight design files, newest first, kept between runs.
    static QStringList recentDesigns();

public Q_SLOTS:
    void newDesign();
    void open();
    bool save();
    bool saveAs();

private:
    bool write(const QString &file, ExistingFile existing);
    void designIsNow(const QString &file);
    void openRecent(const QString &file);
    void rememberRecent(const QString &file);
    void rebuildRecentMenu();
    QString designFolder() const;

    MainWindow &window;
    UserDialogs &dialogs;
    Design saved;
    QString filePath;
    QMenu *recentMenu = nullptr;
};

}  // namespace lamina
