#include "UserDialogs.h"

#include "WindowTexts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace lamina {

QString withSuffix(const QString &name, QStringView suffix)
{
    return QFileInfo(name).suffix().isEmpty() ? name + u'.' + suffix.toString() : name;
}

QString WidgetDialogs::askSaveFileName(QWidget *parent, const QString &folder, const QString &filter,
                                       QString *chosenFilter)
{
    // The overwrite question is the window's own; no suffix is added.
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter, chosenFilter,
                                        QFileDialog::DontConfirmOverwrite);
}

QString WidgetDialogs::askOpenFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

SaveChanges WidgetDialogs::askSaveChanges(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(texts::saveButton.toString(), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(texts::discardButton.toString(), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(texts::cancelButton.toString(), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChanges::save;
    if (box.clickedButton() == discard)
        return SaveChanges::discard;
    return SaveChanges::cancel;
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
