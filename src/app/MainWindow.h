#pragma once

#include "design/Design.h"
#include "files/SaveFile.h"
#include "geometry/DesignChecks.h"
#include "model/InputFields.h"
#include "model/MotorModel.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;

namespace lamina {

class PictureBox;
class PreviewWindow;
class UserDialogs;
struct DesignPick;

// The main window: every input of the model, the slot drawings, the end-ring
// calculator and the command that writes the script. What the boxes and
// lists hold is a design, a document the window opens and saves.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // programFolder holds res/ and Projects/; dialogs asks every question.
    MainWindow(UserDialogs &dialogs, QString programFolder, QWidget *parent = nullptr);

    const MotorModel &model() const { return motor; }

    // The texts of the input boxes, keyed by the field each feeds.
    InputTexts inputTexts() const;

    // The design as the window holds it now: every box text, the picks made
    // and the pole count.
    Design design() const;
    // The file the design was last opened from or saved to; empty before.
    QString designPath() const { return path; }

    // The pole count 2p as typed; no box of this window shows it.
    QString poles() const { return choices.poles; }
    void setPoles(const QString &text);

    // Opens a design file, as 打开设计 does after its dialog. A file that
    // cannot be used is reported and leaves the design as it was.
    bool openDesignFile(const QString &file);

    // Up to eight design files, newest first, kept between runs.
    static QStringList recentDesigns();

    // Puts the form into a scroll area when the screen's free area is
    // smaller than the window. The program calls it before the first show;
    // pictures of the window leave it out and show the whole form.
    void fitToScreen(const QRect &available);

    QLineEdit *textBox(QStringView name) const;
    QComboBox *comboBox(QStringView name) const;

    // The design as the boxes and lists hold it now, gathered into a copy
    // of the model; the model itself is left alone. nullopt, with the
    // reason, when a box cannot be read.
    std::optional<MotorModel> designUnderEdit(QString *whyNot = nullptr) const;

    PreviewWindow *previewWindow() const;
    QString checkSummary() const;

public Q_SLOTS:
    void newDesign();
    void openDesign();
    bool saveDesign();
    bool saveDesignAs();
    std::optional<ExistingFile> askToReplace(const QString &name);
    void createScript();
    // 导出图纸: the laminations or the sector as DXF, the sector as Gmsh geometry.
    void exportDrawing();
    void calculateEndRing();
    void showPreview();
    // Puts the focus on the box or list that feeds a design key.
    void focusField(const QString &key);

Q_SIGNALS:
    void instructionsRequested();
    void aboutRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createLayout();
    void createMenus();
    void connectHandlers();
    void applyStartUpState();

    void statorSlotPicked();
    void rotorSlotPicked();
    void listPicked(const DesignPick &pick);
    void showSlotPicture(PictureBox *picture, QStringView relativePath);
    void refreshChecks();
    void designEdited();

    // Document handling.
    void resetToStart();
    void showDesign(const Design &design);
    bool maySetDesignAside();
    bool writeDesign(const QString &file, ExistingFile existing);
    void designIsNow(const QString &file);
    void openRecent(const QString &file);
    void rememberRecent(const QString &file);
    void rebuildRecentMenu();
    void updateTitle();
    QString designFolder() const;
    QString projectsFolder() const;

    QWidget *control(QStringView name) const;

    UserDialogs &dialogs;
    const QString programFolder;
    MotorModel motor;
    Design choices;  // the picks made and the pole count; the boxes hold the texts
    Design saved;    // the design as last opened or saved
    QString path;
    bool showingDesign = false;  // set while a whole design is put into the boxes
    QMenu *recentMenu = nullptr;
    QHash<QString, QWidget *> controls;
    QPointer<PreviewWindow> preview;
    QLabel *checkStatus = nullptr;
    bool placed = false;
    // What the replay found in the last script written, shown with the
    // design checks while the design is still the one it was written from.
    Design scriptDesign;
    std::vector<Finding> scriptFindings;
};

}  // namespace lamina
