#include "NumberText.h"
#include "Sections.h"
#include "SlotSections.h"

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
    // Each drawn slot's boxes, in the order of the window's boxes.
    const auto slotParameters = [&](SlotSide side) {
        const SlotShape *shape = slotShapeOf(m, side);
        for (const SlotBoxInfo &box : slotBoxes) {
            if (shape->uses(box.box))
                parameter(out, slotParameterName(box.box), doubleText(m.*box.member));
        }
    };
    if (scriptDrawsStatorSlot(m))
        slotParameters(SlotSide::stator);
    if (scriptDrawsRotorSlot(m))
        slotParameters(SlotSide::rotor);
}

}  // namespace lamina
