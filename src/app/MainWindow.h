#pragma once

#include "model/InputFields.h"
#include "model/MotorModel.h"

#include <QHash>
#include <QMainWindow>

class QComboBox;
class QLineEdit;

namespace lamina {

class PictureBox;
class UserDialogs;

// The main window: every input of the model, the slot drawings, the end-ring
// calculator and the command that writes the script.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // programFolder holds res/ and Projects/; dialogs asks every question.
    MainWindow(UserDialogs &dialogs, QString programFolder, QWidget *parent = nullptr);

    const MotorModel &model() const { return motor; }

    // The texts of the input boxes, keyed by the field each feeds.
    InputTexts inputTexts() const;

    QLineEdit *textBox(QStringView name) const;
    QComboBox *comboBox(QStringView name) const;

public Q_SLOTS:
    void createScript();
    void calculateEndRing();

Q_SIGNALS:
    void instructionsRequested();
    void aboutRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createLayout();
    void createMenus();
    void connectHandlers();
    void applyStartUpState();

    void statorSlotPicked();
    void rotorSlotPicked();
    void showSlotPicture(PictureBox *picture, QStringView relativePath);

    QWidget *control(QStringView name) const;

    UserDialogs &dialogs;
    const QString programFolder;
    MotorModel motor;
    QHash<QString, QWidget *> controls;
    bool placed = false;
};

}  // namespace lamina
