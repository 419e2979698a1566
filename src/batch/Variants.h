#pragma once

#include "CsvTable.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lamina {

// One design key set to one text, as --set KEY=TEXT or a table cell does.
struct DesignSetting
{
    QString key;
    QString text;
};

// One script of a batch: what it changes on the base design and the name of
// its file, without the .py.
struct Variant
{
    QString name;
    std::vector<DesignSetting> settings;
    int line = 0;  // the table line it comes from; 0 for a sweep alone
};

// --vary KEY=V1,V2,...: one key and the texts it takes in turn.
struct Sweep
{
    QString key;
    QStringList values;
};

// Reads KEY=V1,V2,... Throws BatchError for an unknown key or an empty value.
Sweep parseSweep(const QString &text);

// The most variants one batch makes. All of them go into one folder as
// scripts of some 28 kB: 10,000 are about 280 MB, written in a quarter of
// a minute, and already more than anyone reads through. A count above that
// is a sweep given one value list too many, not a study; ten times as many
// would be gigabytes.
inline constexpr std::size_t maxBatchVariants = 10000;

// The variants of a batch, made one at a time when asked for, so a batch
// holds no more of them in memory than it writes at once.
class VariantPlan
{
public:
    // Exactly these variants, in this order.
    VariantPlan(std::vector<Variant> variants);

    std::size_t size() const { return rows.size() * combinations; }
    Variant operator[](std::size_t index) const;

private:
    friend VariantPlan planVariants(const std::vector<Sweep> &,
                                    const std::optional<std::vector<CsvRecord>> &);
    VariantPlan(std::vector<Variant> rows, std::vector<Sweep> sweeps);

    std::vector<Variant> rows;
    std::vector<Sweep> sweeps;  // applied to every row, the last varying fastest
    std::size_t combinations = 1;
};

// The variants of a batch: each table row, or the base design alone
// without a table, with every combination of the sweeps applied after it,
// the first sweep varying slowest.
//
// The table's header holds design keys and an optional "name" column; an
// empty cell leaves its key alone. Unnamed rows are row-001, row-002, ... by
// their place in the table. Names are the row's name and the sweep's
// KEY-VALUE parts joined by "_", e.g. "Z2-26_periodNumber-2".
//
// Throws BatchError, naming the line for the table's faults: an unknown or
// repeated key, a row with the wrong number of cells, an empty name, a
// table without rows, a key swept twice or both swept and in the table; and
// more than maxBatchVariants variants, counted before any is made.
VariantPlan planVariants(const std::vector<Sweep> &sweeps,
                         const std::optional<std::vector<CsvRecord>> &table);

// planVariants' variants, all made at once.
std::vector<Variant> batchVariants(const std::vector<Sweep> &sweeps,
                                   const std::optional<std::vector<CsvRecord>> &table);

// The file a variant is written to: its name with ".py" added unless it
// ends in ".py" already.
QString variantFileName(const Variant &variant);

// Why the variants' file names cannot be written, one line each; empty when
// every name is a plain file name of its own. Refused: an empty name, one
// starting with a dot or ending in a dot or blank, a path separator (/ or
// \), a control character, one of < > : " | ? * (so the scripts can be
// copied to a Windows machine), a device name such as CON, CONIN$ or COM0,
// more than 255 bytes of UTF-8, and a name another variant has too, letter case and
// Unicode composition aside. A name is quoted cut short, as values are.
QStringList fileNameProblems(const VariantPlan &variants);

}  // namespace lamina
