#include "DesignDocument.h"

#include "MainWindow.h"
#include "UserDialogs.h"
#include "WindowTexts.h"
#include "model/LaminaError.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

const QString recentKey = u"recentDesigns"_s;
const QString folderKey = u"designFolder"_s;
constexpr qsizetype recentLimit = 8;

}  // namespace

DesignDocument::DesignDocument(MainWindow &window, UserDialogs &dialogs)
    : QObject(&window)
    , window(window)
    , dialogs(dialogs)
{}

void DesignDocument::addMenuItems(QMenu *file)
{
    const auto addItem = [file](QStringView caption, const char16_t *name, QKeySequence keys) {
        QAction *action = file->addAction(caption.toString());
        action->setObjectName(QString::fromUtf16(name));
        action->setShortcut(keys);
        return action;
    };
    connect(addItem(texts::newDesignItem, u"file_new", QKeySequence::New), &QAction::triggered, this,
            &DesignDocument::newDesign);
    connect(addItem(texts::openDesignItem, u"file_open", QKeySequence::Open), &QAction::triggered, this,
            &DesignDocument::open);
    connect(addItem(texts::saveDesignItem, u"file_save", QKeySequence::Save), &QAction::triggered, this,
            &DesignDocument::save);
    connect(addItem(texts::saveDesignAsItem, u"file_save_as", QKeySequence(u"Ctrl+Shift+S"_s)),
            &QAction::triggered, this, &DesignDocument::saveAs);
    recentMenu = file->addMenu(texts::recentDesignsMenu.toString());
    recentMenu->setObjectName(u"menu_recent"_s);
    rebuildRecentMenu();
    // Another Lamina window may have changed the list meanwhile.
    connect(recentMenu, &QMenu::aboutToShow, this, &DesignDocument::rebuildRecentMenu);
}

bool DesignDocument::isModified() const
{
    return window.design() != saved;
}

void DesignDocument::markSaved()
{
    saved = window.design();
}

void DesignDocument::updateTitle()
{
    const QString name = filePath.isEmpty() ? texts::untitled.toString() : QFileInfo(filePath).fileName();
    window.setWindowTitle(texts::windowTitle.toString().arg(name, texts::productTitle));
    window.setWindowModified(isModified());
}

bool DesignDocument::maySetAside()
{
    if (!isModified())
        return true;
    switch (
        dialogs.askSaveChanges(&window, texts::productTitle.toString(), texts::unsavedQuestion.toString())) {
    case SaveChanges::save: return save();
    case SaveChanges::discard: return true;
    case SaveChanges::cancel: return false;
    }
    return false;
}

void DesignDocument::newDesign()
{
    if (!maySetAside())
        return;
    window.showDesign(Design());
    filePath.clear();
    markSaved();
    updateTitle();
}

void DesignDocument::open()
{
    if (!maySetAside())
        return;
    const QString file = dialogs.askOpenFileName(&window, designFolder(), texts::designFilter.toString());
    if (!file.isEmpty())
        openFile(file);
}

bool DesignDocument::openFile(const QString &file)
{
    Design opened;
    try {
        opened = readDesignFile(file);
    } catch (const std::exception &failure) {
        dialogs.warn(&window, texts::openFailedTitle.toString(),
                     chineseMessage(failure) + u'\n' + texts::designKept.toString());
        return false;
    }
    window.showDesign(opened);
    // What the window shows is the saved state, even where a pick changed a
    // box (a stator type without a round end sets rs to 0).
    markSaved();
    designIsNow(file);
    return true;
}

bool DesignDocument::save()
{
    if (filePath.isEmpty())
        return saveAs();
    return write(filePath, ExistingFile::replace);
}

bool DesignDocument::saveAs()
{
    const QString typed = dialogs.askSaveFileName(&window, designFolder(), texts::designFilter.toString());
    if (typed.isEmpty())
        return false;
    const QString name = withSuffix(typed, u"json");
    const bool exists = QFileInfo::exists(name);
    if (exists
        && !dialogs.askYesNo(&window, texts::overwriteTitle.toString(), texts::overwriteQuestion.toString()))
        return false;
    return write(name, exists ? ExistingFile::replace : ExistingFile::keep);
}

bool DesignDocument::write(const QString &file, ExistingFile existing)
{
    const Design current = window.design();
    try {
        saveFile(file, designFileBytes(current), existing);
    } catch (const std::exception &failure) {
        dialogs.warn(&window, texts::saveFailedTitle.toString(), chineseMessage(failure));
        return false;
    }
    saved = current;
    designIsNow(file);
    return true;
}

// The design now belongs to `file`: title, recent list and the dialogs'
// folder follow it.
void DesignDocument::designIsNow(const QString &file)
{
    filePath = QFileInfo(file).absoluteFilePath();
    rememberRecent(filePath);
    QSettings().setValue(folderKey, QFileInfo(filePath).absolutePath());
    updateTitle();
}

QString DesignDocument::designFolder() const
{
    QString last = QSettings().value(folderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return window.projectsFolder();
}

QStringList DesignDocument::recentDesigns()
{
    return QSettings().value(recentKey).toStringList();
}

void DesignDocument::rememberRecent(const QString &file)
{
    QStringList recent = recentDesigns();
    recent.removeAll(file);
    recent.prepend(file);
    QSettings().setValue(recentKey, recent.mid(0, recentLimit));
    rebuildRecentMenu();
}

void DesignDocument::rebuildRecentMenu()
{
    recentMenu->clear();
    const QStringList recent = recentDesigns();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        const QString &file = recent[i];
        // A "&" in the name is shown, not taken for an access key.
        const QString name = QFileInfo(file).fileName().replace(u'&', u"&&"_s);
        QAction *entry = recentMenu->addAction(texts::recentDesignItem.toString().arg(i + 1).arg(name));
        entry->setObjectName(u"recent_%1"_s.arg(i + 1));
        entry->setToolTip(QDir::toNativeSeparators(file));
        entry->setStatusTip(QDir::toNativeSeparators(file));
        connect(entry, &QAction::triggered, this, [this, file] { openRecent(file); });
    }
    recentMenu->setEnabled(!recent.isEmpty());
}

void DesignDocument::openRecent(const QString &file)
{
    if (!QFileInfo::exists(file)) {
        QStringList recent = recentDesigns();
        recent.removeAll(file);
        QSettings().setValue(recentKey, recent);
        rebuildRecentMenu();
        dialogs.warn(&window, texts::openFailedTitle.toString(),
                     texts::recentMissing.toString().arg(QDir::toNativeSeparators(file)));
        return;
    }
    if (maySetAside())
        openFile(file);
}

}  // namespace lamina
