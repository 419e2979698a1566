#pragma once

#include "model/InputFields.h"
#include "model/MotorModel.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace lamina {

class PictureBox;
class PreviewWindow;
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

    // The design as the boxes and lists hold it now, gathered into a copy
    // of the model; the model itself is left alone. nullopt, with the
    // reason, when a box cannot be read.
    std::optional<MotorModel> designUnderEdit(QString *whyNot = nullptr) const;

    PreviewWindow *previewWindow() const;
    QString checkSummary() const;

public Q_SLOTS:
    void createScript();
    void calculateEndRing();
    void showPreview();
    // Puts the focus on the box or list that feeds a design key.
    void focusField(const QString &key);

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
    void refreshChecks();

    QWidget *control(QStringView name) const;

    UserDialogs &dialogs;
    const QString programFolder;
    MotorModel motor;
    QHash<QString, QWidget *> controls;
    QPointer<PreviewWindow> preview;
    // The pole count 2p as typed in the preview window; part of the design,
    // never of the script.
    QString poles;
    QLabel *checkStatus = nullptr;
    bool placed = false;
};

}  // namespace lamina
