#include "HelpWindows.h"

#include "HelpTexts.h"
#include "widgets/CaptionFrame.h"
#include "widgets/Fonts.h"
#include "widgets/PictureBox.h"
#include "widgets/Twips.h"

#include <QDir>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

// The description's own font: half-width Latin and full-width Chinese, so
// the blanks that pad its long captions fill whole rows.
QFont descriptionFont()
{
    QFont f;
    f.setFamilies({u"Noto Sans Mono CJK SC"_s, u"宋体"_s});
    f.setPixelSize(12);
    return f;
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *label(const QString &text, QWidget *parent, int left, int top, int width, int height,
              const QFont &labelFont, const QString &name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(labelFont);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    placeInTwips(l, left, top, width, height);
    return l;
}

void makeTopLevelWindow(QWidget *window, const QString &name, QStringView title, int width, int height)
{
    window->setObjectName(name);
    window->setWindowTitle(title.toString());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(pixels(width), pixels(height));
}

template<typename Window>
void bringUp(Window *window)
{
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

}  // namespace

IllustratedHelpWindow::IllustratedHelpWindow(QString programFolder, QWidget *parent)
    : QWidget(parent)
    , programFolder(std::move(programFolder))
{
    makeTopLevelWindow(this, u"help_pic"_s, helptexts::illustratedHelpTitle, 15750, 8775);
    setBackground(this, QColor(192, 255, 255));

    pictureBox = new PictureBox(this);
    pictureBox->setObjectName(u"Picture1"_s);
    placeInTwips(pictureBox, 120, 0, 12135, 8655);
    pictureBox->showResource(u":/help/a1.jpg"_s);

    captionLabel
        = label(QString(), this, 12720, 360, 2535, 5055, namedFont(u"楷体"_s, 14.25, true), u"Label1"_s);
    setBackground(captionLabel, QColor(192, 192, 255));

    auto *next = new QPushButton(helptexts::nextStep.toString(), this);
    next->setObjectName(u"Command1"_s);
    next->setFont(namedFont(u"隶书"_s, 15));
    placeInTwips(next, 12600, 5880, 2775, 855);
    auto *previous = new QPushButton(helptexts::previousStep.toString(), this);
    previous->setObjectName(u"Command2"_s);
    previous->setFont(namedFont(u"隶书"_s, 15));
    placeInTwips(previous, 12600, 7680, 2775, 855);

    pictureBox->setFocusPolicy(Qt::TabFocus);
    setTabOrder(pictureBox, next);
    setTabOrder(next, previous);
    connect(next, &QPushButton::clicked, this, &IllustratedHelpWindow::nextStep);
    connect(previous, &QPushButton::clicked, this, &IllustratedHelpWindow::previousStep);

    // The first step's caption; its picture is the built-in one.
    captionLabel->setText(helptexts::steps[0].caption.toString());
    step = 0;
}

QString IllustratedHelpWindow::caption() const
{
    return captionLabel->text();
}

// Change, show, then bring back into range: a click past either end shows
// nothing new and leaves the window as it was.
void IllustratedHelpWindow::nextStep()
{
    step = std::int16_t(step + 1);
    showStep(step);
    if (step > 5)
        step = 5;
}

void IllustratedHelpWindow::previousStep()
{
    step = std::int16_t(step - 1);
    showStep(step);
    if (step < 0)
        step = 0;
}

void IllustratedHelpWindow::showStep(int n)
{
    if (n < 0 || n >= int(helptexts::steps.size()))
        return;
    const helptexts::Step &shown = helptexts::steps[std::size_t(n)];
    captionLabel->setText(shown.caption.toString());
    pictureBox->showFile(QDir(programFolder).filePath(shown.picture.toString()), shown.picture.toString());
}

DescriptionWindow::DescriptionWindow(QWidget *parent)
    : QWidget(parent)
{
    makeTopLevelWindow(this, u"soft_help"_s, helptexts::descriptionTitle, 10800, 10185);
    setWindowIcon(QIcon(u":/pictures/lamina.png"_s));
    setFont(descriptionFont());

    auto *frame = new CaptionFrame(helptexts::descriptionFrame.toString(), this);
    frame->setObjectName(u"Frame1"_s);
    placeInTwips(frame, 1080, 600, 8655, 8895);

    const QFont heading = namedFont(u"隶书"_s, 15.75);
    label(helptexts::featuresHeading.toString(), frame, 600, 480, 4095, 495, heading, u"Label1(0)"_s);
    for (std::size_t i = 0; i < helptexts::features.size(); ++i) {
        label(helptexts::features[i].toString(), frame, 960, 960 + 360 * int(i), 6615, 495, font(),
              u"Label2(%1)"_s.arg(i));
    }
    label(helptexts::usageHeading.toString(), frame, 600, 3480, 4095, 495, heading, u"Label1(1)"_s);
    label(helptexts::joinedCaption(helptexts::usageLines), frame, 960, 4080, 6615, 1695, font(),
          u"Label2(6)"_s);

    auto *examples = new QPushButton(helptexts::examplesButton.toString(), frame);
    examples->setObjectName(u"Command1"_s);
    placeInTwips(examples, 960, 5280, 2055, 495);
    connect(examples, &QPushButton::clicked, this, &DescriptionWindow::illustratedHelpRequested);

    label(helptexts::outlookHeading.toString(), frame, 600, 6240, 4095, 495, heading, u"Label1(2)"_s);
    label(helptexts::joinedCaption(helptexts::outlookLines), frame, 960, 6960, 6615, 1575, font(),
          u"Label2(7)"_s);
}

AboutWindow::AboutWindow(QWidget *parent)
    : QWidget(parent)
{
    makeTopLevelWindow(this, u"soft_about"_s, helptexts::aboutTitle, 7845, 7260);

    auto *frame = new CaptionFrame(QString(), this);
    frame->setObjectName(u"d"_s);
    placeInTwips(frame, 600, 600, 6615, 6015);

    const QFont heading = namedFont(u"隶书"_s, 15);
    const QFont value = namedFont(u"楷体"_s, 14.25, true);
    label(helptexts::authorHeading.toString(), frame, 600, 600, 4575, 495, heading, u"Label1(0)"_s);
    label(helptexts::author.toString(), frame, 1920, 1080, 3495, 615, value, u"Label2(0)"_s);
    label(helptexts::contactHeading.toString(), frame, 600, 1680, 4575, 495, heading, u"Label1(1)"_s);
    label(helptexts::contact.toString(), frame, 1920, 2160, 3855, 975, value, u"Label2(1)"_s);
    label(helptexts::thanksHeading.toString(), frame, 600, 3240, 4575, 495, heading, u"Label1(2)"_s);
    label(helptexts::thanks.toString(), frame, 1920, 3720, 4335, 1695, value, u"Label2(2)"_s);
    label(helptexts::versionLine.toString().arg(QStringLiteral(LAMINA_VERSION),
                                                QString::fromLatin1(qVersion())),
          frame, 600, 5475, 5775, 375, namedFont(u"宋体"_s, 10.5), u"versionLabel"_s);
}

HelpWindows::HelpWindows(QString programFolder, QObject *parent)
    : QObject(parent)
    , programFolder(std::move(programFolder))
{}

HelpWindows::~HelpWindows()
{
    delete descriptionWindow;
    delete aboutWindow;
    delete illustratedWindow;
}

void HelpWindows::showDescription()
{
    if (!descriptionWindow) {
        descriptionWindow = new DescriptionWindow;
        connect(descriptionWindow, &DescriptionWindow::illustratedHelpRequested, this,
                &HelpWindows::showIllustratedHelp);
    }
    bringUp(descriptionWindow.data());
}

void HelpWindows::showAbout()
{
    if (!aboutWindow)
        aboutWindow = new AboutWindow;
    bringUp(aboutWindow.data());
}

void HelpWindows::showIllustratedHelp()
{
    if (!illustratedWindow)
        illustratedWindow = new IllustratedHelpWindow(programFolder);
    bringUp(illustratedWindow.data());
}

}  // namespace lamina
