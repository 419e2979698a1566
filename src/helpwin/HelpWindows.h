#pragma once

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <cstdint>

namespace lamina {

class PictureBox;

// help_pic: six steps, one picture and one caption each.
class IllustratedHelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit IllustratedHelpWindow(QString programFolder, QWidget *parent = nullptr);

    int currentStep() const { return step; }
    QString caption() const;
    PictureBox *picture() const { return pictureBox; }

public Q_SLOTS:
    void nextStep();
    void previousStep();

private:
    void showStep(int n);

    const QString programFolder;
    PictureBox *pictureBox;
    QLabel *captionLabel;
    std::int16_t step = 0;
};

// soft_help: what the program does and how to use it.
class DescriptionWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DescriptionWindow(QWidget *parent = nullptr);

Q_SIGNALS:
    void illustratedHelpRequested();
};

// soft_about: author, contact and thanks.
class AboutWindow : public QWidget
{
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

// Opens each help window at most once, modeless and on its own, so that it
// outlives the window that asked for it; a closed window is deleted and the
// next request builds it afresh.
class HelpWindows : public QObject
{
    Q_OBJECT

public:
    explicit HelpWindows(QString programFolder, QObject *parent = nullptr);
    ~HelpWindows() override;

    DescriptionWindow *description() const { return descriptionWindow; }
    AboutWindow *about() const { return aboutWindow; }
    IllustratedHelpWindow *illustratedHelp() const { return illustratedWindow; }

public Q_SLOTS:
    void showDescription();
    void showAbout();
    void showIllustratedHelp();

private:
    const QString programFolder;
    QPointer<DescriptionWindow> descriptionWindow;
    QPointer<AboutWindow> aboutWindow;
    QPointer<IllustratedHelpWindow> illustratedWindow;
};

}  // namespace lamina
