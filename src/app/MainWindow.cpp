#include "MainWindow.h"

#include "DesignDocument.h"
#include "MainWindowLayout.h"
#include "PreviewWindow.h"
#include "UserDialogs.h"
#include "WindowTexts.h"
#include "calc/EndRing.h"
#include "export/DrawingExport.h"
#include "geometry/DesignChecks.h"
#include "geometry/DesignData.h"
#include "geometry/SectorGeometry.h"
#include "model/Gathering.h"
#include "model/LaminaError.h"
#include "replay/ScriptProof.h"
#include "script/NumberText.h"
#include "script/ScriptWriter.h"
#include "script/SlotSections.h"
#include "slots/SlotTypes.h"
#include "widgets/CaptionFrame.h"
#include "widgets/Fonts.h"
#include "widgets/PictureBox.h"
#include "widgets/Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

const QColor geometryGreen(192, 255, 192);
const QColor settingsPink(255, 192, 192);
const QColor settingsOrange(255, 192, 128);

struct Appearance
{
    QFont font;
    QColor background;  // invalid: the platform's own
};

Appearance appearanceOf(layout::Look look)
{
    using enum layout::Look;
    switch (look) {
    case GeometryFrame: return {namedFont(u"隶书"_s, 14.25, false), geometryGreen};
    case SettingsColumn: return {namedFont(u"隶书"_s, 15.75, false), settingsPink};
    case SettingsFrame: return {namedFont(u"隶书"_s, 14.25, false), settingsOrange};
    case GeometryLabel: return {namedFont(u"楷体"_s, 10.5, true), geometryGreen};
    case DimensionLabel: return {namedFont(u"Times New Roman"_s, 10.5, true), geometryGreen};
    case DimensionLabelLarge: return {namedFont(u"Times New Roman"_s, 12, true), geometryGreen};
    case SettingsLabel: return {namedFont(u"Times New Roman"_s, 10.5, true), settingsOrange};
    case UnitLabel: return {namedFont(u"宋体"_s, 10.5, true), settingsOrange};
    case BoxFont: return {namedFont(u"宋体"_s, 10.5, false), {}};
    case ComboFont: return {namedFont(u"楷体"_s, 10.5, true), {}};
    case GeometryOption: return {QFont(), geometryGreen};
    case Picture: return {QFont(), Qt::white};
    case ButtonFont: return {namedFont(u"宋体"_s, 10.5, false), {}};
    }
    return {};
}

void paintBackground(QWidget *widget, const QColor &colour)
{
    if (!colour.isValid())
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QWidget *makeControl(const layout::Control &row, QWidget *parent)
{
    using enum layout::Kind;
    const QString caption = row.caption.toString();
    switch (row.kind) {
    case Frame: return new CaptionFrame(caption, parent);
    case Label: return new QLabel(caption, parent);
    case TextBox: {
        auto *box = new QLineEdit(parent);
        if (const InputField *field = findInputFieldByControl(row.name))
            box->setText(field->defaultText.toString());
        return box;
    }
    case ComboBox: {
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setEditText(caption);
        return combo;
    }
    case OptionButton: return new QRadioButton(caption, parent);
    case Image: return new PictureBox(parent);
    case Button: return new QPushButton(caption, parent);
    }
    return nullptr;
}

// The one local .json file a drag carries, or an empty text.
QString droppedDesign(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().constFirst();
    if (!url.isLocalFile() || !url.toLocalFile().endsWith(u".json"_s, Qt::CaseInsensitive))
        return {};
    return url.toLocalFile();
}

// Whether the list's handler sets the model from `text`. The stator and
// periodicity handlers leave the model as it was for an entry they do not
// know.
bool modelFollowsPick(const DesignPick &pick, QStringView text)
{
    if (pick.member == &Design::statorSlotType)
        return findStatorSlotType(text) != nullptr;
    if (pick.member == &Design::periodicityType)
        return text == oddPeriodicityName || text == evenPeriodicityName;
    return true;
}

QSize defaultSize(const layout::Control &row, QWidget *widget)
{
    using namespace layout;
    switch (row.kind) {
    case Kind::TextBox:
        return {row.width ? row.width : textBoxWidth, row.height ? row.height : textBoxHeight};
    case Kind::ComboBox: return {row.width, row.height ? row.height : comboHeight};
    case Kind::Label: {
        const QSize hint = widget->sizeHint();
        return {hint.width() * 15, hint.height() * 15};
    }
    default: return {row.width, row.height};
    }
}

}  // namespace

MainWindow::MainWindow(UserDialogs &dialogs, QString programFolder, QWidget *parent)
    : QMainWindow(parent)
    , dialogs(dialogs)
    , programFolder(std::move(programFolder))
    , document(new DesignDocument(*this, dialogs))
{
    setObjectName(u"geo"_s);
    setWindowIcon(QIcon(u":/pictures/lamina.png"_s));
    setAcceptDrops(true);
    createLayout();
    createMenus();
    connectHandlers();
    showDesign(Design());
    document->markSaved();
    document->updateTitle();
}

void MainWindow::createLayout()
{
    auto *client = new QWidget(this);
    client->setObjectName(u"clientArea"_s);
    client->setFixedSize(pixels(layout::clientWidth), pixels(layout::clientHeight));
    paintBackground(client, geometryGreen);
    setCentralWidget(client);
    // A fixed form: the layout is in absolute positions, so there is nothing
    // to gain from resizing.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (const layout::Control &row : layout::controls) {
        QWidget *parent = row.parent.isEmpty() ? client : control(row.parent);
        QWidget *widget = makeControl(row, parent);
        widget->setObjectName(row.name.toString());
        const Appearance look = appearanceOf(row.look);
        if (row.look != layout::Look::GeometryOption && row.look != layout::Look::Picture)
            widget->setFont(look.font);
        paintBackground(widget, look.background);
        const QSize size = defaultSize(row, widget);
        widget->setGeometry(pixels(row.left), pixels(row.top), pixels(size.width()), pixels(size.height()));
        controls.insert(row.name.toString(), widget);
    }

    // Every shape the script draws, in the handlers' order.
    for (const SlotType &type : statorSlotTypes) {
        if (scriptDrawsSlotShape(SlotSide::stator, type.number))
            comboBox(u"k2Combo1")->addItem(type.name.toString());
    }
    for (const SlotType &type : rotorSlotTypes) {
        if (scriptDrawsSlotShape(SlotSide::rotor, type.number))
            comboBox(u"k4Combo3")->addItem(type.name.toString());
    }
    comboBox(u"Combo1")->addItems({oddPeriodicityName.toString(), evenPeriodicityName.toString()});
    for (QStringView version : fluxVersionNames)
        comboBox(u"Combo2")->addItem(version.toString());
    for (std::size_t i = 1; i < layout::tabOrder.size(); ++i)
        setTabOrder(control(layout::tabOrder[i - 1]), control(layout::tabOrder[i]));

    textBox(u"pernum(0)")->setReadOnly(true);
    textBox(u"airgap(0)")->setReadOnly(true);
    for (const texts::BoxTip &tip : texts::boxTips)
        control(tip.control)->setToolTip(tip.tip.toString());
}

void MainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(texts::fileMenu.toString());
    file->setObjectName(u"menu_file"_s);
    document->addMenuItems(file);
    const auto addItem = [file](QStringView caption, const char16_t *name, QKeySequence keys) {
        QAction *action = file->addAction(caption.toString());
        action->setObjectName(QString::fromUtf16(name));
        action->setShortcut(keys);
        return action;
    };
    file->addSeparator();
    connect(addItem(texts::exportItem, u"file_export", QKeySequence()), &QAction::triggered, this,
            &MainWindow::exportDrawing);
    file->addSeparator();
    connect(addItem(texts::exitItem, u"file_exit", QKeySequence(u"Ctrl+Q"_s)), &QAction::triggered, this,
            &MainWindow::close);

    QAction *create = menuBar()->addAction(texts::createScriptMenu.toString());
    create->setObjectName(u"create_py"_s);
    connect(create, &QAction::triggered, this, &MainWindow::createScript);

    QMenu *help = menuBar()->addMenu(texts::helpMenu.toString());
    help->setObjectName(u"menu_help"_s);
    QAction *instructions = help->addAction(texts::instructionsItem.toString());
    instructions->setObjectName(u"menu_p"_s);
    connect(instructions, &QAction::triggered, this, &MainWindow::instructionsRequested);
    QAction *about = help->addAction(texts::aboutItem.toString());
    about->setObjectName(u"menu_author"_s);
    connect(about, &QAction::triggered, this, &MainWindow::aboutRequested);

    QAction *previewAction = menuBar()->addAction(texts::previewMenu.toString());
    previewAction->setObjectName(u"menu_preview"_s);
    connect(previewAction, &QAction::triggered, this, &MainWindow::showPreview);

    checkStatus = new QLabel;
    checkStatus->setObjectName(u"checkSummary"_s);
    statusBar()->addWidget(checkStatus);
    statusBar()->setSizeGripEnabled(false);
}

void MainWindow::connectHandlers()
{
    for (const DesignPick &pick : designPicks) {
        connect(comboBox(pick.control), &QComboBox::activated, this, [this, &pick] {
            listPicked(pick);
            designEdited();
        });
    }
    connect(static_cast<QPushButton *>(control(u"Command1")), &QPushButton::clicked, this,
            &MainWindow::calculateEndRing);

    // The design, the checks, the preview and the modified mark follow every
    // keystroke.
    for (const InputField &field : inputFields) {
        connect(textBox(field.control), &QLineEdit::textChanged, this, [this, &field](const QString &text) {
            current.texts.insert(field.key.toString(), text);
            designEdited();
        });
    }
}

// What a pick in one of the four lists does, and the design keeps it.
void MainWindow::listPicked(const DesignPick &pick)
{
    const QString text = comboBox(pick.control)->currentText();
    // An entry the handler does not know keeps a known earlier pick, as the
    // model would, so the design still stands for the model.
    std::optional<QString> &kept = current.*(pick.member);
    if (!kept || modelFollowsPick(pick, text) || !modelFollowsPick(pick, *kept))
        kept = text;
    showPickEffects(pick);
}

// What a pick does to the other boxes and the drawings.
void MainWindow::showPickEffects(const DesignPick &pick)
{
    if (pick.member == &Design::statorSlotType)
        statorSlotPicked();
    else if (pick.member == &Design::rotorSlotType)
        rotorSlotPicked();
}

void MainWindow::designEdited()
{
    if (showingDesign)
        return;
    setWindowModified(document->isModified());
    refreshChecks();
}

void MainWindow::applyStartUpState()
{
    textBox(u"rt(13)")->setEnabled(false);
    textBox(u"st(7)")->setEnabled(false);
}

// The window as it starts: default texts, no picks, the start-up drawings.
void MainWindow::resetToStart()
{
    current = Design();
    for (const InputField &field : inputFields) {
        textBox(field.control)->setEnabled(true);
        textBox(field.control)->setReadOnly(false);
        textBox(field.control)->setText(field.defaultText.toString());
    }
    textBox(u"pernum(0)")->setReadOnly(true);
    textBox(u"airgap(0)")->setReadOnly(true);
    textBox(u"zb(4)")->clear();
    textBox(u"zb(5)")->clear();
    // The lists show their prompts, not their first entry.
    for (const auto &row : layout::controls) {
        if (row.kind == layout::Kind::ComboBox)
            comboBox(row.name)->setEditText(row.caption.toString());
    }
    static_cast<PictureBox *>(control(u"k2image1"))->showResource(u":/pictures/stator.png"_s);
    static_cast<PictureBox *>(control(u"k4Image1"))->showResource(u":/pictures/rotor.png"_s);
    applyStartUpState();
}

// The picks do to the other boxes and the drawings what they do for the
// user; the design takes each pick as shown.
void MainWindow::showDesign(const Design &shown)
{
    showingDesign = true;
    resetToStart();
    for (const InputField &field : inputFields)
        textBox(field.control)->setText(shown.texts.value(field.key.toString()));
    for (const DesignPick &pick : designPicks) {
        const std::optional<QString> &made = shown.*(pick.member);
        if (!made)
            continue;
        QComboBox *list = comboBox(pick.control);
        if (const int index = list->findText(*made); index >= 0)
            list->setCurrentIndex(index);
        list->setEditText(*made);
        current.*(pick.member) = made;
        showPickEffects(pick);
    }
    current.poles = shown.poles;
    if (preview)
        preview->setPoles(shown.poles);
    showingDesign = false;
    refreshChecks();
}

MotorModel MainWindow::model() const
{
    Design scripted = current;
    scripted.texts = scriptTexts;
    return modelFromDesign(scripted);
}

QString MainWindow::designPath() const
{
    return document->path();
}

void MainWindow::setPoles(const QString &text)
{
    current.poles = text;
    designEdited();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (placed)
        return;
    placed = true;
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    // The top edge sits 100 twips below the top of the screen; the platform
    // keeps its choice of the left edge.
    const int top = screen->geometry().top() + pixels(100);
    move(x(), centralWidget()->inherits("QScrollArea") ? screen->availableGeometry().top() : top);
}

void MainWindow::fitToScreen(const QRect &available)
{
    // Room for the title bar and frame, which the platform adds outside the
    // window and does not report before the first show.
    constexpr int decoration = 40;
    const QSize needed = sizeHint() + QSize(0, decoration);
    if (needed.width() <= available.width() && needed.height() <= available.height())
        return;
    if (centralWidget()->inherits("QScrollArea"))
        return;
    QWidget *client = takeCentralWidget();
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(u"formScroll"_s);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(client);
    setCentralWidget(scroll);
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    setMaximumSize(client->size() + QSize(bar, bars + bar));
    resize(std::min(maximumWidth(), available.width()),
           std::min(maximumHeight(), available.height() - decoration));
}

QWidget *MainWindow::control(QStringView name) const
{
    QWidget *widget = controls.value(name.toString());
    Q_ASSERT_X(widget, "MainWindow::control", "no such control");
    return widget;
}

QLineEdit *MainWindow::textBox(QStringView name) const
{
    return qobject_cast<QLineEdit *>(control(name));
}

QComboBox *MainWindow::comboBox(QStringView name) const
{
    return qobject_cast<QComboBox *>(control(name));
}

InputTexts MainWindow::inputTexts() const
{
    InputTexts texts;
    for (const InputField &field : inputFields)
        texts.insert(field.key.toString(), textBox(field.control)->text());
    return texts;
}

void MainWindow::showSlotPicture(PictureBox *picture, QStringView relativePath)
{
    if (relativePath.isEmpty()) {
        picture->clearPicture();
        return;
    }
    picture->showFile(QDir(programFolder).filePath(relativePath.toString()), relativePath.toString());
}

void MainWindow::statorSlotPicked()
{
    MotorModel unused;  // the model is made from the design when it is needed
    const StatorPickEffect effect = pickStatorSlotType(comboBox(u"k2Combo1")->currentText(), unused);
    showSlotPicture(static_cast<PictureBox *>(control(u"k2image1")), effect.picture);
    if (effect.lockAlpha) {
        textBox(u"st(7)")->setReadOnly(true);
        textBox(u"st(7)")->setEnabled(false);
    }
    if (effect.disableRs) {
        textBox(u"st(6)")->setEnabled(false);
        textBox(u"st(6)")->setText(u"0"_s);
    }
}

void MainWindow::rotorSlotPicked()
{
    MotorModel unused;
    const QStringView picture = pickRotorSlotType(comboBox(u"k4Combo3")->currentText(), unused);
    showSlotPicture(static_cast<PictureBox *>(control(u"k4Image1")), picture);
}

QString MainWindow::projectsFolder() const
{
    const QString projects = QDir(programFolder).filePath(u"Projects"_s);
    return QFileInfo(projects).isDir() ? projects + u'/' : QString();
}

// Any existing file is asked about, hidden ones too: replacing is the
// user's call, not ours. Empty when the user said No.
std::optional<ExistingFile> MainWindow::askToReplace(const QString &name)
{
    const QFileInfo chosen(name);
    if (!chosen.exists() || !chosen.isFile())
        return ExistingFile::keep;
    if (!dialogs.askYesNo(this, texts::overwriteTitle.toString(), texts::overwriteQuestion.toString()))
        return std::nullopt;
    return ExistingFile::replace;
}

void MainWindow::createScript()
{
    const QString typed = dialogs.askSaveFileName(this, projectsFolder(), texts::scriptFilter.toString());
    if (typed.isEmpty())
        return;
    const QString name = withSuffix(typed, u"py");

    const std::optional<ExistingFile> existing = askToReplace(name);
    if (!existing)
        return;
    const bool replacing = *existing == ExistingFile::replace;

    ProvenScript script;
    try {
        MotorModel model = modelFromDesign(current);
        scriptTexts = current.texts;
        model.scriptPath = name;
        script = provenScript(model);
        // The old file is replaced only once the new script is complete, and
        // a file that appeared after the question is not replaced unasked.
        saveScript(model.scriptPath, script.bytes, *existing);
    } catch (const std::exception &failure) {
        const QStringView outcome = replacing ? texts::oldFileKept : texts::nothingWritten;
        dialogs.warn(this, texts::scriptFailedTitle.toString(),
                     chineseMessage(failure) + u'\n' + outcome.toString());
        return;
    }
    scriptDesign = current;
    scriptFindings = script.findings;
    QString done = texts::scriptDone.toString();
    if (!scriptFindings.empty()) {
        done += u'\n' + texts::scriptReplayFindings.toString().arg(scriptFindings.size());
        refreshChecks();
    }
    dialogs.inform(this, texts::productTitle.toString(), done);
}

void MainWindow::exportDrawing()
{
    const QString filters
        = QStringList{texts::exportWholeFilter.toString(), texts::exportSectorFilter.toString(),
                      texts::exportGmshFilter.toString()}
              .join(u";;"_s);
    QString chosenFilter;
    const QString typed = dialogs.askSaveFileName(this, projectsFolder(), filters, &chosenFilter);
    if (typed.isEmpty())
        return;
    const bool gmshChosen = chosenFilter == texts::exportGmshFilter;
    const QString name = withSuffix(typed, gmshChosen ? u"geo" : u"dxf");
    const std::optional<ExportFormat> format = exportFormatOf(name);
    if (!format) {
        dialogs.warn(this, texts::exportFailedTitle.toString(),
                     texts::exportSuffixNeeded.toString().arg(name) + u'\n'
                         + texts::nothingWritten.toString());
        return;
    }

    const std::optional<ExistingFile> existing = askToReplace(name);
    if (!existing)
        return;
    const bool replacing = *existing == ExistingFile::replace;

    try {
        const MotorModel model = modelFromDesign(current);
        saveDrawing(model, name, chosenFilter == texts::exportSectorFilter, *existing);
    } catch (const std::exception &failure) {
        const QStringView outcome = replacing ? texts::oldFileKept : texts::nothingWritten;
        dialogs.warn(this, texts::exportFailedTitle.toString(),
                     chineseMessage(failure) + u'\n' + outcome.toString());
        return;
    }
    dialogs.inform(this, texts::productTitle.toString(), texts::exportDone.toString().arg(name));
}

std::optional<MotorModel> MainWindow::designUnderEdit(QString *whyNot) const
{
    try {
        return modelFromDesign(current);
    } catch (const std::exception &failure) {
        if (whyNot)
            *whyNot = chineseMessage(failure);
        return std::nullopt;
    }
}

PreviewWindow *MainWindow::previewWindow() const
{
    return preview;
}

QString MainWindow::checkSummary() const
{
    return checkStatus->text();
}

void MainWindow::refreshChecks()
{
    QString whyNot;
    const std::optional<MotorModel> design = designUnderEdit(&whyNot);
    std::vector<Finding> findings
        = design ? checkScriptDesign(*design, current.poles) : std::vector<Finding>{};
    if (current == scriptDesign)
        findings.insert(findings.end(), scriptFindings.begin(), scriptFindings.end());

    // A choice not made yet is something to do, not an error: the status
    // bar names it and counts only the rest.
    QStringList toPick;
    QStringList unpickedKeys;
    for (const DesignPick &pick : designPicks) {
        if (!(current.*(pick.member))) {
            toPick << pick.labelZh.toString();
            unpickedKeys << pick.key.toString();
        }
    }
    const auto aboutAnUnmadePick = [&unpickedKeys](const Finding &f) {
        return std::any_of(f.keys.begin(), f.keys.end(),
                           [&unpickedKeys](const QString &key) { return unpickedKeys.contains(key); });
    };
    qsizetype errors = 0;
    qsizetype warnings = 0;
    for (const Finding &finding : findings) {
        if (aboutAnUnmadePick(finding))
            continue;
        ++(finding.severity == Severity::error ? errors : warnings);
    }
    if (!design)
        ++errors;

    QStringList parts;
    if (errors)
        parts << u"%1 个错误"_s.arg(errors);
    if (warnings)
        parts << u"%1 个警告"_s.arg(warnings);
    const QString summary = texts::checkSummary.toString().arg(parts.isEmpty() ? texts::noFindings.toString()
                                                                               : parts.join(u"，"_s));
    QString status = summary;
    if (!toPick.isEmpty()) {
        status = texts::picksToMake.toString().arg(toPick.join(texts::picksSeparator));
        if (!parts.isEmpty())
            status += texts::summarySeparator.toString() + summary;
    }
    checkStatus->setText(status);

    if (preview) {
        std::optional<SectorGeometry> geometry;
        std::optional<DesignData> data;
        if (design) {
            geometry = buildSectorGeometry(*design);
            data = computeDesignData(*design, *geometry);
        }
        preview->showDesign(geometry, findings, whyNot, data);
    }
}

void MainWindow::showPreview()
{
    if (!preview) {
        preview = new PreviewWindow(this);
        preview->setAttribute(Qt::WA_DeleteOnClose);
        connect(preview, &PreviewWindow::fieldRequested, this, &MainWindow::focusField);
        preview->setPoles(current.poles);
        connect(preview, &PreviewWindow::polesEdited, this, &MainWindow::setPoles);
        refreshChecks();
    }
    preview->show();
    preview->raise();
    preview->activateWindow();
}

void MainWindow::focusField(const QString &key)
{
    QWidget *target = nullptr;
    if (const InputField *field = findInputField(key))
        target = control(field->control);
    else if (const DesignPick *pick = findDesignPick(key))
        target = control(pick->control);
    if (!target)
        return;
    activateWindow();
    raise();
    target->setFocus(Qt::OtherFocusReason);
    if (auto *box = qobject_cast<QLineEdit *>(target))
        box->selectAll();
}

void MainWindow::calculateEndRing()
{
    try {
        MotorModel endRing;  // the calculator reads its own boxes into it
        const EndRingResult result = lamina::calculateEndRing(inputTexts(), endRing);
        const QString x = QString::fromStdString(doubleText(result.leakageInductance));
        const QString y = QString::fromStdString(doubleText(result.resistance));
        textBox(u"zb(4)")->setText(x);
        textBox(u"zb(5)")->setText(y);
    } catch (const std::exception &failure) {
        dialogs.warn(this, texts::endRingFailedTitle.toString(), chineseMessage(failure));
    }
}

// Documents -----------------------------------------------------------------

void MainWindow::newDesign()
{
    document->newDesign();
}

void MainWindow::openDesign()
{
    document->open();
}

bool MainWindow::openDesignFile(const QString &file)
{
    return document->openFile(file);
}

bool MainWindow::saveDesign()
{
    return document->save();
}

bool MainWindow::saveDesignAs()
{
    return document->saveAs();
}

QStringList MainWindow::recentDesigns()
{
    return DesignDocument::recentDesigns();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (document->maySetAside())
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedDesign(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString file = droppedDesign(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    if (document->maySetAside())
        document->openFile(file);
}

}  // namespace lamina
