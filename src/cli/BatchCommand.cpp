#include "BatchCommand.h"

#include "CliSupport.h"
#include "batch/Batch.h"
#include "files/FileMessages.h"
#include "model/LaminaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace lamina::cli {
namespace {

// A message about a line of the table, with the table's name before it.
QString placed(const QCommandLineParser &parser, const QString &message)
{
    if (!parser.isSet(u"table"_s) || !message.startsWith(u"line "_s))
        return message;
    return u"table %1, %2"_s.arg(quotedPath(parser.value(u"table"_s)), message);
}

std::optional<std::vector<CsvRecord>> readTable(const QCommandLineParser &parser)
{
    if (!parser.isSet(u"table"_s))
        return std::nullopt;
    try {
        return readCsvFile(parser.value(u"table"_s));
    } catch (const BatchError &error) {
        throw UsageProblem{placed(parser, error.message())};
    }
}

VariantPlan variantsOf(const QCommandLineParser &parser)
{
    if (!parser.isSet(u"vary"_s) && !parser.isSet(u"table"_s))
        throw UsageProblem{u"batch needs --vary KEY=V1,V2,... or --table FILE.csv"_s};
    const std::optional<std::vector<CsvRecord>> table = readTable(parser);
    try {
        std::vector<Sweep> sweeps;
        for (const QString &text : parser.values(u"vary"_s))
            sweeps.push_back(parseSweep(text));
        return planVariants(sweeps, table);
    } catch (const BatchError &error) {
        throw UsageProblem{placed(parser, error.message())};
    }
}

// The summary would take the place of the table it was made from.
void refuseTableAsSummary(const QCommandLineParser &parser, const QString &outputDir)
{
    if (!parser.isSet(u"table"_s))
        return;
    const QString table = QFileInfo(parser.value(u"table"_s)).canonicalFilePath();
    const QString summary
        = QFileInfo(QDir(outputDir).filePath(summaryFileName.toString())).canonicalFilePath();
    if (!table.isEmpty() && table == summary)
        throw UsageProblem{
            u"the table \"%1\" is where the summary goes; move it or choose another --output-dir"_s.arg(
                parser.value(u"table"_s))};
}

}  // namespace

int runBatch(const QCommandLineParser &parser)
{
    if (parser.isSet(u"output"_s) || parser.isSet(u"size"_s))
        throw UsageProblem{u"batch takes --output-dir, not --output or --size"_s};
    if (!parser.isSet(u"output-dir"_s) || parser.value(u"output-dir"_s).isEmpty())
        throw UsageProblem{u"batch needs --output-dir DIR"_s};
    const QString outputDir = parser.value(u"output-dir"_s);
    const Design base = loadDesign(parser);
    const VariantPlan variants = variantsOf(parser);
    const QStringList nameProblems = fileNameProblems(variants);
    if (!nameProblems.isEmpty()) {
        for (const QString &problem : nameProblems)
            printError(placed(parser, problem));
        return UsageError;
    }
    refuseTableAsSummary(parser, outputDir);

    const BatchOptions options{outputDir, parser.isSet(u"strict"_s), parser.isSet(u"force"_s)};
    std::size_t heard = 0;
    int notWritten = 0;
    const auto notWrittenLine
        = [&] { return u"%1 of %2 variants not written"_s.arg(notWritten).arg(variants.size()); };
    try {
        writeBatch(base, variants, options, [&](const VariantOutcome &outcome) {
            printOut((outcomeLine(outcome) + u'\n').toUtf8());
            std::fflush(stdout);
            ++heard;
            if (outcome.status != VariantStatus::written)
                ++notWritten;
        });
    } catch (const LaminaError &error) {
        // After the variants, only the summary failed: the count still
        // matters, though there is no summary to point to.
        if (heard == 0)
            throw;
        printError(error.english());
        if (notWritten > 0)
            printError(notWrittenLine());
        return Failure;
    }
    if (notWritten > 0) {
        printError(
            u"%1; see %2"_s.arg(notWrittenLine(), QDir(outputDir).filePath(summaryFileName.toString())));
        return Failure;
    }
    return Success;
}

}  // namespace lamina::cli
