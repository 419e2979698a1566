#include "Variants.h"

#include "design/Design.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

[[noreturn]] void fail(const QString &message)
{
    throw BatchError(message.toStdString());
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

std::vector<Variant> sweepCombinations(const std::vector<Sweep> &sweeps)
{
    std::vector<Variant> combinations{Variant{}};
    for (const Sweep &sweep : sweeps) {
        std::vector<Variant> longer;
        longer.reserve(combinations.size() * std::size_t(sweep.values.size()));
        for (const Variant &before : combinations) {
            for (const QString &value : sweep.values) {
                Variant variant = before;
                variant.name = joinedName({before.name, sweep.key + u'-' + value});
                variant.settings.push_back({sweep.key, value});
                longer.push_back(std::move(variant));
            }
        }
        combinations = std::move(longer);
    }
    return combinations;
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
            failAt(header.line, u"the header names \"%1\" twice"_s.arg(key));
        if (key == u"name")
            columns.nameColumn = i;
        else if (!isDesignKey(key))
            failAt(header.line,
                   u"unknown design key \"%1\" in column %2 of the header"_s.arg(key).arg(i + 1));
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
    static const QSet<QString> devices = [] {
        QSet<QString> names{u"CON"_s, u"PRN"_s, u"AUX"_s, u"NUL"_s};
        for (int i = 1; i <= 9; ++i)
            names << u"COM%1"_s.arg(i) << u"LPT%1"_s.arg(i);
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
        fail(u"--vary needs KEY=V1,V2,..., got \"%1\""_s.arg(text));
    Sweep sweep{text.left(equals).trimmed(), {}};
    if (!isDesignKey(sweep.key))
        fail(u"--vary: unknown design key \"%1\""_s.arg(sweep.key));
    for (const QString &value : text.mid(equals + 1).split(u',')) {
        if (value.trimmed().isEmpty())
            fail(u"--vary %1: an empty value in \"%2\""_s.arg(sweep.key, text));
        sweep.values.append(value.trimmed());
    }
    return sweep;
}

std::vector<Variant> batchVariants(const std::vector<Sweep> &sweeps,
                                   const std::optional<std::vector<CsvRecord>> &table)
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

    const std::vector<Variant> combinations = sweepCombinations(sweeps);
    std::vector<Variant> variants;
    variants.reserve(rows.size() * combinations.size());
    for (const Variant &row : rows) {
        for (const Variant &combination : combinations) {
            Variant variant = row;
            variant.name = joinedName({row.name, combination.name});
            variant.settings.insert(variant.settings.end(), combination.settings.begin(),
                                    combination.settings.end());
            variants.push_back(std::move(variant));
        }
    }
    return variants;
}

QString variantFileName(const Variant &variant)
{
    return variant.name.endsWith(u".py") ? variant.name : variant.name + u".py"_s;
}

QStringList fileNameProblems(const std::vector<Variant> &variants)
{
    QStringList problems;
    QHash<QString, const Variant *> taken;
    QSet<QString> reported;
    for (const Variant &variant : variants) {
        const QString file = variantFileName(variant);
        const QString reason = unsafeNameReason(file);
        if (!reason.isEmpty()) {
            problems.append(u"%1file name \"%2\" refused: %3"_s.arg(placeOf(variant), file, reason));
            continue;
        }
        // Windows and macOS folders see "A.py" and "a.py" as one file.
        const QString folded = file.normalized(QString::NormalizationForm_C).toCaseFolded();
        const auto first = taken.constFind(folded);
        if (first == taken.constEnd()) {
            taken.insert(folded, &variant);
        } else if (!reported.contains(folded)) {
            reported.insert(folded);
            const Variant &other = **first;
            const QString owner
                = other.line > 0 ? u"the variant of line %1"_s.arg(other.line) : u"another variant"_s;
            problems.append(u"%1file name \"%2\" refused: %3 is written to \"%4\""_s.arg(
                placeOf(variant), file, owner, variantFileName(other)));
        }
    }
    return problems;
}

}  // namespace lamina
