#include "Variants.h"

#include "design/Design.h"
#include "model/LaminaError.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

[[noreturn]] void fail(const QString &message)
{
    throw BatchError(message);
}

[[noreturn]] void failAt(int line, const QString &message)
{
    fail(u"line %1: %2"_s.arg(line).arg(message));
}

bool isDesignKey(const QString &key)
{
    Design scratch;
    try {
        setDesignValue(scratch, key, QString());
    } catch (const DesignError &) {
        return false;
    }
    return true;
}

QString joinedName(const QStringList &parts)
{
    QStringList named = parts;
    named.removeAll(QString());
    return named.join(u'_');
}

struct TableColumns
{
    QStringList keys;  // one a column; the name column's entry is "name"
    qsizetype nameColumn = -1;
};

TableColumns readHeader(const CsvRecord &header)
{
    TableColumns columns;
    for (qsizetype i = 0; i < header.cells.size(); ++i) {
        const QString key = header.cells[i].trimmed();
        if (key.isEmpty())
            failAt(header.line, u"column %1 has no design key in the header"_s.arg(i + 1));
        if (columns.keys.contains(key))
            failAt(header.line, u"the header names \"%1\" twice"_s.arg(textForMessage(key)));
        if (key == u"name")
            columns.nameColumn = i;
        else if (!isDesignKey(key))
            failAt(header.line,
                   u"unknown design key \"%1\" in column %2 of the header"_s.arg(textForMessage(key))
                       .arg(i + 1));
        columns.keys.append(key);
    }
    return columns;
}

std::vector<Variant> tableRows(const std::vector<CsvRecord> &table, const TableColumns &columns)
{
    const std::size_t rowCount = table.size() - 1;
    const int digits = std::max(3, int(QString::number(rowCount).size()));
    std::vector<Variant> rows;
    for (std::size_t i = 1; i < table.size(); ++i) {
        const CsvRecord &record = table[i];
        if (record.cells.size() != columns.keys.size())
            failAt(record.line,
                   u"%1 cells where the header has %2"_s.arg(record.cells.size()).arg(columns.keys.size()));
        // Spreadsheets save the rows below a table that were only formatted.
        if (std::all_of(record.cells.begin(), record.cells.end(),
                        [](const QString &cell) { return cell.isEmpty(); }))
            continue;
        Variant row;
        row.line = record.line;
        row.name = u"row-%1"_s.arg(qulonglong(i), digits, 10, QChar(u'0'));
        for (qsizetype c = 0; c < columns.keys.size(); ++c) {
            const QString &cell = record.cells[c];
            if (c == columns.nameColumn) {
                row.name = cell.trimmed();
                if (row.name.isEmpty())
                    failAt(record.line, u"the name cell is empty"_s);
            } else if (!cell.isEmpty()) {
                row.settings.push_back({columns.keys[c], cell});
            }
        }
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        failAt(table.back().line, u"the table has no rows below its header"_s);
    return rows;
}

bool isWindowsDeviceName(const QString &name)
{
    // COM and LPT take 0 to 9 and the superscripts 1 to 3 (Windows reads
    // those as digits too); the console has two names of its own.
    static const QSet<QString> devices = [] {
        QSet<QString> names{u"CON"_s, u"PRN"_s, u"AUX"_s, u"NUL"_s, u"CONIN$"_s, u"CONOUT$"_s};
        for (const QChar digit : u"0123456789\u00b9\u00b2\u00b3"_s)
            names << u"COM"_s + digit << u"LPT"_s + digit;
        return names;
    }();
    return devices.contains(name.section(u'.', 0, 0).trimmed().toUpper());
}

// Why a file name cannot be used, or an empty text.
QString unsafeNameReason(const QString &file)
{
    if (file.isEmpty() || file == u".py")
        return u"the name is empty"_s;
    for (const QChar c : file) {
        if (c == u'/' || c == u'\\')
            return u"it holds a path separator"_s;
        if (c.category() == QChar::Other_Control)
            return u"it holds a control character"_s;
        if (QStringView(u"<>:\"|?*").contains(c))
            return u"it holds %1, which Windows does not allow in a file name"_s.arg(c);
    }
    if (file.startsWith(u'.'))
        return u"it starts with a dot"_s;
    if (isWindowsDeviceName(file))
        return u"Windows keeps that name for a device"_s;
    if (file.toUtf8().size() > 255)
        return u"it is longer than 255 bytes"_s;
    return QString();
}

QString placeOf(const Variant &variant)
{
    return variant.line > 0 ? u"line %1: "_s.arg(variant.line) : QString();
}

}  // namespace

Sweep parseSweep(const QString &text)
{
    const qsizetype equals = text.indexOf(u'=');
    if (equals <= 0)
        fail(u"--vary needs KEY=V1,V2,..., got \"%1\""_s.arg(textForMessage(text)));
    Sweep sweep{text.left(equals).trimmed(), {}};
    if (!isDesignKey(sweep.key))
        fail(u"--vary: unknown design key \"%1\""_s.arg(textForMessage(sweep.key)));
    for (const QString &value : text.mid(equals + 1).split(u',')) {
        if (value.trimmed().isEmpty())
            fail(u"--vary %1: an empty value in \"%2\""_s.arg(sweep.key, textForMessage(text)));
        sweep.values.append(value.trimmed());
    }
    return sweep;
}

VariantPlan::VariantPlan(std::vector<Variant> variants)
    : rows(std::move(variants))
{}

VariantPlan::VariantPlan(std::vector<Variant> rows, std::vector<Sweep> sweeps)
    : rows(std::move(rows))
    , sweeps(std::move(sweeps))
{
    for (const Sweep &sweep : this->sweeps)
        combinations *= std::size_t(sweep.values.size());
}

Variant VariantPlan::operator[](std::size_t index) const
{
    Variant variant = rows[index / combinations];
    std::size_t rest = index % combinations;
    std::vector<qsizetype> picks(sweeps.size());
    for (std::size_t s = sweeps.size(); s-- > 0;) {
        const auto count = std::size_t(sweeps[s].values.size());
        picks[s] = qsizetype(rest % count);
        rest /= count;
    }
    QStringList parts{variant.name};
    for (std::size_t s = 0; s < sweeps.size(); ++s) {
        const QString &value = sweeps[s].values[picks[s]];
        parts.append(sweeps[s].key + u'-' + value);
        variant.settings.push_back({sweeps[s].key, value});
    }
    variant.name = joinedName(parts);
    return variant;
}

VariantPlan planVariants(const std::vector<Sweep> &sweeps, const std::optional<std::vector<CsvRecord>> &table)
{
    QStringList swept;
    for (const Sweep &sweep : sweeps) {
        if (swept.contains(sweep.key))
            fail(u"--vary %1 is given twice"_s.arg(sweep.key));
        swept.append(sweep.key);
    }

    std::vector<Variant> rows{Variant{}};
    if (table) {
        if (table->empty())
            failAt(1, u"the table is empty"_s);
        const TableColumns columns = readHeader(table->front());
        for (const QString &key : swept) {
            if (columns.keys.contains(key))
                failAt(table->front().line, u"\"%1\" is both a table column and swept by --vary"_s.arg(key));
        }
        rows = tableRows(*table, columns);
    }

    // In floating point: with one sweep a key and a command line's worth of
    // values the count stays far below the largest double.
    auto count = double(rows.size());
    QStringList factors;
    if (table)
        factors.append(u"%1 table rows"_s.arg(rows.size()));
    for (const Sweep &sweep : sweeps) {
        count *= double(sweep.values.size());
        factors.append(u"%1 values of %2"_s.arg(sweep.values.size()).arg(sweep.key));
    }
    if (count > double(maxBatchVariants))
        fail(u"%1 make %2 variants; a batch makes at most %3"_s.arg(factors.join(u" × "_s))
                 .arg(count, 0, 'g', 16)
                 .arg(maxBatchVariants));
    return VariantPlan(std::move(rows), sweeps);
}

std::vector<Variant> batchVariants(const std::vector<Sweep> &sweeps,
                                   const std::optional<std::vector<CsvRecord>> &table)
{
    const VariantPlan plan = planVariants(sweeps, table);
    std::vector<Variant> variants;
    variants.reserve(plan.size());
    for (std::size_t i = 0; i < plan.size(); ++i)
        variants.push_back(plan[i]);
    return variants;
}

QString variantFileName(const Variant &variant)
{
    return variant.name.endsWith(u".py") ? variant.name : variant.name + u".py"_s;
}

QStringList fileNameProblems(const VariantPlan &variants)
{
    // The first variant to take each name, by its line and file name.
    struct Taker
    {
        int line;
        QString file;
    };
    QStringList problems;
    QHash<QString, Taker> taken;
    QSet<QString> reported;
    for (std::size_t i = 0; i < variants.size(); ++i) {
        const Variant variant = variants[i];
        const QString file = variantFileName(variant);
        const QString reason = unsafeNameReason(file);
        if (!reason.isEmpty()) {
            problems.append(
                u"%1file name \"%2\" refused: %3"_s.arg(placeOf(variant), textForMessage(file), reason));
            continue;
        }
        // Windows and macOS folders see "A.py" and "a.py" as one file.
        const QString folded = file.normalized(QString::NormalizationForm_C).toCaseFolded();
        const auto first = taken.constFind(folded);
        if (first == taken.constEnd()) {
            taken.insert(folded, {variant.line, file});
        } else if (!reported.contains(folded)) {
            reported.insert(folded);
            const QString owner
                = first->line > 0 ? u"the variant of line %1"_s.arg(first->line) : u"another variant"_s;
            problems.append(u"%1file name \"%2\" refused: %3 is written to \"%4\""_s.arg(
                placeOf(variant), textForMessage(file), owner, textForMessage(first->file)));
        }
    }
    return problems;
}

}  // namespace lamina
