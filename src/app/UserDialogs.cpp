#include "UserDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace lamina {

QString WidgetDialogs::askSaveFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    // The overwrite question is the window's own; no suffix is added.
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool WidgetDialogs::askYesNo(QWidget *parent, const QString &title, const QString &text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

void WidgetDialogs::inform(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void WidgetDialogs::warn(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text);
}

}  // namespace lamina
