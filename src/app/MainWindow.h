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

namespace lamina {

class DesignDocument;
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

    // The picks as they stand, with the box texts the last script was
    // written from (all empty before the first): the preview and the checks
    // read the boxes as typed, the script command alone gathers them here.
    MotorModel model() const;

    // The texts of the input boxes, keyed by the field each feeds.
    InputTexts inputTexts() const;

    // The design as the window holds it now: every box text, the picks made
    // and the pole count.
    const Design &design() const { return current; }
    // Puts a whole design into the window as if the user had typed every
    // text and then picked every list entry by hand.
    void showDesign(const Design &design);
    // The file the design was last opened from or saved to; empty before.
    QString designPath() const;

    // The pole count 2p as typed; no box of this window shows it.
    QString poles() const { return current.poles; }
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

    // Projects/ beside the program, with a final slash; empty without one.
    QString projectsFolder() const;

    QLineEdit *textBox(QStringView name) const;
    QComboBox *comboBox(QStringView name) const;

    // The design as the boxes and lists hold it now, gathered into a model.
    // nullopt, with the reason, when a box cannot be read.
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
    void showPickEffects(const DesignPick &pick);
    void showSlotPicture(PictureBox *picture, QStringView relativePath);
    void refreshChecks();
    void designEdited();

    void resetToStart();

    QWidget *control(QStringView name) const;

    UserDialogs &dialogs;
    const QString programFolder;
    // The window's one state; the boxes and lists show it, and every model
    // is made from it when needed.
    Design current;
    InputTexts scriptTexts;  // the texts of the last script written
    DesignDocument *document = nullptr;
    bool showingDesign = false;  // set while a whole design is put into the boxes
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
