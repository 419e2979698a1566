#include "app/MainWindow.h"
#include "FakeDialogs.h"
#include "WindowTestHelpers.h"
#include "app/PreviewWindow.h"
#include "app/WindowTexts.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using lamina::MainWindow;

using namespace windowtest;

namespace {

// Picks an arbitrary text, as if the list held it.
void pickText(QComboBox *combo, const QString &text)
{
    combo->addItem(text);
    pick(combo, combo->count() - 1);
}

}  // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir programFolder;
    FakeDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    QString folderFile(const QString &name) const { return programFolder.filePath(name); }
    void trigger(const char *action) { window->findChild<QAction *>(QString::fromLatin1(action))->trigger(); }
    QLineEdit *box(const char16_t *name) const { return window->textBox(name); }

private Q_SLOTS:
    void init()
    {
        dialogs = FakeDialogs();
        window = std::make_unique<MainWindow>(dialogs, programFolder.path());
    }

    void cleanup() { window.reset(); }

    void startsWithTheDefaults()
    {
        QCOMPARE(window->objectName(), u"geo"_s);
        QCOMPARE(box(u"k2t1(1)")->text(), u"210"_s);
        QCOMPARE(box(u"k4t1(0)")->text(), u"135.2"_s);
        QCOMPARE(box(u"zb(2)")->text(), u"0.0434"_s);
        QVERIFY(box(u"zb(4)")->text().isEmpty());
        QVERIFY(!box(u"st(7)")->isEnabled());
        QVERIFY(!box(u"rt(13)")->isEnabled());
        QVERIFY(box(u"st(7)")->text().isEmpty());
        QVERIFY(box(u"pernum(0)")->isReadOnly());
        QVERIFY(box(u"airgap(0)")->isReadOnly());
        QVERIFY(box(u"pernum(0)")->focusPolicy() != Qt::NoFocus);
        QCOMPARE(window->comboBox(u"k2Combo1")->currentText(), u"请选择定子槽型"_s);
        QCOMPARE(window->comboBox(u"k4Combo3")->currentText(), u"请选择接转子槽型"_s);
        QCOMPARE(window->comboBox(u"Combo1")->currentText(), u"请选择周期类型"_s);
        QCOMPARE(window->comboBox(u"Combo2")->currentText(), u"请选择软件版本"_s);
        // Every shape the script draws, in the handlers' order.
        const auto entries = [&](const char16_t *list) {
            QStringList names;
            for (int i = 0; i < window->comboBox(list)->count(); ++i)
                names << window->comboBox(list)->itemText(i);
            return names;
        };
        QCOMPARE(entries(u"k2Combo1"), (QStringList{u"半闭口梨形槽"_s, u"半闭口矩形槽"_s, u"开口矩形槽"_s}));
        QCOMPARE(
            entries(u"k4Combo3"),
            (QStringList{u"单笼腰圆槽"_s, u"单笼园底槽"_s, u"单笼梯形槽1"_s, u"单笼圆形槽"_s,
                         u"单笼梯形槽2"_s, u"闭口腰圆槽"_s, u"单笼矩形槽"_s, u"单笼刀形槽"_s, u"双笼腰圆槽"_s,
                         u"双笼圆形槽"_s, u"双笼平底槽"_s, u"双笼矩形槽"_s, u"闭口双笼槽"_s}));
        QCOMPARE(window->comboBox(u"Combo2")->count(), 2);
        QCOMPARE(window->windowTitle(), u"未命名[*] - "_s + lamina::texts::productTitle.toString());
        QVERIFY(window->centralWidget()->size() == QSize(1083, 722));
    }

    void tabWalksTheFormInOrder()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QStringList expected{u"k2t1(1)"_s, u"k2t1(0)"_s, u"k3t1(1)"_s, u"k2Combo1"_s,
                                   u"st(0)"_s,   u"st(1)"_s,   u"st(2)"_s,   u"st(3)"_s,
                                   u"st(4)"_s,   u"st(5)"_s,   u"st(6)"_s,   u"Option1"_s,
                                   u"k4t1(0)"_s, u"k4t1(1)"_s, u"k4t1(2)"_s, u"k4Combo3"_s};
        box(u"k2t1(1)")->setFocus();
        QStringList seen;
        for (int i = 0; i < expected.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            // A combo's line edit carries the focus for its box.
            if (focus && focus->parentWidget() && qobject_cast<QComboBox *>(focus->parentWidget()))
                focus = focus->parentWidget();
            seen << (focus ? focus->objectName() : u"<none>"_s);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, expected);  // st(7) is disabled and skipped
    }

    void periodicityAndVersionKeepTheLastPick()
    {
        QComboBox *periodicity = window->comboBox(u"Combo1");
        pick(periodicity, 1);  // 偶对称周期
        QCOMPARE(window->model().periodicityTypeText, u"PeriodicityCyclicType(),"_s);
        pick(periodicity, 0);  // 奇对称周期
        QCOMPARE(window->model().periodicityTypeText, u"PeriodicityAnticyclicType(),"_s);
        pick(window->comboBox(u"Combo2"), 0);
        QCOMPARE(window->model().fluxVersion, u"FLUX2D 11.1"_s);
    }

    void typingIntoAListStoresNothing()
    {
        QComboBox *version = window->comboBox(u"Combo2");
        version->lineEdit()->clear();
        QTest::keyClicks(version->lineEdit(), u"FLUX2D 11.1"_s);
        QComboBox *periodicity = window->comboBox(u"Combo1");
        periodicity->lineEdit()->clear();
        // Chinese arrives through the input method, not as key clicks.
        QInputMethodEvent typed;
        typed.setCommitString(u"奇对称周期"_s);
        QApplication::sendEvent(periodicity->lineEdit(), &typed);
        QCOMPARE(periodicity->currentText(), u"奇对称周期"_s);
        QVERIFY(window->model().fluxVersion.isEmpty());
        QVERIFY(window->model().periodicityTypeText.isEmpty());
    }

    void statorPicksSetTypeAndFields()
    {
        QComboBox *stator = window->comboBox(u"k2Combo1");
        pick(stator, 0);  // 半闭口梨形槽
        QCOMPARE(window->model().statorSlotType, 1);
        QVERIFY(box(u"st(6)")->isEnabled());
        QCOMPARE(box(u"st(6)")->text(), u"4.15"_s);
        QVERIFY(!box(u"st(7)")->isEnabled());
        QVERIFY(box(u"st(7)")->isReadOnly());

        pickName(stator, u"半闭口矩形槽"_s);
        QCOMPARE(window->model().statorSlotType, 2);
        QVERIFY(
            window->findChild<lamina::PictureBox *>(u"k2image1"_s)->text().contains(u"res/slottype2.bmp"_s));
        QVERIFY(!box(u"st(6)")->isEnabled());
        QCOMPARE(box(u"st(6)")->text(), u"0"_s);

        pick(stator, 0);  // nothing is enabled again
        QCOMPARE(window->model().statorSlotType, 1);
        QVERIFY(!box(u"st(6)")->isEnabled());

        pickText(stator, u"梨形"_s);
        QCOMPARE(window->model().statorSlotType, 1);
        QVERIFY(!window->findChild<lamina::PictureBox *>(u"k2image1"_s)->hasPicture());
    }

    void rotorPicksSwapThePictureAndSurviveMissingFiles()
    {
        auto *picture = window->findChild<lamina::PictureBox *>(u"k4Image1"_s);
        QVERIFY(picture->hasPicture());  // the built-in drawing
        const QImage builtIn = picture->pixmap().toImage();

        QComboBox *rotor = window->comboBox(u"k4Combo3");
        pickName(rotor, u"单笼梯形槽1"_s);  // res/r3.bmp is missing here
        QCOMPARE(window->model().rotorSlotType, std::optional<std::int16_t>(3));
        QVERIFY(!picture->hasPicture());
        QVERIFY(picture->text().contains(u"res/r3.bmp"_s));

        QImage drawing(280, 400, QImage::Format_RGB888);
        drawing.fill(Qt::red);
        QDir(programFolder.path()).mkpath(u"res"_s);
        QVERIFY(drawing.save(folderFile(u"res/r3.bmp"_s)));
        pickName(rotor, u"单笼梯形槽1"_s);
        QVERIFY(picture->hasPicture());
        QCOMPARE(picture->pixmap().size(), QSize(280, 400));
        QVERIFY(picture->pixmap().toImage() != builtIn);

        put(folderFile(u"res/r3.bmp"_s), "not a picture");
        pickName(rotor, u"单笼梯形槽1"_s);
        QVERIFY(!picture->hasPicture());

        pickText(rotor, u"单笼梯形槽"_s);
        QCOMPARE(window->model().rotorSlotType, std::optional<std::int16_t>(0));
        QVERIFY(picture->text().isEmpty());
        QCOMPARE(box(u"rt(0)")->text(), u"1"_s);  // no field changes
    }

    void cancellingWritesNothing()
    {
        trigger("create_py");
        QVERIFY(dialogs.informed.isEmpty());
        QVERIFY(window->model().scriptPath.isEmpty());
        QCOMPARE(dialogs.lastFilter, u"py(*.py)"_s);
        QVERIFY(dialogs.lastFolder.isEmpty());  // no Projects folder here

        QDir(programFolder.path()).mkdir(u"Projects"_s);
        trigger("create_py");
        QCOMPARE(QDir(dialogs.lastFolder).canonicalPath(), QDir(folderFile(u"Projects"_s)).canonicalPath());
    }

    void gatheringTheUntouchedWindowGivesTheDefaults()
    {
        QTemporaryDir out;
        dialogs.fileNames.enqueue(out.filePath(u"m.py"_s));
        trigger("create_py");
        const lamina::MotorModel &m = window->model();
        QCOMPARE(m.periodNumber, 4);
        QCOMPARE(m.air, 2);
        QCOMPARE(m.boxInnerDiameter, std::optional<double>(120));
        QCOMPARE(m.Z1, 36.0);
        QCOMPARE(m.Z2, 28);
        QCOMPARE(m.R21, 4.15);
        QCOMPARE(m.ringResistivity, 0.0434 / 1000000);
        QCOMPARE(m.statorSlotType, 0);
        QVERIFY(!m.rotorSlotType.has_value());
        QVERIFY(contents(out.filePath(u"m.py"_s)).startsWith("#! \r\n"));
    }

    void scriptMatchesTheCommandLineTool()
    {
        pick(window->comboBox(u"k2Combo1"), 0);
        pickName(window->comboBox(u"k4Combo3"), u"单笼梯形槽1"_s);
        pick(window->comboBox(u"Combo1"), 1);
        pick(window->comboBox(u"Combo2"), 0);
        box(u"k4t1(2)")->setText(u"32"_s);
        box(u"st(5)")->setText(u" 12.5 "_s);
        box(u"mesh(0)")->setText(u"0.45"_s);

        QTemporaryDir out;
        const QString path = out.filePath(u"motor.py"_s);
        dialogs.fileNames.enqueue(path);
        trigger("create_py");
        QCOMPARE(dialogs.informed,
                 QStringList{lamina::texts::productTitle.toString() + u'|'
                             + lamina::texts::scriptDone.toString()});
        QVERIFY(dialogs.asked.isEmpty());
        QVERIFY(QFile::exists(path));

        QProcess cli;
        cli.start(QStringLiteral(LAMINA_CLI),
                  {u"script"_s, u"--output"_s, out.filePath(u"cli.py"_s), u"--set"_s,
                   u"statorSlotType=半闭口梨形槽"_s, u"--set"_s, u"rotorSlotType=单笼梯形槽1"_s, u"--set"_s,
                   u"periodicityType=偶对称周期"_s, u"--set"_s, u"fluxVersion=FLUX2D 11.1"_s, u"--set"_s,
                   u"Z2=32"_s, u"--set"_s, u"H21= 12.5 "_s, u"--set"_s, u"meshDeviation=0.45"_s});
        QVERIFY(cli.waitForFinished());
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(contents(path), contents(out.filePath(u"cli.py"_s)));
    }

    // The whole machine passes the design checks, but its script does not
    // replay: the script is still written, and its findings join the checks
    // until the design changes.
    void replayFindingsJoinTheDesignChecks()
    {
        pick(window->comboBox(u"k2Combo1"), 0);
        pickName(window->comboBox(u"k4Combo3"), u"单笼梯形槽1"_s);
        pick(window->comboBox(u"Combo1"), 0);
        pick(window->comboBox(u"Combo2"), 0);
        box(u"pernum(0)")->setText(u"1"_s);
        const QString before = window->checkSummary();

        QTemporaryDir out;
        dialogs.fileNames.enqueue(out.filePath(u"whole.py"_s));
        trigger("create_py");
        QVERIFY(QFile::exists(out.filePath(u"whole.py"_s)));
        QCOMPARE(dialogs.informed.size(), 1);
        QVERIFY(dialogs.informed.first().contains(u"回放脚本发现"_s));
        QVERIFY(window->checkSummary() != before);
        QVERIFY(window->checkSummary().contains(u"个警告"_s));

        box(u"mesh(0)")->setText(u"0.5"_s);
        QCOMPARE(window->checkSummary(), before);
    }

    void existingFileIsReplacedOnlyOnYes()
    {
        QTemporaryDir out;
        const QString path = out.filePath(u"motor.py"_s);
        put(path, "old script");

        dialogs.fileNames.enqueue(path);
        dialogs.answers.enqueue(false);
        trigger("create_py");
        QCOMPARE(dialogs.asked, QStringList{u"保存提示|文件已存在,是否覆盖?"_s});
        QCOMPARE(contents(path), QByteArray("old script"));
        QVERIFY(dialogs.informed.isEmpty());

        dialogs.fileNames.enqueue(path);
        dialogs.answers.enqueue(true);
        trigger("create_py");
        QVERIFY(contents(path).startsWith("#! \r\n"));
        QCOMPARE(dialogs.informed.size(), 1);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"motor.py"_s});
    }

    void failuresKeepTheOldFileAndSaySo()
    {
        QTemporaryDir out;
        const QString path = out.filePath(u"motor.py"_s);
        put(path, "old script");

        box(u"k4t1(2)")->setText(u"40000"_s);  // out of the 16-bit range
        dialogs.fileNames.enqueue(path);
        dialogs.answers.enqueue(true);
        trigger("create_py");
        QCOMPARE(contents(path), QByteArray("old script"));
        QVERIFY(dialogs.informed.isEmpty());
        QCOMPARE(dialogs.warned.size(), 1);
        QVERIFY(dialogs.warned[0].contains(u"转子槽数"_s));
        QVERIFY(dialogs.warned[0].contains(u"原有文件保持不变"_s));

        box(u"k4t1(2)")->setText(u"28"_s);
        QFile::setPermissions(path, QFileDevice::ReadOwner);  // cannot be replaced
        dialogs.fileNames.enqueue(path);
        dialogs.answers.enqueue(true);
        trigger("create_py");
        QCOMPARE(contents(path), QByteArray("old script"));
        QCOMPARE(dialogs.warned.size(), 2);
        QVERIFY(dialogs.informed.isEmpty());

        dialogs.fileNames.enqueue(out.filePath(u"no/such/folder/m.py"_s));
        trigger("create_py");
        QCOMPARE(dialogs.warned.size(), 3);
        QVERIFY(dialogs.warned[2].contains(u"文件夹不存在"_s));
        QVERIFY(dialogs.warned[2].contains(u"没有写入任何文件"_s));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"motor.py"_s});

        // A link that points to itself is not asked about and not replaced.
        QVERIFY(QFile::link(u"loop.py"_s, out.filePath(u"loop.py"_s)));
        dialogs.fileNames.enqueue(out.filePath(u"loop.py"_s));
        trigger("create_py");
        QCOMPARE(dialogs.warned.size(), 4);
        QVERIFY(dialogs.warned[3].contains(u"符号链接"_s));
        QVERIFY(QFileInfo(out.filePath(u"loop.py"_s)).isSymLink());
    }

    // Run by the file-fault test inside a tiny tmpfs that holds motor.py and
    // has no room for a new script.
    void fullDiskKeepsTheOldFile()
    {
        const QString folder = qEnvironmentVariable("LAMINA_TEST_FULL_DISK_DIR");
        if (folder.isEmpty())
            QSKIP("needs a full disk, prepared by tests/faults/file-faults.sh");
        const QString path = QDir(folder).filePath(u"motor.py"_s);
        const QByteArray old = contents(path);
        dialogs.fileNames.enqueue(path);
        dialogs.answers.enqueue(true);
        trigger("create_py");
        QCOMPARE(contents(path), old);
        QVERIFY(dialogs.informed.isEmpty());
        QCOMPARE(dialogs.warned.size(), 1);
        QVERIFY(dialogs.warned[0].contains(u"磁盘空间不足"_s));
        QVERIFY(dialogs.warned[0].contains(u"原有文件保持不变"_s));
    }

    void endRingResults()
    {
        auto *calculate = window->findChild<QPushButton *>(u"Command1"_s);
        QTest::mouseClick(calculate, Qt::LeftButton);
        QCOMPARE(box(u"zb(4)")->text(), u"2.87211678845277E-08"_s);
        QCOMPARE(box(u"zb(5)")->text(), u"1.5643169644375E-06"_s);

        box(u"zb(0)")->setText(u"0.02"_s);
        QTest::mouseClick(calculate, Qt::LeftButton);
        QCOMPARE(box(u"zb(4)")->text(), u"3.26771153910912E-08"_s);
        QCOMPARE(box(u"zb(5)")->text(), u"1.5643169644375E-06"_s);

        box(u"k4t1(2)")->setText(u"0"_s);
        QTest::mouseClick(calculate, Qt::LeftButton);
        box(u"k4t1(2)")->setText(u"28"_s);
        box(u"zb(3)")->setText(u"0"_s);
        QTest::mouseClick(calculate, Qt::LeftButton);
        QCOMPARE(dialogs.warned.size(), 2);
        QCOMPARE(box(u"zb(4)")->text(), u"3.26771153910912E-08"_s);
        QCOMPARE(box(u"zb(5)")->text(), u"1.5643169644375E-06"_s);
    }

    void checkSummaryFollowsTheBoxes()
    {
        QCOMPARE(window->checkSummary(), u"请选择：定子槽型、转子槽型、周期类型、FLUX版本"_s);
        pick(window->comboBox(u"k2Combo1"), 0);
        pickName(window->comboBox(u"k4Combo3"), u"单笼梯形槽1"_s);
        pick(window->comboBox(u"Combo1"), 0);
        pick(window->comboBox(u"Combo2"), 1);
        QCOMPARE(window->checkSummary(), u"设计检查：未发现问题"_s);
        box(u"k2t1(1)")->setText(u"150"_s);  // the stator slots now cut through the yoke
        QVERIFY(window->checkSummary().contains(u"个错误"_s));
        box(u"k4t1(2)")->setText(u"99999"_s);  // cannot be read at all
        QVERIFY(window->checkSummary().contains(u"错误"_s));
        QVERIFY(!window->designUnderEdit().has_value());
    }

    void previewFollowsTheBoxesWithoutTouchingTheModel()
    {
        QTemporaryDir out;
        pick(window->comboBox(u"k2Combo1"), 0);
        pickName(window->comboBox(u"k4Combo3"), u"单笼梯形槽1"_s);
        dialogs.fileNames.enqueue(out.filePath(u"before.py"_s));
        trigger("create_py");

        trigger("menu_preview");
        lamina::PreviewWindow *preview = window->previewWindow();
        QVERIFY(preview && preview->isVisible());
        trigger("menu_preview");
        QCOMPARE(window->previewWindow(), preview);  // one window only
        QCOMPARE(window->findChildren<lamina::PreviewWindow *>().size(), 1);

        const QImage before = preview->sectorView()->grab().toImage();
        box(u"k2t1(1)")->setText(u"260"_s);
        const QImage after = preview->sectorView()->grab().toImage();
        QVERIFY(before != after);
        QCOMPARE(window->model().D1, 210.0);  // still the gathered value

        box(u"k2t1(1)")->setText(u"210"_s);
        dialogs.fileNames.enqueue(out.filePath(u"after.py"_s));
        trigger("create_py");
        QCOMPARE(contents(out.filePath(u"after.py"_s)), contents(out.filePath(u"before.py"_s)));
    }

    void clickingAFindingSelectsItsBox()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        pick(window->comboBox(u"k2Combo1"), 0);
        pickName(window->comboBox(u"k4Combo3"), u"单笼梯形槽1"_s);
        pick(window->comboBox(u"Combo1"), 0);
        box(u"mesh(0)")->setText(u"-1"_s);
        trigger("menu_preview");
        QListWidget *list = window->previewWindow()->findingList();
        QListWidgetItem *meshFinding = nullptr;
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->text().contains(u"剖分"_s))
                meshFinding = list->item(i);
        }
        QVERIFY(meshFinding);
        Q_EMIT list->itemClicked(meshFinding);
        QTRY_COMPARE(QApplication::focusWidget(), box(u"mesh(0)"));
        QCOMPARE(box(u"mesh(0)")->selectedText(), u"-1"_s);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
