// The preview window's design-data table, its pole-count box and the copy
// to the clipboard, alone and as the main window drives them.

#include "app/PreviewWindow.h"
#include "FakeDialogs.h"
#include "app/MainWindow.h"
#include "design/Design.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QString cell(const QTableWidget *table, const QString &quantity, int column)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == quantity)
            return table->item(row, column)->text();
    }
    return u"(no row %1)"_s.arg(quantity);
}

bool listHas(const QListWidget *list, const QString &fragment)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().contains(fragment))
            return true;
    }
    return false;
}

}  // namespace

class PreviewWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tableShowsTheFiguresAndCopiesAsTabSeparatedText()
    {
        lamina::PreviewWindow preview;
        const lamina::MotorModel model = lamina::modelFromDesign(lamina::completeDesign());
        const lamina::SectorGeometry geometry = lamina::buildSectorGeometry(model);
        preview.showDesign(geometry, {}, QString(), lamina::computeDesignData(model, geometry));

        QTableWidget *table = preview.designDataTable();
        QCOMPARE(cell(table, u"槽面积"_s, 1), u"122.257"_s);
        QCOMPARE(cell(table, u"槽面积"_s, 2), u"94.6344"_s);
        QCOMPARE(cell(table, u"槽面积"_s, 3), u"mm²"_s);
        QCOMPARE(cell(table, u"气隙 δ"_s, 1), u"0.4"_s);
        QCOMPARE(cell(table, u"每扇区槽数"_s, 2), u"7"_s);

        preview.findChild<QPushButton *>(u"copyDesignData"_s)->click();
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), table->rowCount() + 1);
        QCOMPARE(lines.first(), u"项目\t定子\t转子\t单位"_s);
        QCOMPARE(lines[1], u"槽面积\t122.257\t94.6344\tmm²"_s);
        QCOMPARE(lines.last(), u"每扇区槽数\t9\t7\t"_s);

        // A design that cannot be read keeps the rows, emptied.
        preview.showDesign(std::nullopt, {}, u"定子槽数无法读取"_s);
        QCOMPARE(cell(table, u"槽面积"_s, 1), u"—"_s);
        QCOMPARE(table->rowCount(), lines.size() - 1);
    }

    void poleBoxReportsEditsOnly()
    {
        lamina::PreviewWindow preview;
        QSignalSpy edited(&preview, &lamina::PreviewWindow::polesEdited);
        preview.setPoles(u"6"_s);
        QCOMPARE(preview.poles(), u"6"_s);
        QCOMPARE(edited.count(), 0);
        auto *box = preview.findChild<QLineEdit *>(u"polesBox"_s);
        box->selectAll();
        QTest::keyClicks(box, u"4"_s);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.first().first().toString(), u"4"_s);
    }

    void mainWindowJudgesWithThePoleCountAsTyped()
    {
        QTemporaryDir folder;
        FakeDialogs dialogs;
        lamina::MainWindow window(dialogs, folder.path());
        // The default design with every list picked, as the user would.
        const std::pair<const char16_t *, int> picks[]
            = {{u"k2Combo1", 0}, {u"k4Combo3", 2}, {u"Combo1", 0}, {u"Combo2", 1}};  // 单笼梯形槽1
        for (const auto &[list, index] : picks) {
            window.comboBox(list)->setCurrentIndex(index);
            Q_EMIT window.comboBox(list)->activated(index);
        }
        window.showPreview();
        lamina::PreviewWindow *preview = window.previewWindow();
        QCOMPARE(preview->findingList()->count(), 0);

        auto *box = preview->findChild<QLineEdit *>(u"polesBox"_s);
        QTest::keyClicks(box, u"6"_s);  // 6 poles over P = 4 periods
        QVERIFY(listHas(preview->findingList(), u"2p / P = 6 / 4 = 1.5"_s));
        QVERIFY(window.checkSummary().contains(u"1 个错误"_s));

        box->clear();
        QTest::keyClicks(box, u"4"_s);  // 36 − 28 = 8 = 2 × 2p
        QVERIFY(!listHas(preview->findingList(), u"2p / P"_s));
        QVERIFY(listHas(preview->findingList(), u"Z1 − Z2 = 36 − 28 = 8，2p = 4"_s));

        // The table follows the boxes as the user types.
        window.textBox(u"k2t1(0)")->setText(u"137"_s);
        QCOMPARE(cell(preview->designDataTable(), u"气隙 δ"_s, 1), u"0.9"_s);

        // A second preview window starts with the same pole count.
        preview->close();
        window.showPreview();
        QTRY_VERIFY(window.previewWindow());
        QCOMPARE(window.previewWindow()->poles(), u"4"_s);
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "PreviewWindowTest.moc"
