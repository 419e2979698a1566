// lamina-cli: the script writer, the design checks, the sector picture and
// the end-ring calculator without the window.

#include "BatchCommand.h"
#include "CliSupport.h"
#include "ExportCommand.h"
#include "ReportCommand.h"
#include "VerifyCommand.h"
#include "calc/EndRing.h"
#include "design/Design.h"
#include "files/FileMessages.h"
#include "geometry/DesignChecks.h"
#include "model/LaminaError.h"
#include "preview/SectorRenderer.h"
#include "replay/ScriptProof.h"
#include "script/NumberText.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>
#include <new>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;
using namespace lamina::cli;

namespace {

const QString helpText = uR"(Usage: lamina-cli COMMAND [OPTIONS]

Commands:
  script   --output FILE [--force] [--strict] [--design FILE.json]
           [--set KEY=TEXT]...
           Write the command script for the design to FILE. An existing FILE
           is replaced only with --force, and only once the new script is
           complete. The script is replayed in memory first (see verify).
           What check and the replay find is then printed as warnings; with
           --strict, an error found by check or anything the replay finds
           means nothing is written (exit status 1).
  batch    --output-dir DIR [--vary KEY=V1,V2,...]... [--table FILE.csv]
           [--strict] [--force] [--design FILE.json] [--set KEY=TEXT]...
           Write one script per variant into DIR: every combination of the
           --vary values (named KEY-VALUE_KEY-VALUE.py), every row of the
           table (design keys in the header, an optional name column, else
           row-001.py, ...), or each row with each combination. --set applies
           to the base before the variants. Prints one line per variant and
           writes DIR/summary.csv. Exit status 1 when any variant was not
           written, 2 for a table or file-name problem or more than 10000
           variants (then nothing is written).
  check    [--design FILE.json] [--set KEY=TEXT]...
           Print what is wrong with the design, one finding per line, each
           an "error" (the model cannot be right) or a "warning" (FLUX2D may
           reject it, or it is doubtful). Exit status 1 when there is an error.
  preview  --output FILE.png|FILE.svg [--size WxH] [--design FILE.json]
           [--set KEY=TEXT]...
           Draw the periodic sector the script builds (default size 1200x900).
           An existing FILE is replaced, once the new picture is complete.
  export   --output FILE.dxf|FILE.geo [--sector] [--force] [--design FILE.json]
           [--set KEY=TEXT]...
           Write a drawing in millimetres: a DXF of both whole laminations
           (layers STATOR and ROTOR), or with --sector of the periodic sector,
           one layer per region; a .geo is always the sector as Gmsh geometry.
           An existing FILE is replaced only with --force. A design whose
           geometry cannot be formed is refused and nothing is written.
  end-ring [--design FILE.json] [--set KEY=TEXT]...
           Print the rotor end-ring leakage inductance (H) and resistance (ohm).
  report   [--design FILE.json] [--set KEY=TEXT]... [--format text|json|csv]
           Print the design data (slot areas in mm², slot and yoke heights,
           tooth widths, air gap, Carter factors, end ring, sector) and the
           findings; with the key poles (the pole count 2p) set, the findings
           judge the periodicity and the slot combination (rules as in
           A. K. Sawhney, A Course in Electrical Machine Design). Carter
           factor k = tau / (tau - gamma delta), where
           gamma = (b0/delta)^2 / (5 + b0/delta). Exit status 1 when the
           slots cannot be formed.
  verify   SCRIPT.py [--design FILE.json] [--format text|json]
           [--picture OUT.svg|OUT.png]
           Replay a command script as FLUX2D would build it and check it:
           every point and face it refers to exists when it is named, the
           lines meet only at their ends, every outline closes, the faces
           cover the sector once, and the regions hold their faces. Prints
           the findings with their line numbers and each region's faces and
           area; with --design, sets the areas and slot corners against the
           design. --picture draws the replayed faces by region. Exit status
           0 when sound, 1 on findings, 2 for an unreadable script.
  defaults Print the default design as JSON, a starting point for --design.

A design file is a JSON object whose keys are the input fields (D1, DI1, Z1,
B01, ..., ringArea) with the text typed in each box, and the list choices
statorSlotType, rotorSlotType, periodicityType and fluxVersion. Missing keys
take the main window's defaults; a missing choice was never made.
--set overrides one key after the design file.

Exit status: 0 success, 1 failure, 2 usage or design-file error, 3 the work
was done but standard output was closed before all was printed.
)"_s;

int runScript(const QCommandLineParser &parser)
{
    if (parser.isSet(u"output-dir"_s) || parser.isSet(u"vary"_s) || parser.isSet(u"table"_s))
        throw UsageProblem{u"script writes one file; --output-dir, --vary and --table belong to batch"_s};
    if (!parser.isSet(u"output"_s))
        throw UsageProblem{u"script needs --output FILE"_s};
    const Design design = loadDesign(parser);
    const QString output = parser.value(u"output"_s);
    MotorModel model = modelFromDesign(design);
    const std::vector<Finding> findings = checkScriptDesign(model, design.poles);
    if (parser.isSet(u"strict"_s) && hasError(findings)) {
        for (const Finding &finding : findings) {
            if (finding.severity == Severity::error)
                printError(u"error: "_s + finding.english);
        }
        return Failure;
    }
    model.scriptPath = output;
    const ProvenScript script = provenScript(model);
    if (parser.isSet(u"strict"_s) && !script.findings.empty()) {
        for (const Finding &finding : script.findings)
            printError(u"error: "_s + finding.english);
        return Failure;
    }
    try {
        saveScript(output, script.bytes,
                   parser.isSet(u"force"_s) ? ExistingFile::replace : ExistingFile::keep);
    } catch (const FileExistsError &) {
        printError(u"%1 exists already; add --force to replace it"_s.arg(quotedPath(output)));
        return Failure;
    }
    printWarnings(findings);
    printWarnings(script.findings);
    return Success;
}

int runCheck(const QCommandLineParser &parser)
{
    if (parser.isSet(u"output"_s) || parser.isSet(u"force"_s) || parser.isSet(u"size"_s))
        throw UsageProblem{u"check takes no --output, --force or --size"_s};
    const Design design = loadDesign(parser);
    const MotorModel model = modelFromDesign(design);
    std::vector<Finding> findings = checkDesign(model, design.poles);
    // A design the checks pass must also give a script FLUX2D can build:
    // its replay's first finding is an error of the design too.
    if (!hasError(findings)) {
        try {
            const ProvenScript script = provenScript(model);
            if (!script.findings.empty()) {
                Finding replayed = script.findings.front();
                replayed.severity = Severity::error;
                findings.push_back(std::move(replayed));
            }
        } catch (const std::exception &) {
            // A script that cannot be written at all is named by the checks.
        }
    }
    for (const Finding &finding : findings) {
        const char *severity = finding.severity == Severity::error ? "error" : "warning";
        std::printf("%s: %s\n", severity, qUtf8Printable(finding.english));
    }
    return hasError(findings) ? Failure : Success;
}

QSize pictureSize(const QCommandLineParser &parser)
{
    if (!parser.isSet(u"size"_s))
        return QSize(1200, 900);
    const QString text = parser.value(u"size"_s);
    const QRegularExpressionMatch match = QRegularExpression(u"^(\\d{1,6})x(\\d{1,6})$"_s).match(text);
    if (!match.hasMatch())
        throw UsageProblem{u"--size needs WIDTHxHEIGHT in pixels, got \"%1\""_s.arg(text)};
    return QSize(match.captured(1).toInt(), match.captured(2).toInt());
}

int runPreview(const QCommandLineParser &parser)
{
    if (!parser.isSet(u"output"_s))
        throw UsageProblem{u"preview needs --output FILE.png or FILE.svg"_s};
    if (parser.isSet(u"force"_s))
        throw UsageProblem{u"preview takes no --force; it replaces the picture"_s};
    const QString output = parser.value(u"output"_s);
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix != u"png" && suffix != u"svg")
        throw UsageProblem{u"preview writes .png or .svg, not %1"_s.arg(quotedPath(output))};
    const QSize size = pictureSize(parser);
    const MotorModel model = modelFromDesign(loadDesign(parser));
    if (suffix == u"png")
        renderPng(model, size, output);
    else
        renderSvg(model, size, output);
    printWarnings(checkDesign(model));
    return Success;
}

int runEndRing(const QCommandLineParser &parser)
{
    if (parser.isSet(u"output"_s) || parser.isSet(u"force"_s))
        throw UsageProblem{u"end-ring takes no --output or --force"_s};
    const Design design = loadDesign(parser);
    MotorModel model;
    const EndRingResult result = calculateEndRing(design.texts, model);
    // Both texts are formed before anything is printed.
    const std::string x = doubleText(result.leakageInductance);
    const std::string y = doubleText(result.resistance);
    std::printf("leakageInductance %s\nresistance %s\n", x.c_str(), y.c_str());
    return Success;
}

int runDefaults(const QCommandLineParser &parser)
{
    if (parser.isSet(u"output"_s) || parser.isSet(u"force"_s) || parser.isSet(u"design"_s)
        || parser.isSet(u"set"_s))
        throw UsageProblem{u"defaults takes no options"_s};
    printOut(QJsonDocument(designToJson(completeDesign())).toJson(QJsonDocument::Indented));
    return Success;
}

void describeOptions(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addPositionalArgument(
        u"command"_s, u"script, batch, check, preview, export, end-ring, report, verify or defaults"_s);
    parser.addOptions({
        {u"design"_s, u"Design file (JSON)."_s, u"file"_s},
        {u"set"_s, u"Set one design key."_s, u"key=text"_s},
        {u"output"_s, u"Script or picture file to write."_s, u"file"_s},
        {u"force"_s, u"Replace an existing script file."_s},
        {u"strict"_s, u"Write no script a design check finds an error in, or the replay anything."_s},
        {u"output-dir"_s, u"Folder the batch writes its scripts to."_s, u"dir"_s},
        {u"vary"_s, u"Sweep one design key over the values given."_s, u"key=v1,v2,..."_s},
        {u"table"_s, u"Table of variants (CSV)."_s, u"file"_s},
        {u"sector"_s, u"Export the periodic sector instead of the whole laminations."_s},
        {u"size"_s, u"Picture size in pixels."_s, u"WxH"_s},
        {u"format"_s, u"Report format: text, json or csv."_s, u"format"_s},
        {u"picture"_s, u"Picture of the replayed faces (SVG)."_s, u"file"_s},
        {{u"h"_s, u"help"_s}, u"Show this help."_s},
    });
}

// The command word, read before there is an application to parse with.
QString commandOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments) || parser.positionalArguments().isEmpty())
        return QString();
    return parser.positionalArguments().first();
}

// The platform's notes (a missing runtime folder, font set-up) would break
// the promise of one line per error on stderr; only real failures pass.
void keepQtNotesOffStderr(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "lamina-cli: %s\n", qUtf8Printable(message));
    Q_UNUSED(context);
}

int runCommandLine(int argc, char *argv[])
{
    // Only the picture needs fonts and so a QGuiApplication; it draws off
    // screen unless the caller chose a platform, so no display is needed.
    std::unique_ptr<QCoreApplication> app;
    const QString command = commandOf(argc, argv);
    if (command == u"preview" || command == u"verify") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(keepQtNotesOffStderr);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(u"lamina-cli"_s);

    QCommandLineParser parser;
    describeOptions(parser);

    if (!parser.parse(QCoreApplication::arguments())) {
        printError(parser.errorText());
        return UsageError;
    }
    if (parser.isSet(u"help"_s)) {
        printOut(helpText.toUtf8());
        return Success;
    }

    const QStringList positional = parser.positionalArguments();
    try {
        if (positional.isEmpty() || (positional.size() != 1 && positional.first() != u"verify"))
            throw UsageProblem{
                u"expected one command: script, batch, check, preview, export, end-ring, report, verify or defaults (see --help)"_s};
        const QString &command = positional.first();
        if (command == u"script")
            return runScript(parser);
        if (command == u"batch")
            return runBatch(parser);
        if (command == u"check")
            return runCheck(parser);
        if (command == u"preview")
            return runPreview(parser);
        if (command == u"export")
            return runExport(parser);
        if (command == u"end-ring")
            return runEndRing(parser);
        if (command == u"report")
            return runReport(parser);
        if (command == u"verify")
            return runVerify(parser);
        if (command == u"defaults")
            return runDefaults(parser);
        throw UsageProblem{u"unknown command \"%1\" (see --help)"_s.arg(command)};
    } catch (const UsageProblem &problem) {
        printError(problem.message);
        return UsageError;
    } catch (const LaminaError &error) {
        printError(error.english());
        return Failure;
    }
}

}  // namespace

namespace {

// A reader that went away loses what is printed, not the files being
// written; the exit status tells, unless a failure has told already.
int withLostOutput(int status)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    std::fputs("lamina-cli: standard output could not be written (closed early?); what was printed is "
               "incomplete\n",
               stderr);
    return status == Success ? OutputLost : status;
}

}  // namespace

int main(int argc, char *argv[])
{
    // A closed pipe (lamina-cli batch ... | head -1) would otherwise end
    // the program in the middle of a batch; a write to it now just fails.
    std::signal(SIGPIPE, SIG_IGN);
    // The last resort: whatever a user feeds the tool ends in one line and
    // an exit status, never in an uncaught exception.
    int status = Failure;
    try {
        status = runCommandLine(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fputs("lamina-cli: out of memory\n", stderr);
    } catch (const std::exception &failure) {
        printError(englishMessage(failure));
    }
    return withLostOutput(status);
}
