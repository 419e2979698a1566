#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace lamina {

// A table, a sweep or a file name the batch cannot use. English only: the
// batch runs from the command line. The message is kept as text too, since
// what() stops at a NUL that a quoted cell may hold.
class BatchError : public std::runtime_error
{
public:
    explicit BatchError(const QString &message)
        : std::runtime_error(message.toStdString())
        , text(message)
    {}

    const QString &message() const { return text; }

private:
    QString text;
};

// One record of a table and the line it starts on (1 for the header), so a
// message can point at it even when a quoted cell spans lines.
struct CsvRecord
{
    int line = 0;
    QStringList cells;
};

// Reads a table as spreadsheets save it: UTF-8 with or without a byte-order
// mark, RFC 4180 quoting, LF, CR LF or CR line ends, and comma or semicolon
// as separator, whichever of the two the header uses more often outside
// quotes (comma when it uses neither). Lines with nothing on them are
// skipped. Throws BatchError naming the line for bad UTF-8, bad quoting, or
// more records or cells than below.
std::vector<CsvRecord> readCsv(const QByteArray &bytes);

// The most records (the header and the rows, spreadsheets' rows of empty
// cells among them) and cells a table may hold. A table of the most
// variants a batch makes with every design key is some 10,000 records and
// 500,000 cells; each cell costs some fifty bytes of memory, so a file of
// tiny cells would otherwise cost a hundred times its size.
inline constexpr qsizetype maxTableRecords = 100000;
inline constexpr qsizetype maxTableCells = 1000000;

// The largest table file that is read. A table of the most variants a batch
// makes (maxBatchVariants rows) with every design key filled in stays near
// 4 MB; a file four times that is no table.
inline constexpr qint64 maxTableBytes = qint64(16) << 20;

// Reads a table file. Refuses, before reading it, a path that is not a
// regular file (a folder, a FIFO that would wait for a writer, a device such
// as /dev/zero that never ends) or a file larger than maxTableBytes: a
// BatchError naming the file. What readCsv refuses names the line only.
std::vector<CsvRecord> readCsvFile(const QString &path);

// One record as the summary writes it, comma-separated with CR LF: a cell is
// quoted when it holds a comma, a semicolon (so no reader takes that for the
// separator), a quote, a line end or leading or trailing blanks.
QByteArray csvRecord(const QStringList &cells);

}  // namespace lamina
