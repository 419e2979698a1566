#pragma once

#include <QCommandLineParser>

namespace lamina::cli {

// lamina-cli verify SCRIPT.py: replays the script, prints the findings and
// the region table, and with --design sets it against the design.
int runVerify(const QCommandLineParser &parser);

}  // namespace lamina::cli
