#include "MainWindow.h"

#include "MainWindowLayout.h"
#include "PreviewWindow.h"
#include "UserDialogs.h"
#include "WindowTexts.h"
#include "calc/EndRing.h"
#include "geometry/DesignChecks.h"
#include "geometry/SectorGeometry.h"
#include "model/Gathering.h"
#include "model/LaminaError.h"
#include "script/NumberText.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"
#include "widgets/CaptionFrame.h"
#include "widgets/Fonts.h"
#include "widgets/PictureBox.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>

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
{
    setObjectName(u"geo"_s);
    setWindowTitle(texts::productTitle.toString());
    setWindowIcon(QIcon(u":/pictures/lamina.png"_s));
    createLayout();
    createMenus();
    connectHandlers();
    applyStartUpState();
    refreshChecks();
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

    comboBox(u"k2Combo1")->addItem(drawnStatorSlotName.toString());
    comboBox(u"k4Combo3")->addItem(drawnRotorSlotName.toString());
    comboBox(u"Combo1")->addItems({oddPeriodicityName.toString(), evenPeriodicityName.toString()});
    for (QStringView version : fluxVersionNames)
        comboBox(u"Combo2")->addItem(version.toString());
    // Adding items selects the first; the boxes start on their prompts.
    for (const auto &row : layout::controls) {
        if (row.kind == layout::Kind::ComboBox)
            comboBox(row.name)->setEditText(row.caption.toString());
    }

    for (std::size_t i = 1; i < layout::tabOrder.size(); ++i)
        setTabOrder(control(layout::tabOrder[i - 1]), control(layout::tabOrder[i]));

    textBox(u"pernum(0)")->setReadOnly(true);
    textBox(u"airgap(0)")->setReadOnly(true);
    static_cast<PictureBox *>(control(u"k2image1"))->showResource(u":/pictures/stator.png"_s);
    static_cast<PictureBox *>(control(u"k4Image1"))->showResource(u":/pictures/rotor.png"_s);
}

void MainWindow::createMenus()
{
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
    connect(comboBox(u"k2Combo1"), &QComboBox::activated, this, &MainWindow::statorSlotPicked);
    connect(comboBox(u"k4Combo3"), &QComboBox::activated, this, &MainWindow::rotorSlotPicked);
    connect(comboBox(u"Combo1"), &QComboBox::activated, this,
            [this] { pickPeriodicityType(comboBox(u"Combo1")->currentText(), motor); });
    connect(comboBox(u"Combo2"), &QComboBox::activated, this,
            [this] { pickFluxVersion(comboBox(u"Combo2")->currentText(), motor); });
    connect(static_cast<QPushButton *>(control(u"Command1")), &QPushButton::clicked, this,
            &MainWindow::calculateEndRing);

    // The checks and the preview follow every keystroke and every pick; the
    // list handlers above run first, so the picks are in the model by then.
    for (const InputField &field : inputFields)
        connect(textBox(field.control), &QLineEdit::textChanged, this, &MainWindow::refreshChecks);
    for (QStringView combo : {u"k2Combo1", u"k4Combo3", u"Combo1", u"Combo2"})
        connect(comboBox(combo), &QComboBox::activated, this, &MainWindow::refreshChecks);
}

void MainWindow::applyStartUpState()
{
    textBox(u"rt(13)")->setEnabled(false);
    textBox(u"st(7)")->setEnabled(false);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (placed)
        return;
    placed = true;
    // The top edge sits 100 twips below the top of the screen; the platform
    // keeps its choice of the left edge.
    if (const QScreen *screen = this->screen())
        move(x(), screen->geometry().top() + pixels(100));
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
    const StatorPickEffect effect = pickStatorSlotType(comboBox(u"k2Combo1")->currentText(), motor);
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
    const QStringView picture = pickRotorSlotType(comboBox(u"k4Combo3")->currentText(), motor);
    showSlotPicture(static_cast<PictureBox *>(control(u"k4Image1")), picture);
}

void MainWindow::createScript()
{
    const QString projects = QDir(programFolder).filePath(u"Projects"_s);
    const QString folder = QFileInfo(projects).isDir() ? projects + u'/' : QString();
    const QString name = dialogs.askSaveFileName(this, folder, texts::scriptFilter.toString());
    if (name.isEmpty())
        return;

    // Any existing file is asked about, hidden ones too: replacing is the
    // user's call, not ours.
    const QFileInfo chosen(name);
    const bool replacing = chosen.exists() && chosen.isFile();
    if (replacing
        && !dialogs.askYesNo(this, texts::overwriteTitle.toString(), texts::overwriteQuestion.toString()))
        return;

    motor.scriptPath = name;
    try {
        gatherInputs(inputTexts(), motor);
        // The old file is replaced only once the new script is complete, and
        // a file that appeared after the question is not replaced unasked.
        saveScript(motor.scriptPath, writeScript(motor),
                   replacing ? ExistingFile::replace : ExistingFile::keep);
    } catch (const std::exception &failure) {
        const QStringView outcome = replacing ? texts::oldFileKept : texts::nothingWritten;
        dialogs.warn(this, texts::scriptFailedTitle.toString(),
                     chineseMessage(failure) + u'\n' + outcome.toString());
        return;
    }
    dialogs.inform(this, texts::productTitle.toString(), texts::scriptDone.toString());
}

std::optional<MotorModel> MainWindow::designUnderEdit(QString *whyNot) const
{
    MotorModel copy = motor;
    try {
        gatherInputs(inputTexts(), copy);
    } catch (const std::exception &failure) {
        if (whyNot)
            *whyNot = chineseMessage(failure);
        return std::nullopt;
    }
    return copy;
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
    const std::vector<Finding> findings = design ? checkDesign(*design) : std::vector<Finding>{};
    qsizetype errors = std::count_if(findings.begin(), findings.end(),
                                     [](const Finding &f) { return f.severity == Severity::error; });
    const qsizetype warnings = qsizetype(findings.size()) - errors;
    if (!design)
        ++errors;

    QStringList parts;
    if (errors)
        parts << u"%1 个错误"_s.arg(errors);
    if (warnings)
        parts << u"%1 个警告"_s.arg(warnings);
    checkStatus->setText(texts::checkSummary.toString().arg(parts.isEmpty() ? texts::noFindings.toString()
                                                                            : parts.join(u"，"_s)));

    if (preview)
        preview->showDesign(design ? std::optional(buildSectorGeometry(*design)) : std::nullopt, findings,
                            whyNot);
}

void MainWindow::showPreview()
{
    if (!preview) {
        preview = new PreviewWindow(this);
        preview->setAttribute(Qt::WA_DeleteOnClose);
        connect(preview, &PreviewWindow::fieldRequested, this, &MainWindow::focusField);
        refreshChecks();
    }
    preview->show();
    preview->raise();
    preview->activateWindow();
}

void MainWindow::focusField(const QString &key)
{
    static const QHash<QString, QString> listOfPick{
        {u"statorSlotType"_s, u"k2Combo1"_s},
        {u"rotorSlotType"_s, u"k4Combo3"_s},
        {u"periodicityType"_s, u"Combo1"_s},
        {u"fluxVersion"_s, u"Combo2"_s},
    };
    QWidget *target = nullptr;
    if (const InputField *field = findInputField(key))
        target = control(field->control);
    else if (listOfPick.contains(key))
        target = control(listOfPick.value(key));
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
        const EndRingResult result = lamina::calculateEndRing(inputTexts(), motor);
        const QString x = QString::fromStdString(doubleText(result.leakageInductance));
        const QString y = QString::fromStdString(doubleText(result.resistance));
        textBox(u"zb(4)")->setText(x);
        textBox(u"zb(5)")->setText(y);
    } catch (const std::exception &failure) {
        dialogs.warn(this, texts::endRingFailedTitle.toString(), chineseMessage(failure));
    }
}

}  // namespace lamina
