// The batch's pieces without the command line: reading tables, expanding
// sweeps and tables into variants, refusing file names, and one in-process
// run.

#include "batch/Batch.h"
#include "model/LaminaError.h"
#include "script/ScriptWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

std::vector<QStringList> cellsOf(const std::vector<CsvRecord> &records)
{
    std::vector<QStringList> cells;
    for (const CsvRecord &record : records)
        cells.push_back(record.cells);
    return cells;
}

std::string errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const BatchError &error) {
        return escapedForMessage(error.message()).toStdString();
    }
    return "no error";
}

TEST(CsvTable, ReadsWhatSpreadsheetsSave)
{
    const struct
    {
        const char *bytes;
        std::vector<QStringList> cells;
    } cases[] = {
        // A Chinese-locale spreadsheet: byte-order mark, semicolons, CR LF,
        // quoted cells holding the separator, a comma, quotes and Chinese.
        {"\xEF\xBB\xBFname;rotorSlotType;Z2\r\n"
         "\"a;b\";\"单笼梯形槽1\";26\r\n"
         "\"say \"\"hi\"\", 2\";;\"\"\r\n",
         {{u"name"_s, u"rotorSlotType"_s, u"Z2"_s},
          {u"a;b"_s, u"单笼梯形槽1"_s, u"26"_s},
          {u"say \"hi\", 2"_s, QString(), QString()}}},
        // Comma, LF, no line end after the last row.
        {"Z2,D1\n26,210\n28,211", {{u"Z2"_s, u"D1"_s}, {u"26"_s, u"210"_s}, {u"28"_s, u"211"_s}}},
        // The header decides: commas inside data rows stay text.
        {"Z2;D1\n2,5;3\n", {{u"Z2"_s, u"D1"_s}, {u"2,5"_s, u"3"_s}}},
        // A quoted header cell may hold the other separator.
        {"\"a,b\";c\n1;2\n", {{u"a,b"_s, u"c"_s}, {u"1"_s, u"2"_s}}},
        // One column; blank lines skipped, a quoted empty cell kept.
        {"Z2\r\n\r\n26\n\n\"\"\n", {{u"Z2"_s}, {u"26"_s}, {QString()}}},
        // A line end inside quotes is text; a lone CR ends a line.
        {"name,Z2\r\"two\r\nlines\",26\r", {{u"name"_s, u"Z2"_s}, {u"two\r\nlines"_s, u"26"_s}}},
        {"", {}},
        {"\xEF\xBB\xBF", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(cellsOf(readCsv(QByteArray(c.bytes))), c.cells) << c.bytes;
}

TEST(CsvTable, RecordsKnowTheLineTheyStartOn)
{
    const std::vector<CsvRecord> records = readCsv("name,Z2\r\n\"a\r\nb\",26\r\n\r\nc,28\r\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[2].line, 5);
}

TEST(CsvTable, FaultsNameTheirLine)
{
    const struct
    {
        const char *bytes;
        const char *message;
    } cases[] = {
        {"Z2\n2\"6\n", "line 2: a quote inside a cell that does not start with one"},
        {"Z2,D1\n\"26\"x,210\n", "line 2: text after the closing quote"},
        {"Z2\n26\n\"27\n28\n", "line 3: a quoted cell is never closed"},
        {"Z2\r\n26\r\n\xC3\x28\r\n", "line 3: the text is not UTF-8"},
        {"Z2\r26\r\xC3\x28\r", "line 3: the text is not UTF-8"},
        {"Z2\n26\n28\xC3", "line 3: the text is not UTF-8"},
    };
    for (const auto &c : cases) {
        const std::string error = errorOf([&] { readCsv(QByteArray(c.bytes)); });
        EXPECT_NE(error.find(c.message), std::string::npos) << c.bytes << " gave " << error;
    }
    // Tiny cells would cost far more memory than their bytes.
    EXPECT_EQ(readCsv("Z2\n" + QByteArray("1\n").repeated(maxTableRecords - 1)).size(),
              std::size_t(maxTableRecords));
    EXPECT_EQ(
        errorOf([] { readCsv("Z2\n" + QByteArray("1\n").repeated(maxTableRecords)); }),
        "line 100001: the table has more than 100000 lines with cells; a batch makes at most 10000 variants");
    EXPECT_EQ(errorOf([] { readCsv("Z2\n\n" + QByteArray(maxTableCells, ',')); }),
              "line 3: the table has more than 1000000 cells; a table of variants is far smaller");
}

TEST(CsvTable, SummaryRecordsReadBackUnchanged)
{
    const QStringList cells{u"plain"_s,    u"a,b"_s,         u"c;d"_s, u"say \"hi\""_s,
                            u" padded "_s, u"单笼梯形槽1"_s, QString()};
    EXPECT_EQ(csvRecord(cells), "plain,\"a,b\",\"c;d\",\"say \"\"hi\"\"\",\" padded \",单笼梯形槽1,\r\n");
    EXPECT_EQ(cellsOf(readCsv(csvRecord(cells))), std::vector<QStringList>{cells});
    // Alone, a semicolon would pass for the separator were it not quoted.
    EXPECT_EQ(cellsOf(readCsv(csvRecord({u"e;f"_s}))), std::vector<QStringList>{{u"e;f"_s}});
}

QStringList manyValues(const QString &key, int count)
{
    QStringList values;
    for (int i = 1; i <= count; ++i)
        values.append(QString::number(i));
    return {key + u'=' + values.join(u',')};
}

QStringList namesOf(const std::vector<Variant> &variants)
{
    QStringList names;
    for (const Variant &variant : variants)
        names.append(variant.name);
    return names;
}

std::vector<Sweep> sweeps(const QStringList &texts)
{
    std::vector<Sweep> result;
    for (const QString &text : texts)
        result.push_back(parseSweep(text));
    return result;
}

TEST(Variants, SweepsCombineInTheOrderGiven)
{
    const std::vector<Variant> variants = batchVariants(
        sweeps({u"Z2=26,28"_s, u"periodNumber = 2, 4"_s, u"rotorSlotType=单笼梯形槽1"_s}), {});
    EXPECT_EQ(namesOf(variants),
              (QStringList{u"Z2-26_periodNumber-2_rotorSlotType-单笼梯形槽1"_s,
                           u"Z2-26_periodNumber-4_rotorSlotType-单笼梯形槽1"_s,
                           u"Z2-28_periodNumber-2_rotorSlotType-单笼梯形槽1"_s,
                           u"Z2-28_periodNumber-4_rotorSlotType-单笼梯形槽1"_s}));
    ASSERT_EQ(variants[1].settings.size(), 3u);
    EXPECT_EQ(variants[1].settings[0].text, u"26");
    EXPECT_EQ(variants[1].settings[1].key, u"periodNumber");
    EXPECT_EQ(variants[1].settings[1].text, u"4");
}

TEST(Variants, TableRowsAreNamedAndLeaveEmptyCellsAlone)
{
    const std::vector<Variant> named
        = batchVariants({}, readCsv("Z2;name;D1\n26;motor a;\n;;\n28; b ;211\n"));
    EXPECT_EQ(namesOf(named), (QStringList{u"motor a"_s, u"b"_s}));
    ASSERT_EQ(named[0].settings.size(), 1u);
    EXPECT_EQ(named[0].settings[0].key, u"Z2");
    EXPECT_EQ(named[1].line, 4);
    EXPECT_EQ(named[1].settings.size(), 2u);

    // Unnamed rows count every row below the header, skipped ones too.
    EXPECT_EQ(namesOf(batchVariants({}, readCsv("Z2\n26\n\"\"\n28\n"))),
              (QStringList{u"row-001"_s, u"row-003"_s}));
    QByteArray thousand = "Z2\n";
    for (int i = 0; i < 1000; ++i)
        thousand += "28\n";
    const std::vector<Variant> many = batchVariants({}, readCsv(thousand));
    EXPECT_EQ(many.front().name, u"row-0001");
    EXPECT_EQ(many.back().name, u"row-1000");

    // A table with sweeps: each row with each combination.
    EXPECT_EQ(namesOf(batchVariants(sweeps({u"periodNumber=2,4"_s}), readCsv("name,Z2\na,26\nb,28\n"))),
              (QStringList{u"a_periodNumber-2"_s, u"a_periodNumber-4"_s, u"b_periodNumber-2"_s,
                           u"b_periodNumber-4"_s}));
}

TEST(Variants, UnusableTablesAndSweepsAreRefusedWithTheirLine)
{
    const struct
    {
        QStringList sweeps;
        std::optional<QByteArray> table;
        const char *message;
    } cases[] = {
        {{}, "Z2,rotorSlots\n26,1\n", "line 1: unknown design key \"rotorSlots\" in column 2"},
        {{}, "Z2,,D1\n26,,1\n", "line 1: column 2 has no design key"},
        {{}, "Z2,Z2\n26,27\n", "line 1: the header names \"Z2\" twice"},
        {{}, "Z2,D1\n26,210\n27\n", "line 3: 1 cells where the header has 2"},
        {{}, "Z2,D1\n26,210\n27,210,\n", "line 3: 3 cells where the header has 2"},
        {{}, "name,Z2\na,26\n ,27\n", "line 3: the name cell is empty"},
        {{}, "Z2,D1\n", "line 1: the table has no rows below its header"},
        {{}, "", "line 1: the table is empty"},
        {{u"Z2=26"_s}, "name,Z2\na,26\n", "line 1: \"Z2\" is both a table column and swept by --vary"},
        {{u"Z2=26"_s, u"Z2=28"_s}, std::nullopt, "--vary Z2 is given twice"},
        // Keys are quoted cut short and escaped, a NUL and an invisible
        // character included.
        {{},
         "Z\xE2\x80\x8B"
         "2,D1\n1,2\n",
         "line 1: unknown design key \"Z\\u200b2\" in column 1"},
        {{},
         QByteArray("Z\0"
                    "2,D1\n1,2\n",
                    10),
         "line 1: unknown design key \"Z\\x002\" in column 1"},
        {{},
         QByteArray(10000, 'x') + ",D1\n1,2\n",
         "line 1: unknown design key \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\" in column 1"},
        // The variants are counted before any is made.
        {manyValues(u"D1"_s, 101) + manyValues(u"DI1"_s, 100), std::nullopt,
         "101 values of D1 × 100 values of DI1 make 10100 variants; a batch makes at most 10000"},
        {manyValues(u"D1"_s, 5001), "name\na\nb\n",
         "2 table rows × 5001 values of D1 make 10002 variants; a batch makes at most 10000"},
        {manyValues(u"D1"_s, 10) + manyValues(u"DI1"_s, 10) + manyValues(u"D2"_s, 10)
             + manyValues(u"DI2"_s, 10) + manyValues(u"Z1"_s, 10) + manyValues(u"Z2"_s, 10)
             + manyValues(u"B01"_s, 10) + manyValues(u"H01"_s, 10) + manyValues(u"air"_s, 10),
         std::nullopt, "make 1000000000 variants"},
    };
    for (const auto &c : cases) {
        const std::string error = errorOf([&] {
            planVariants(sweeps(c.sweeps), c.table ? std::optional(readCsv(*c.table)) : std::nullopt);
        });
        EXPECT_NE(error.find(c.message), std::string::npos) << c.message << " but got " << error;
    }
    EXPECT_NE(errorOf([] { parseSweep(u"Z3=1,2"_s); }).find("unknown design key \"Z3\""), std::string::npos);
    EXPECT_NE(errorOf([] { parseSweep(u"Z2=26,,28"_s); }).find("an empty value"), std::string::npos);
    EXPECT_NE(errorOf([] { parseSweep(u"Z2"_s); }).find("KEY=V1,V2"), std::string::npos);

    const VariantPlan most = planVariants(sweeps(manyValues(u"D1"_s, 100) + manyValues(u"DI1"_s, 100)), {});
    ASSERT_EQ(most.size(), maxBatchVariants);
    EXPECT_EQ(most[maxBatchVariants - 1].name, u"D1-100_DI1-100");
}

TEST(Variants, FileNamesThatLeaveTheFolderOrCollideAreRefused)
{
    const auto problems = [](const QStringList &names) {
        std::vector<Variant> variants;
        int line = 2;
        for (const QString &name : names)
            variants.push_back({name, {}, line++});
        return fileNameProblems(variants);
    };
    const struct
    {
        QString name;
        const char *reason;  // nullptr: accepted
    } cases[] = {
        {u"电机 A-1 (v2)"_s, nullptr},
        {u"Z2-26_periodNumber-2"_s, nullptr},
        {u"motor.py"_s, nullptr},
        {u"../escape"_s, "path separator"},
        {u"/etc/motor"_s, "path separator"},
        {u"a\\b"_s, "path separator"},
        {u".."_s, "starts with a dot"},
        {u".hidden"_s, "starts with a dot"},
        {u"C:motor"_s, ":, which Windows does not allow"},
        {u"what?"_s, "?, which Windows does not allow"},
        {u"tab\there"_s, "control character"},
        {u"bell\u0007"_s, "control character"},
        {u"con"_s, "device"},
        {u"LPT1.old"_s, "device"},
        {u"COM0"_s, "device"},
        {u"com\u00b9"_s, "device"},
        {u"LPT\u00b3"_s, "device"},
        {u"CONIN$"_s, "device"},
        {u"conout$.txt"_s, "device"},
        {u"COM10"_s, nullptr},
        {QString(300, u'a'), "longer than 255 bytes"},
        {QString(), "empty"},
    };
    for (const auto &c : cases) {
        const QStringList found = problems({c.name});
        if (!c.reason) {
            EXPECT_TRUE(found.isEmpty()) << c.name.toStdString() << ": " << found.join(u' ').toStdString();
            continue;
        }
        ASSERT_EQ(found.size(), 1) << c.name.toStdString();
        EXPECT_TRUE(found[0].startsWith(u"line 2: file name \""_s)) << found[0].toStdString();
        EXPECT_TRUE(found[0].contains(QString::fromUtf8(c.reason))) << found[0].toStdString();
    }

    // Folders on Windows and macOS take these pairs for one file.
    const QStringList shared
        = problems({u"Motor"_s, u"b"_s, u"motor.py"_s, u"MOTOR"_s, u"e\u0301"_s, u"\u00e9"_s});
    EXPECT_EQ(
        shared,
        (QStringList{
            u"line 4: file name \"motor.py\" refused: the variant of line 2 is written to \"Motor.py\""_s,
            u"line 7: file name \"\u00e9.py\" refused: the variant of line 6 is written to \"e\u0301.py\""_s,
        }));
    EXPECT_EQ(fileNameProblems(batchVariants(sweeps({u"Z2=26,26"_s}), {})),
              QStringList{u"file name \"Z2-26.py\" refused: another variant is written to \"Z2-26.py\""_s});
}

class BatchRun : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString out() const { return dir.filePath(u"out/sub"_s); }
    QStringList files() const { return QDir(out()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
};

TEST_F(BatchRun, OneRefusalDoesNotStopTheOthers)
{
    const Design base = completeDesign();
    const std::vector<Variant> variants = batchVariants(sweeps({u"Z2=28,40000,32"_s}), {});
    QStringList heard;
    const std::vector<VariantOutcome> outcomes
        = writeBatch(base, variants, {out(), false, false},
                     [&heard](const VariantOutcome &outcome) { heard.append(outcomeLine(outcome)); });

    ASSERT_EQ(outcomes.size(), 3u);
    EXPECT_EQ(outcomes[0].status, VariantStatus::written);
    EXPECT_EQ(outcomes[1].status, VariantStatus::refused);
    EXPECT_FALSE(outcomes[1].errors.has_value()) << "no model, so no checks";
    EXPECT_EQ(outcomes[2].status, VariantStatus::written);
    EXPECT_EQ(heard[0], u"Z2-28.py: written; 0 errors, 0 warnings");
    EXPECT_TRUE(heard[1].startsWith(u"Z2-40000.py: refused; "_s)) << heard[1].toStdString();
    EXPECT_EQ(files(), (QStringList{u"Z2-28.py"_s, u"Z2-32.py"_s, u"summary.csv"_s}));

    Design z32 = base;
    setDesignValue(z32, u"Z2"_s, u"32"_s);
    QFile written(QDir(out()).filePath(u"Z2-32.py"_s));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), writeScript(modelFromDesign(z32)));

    const std::vector<CsvRecord> summary = readCsv(summaryCsv(outcomes));
    ASSERT_EQ(summary.size(), 4u);
    EXPECT_EQ(summary[0].cells,
              (QStringList{u"name"_s, u"file"_s, u"status"_s, u"errors"_s, u"warnings"_s, u"reason"_s}));
    EXPECT_EQ(summary[2].cells.mid(0, 5),
              (QStringList{u"Z2-40000"_s, u"Z2-40000.py"_s, u"refused"_s, QString(), QString()}));
    EXPECT_TRUE(summary[2].cells[5].contains(u"\"40000\" does not round"_s))
        << summary[2].cells[5].toStdString();
}

TEST_F(BatchRun, StrictAndExistingFilesAreRefusedPerVariant)
{
    const std::vector<Variant> variants = batchVariants(sweeps({u"periodNumber=2,3,4"_s}), {});
    writeBatch(completeDesign(), variants, {out(), false, false}, {});
    QFile old(QDir(out()).filePath(u"periodNumber-2.py"_s));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();
    QFile::remove(QDir(out()).filePath(u"periodNumber-4.py"_s));

    // Without --force the summary of the first run stands in the way.
    EXPECT_THROW(writeBatch(completeDesign(), variants, {out(), true, false}, {}), LaminaError);

    QFile::remove(QDir(out()).filePath(u"summary.csv"_s));
    const std::vector<VariantOutcome> again
        = writeBatch(completeDesign(), variants, {out(), true, false}, {});
    EXPECT_EQ(again[0].status, VariantStatus::refused);
    EXPECT_TRUE(again[0].reason.contains(u"add --force"_s));
    EXPECT_EQ(again[1].status, VariantStatus::errors);
    EXPECT_EQ(again[1].errors, 1);
    EXPECT_TRUE(again[1].reason.contains(u"Z2 / P = 28 / 3"_s)) << again[1].reason.toStdString();
    EXPECT_EQ(again[2].status, VariantStatus::written);
    QFile kept(QDir(out()).filePath(u"periodNumber-2.py"_s));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "keep me");
}

TEST_F(BatchRun, AFileWhereTheFolderShouldBeStopsBeforeWriting)
{
    QFile blocker(dir.filePath(u"out"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        writeBatch(completeDesign(), batchVariants(sweeps({u"Z2=28"_s}), {}), {out(), false, false}, {});
        ADD_FAILURE() << "written below a file";
    } catch (const LaminaError &error) {
        EXPECT_TRUE(error.english().endsWith(u"/out/sub\": a part of the path is not a folder"_s))
            << error.english().toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{u"out"_s});
}

}  // namespace
