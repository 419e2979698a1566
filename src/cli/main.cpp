// lamina-cli: the script writer and the end-ring calculator without the window.

#include "calc/EndRing.h"
#include "model/DesignFile.h"
#include "model/LaminaError.h"
#include "script/NumberText.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace lamina;

namespace {

enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

// A command line or design file the tool cannot use.
struct UsageProblem
{
    QString message;
};

void printError(const QString &message)
{
    std::fprintf(stderr, "lamina-cli: %s\n", qUtf8Printable(message));
}

void printOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

const QString helpText = uR"(Usage: lamina-cli COMMAND [OPTIONS]

Commands:
  script   --output FILE [--force] [--design FILE.json] [--set KEY=TEXT]...
           Write the command script for the design to FILE. An existing FILE
           is replaced only with --force, and only once the new script is
           complete.
  end-ring [--design FILE.json] [--set KEY=TEXT]...
           Print the rotor end-ring leakage inductance (H) and resistance (ohm).
  defaults Print the default design as JSON, a starting point for --design.

A design file is a JSON object whose keys are the input fields (D1, DI1, Z1,
B01, ..., ringArea) with the text typed in each box, and the list choices
statorSlotType, rotorSlotType, periodicityType and fluxVersion. Missing keys
take the main window's defaults; a missing choice was never made.
--set overrides one key after the design file.

Exit status: 0 success, 1 failure, 2 usage or design-file error.
)"_s;

Design loadDesign(const QCommandLineParser &parser)
{
    Design design;
    try {
        if (parser.isSet(u"design"_s)) {
            const QString path = parser.value(u"design"_s);
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                throw UsageProblem{u"cannot read design file \"%1\": %2"_s.arg(path, file.errorString())};
            try {
                applyDesignJson(design, file.readAll());
            } catch (const DesignError &error) {
                throw UsageProblem{u"design file \"%1\": %2"_s.arg(path, QString::fromUtf8(error.what()))};
            }
        }
        for (const QString &setting : parser.values(u"set"_s)) {
            const qsizetype equals = setting.indexOf(u'=');
            if (equals <= 0)
                throw UsageProblem{u"--set needs KEY=TEXT, got \"%1\""_s.arg(setting)};
            setDesignValue(design, setting.left(equals), setting.mid(equals + 1));
        }
    } catch (const DesignError &error) {
        throw UsageProblem{QString::fromUtf8(error.what())};
    }
    return design;
}

int runScript(const QCommandLineParser &parser)
{
    if (!parser.isSet(u"output"_s))
        throw UsageProblem{u"script needs --output FILE"_s};
    const Design design = loadDesign(parser);
    const QString output = parser.value(u"output"_s);
    if (QFileInfo::exists(output) && !parser.isSet(u"force"_s)) {
        printError(u"\"%1\" exists already; add --force to replace it"_s.arg(output));
        return Failure;
    }
    MotorModel model = modelFromDesign(design);
    model.scriptPath = output;
    writeScriptFile(model);
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
    Design design;
    design.statorSlotType = drawnStatorSlotName.toString();
    design.rotorSlotType = drawnRotorSlotName.toString();
    design.periodicityType = oddPeriodicityName.toString();
    design.fluxVersion = fluxVersionNames[1].toString();
    printOut(QJsonDocument(designToJson(design)).toJson(QJsonDocument::Indented));
    return Success;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"lamina-cli"_s);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addPositionalArgument(u"command"_s, u"script, end-ring or defaults"_s);
    parser.addOptions({
        {u"design"_s, u"Design file (JSON)."_s, u"file"_s},
        {u"set"_s, u"Set one design key."_s, u"key=text"_s},
        {u"output"_s, u"Script file to write."_s, u"file"_s},
        {u"force"_s, u"Replace an existing script file."_s},
        {{u"h"_s, u"help"_s}, u"Show this help."_s},
    });

    if (!parser.parse(app.arguments())) {
        printError(parser.errorText());
        return UsageError;
    }
    if (parser.isSet(u"help"_s)) {
        printOut(helpText.toUtf8());
        return Success;
    }

    const QStringList positional = parser.positionalArguments();
    try {
        if (positional.size() != 1)
            throw UsageProblem{u"expected one command: script, end-ring or defaults (see --help)"_s};
        const QString &command = positional.first();
        if (command == u"script")
            return runScript(parser);
        if (command == u"end-ring")
            return runEndRing(parser);
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
