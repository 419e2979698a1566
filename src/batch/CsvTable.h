#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace lamina {

// A table, a sweep or a file name the batch cannot use. English only: the
// batch runs from the command line.
class BatchError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
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
// skipped. Throws BatchError naming the line for bad UTF-8 or bad quoting.
std::vector<CsvRecord> readCsv(const QByteArray &bytes);

// One record as the summary writes it, comma-separated with CR LF: a cell is
// quoted when it holds a comma, a semicolon (so no reader takes that for the
// separator), a quote, a line end or leading or trailing blanks.
QByteArray csvRecord(const QStringList &cells);

}  // namespace lamina
