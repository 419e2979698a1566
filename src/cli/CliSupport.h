#pragma once

// What every lamina-cli command shares: exit codes, the one-line error
// output and reading the design from --design and --set.

#include "design/Design.h"
#include "geometry/DesignChecks.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>

#include <vector>

namespace lamina::cli {

// OutputLost: the command did its work (every file is written) but what it
// printed did not all reach standard output, e.g. a pipe closed early.
enum ExitStatus { Success = 0, Failure = 1, UsageError = 2, OutputLost = 3 };

// A command line or design file the tool cannot use (exit status 2).
struct UsageProblem
{
    QString message;
};

// One line on standard error, prefixed with the tool's name.
void printError(const QString &message);
void printOut(const QByteArray &bytes);

// The design from --design (a JSON file) with every --set applied after it.
// Throws UsageProblem when either cannot be used.
Design loadDesign(const QCommandLineParser &parser);

// The design checks' findings as "warning: ..." lines on standard error.
void printWarnings(const std::vector<Finding> &findings);

}  // namespace lamina::cli
