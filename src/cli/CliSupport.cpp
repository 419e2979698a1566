#include "CliSupport.h"

#include "model/LaminaError.h"

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace lamina::cli {

void printError(const QString &message)
{
    // A line break in a quoted value cannot split the message.
    std::fprintf(stderr, "lamina-cli: %s\n", qUtf8Printable(escapedForMessage(message)));
}

void printOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

Design loadDesign(const QCommandLineParser &parser)
{
    Design design;
    try {
        if (parser.isSet(u"design"_s))
            applyDesignFile(design, parser.value(u"design"_s));
        for (const QString &setting : parser.values(u"set"_s)) {
            const qsizetype equals = setting.indexOf(u'=');
            if (equals <= 0)
                throw UsageProblem{u"--set needs KEY=TEXT, got \"%1\""_s.arg(setting)};
            setDesignValue(design, setting.left(equals), setting.mid(equals + 1));
        }
    } catch (const DesignError &error) {
        throw UsageProblem{error.english()};
    }
    return design;
}

void printWarnings(const std::vector<Finding> &findings)
{
    for (const Finding &finding : findings)
        printError(u"warning: "_s + finding.english);
}

}  // namespace lamina::cli
