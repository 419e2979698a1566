// Any bytes as a batch table: the reader either names a line that exists in
// the bytes or returns records on increasing lines, and what it returns
// survives being written out as the summary writes records and read again.

#include "batch/CsvTable.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace lamina;

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &bytes)
{
    std::fprintf(stderr, "lamina fuzz: %s for %zd bytes \"%s\"\n", what, bytes.size(),
                 bytes.left(200).toPercentEncoding().constData());
    std::abort();
}

// Lines as the reader counts them: LF, CR LF and a lone CR each end one.
int lineCount(const QByteArray &bytes)
{
    int lines = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

void checkFailure(const BatchError &error, const QByteArray &bytes)
{
    const QString &message = error.message();
    if (!message.startsWith(QStringLiteral("line ")))
        fail("a refusal that names no line", bytes);
    bool ok = false;
    const int line = message.mid(5, message.indexOf(u':') - 5).toInt(&ok);
    if (!ok || line < 1 || line > lineCount(bytes))
        fail("a refusal naming a line the table does not have", bytes);
}

void checkRecords(const std::vector<CsvRecord> &records, const QByteArray &bytes)
{
    const int lines = lineCount(bytes);
    int previous = 0;
    for (const CsvRecord &record : records) {
        if (record.line <= previous || record.line > lines)
            fail("records out of line order or past the end", bytes);
        if (record.cells.isEmpty())
            fail("a record without cells", bytes);
        previous = record.line;
    }

    // A record of one empty cell is written as an empty line, which reads
    // as no record; a first cell starting with U+FEFF would be written as a
    // byte-order mark. Neither is a summary row.
    std::vector<QStringList> expected;
    QByteArray written;
    for (const CsvRecord &record : records) {
        if (record.cells.size() == 1 && record.cells.first().isEmpty())
            continue;
        expected.push_back(record.cells);
        written += csvRecord(record.cells);
    }
    if (!expected.empty() && expected.front().first().startsWith(QChar(0xFEFF)))
        return;
    std::vector<QStringList> reread;
    try {
        for (const CsvRecord &record : readCsv(written))
            reread.push_back(record.cells);
    } catch (const BatchError &) {
        fail("records written as the summary writes them are refused", bytes);
    }
    if (reread != expected)
        fail("records written as the summary writes them read back changed", bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    std::vector<CsvRecord> records;
    try {
        records = readCsv(bytes);
    } catch (const BatchError &error) {
        checkFailure(error, bytes);
        return 0;
    }
    checkRecords(records, bytes);
    return 0;
}
