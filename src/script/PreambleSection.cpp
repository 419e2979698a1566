#include "NumberText.h"
#include "Sections.h"

#include <QStringEncoder>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

const QByteArray &bannerMiddleLine()
{
    static const QByteArray line
        = QStringEncoder("GBK").encode(u"##          本程序由Orlethe（Zentrip）制作          ##"_s);
    return line;
}

void parameter(ScriptText &out, std::string_view name, const std::string &value)
{
    out.line("ParameterGeom(name='", name, "',expression='", value, "')");
}

}  // namespace

void writeHeaderAndBanner(ScriptText &out, const CopiedTexts &copied)
{
    // clang-format off
    out.line("#! ", copied.fluxVersion);
    out.line("##=================================================##");
    out.line(bannerMiddleLine());
    out.line("##=================================================##");
    // clang-format on
}

void writePreambleAndParameters(ScriptText &out, const MotorModel &m, const CopiedTexts &copied)
{
    // clang-format off
    out.line("closeSketcher2dContext()");
    out.emptyLine();
    out.line("InfiniteBoxDisc(DISCOID=['", doubleText(m.boxInnerDiameter.value_or(0)), "','", doubleText(m.boxOuterDiameter), "'])");
    out.emptyLine();
    out.line("PeriodicityNumberZaxis(physicalType=", copied.periodicityTypeText, copied.repetitionNumberText, "domainOriginAngle='0')");
    out.emptyLine();
    // clang-format on

    parameter(out, "D1", doubleText(m.D1));
    parameter(out, "DI1", doubleText(m.DI1));
    parameter(out, "D2", doubleText(m.D2));
    parameter(out, "DI2", doubleText(m.DI2));
    parameter(out, "Z1", doubleText(m.Z1));
    parameter(out, "Z2", integerText(m.Z2));
    parameter(out, "air", integerText(m.air));
    if (drawsStatorSlot(m)) {
        parameter(out, "B01", doubleText(m.B01));
        parameter(out, "B11", doubleText(m.B11));
        parameter(out, "B21", doubleText(m.B21));
        parameter(out, "H01", doubleText(m.H01));
        parameter(out, "H11", doubleText(m.H11));
        parameter(out, "H21", doubleText(m.H21));
        parameter(out, "R21", doubleText(m.R21));
    }
    if (drawsRotorSlot(m)) {
        parameter(out, "B02", doubleText(m.B02));
        parameter(out, "B12", doubleText(m.B12));
        parameter(out, "B22", doubleText(m.B22));
        parameter(out, "H02", doubleText(m.H02));
        parameter(out, "H12", doubleText(m.H12));
        parameter(out, "H22", doubleText(m.H22));
    }
}

}  // namespace lamina
