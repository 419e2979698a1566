#pragma once

#include <QCommandLineParser>

namespace lamina::cli {

// lamina-cli batch: one script per variant of a sweep or a table, into a
// folder, with a summary.
int runBatch(const QCommandLineParser &parser);

}  // namespace lamina::cli
