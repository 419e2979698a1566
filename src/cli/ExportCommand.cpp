#include "ExportCommand.h"

#include "CliSupport.h"
#include "export/DrawingExport.h"
#include "files/FileMessages.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina::cli {

int runExport(const QCommandLineParser &parser)
{
    if (!parser.isSet(u"output"_s))
        throw UsageProblem{u"export needs --output FILE.dxf or FILE.geo"_s};
    if (parser.isSet(u"size"_s))
        throw UsageProblem{u"export takes no --size"_s};
    const QString output = parser.value(u"output"_s);
    if (!exportFormatOf(output))
        throw UsageProblem{u"export writes .dxf or .geo, not %1"_s.arg(quotedPath(output))};
    const Design design = loadDesign(parser);
    // As with the script, an existing file is only replaced when asked to.
    const bool force = parser.isSet(u"force"_s);
    const MotorModel model = modelFromDesign(design);
    try {
        saveDrawing(model, output, parser.isSet(u"sector"_s),
                    force ? ExistingFile::replace : ExistingFile::keep);
    } catch (const FileExistsError &) {
        printError(u"%1 exists already; add --force to replace it"_s.arg(quotedPath(output)));
        return Failure;
    }
    printWarnings(checkDesign(model));
    return Success;
}

}  // namespace lamina::cli
