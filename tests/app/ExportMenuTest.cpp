// 文件 → 导出图纸: the filter chosen decides the drawing, the file is the one
// lamina-cli export writes, and a design that cannot be drawn writes nothing.

#include "FakeDialogs.h"
#include "WindowTestHelpers.h"
#include "app/MainWindow.h"
#include "app/WindowTexts.h"
#include "design/Design.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace windowtest;
namespace texts = lamina::texts;

class ExportMenuTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir programFolder;
    QTemporaryDir settingsFolder;
    std::unique_ptr<QTemporaryDir> outFolder;
    FakeDialogs dialogs;
    std::unique_ptr<lamina::MainWindow> window;

    QString outFile(const QString &name) const { return outFolder->filePath(name); }
    void trigger(const QString &action) { window->findChild<QAction *>(action)->trigger(); }

    // Opens a design with every pick made, and keeps its file for the CLI.
    QString openCompleteDesign()
    {
        const QString path = outFile(u"motor.json"_s);
        put(path, lamina::designFileBytes(lamina::completeDesign()));
        dialogs.openNames.enqueue(path);
        trigger(u"file_open"_s);
        return path;
    }

    void exportAs(const QString &typed, QStringView filter)
    {
        dialogs.fileNames.enqueue(outFile(typed));
        dialogs.chosenFilters.enqueue(filter.toString());
        trigger(u"file_export"_s);
    }

    QByteArray cliExport(const QString &design, const QString &output, const QStringList &extra = {})
    {
        QProcess cli;
        cli.start(QStringLiteral(LAMINA_CLI),
                  QStringList{u"export"_s, u"--design"_s, design, u"--output"_s, outFile(output)} + extra);
        if (!cli.waitForFinished() || cli.exitCode() != 0)
            return {};
        return contents(outFile(output));
    }

private Q_SLOTS:
    void initTestCase() { useScratchSettings(u"ExportMenuTest"_s, settingsFolder.path()); }

    void init()
    {
        outFolder = std::make_unique<QTemporaryDir>();
        dialogs = FakeDialogs();
        window = std::make_unique<lamina::MainWindow>(dialogs, programFolder.path());
    }

    void cleanup() { window.reset(); }

    void itemSitsBeforeExit()
    {
        const QList<QAction *> items = window->findChild<QMenu *>(u"menu_file"_s)->actions();
        const auto at = [&items](const QString &name) {
            for (qsizetype i = 0; i < items.size(); ++i) {
                if (items[i]->objectName() == name)
                    return i;
            }
            return qsizetype(-1);
        };
        QVERIFY(at(u"file_export"_s) > at(u"file_save_as"_s));
        QVERIFY(at(u"file_export"_s) < at(u"file_exit"_s));
        QCOMPARE(items[at(u"file_export"_s)]->text(), texts::exportItem.toString());
    }

    // Each filter gives its drawing, byte for byte what the CLI writes; a
    // name typed bare gets the filter's suffix.
    void filterChoosesTheDrawing_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QStringList>("cliOptions");
        QTest::newRow("whole laminations")
            << texts::exportWholeFilter.toString() << u"whole"_s << u"whole.dxf"_s << QStringList();
        QTest::newRow("sector") << texts::exportSectorFilter.toString() << u"sector.dxf"_s << u"sector.dxf"_s
                                << QStringList{u"--sector"_s};
        QTest::newRow("gmsh") << texts::exportGmshFilter.toString() << u"mesh"_s << u"mesh.geo"_s
                              << QStringList();
    }

    void filterChoosesTheDrawing()
    {
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QStringList, cliOptions);
        const QString design = openCompleteDesign();
        exportAs(typed, filter);
        QVERIFY2(dialogs.warned.isEmpty(), qPrintable(dialogs.warned.join(u'\n')));
        QCOMPARE(dialogs.informed.size(), 1);
        const QByteArray bytes = contents(outFile(written));
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(bytes, cliExport(design, u"cli-"_s + written, cliOptions));
        QVERIFY(dialogs.lastFilter.contains(u"*.geo"_s) && dialogs.lastFilter.contains(u"*.dxf"_s));
    }

    void refusalsWriteNothing()
    {
        openCompleteDesign();
        // Slots wider than their pitch overlap: no drawing can be formed.
        window->textBox(u"k3t1(1)")->setText(u"400"_s);
        exportAs(u"crowded.dxf"_s, texts::exportWholeFilter);
        QCOMPARE(dialogs.warned.size(), 1);
        QVERIFY(dialogs.warned[0].startsWith(texts::exportFailedTitle.toString() + u'|'));
        QVERIFY(dialogs.warned[0].endsWith(texts::nothingWritten.toString()));
        QVERIFY(!QFile::exists(outFile(u"crowded.dxf"_s)));
        QCOMPARE(QDir(outFolder->path()).entryList(QDir::Files), QStringList{u"motor.json"_s});

        // A suffix that names no drawing format.
        exportAs(u"drawing.txt"_s, texts::exportWholeFilter);
        QCOMPARE(dialogs.warned.size(), 2);
        QVERIFY(!QFile::exists(outFile(u"drawing.txt"_s)));
    }

    // Numbers the DXF library cannot print once aborted the program: each
    // drawing now refuses them, and the window goes on with the design.
    void hugeDrawingsAreRefused_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("typed");
        QTest::newRow("whole laminations")
            << texts::exportWholeFilter.toString() << u"k2t1(1)"_s << u"1e239"_s << u"whole.dxf"_s;
        QTest::newRow("sector") << texts::exportSectorFilter.toString() << u"box(0)"_s << u"1e300"_s
                                << u"sector.dxf"_s;
        QTest::newRow("gmsh") << texts::exportGmshFilter.toString() << u"box(0)"_s << u"1e300"_s
                              << u"mesh.geo"_s;
    }

    void hugeDrawingsAreRefused()
    {
        QFETCH(QString, filter);
        QFETCH(QString, box);
        QFETCH(QString, value);
        QFETCH(QString, typed);
        openCompleteDesign();
        window->textBox(box)->setText(value);
        exportAs(typed, filter);
        QCOMPARE(dialogs.warned.size(), 1);
        QVERIFY2(dialogs.warned[0].contains(u"无法生成图纸"_s), qPrintable(dialogs.warned[0]));
        QVERIFY(dialogs.warned[0].endsWith(texts::nothingWritten.toString()));
        QVERIFY(!QFile::exists(outFile(typed)));
        QCOMPARE(window->textBox(box)->text(), value);
        QVERIFY(window->isWindowModified());
    }

    void existingFileIsAskedAbout()
    {
        openCompleteDesign();
        put(outFile(u"old.dxf"_s), "old drawing");
        dialogs.answers.enqueue(false);
        exportAs(u"old.dxf"_s, texts::exportWholeFilter);
        QCOMPARE(dialogs.asked.size(), 1);
        QCOMPARE(contents(outFile(u"old.dxf"_s)), QByteArray("old drawing"));

        dialogs.answers.enqueue(true);
        exportAs(u"old.dxf"_s, texts::exportWholeFilter);
        QVERIFY(contents(outFile(u"old.dxf"_s)).contains("ENTITIES"));
    }
};

QTEST_MAIN(ExportMenuTest)
#include "ExportMenuTest.moc"
