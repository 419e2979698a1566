#pragma once

#include <QString>

class QWidget;

namespace lamina {

// The three answers to "save the changes first?".
enum class SaveChanges { save, discard, cancel };

// Every modal question the main window asks goes through here, so tests can
// answer them without a real dialog.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // The chosen file name, or an empty text when the user cancelled. The
    // dialog itself neither asks about an existing file nor adds a suffix:
    // the window does both. filter may hold several entries separated by
    // ";;"; chosenFilter, when given, receives the one the user picked.
    virtual QString askSaveFileName(QWidget *parent, const QString &folder, const QString &filter,
                                    QString *chosenFilter = nullptr)
        = 0;
    // The file to open, or an empty text when the user cancelled.
    virtual QString askOpenFileName(QWidget *parent, const QString &folder, const QString &filter) = 0;
    // Save / Don't save / Cancel, with Save as the default button.
    virtual SaveChanges askSaveChanges(QWidget *parent, const QString &title, const QString &text) = 0;
    // Yes/No question with Yes as the default button.
    virtual bool askYesNo(QWidget *parent, const QString &title, const QString &text) = 0;
    // A plain message with an OK button and no icon.
    virtual void inform(QWidget *parent, const QString &title, const QString &text) = 0;
    // A failure the user must know about.
    virtual void warn(QWidget *parent, const QString &title, const QString &text) = 0;
};

// The name a save dialog returned, with `suffix` added when it was typed
// without any; a name with another suffix stays as typed.
QString withSuffix(const QString &name, QStringView suffix);

// The platform's own dialogs and message boxes.
class WidgetDialogs : public UserDialogs
{
public:
    QString askSaveFileName(QWidget *parent, const QString &folder, const QString &filter,
                            QString *chosenFilter = nullptr) override;
    QString askOpenFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    SaveChanges askSaveChanges(QWidget *parent, const QString &title, const QString &text) override;
    bool askYesNo(QWidget *parent, const QString &title, const QString &text) override;
    void inform(QWidget *parent, const QString &title, const QString &text) override;
    void warn(QWidget *parent, const QString &title, const QString &text) override;
};

}  // namespace lamina
