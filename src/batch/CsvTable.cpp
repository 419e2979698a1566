#include "CsvTable.h"

#include "Variants.h"
#include "files/FileMessages.h"
#include "model/LaminaError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

[[noreturn]] void fail(int line, const QString &message)
{
    throw BatchError(u"line %1: %2"_s.arg(line).arg(message));
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// The table as text, or the line of its first byte that is not UTF-8.
QString decodeUtf8(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // Stateless: a sequence cut short at the end is an error, not a wait for
    // more bytes.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (!decoder.hasError())
        return text;
    // Lines end as the parser counts them (LF, CR LF or a lone CR); neither
    // byte occurs inside a UTF-8 sequence, so each line decodes on its own.
    int line = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        QStringDecoder lineDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = lineDecoder(QByteArrayView(bytes).sliced(start, i - start));
        if (lineDecoder.hasError())
            break;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
        ++line;
    }
    fail(line, u"the text is not UTF-8 (save the table as \"CSV UTF-8\")"_s);
}

QChar separatorOf(const QString &text)
{
    qsizetype commas = 0;
    qsizetype semicolons = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && isLineEnd(c))
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return semicolons > commas ? u';' : u',';
}

class CsvParser
{
public:
    explicit CsvParser(const QString &text)
        : text(text)
        , separator(separatorOf(text))
    {}

    std::vector<CsvRecord> records()
    {
        std::vector<CsvRecord> result;
        qsizetype cells = 0;
        while (!atEnd()) {
            CsvRecord record{line, {}};
            bool quotedCell = false;
            do {
                // A few bytes a cell would otherwise cost far more memory
                // than the text they came in.
                if (++cells > maxTableCells)
                    fail(line,
                         u"the table has more than %1 cells; a table of variants is far smaller"_s.arg(
                             maxTableCells));
                quotedCell = peek() == u'"';
                record.cells.append(quotedCell ? quotedCellText() : plainCellText());
            } while (take(separator));
            endLine();
            const bool blank = record.cells.size() == 1 && record.cells.first().isEmpty() && !quotedCell;
            if (blank)
                continue;
            if (qsizetype(result.size()) == maxTableRecords)
                fail(record.line,
                     u"the table has more than %1 lines with cells; a batch makes at most %2 variants"_s
                         .arg(maxTableRecords)
                         .arg(maxBatchVariants));
            result.push_back(std::move(record));
        }
        return result;
    }

private:
    bool atEnd() const { return pos >= text.size(); }
    QChar peek() const { return atEnd() ? QChar() : text[pos]; }
    bool take(QChar c)
    {
        if (atEnd() || text[pos] != c)
            return false;
        ++pos;
        return true;
    }

    // CR LF, LF or a lone CR, counted as one line.
    bool takeLineEnd()
    {
        if (take(u'\r')) {
            take(u'\n');
        } else if (!take(u'\n')) {
            return false;
        }
        ++line;
        return true;
    }

    void endLine()
    {
        if (!atEnd() && !takeLineEnd())
            fail(line, u"unexpected \"%1\" after a cell"_s.arg(escapedForMessage(QString(peek()))));
    }

    QString plainCellText()
    {
        const qsizetype start = pos;
        while (!atEnd() && text[pos] != separator && !isLineEnd(text[pos])) {
            if (text[pos] == u'"')
                fail(line,
                     u"a quote inside a cell that does not start with one "
                     u"(quote the whole cell and double the quote)"_s);
            ++pos;
        }
        return text.mid(start, pos - start);
    }

    QString quotedCellText()
    {
        const int startLine = line;
        ++pos;
        QString cell;
        for (;;) {
            if (atEnd())
                fail(startLine, u"a quoted cell is never closed"_s);
            if (take(u'"')) {
                if (!take(u'"'))
                    break;
                cell.append(u'"');
            } else if (isLineEnd(text[pos])) {
                const qsizetype start = pos;
                takeLineEnd();
                cell.append(text.mid(start, pos - start));
            } else {
                cell.append(text[pos++]);
            }
        }
        if (!atEnd() && text[pos] != separator && !isLineEnd(text[pos]))
            fail(line, u"text after the closing quote of a cell"_s);
        return cell;
    }

    const QString &text;
    const QChar separator;
    qsizetype pos = 0;
    int line = 1;
};

}  // namespace

std::vector<CsvRecord> readCsv(const QByteArray &bytes)
{
    const QString text = decodeUtf8(bytes);
    return CsvParser(text).records();
}

std::vector<CsvRecord> readCsvFile(const QString &path)
{
    const QString name = quotedPath(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw BatchError(u"table %1 does not exist"_s.arg(name));
    if (!info.isFile())
        throw BatchError(u"table %1 is not a regular file"_s.arg(name));
    const auto tooLarge = [&name] {
        return BatchError(
            u"table %1 is larger than %2 bytes; a table of variants is far smaller"_s.arg(name).arg(
                maxTableBytes));
    };
    if (info.size() > maxTableBytes)
        throw tooLarge();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BatchError(u"cannot read table %1: %2"_s.arg(name, file.errorString()));
    // It may have grown since it was measured: one byte past the limit is
    // enough to tell.
    const QByteArray bytes = file.read(maxTableBytes + 1);
    if (bytes.size() > maxTableBytes)
        throw tooLarge();
    if (file.error() != QFileDevice::NoError)
        throw BatchError(u"cannot read table %1: %2"_s.arg(name, file.errorString()));
    return readCsv(bytes);
}

QByteArray csvRecord(const QStringList &cells)
{
    QStringList fields;
    for (const QString &cell : cells) {
        const bool quote = cell.contains(u',') || cell.contains(u';') || cell.contains(u'"')
            || cell.contains(u'\n') || cell.contains(u'\r') || cell.startsWith(u' ') || cell.endsWith(u' ');
        fields.append(quote ? u'"' + QString(cell).replace(u"\""_s, u"\"\""_s) + u'"' : cell);
    }
    return fields.join(u',').toUtf8() + "\r\n";
}

}  // namespace lamina
