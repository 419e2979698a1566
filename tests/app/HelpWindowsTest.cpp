#include "helpwin/HelpWindows.h"
#include "helpwin/HelpTexts.h"
#include "widgets/PictureBox.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;

class HelpWindowsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir programFolder;

    // Step pictures of distinct sizes, so a test can tell which is shown.
    void writeStepPictures()
    {
        QDir(programFolder.path()).mkpath(u"help"_s);
        for (int i = 1; i <= 6; ++i) {
            QImage image(100 + i, 50, QImage::Format_RGB32);
            image.fill(Qt::white);
            QVERIFY(image.save(programFolder.filePath(u"help/a%1.jpg"_s.arg(i))));
        }
    }

    static int shownStep(IllustratedHelpWindow &window)
    {
        const QPixmap shown = window.picture()->pixmap();
        return shown.isNull() ? -1 : shown.width() - 101;
    }

    static QString stepCaption(int n) { return helptexts::steps[std::size_t(n)].caption.toString(); }

private Q_SLOTS:
    void stepsChangeShowThenClamp()
    {
        writeStepPictures();
        IllustratedHelpWindow window(programFolder.path());
        const QPixmap builtIn = window.picture()->pixmap();
        QCOMPARE(window.caption(), stepCaption(0));

        window.previousStep();  // past the start: nothing changes
        QCOMPARE(window.currentStep(), 0);
        QCOMPARE(window.caption(), stepCaption(0));
        QVERIFY(window.picture()->pixmap().toImage() == builtIn.toImage());

        auto *next = window.findChild<QPushButton *>(u"Command1"_s);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(window.currentStep(), 1);
        QCOMPARE(window.caption(), stepCaption(1));
        QCOMPARE(shownStep(window), 1);  // help/a2.jpg

        for (int i = 0; i < 6; ++i)
            QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(window.currentStep(), 5);
        QCOMPARE(window.caption(), stepCaption(5));
        QCOMPARE(shownStep(window), 5);

        auto *previous = window.findChild<QPushButton *>(u"Command2"_s);
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(window.currentStep(), 0);
        QCOMPARE(window.caption(), stepCaption(0));
        QCOMPARE(shownStep(window), 0);  // a1.jpg from the folder, not the built-in one
    }

    void missingPicturesAreSurvived()
    {
        QTemporaryDir empty;
        IllustratedHelpWindow window(empty.path());
        window.nextStep();
        QCOMPARE(window.caption(), stepCaption(1));
        QVERIFY(window.picture()->pixmap().isNull());
        QVERIFY(window.picture()->text().contains(u"help/a2.jpg"_s));
    }

    void eachWindowExistsOnceAndStartsAfresh()
    {
        writeStepPictures();
        HelpWindows windows(programFolder.path());
        windows.showDescription();
        DescriptionWindow *first = windows.description();
        windows.showDescription();
        QCOMPARE(windows.description(), first);
        QCOMPARE(QApplication::topLevelWidgets().count(first), 1);

        // The description's button opens the illustrated help, which keeps
        // its step when asked for again.
        QTest::mouseClick(first->findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
        IllustratedHelpWindow *help = windows.illustratedHelp();
        QVERIFY(help && help->isVisible());
        help->nextStep();
        help->nextStep();
        windows.showIllustratedHelp();
        QCOMPARE(windows.illustratedHelp(), help);
        QCOMPARE(help->currentStep(), 2);

        // Closing the description leaves the illustrated help open.
        QVERIFY(first->close());
        QTRY_VERIFY(windows.description() == nullptr);
        QVERIFY(help->isVisible());

        // A closed window is gone; the next one starts at step 0.
        QVERIFY(help->close());
        QTRY_VERIFY(windows.illustratedHelp() == nullptr);
        windows.showIllustratedHelp();
        QCOMPARE(windows.illustratedHelp()->currentStep(), 0);
        QCOMPARE(windows.illustratedHelp()->caption(), stepCaption(0));

        windows.showAbout();
        QVERIFY(windows.about()->isVisible());
        QVERIFY(!windows.about()->isModal());
        const QString version = windows.about()->findChild<QLabel *>(u"versionLabel"_s)->text();
        QVERIFY(version.contains(QStringLiteral(LAMINA_VERSION)));
        QVERIFY(version.contains(QString::fromLatin1(qVersion())));
    }

    void programEndsWithItsLastWindow()
    {
        // The rule only acts inside the application's event loop, so run it.
        QVERIFY(QApplication::quitOnLastWindowClosed());
        HelpWindows windows(programFolder.path());
        auto *main = new QWidget;
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->show();
        windows.showAbout();

        bool stillRunningAfterMainClosed = false;
        bool quitByTimeout = false;
        QTimer::singleShot(0, main, [main] { main->close(); });
        QTimer::singleShot(50, this, [&] {
            stillRunningAfterMainClosed = windows.about() && windows.about()->isVisible();
            windows.about()->close();
        });
        QTimer::singleShot(10000, this, [&] {
            quitByTimeout = true;
            QCoreApplication::quit();
        });
        QCoreApplication::exec();
        QVERIFY(stillRunningAfterMainClosed);
        QVERIFY(!quitByTimeout);
    }

    void descriptionCaptionsAreExact()
    {
        DescriptionWindow window;
        const auto caption
            = [&window](const QString &name) { return window.findChild<QLabel *>(name)->text(); };
        QCOMPARE(window.windowTitle(), u"帮助"_s);
        QCOMPARE(caption(u"Label1(0)"_s), u"V1版程序的功能： "_s);
        QCOMPARE(caption(u"Label2(5)"_s), u"6、生成FLUX的命令执行文件.py"_s);
        QCOMPARE(caption(u"Label1(2)"_s), u"V2版程序展望："_s);

        const QString usage = caption(u"Label2(6)"_s);
        QVERIFY(
            usage.startsWith(u"按照实际的电机几何模型设置参数，并赋几何模型相关设置。然后点击创建.py文件"_s
                             + QString(73, u' ') + u"到指定文件夹下"_s));
        QVERIFY(usage.contains(u"执行该.py文"_s + QString(74, u' ') + u"件即可"_s));
        QVERIFY(usage.endsWith(u"件即可"_s));
        const QString outlook = caption(u"Label2(7)"_s);
        QVERIFY(outlook.contains(u"意见。"_s + QString(140, u' ') + u"下一版"_s));
        QVERIFY(outlook.endsWith(u"（包含转子导条端部参数）"_s));

        // Every padded line fills exactly 146 bytes of the GBK code page.
        const auto gbkLength
            = [](QStringView text) { return QByteArray(QStringEncoder("GBK").encode(text)).size(); };
        for (const auto &line : helptexts::usageLines) {
            if (line.trailingBlanks)
                QCOMPARE(gbkLength(line.text) + line.trailingBlanks, 146);
        }
        for (const auto &line : helptexts::outlookLines) {
            if (line.trailingBlanks)
                QCOMPARE(gbkLength(line.text) + line.trailingBlanks, 146);
        }
    }
};

QTEST_MAIN(HelpWindowsTest)
#include "HelpWindowsTest.moc"
