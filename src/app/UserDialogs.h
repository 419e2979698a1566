#pragma once

#include <QString>

class QWidget;

namespace lamina {

// Every modal question the main window asks goes through here, so tests can
// answer them without a real dialog.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // The chosen file name, or an empty text when the user cancelled.
    virtual QString askSaveFileName(QWidget *parent, const QString &folder, const QString &filter) = 0;
    // Yes/No question with Yes as the default button.
    virtual bool askYesNo(QWidget *parent, const QString &title, const QString &text) = 0;
    // A plain message with an OK button and no icon.
    virtual void inform(QWidget *parent, const QString &title, const QString &text) = 0;
    // A failure the user must know about.
    virtual void warn(QWidget *parent, const QString &title, const QString &text) = 0;
};

// The platform's own dialogs and message boxes.
class WidgetDialogs : public UserDialogs
{
public:
    QString askSaveFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    bool askYesNo(QWidget *parent, const QString &title, const QString &text) override;
    void inform(QWidget *parent, const QString &title, const QString &text) override;
    void warn(QWidget *parent, const QString &title, const QString &text) override;
};

}  // namespace lamina
