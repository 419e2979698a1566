#pragma once

#include <QCommandLineParser>

namespace lamina::cli {

// lamina-cli export: the lamination drawing (.dxf) or the sector's Gmsh
// geometry (.geo).
int runExport(const QCommandLineParser &parser);

}  // namespace lamina::cli
