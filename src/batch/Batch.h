#pragma once

#include "Variants.h"
#include "design/Design.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace lamina {

struct BatchOptions
{
    QString outputDir;
    bool strict = false;  // a variant the checks find an error in, or its replay anything, is not written
    bool force = false;   // existing scripts (and the summary) are replaced
};

enum class VariantStatus {
    written,
    refused,  // the script could not be generated or saved
    errors,   // not written: --strict and the checks found an error, or the replay a fault
};

// What became of one variant: the summary's row and the printed line.
struct VariantOutcome
{
    QString name;
    QString file;  // file name inside the output folder
    VariantStatus status = VariantStatus::refused;
    // Findings of the design checks; absent when the design could not be
    // read into a model at all.
    std::optional<int> errors;
    std::optional<int> warnings;
    QString reason;  // why it was refused, else the first finding
};

// The file the summary is written to, inside the output folder.
inline constexpr QStringView summaryFileName = u"summary.csv";

// Writes every variant into the output folder, creating it first, and then
// the summary. Each variant is the base design with its settings applied,
// generated in memory and saved through the one save routine, several at a
// time; one variant's refusal does not stop the next. onEach hears of each
// variant in the variants' order, on the calling thread; the variants are
// made as they are written, not all before. A script or summary that
// appears meanwhile is kept without --force: the variant is refused as
// existing. Throws LaminaError when the folder cannot be made (before
// anything is written) or the summary cannot be saved (after the variants).
std::vector<VariantOutcome> writeBatch(const Design &base, const VariantPlan &variants,
                                       const BatchOptions &options,
                                       const std::function<void(const VariantOutcome &)> &onEach);

// One variant as a line: "Z2-26.py: written, 0 errors, 1 warning: ...".
QString outcomeLine(const VariantOutcome &outcome);

// The summary: UTF-8 with a byte-order mark so spreadsheets read the
// Chinese texts, comma-separated, CR LF, a header row then one row a variant
// (name, file, status, errors, warnings, reason).
QByteArray summaryCsv(const std::vector<VariantOutcome> &outcomes);

}  // namespace lamina
