#pragma once

#include <QCommandLineParser>

namespace lamina::cli {

// lamina-cli report: the design data and the findings as a table, JSON or CSV.
int runReport(const QCommandLineParser &parser);

}  // namespace lamina::cli
