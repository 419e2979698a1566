#include "DesignChecks.h"

#include "PlaneMath.h"
#include "SectorGeometry.h"
#include "model/InputFields.h"
#include "model/LaminaError.h"
#include "model/Readings.h"
#include "script/SlotSections.h"
#include "slots/SlotShapes.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <tuple>
#include <type_traits>
#include <variant>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// A number as a message shows it: at most three decimals, no trailing zeros.
QString num(double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? u"NaN"_s : value > 0 ? u"∞"_s : u"-∞"_s;
    if (value != 0 && (std::abs(value) >= 1e9 || std::abs(value) < 5e-4))
        return QString::number(value, 'g', 4);
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? u"0"_s : text;
}

// The slot dimensions as the window labels them.
QString symbolOf(QStringView key)
{
    static const std::pair<QStringView, QStringView> symbols[] = {
        {u"B01", u"b01"}, {u"B11", u"bs1"}, {u"B21", u"bs2"}, {u"H01", u"h01"}, {u"H11", u"hs1"},
        {u"H21", u"hs2"}, {u"R21", u"rs"},  {u"B02", u"b02"}, {u"B12", u"br1"}, {u"B22", u"br2"},
        {u"H02", u"hr0"}, {u"H12", u"hr1"}, {u"H22", u"hr2"},
    };
    for (const auto &[k, symbol] : symbols) {
        if (k == key)
            return symbol.toString();
    }
    return key.toString();
}

struct Corner
{
    QStringView widthKey;
    double along;
    double width;
};

// The narrowest tooth from the slot's own outline, exactly; the slot width
// named is the box of the corner nearest that depth.
ToothPinch narrowest(const MotorModel &m, SlotSide side, const std::vector<Corner> &corners, double slotCount)
{
    ToothPinch pinch{nan, QString(), nan, nan};
    const SlotShape *shape = slotShapeOf(m, side);
    if (!shape)
        return pinch;
    const SlotOutline local = shape->outline(slotValues(m), slotCircleRadius(m, side));
    const std::optional<ToothWidth> tooth = toothWidth(local, slotCount);
    if (!tooth)
        return pinch;
    const double along = tooth->narrowestAt.x();
    const Corner *nearest = nullptr;
    for (const Corner &corner : corners) {
        if (!nearest || std::abs(corner.along - along) < std::abs(nearest->along - along))
            nearest = &corner;
    }
    pinch.width = tooth->narrowest;
    pinch.slotWidthKey = nearest->widthKey.toString();
    pinch.slotWidth = 2 * tooth->narrowestAt.y();
    pinch.pitch = 2 * along * std::tan(std::numbers::pi / slotCount);
    return pinch;
}

class Checker
{
public:
    Checker(const MotorModel &model, const QString &poles, bool forScript)
        : m(model)
        , polesText(poles)
        , forScript(forScript)
    {}

    std::vector<Finding> run()
    {
        checkPicks();
        checkFinite();
        checkCounts();
        checkDiameters();
        checkStatorSlot();
        checkRotorSlot();
        checkBoxAndMesh();
        checkPoles();
        return std::move(findings);
    }

private:
    void error(QStringList keys, QString chinese, QString english)
    {
        findings.push_back({Severity::error, std::move(keys), std::move(chinese), std::move(english)});
    }
    void warning(QStringList keys, QString chinese, QString english)
    {
        findings.push_back({Severity::warning, std::move(keys), std::move(chinese), std::move(english)});
    }

    // The pear and the trapezoid keep their own checks; every other shape
    // is checked through its description.
    bool statorSlotDrawn() const { return drawsStatorSlot(m); }
    bool rotorSlotDrawn() const { return drawsRotorSlot(m); }
    bool statorSlotScripted() const { return scriptDrawsStatorSlot(m); }
    bool rotorSlotScripted() const { return scriptDrawsRotorSlot(m); }

    void cannotScriptYet(bool asError, QString key, QString chinese, QString english)
    {
        if (asError)
            error({std::move(key)}, std::move(chinese), std::move(english));
        else
            warning({std::move(key)}, std::move(chinese), std::move(english));
    }

    void checkPicks()
    {
        if (m.fluxVersion.isEmpty())
            warning({u"fluxVersion"_s}, u"未选择 FLUX2D 版本：命令文件首行“#! ”后为空"_s,
                    u"no FLUX2D version picked: the script's first line names none"_s);
        if (m.periodicityTypeText.isEmpty())
            error({u"periodicityType"_s}, u"未选择周期类型：周期命令缺少 physicalType"_s,
                  u"no periodicity type picked: the periodicity command lacks its physical type"_s);
        checkSlotPick(SlotSide::stator);
        checkSlotPick(SlotSide::rotor);
    }

    // A picked shape the script has no section for, or no shape at all: the
    // script would refer to slot points it never creates.
    void checkSlotPick(SlotSide side)
    {
        const bool stator = side == SlotSide::stator;
        const QString key = stator ? u"statorSlotType"_s : u"rotorSlotType"_s;
        const QString sideZh = stator ? u"定子"_s : u"转子"_s;
        const QString sideEn = stator ? u"stator"_s : u"rotor"_s;
        const SlotShape *shape = slotShapeOf(m, side);
        if (shape && !(stator ? statorSlotScripted() : rotorSlotScripted())) {
            cannotScriptYet(
                forScript, key,
                u"%1槽型 %2（%3）：检查、预览、设计数据和图纸均可，但命令文件尚不能画出，将引用不存在的%1槽点"_s
                    .arg(sideZh)
                    .arg(shape->number)
                    .arg(shape->name),
                u"%1 slot type %2 (%3) is checked, previewed, reported and drawn, but the script cannot draw it yet and refers to %1 points it never creates"_s
                    .arg(sideEn)
                    .arg(shape->number)
                    .arg(shape->englishName));
        } else if (!shape) {
            const std::optional<int> picked = stator
                ? (m.statorSlotType == 0 ? std::nullopt : std::optional<int>(m.statorSlotType))
                : (m.rotorSlotType ? std::optional<int>(*m.rotorSlotType) : std::nullopt);
            const QString which
                = picked ? u"%1槽型 %2"_s.arg(sideZh).arg(*picked) : u"未选择%1槽型"_s.arg(sideZh);
            const QString whichEn = picked ? u"%1 slot type %2 picked"_s.arg(sideEn).arg(*picked)
                                           : u"no %1 slot type picked"_s.arg(sideEn);
            error({key}, which + u"：命令文件不画%1槽，却引用其槽点"_s.arg(sideZh),
                  whichEn
                      + u": the script draws no %1 slot, so it refers to %1 points it never creates"_s.arg(
                          sideEn));
        }
    }

    void checkFinite()
    {
        // Every number the boxes fill, found through the field table.
        for (const InputField &field : inputFields) {
            const double value = std::visit(
                [this](auto member) -> double {
                    const auto &held = m.*member;
                    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(held)>, std::optional<double>>)
                        return held.value_or(0);
                    else
                        return double(held);
                },
                field.member);
            const QStringView key = field.key;
            if (!std::isfinite(value))
                error({key.toString()}, u"%1 = %2 不是有限数"_s.arg(key, num(value)),
                      u"%1 = %2 is not a finite number"_s.arg(key, num(value)));
        }
    }

    // The periodicity command repeats the period count as typed, while the
    // sector is built for its reading: "2.5" builds P = 2 but asks for 2.5
    // repetitions, and "4,5" or "4abc" build P = 4 while the command holds
    // the whole text (a quote or backslash would even end its string, so the
    // script refuses those). Only a plain decimal number says the same to
    // both.
    void checkPeriodText(int P)
    {
        const QString prefix = u"repetitionNumber='"_s;
        const QString &command = m.repetitionNumberText;
        if (P <= 0 || !command.startsWith(prefix) || !command.endsWith(u"',"_s))
            return;
        const QString typed = command.mid(prefix.size(), command.size() - prefix.size() - 2);
        static const QRegularExpression plainNumber(QRegularExpression::anchoredPattern(
            u"[ \\t]*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?[ \\t]*"_s));
        if (!plainNumber.match(typed).hasMatch()) {
            const QString shown = textForMessage(typed);
            error(
                {u"periodNumber"_s},
                u"周期数“%1”不是单纯的数：扇区按 P = %2 建模，周期命令却写入“%1”"_s.arg(shown).arg(P),
                u"number of periods \"%1\" is not a plain number: the sector is built for P = %2 but the periodicity command repeats \"%1\""_s
                    .arg(shown)
                    .arg(P));
            return;
        }
        const std::optional<double> value = readNumber(typed);
        if (value && *value != P)
            error(
                {u"periodNumber"_s},
                u"周期数“%1”不是整数：扇区按 P = %2 建模，周期命令却重复 %1 次"_s.arg(typed.trimmed()).arg(P),
                u"number of periods \"%1\" is not whole: the sector is built for P = %2 but the periodicity command repeats it %1 times"_s
                    .arg(typed.trimmed())
                    .arg(P));
    }

    void checkCounts()
    {
        const int P = m.periodNumber;
        if (P <= 0)
            error({u"periodNumber"_s}, u"周期数 P = %1 ≤ 0"_s.arg(P),
                  u"number of periods P = %1 ≤ 0"_s.arg(P));
        else if (P == 1)
            error(
                {u"periodNumber"_s},
                u"周期数 P = 1：命令文件只画出整圈的槽，不画内外圆、气隙和转轴，也不建面；扇区至少需要 P = 2"_s,
                u"number of periods P = 1: the script draws the slots all round but no circles, air gap or shaft, and builds no faces; a sector needs P ≥ 2"_s);
        checkPeriodText(P);
        if (m.air < 1)
            error({u"air"_s}, u"气隙层数 air = %1 < 1"_s.arg(m.air),
                  u"air-gap layers air = %1 < 1"_s.arg(m.air));
        else if (m.air == 1)
            error(
                {u"air"_s},
                u"气隙层数 air = 1：两层之间的圆弧落在定子内圆上，airgap_stator 没有面积；至少需要 2 层"_s,
                u"air-gap layers air = 1: the arc between the two layers lies on the bore, leaving airgap_stator no area; at least 2 layers are needed"_s);

        if (m.Z1 <= 0)
            error({u"Z1"_s}, u"定子槽数 Z1 = %1 ≤ 0"_s.arg(num(m.Z1)),
                  u"stator slot count Z1 = %1 ≤ 0"_s.arg(num(m.Z1)));
        else if (std::isfinite(m.Z1) && m.Z1 != std::floor(m.Z1))
            error({u"Z1"_s}, u"定子槽数 Z1 = %1 不是整数"_s.arg(num(m.Z1)),
                  u"stator slot count Z1 = %1 is not a whole number"_s.arg(num(m.Z1)));
        if (m.Z2 <= 0)
            error({u"Z2"_s}, u"转子槽数 Z2 = %1 ≤ 0"_s.arg(m.Z2),
                  u"rotor slot count Z2 = %1 ≤ 0"_s.arg(m.Z2));
        else if (m.Z2 > 2730)
            error({u"Z2"_s}, u"转子槽数 Z2 = %1 > 2730：点号 12 × Z2 超出 16 位整数范围"_s.arg(m.Z2),
                  u"rotor slot count Z2 = %1 > 2730: the point numbers 12 × Z2 leave the 16-bit range"_s.arg(
                      m.Z2));
        // The whole laminations draw every slot of a core.
        if (m.Z1 > maxSlotsDrawn)
            error({u"Z1"_s}, u"定子槽数 Z1 = %1 > %2：超出图纸可画的槽数"_s.arg(num(m.Z1)).arg(maxSlotsDrawn),
                  u"stator slot count Z1 = %1 > %2, the most slots a drawing holds"_s.arg(num(m.Z1)).arg(
                      maxSlotsDrawn));
        if (m.Z2 > maxSlotsDrawn && m.Z2 <= 2730)
            error({u"Z2"_s}, u"转子槽数 Z2 = %1 > %2：超出图纸可画的槽数"_s.arg(m.Z2).arg(maxSlotsDrawn),
                  u"rotor slot count Z2 = %1 > %2, the most slots a drawing holds"_s.arg(m.Z2).arg(
                      maxSlotsDrawn));
        if (P <= 0)
            return;

        if (m.Z2 > 0 && m.Z2 < 2 * P)
            error({u"Z2"_s, u"periodNumber"_s},
                  u"转子槽数 Z2 = %1 < 2 × P = %2：每个周期不足两个转子槽"_s.arg(m.Z2).arg(2 * P),
                  u"rotor slot count Z2 = %1 < 2 × P = %2: a period holds fewer than two rotor slots"_s
                      .arg(m.Z2)
                      .arg(2 * P));
        if (m.Z1 > 0 && m.Z1 < 2 * P)
            error({u"Z1"_s, u"periodNumber"_s},
                  u"定子槽数 Z1 = %1 < 2 × P = %2：每个周期不足两个定子槽"_s.arg(num(m.Z1)).arg(2 * P),
                  u"stator slot count Z1 = %1 < 2 × P = %2: a period holds fewer than two stator slots"_s
                      .arg(num(m.Z1))
                      .arg(2 * P));

        if (m.Z2 > 0 && m.Z2 % P != 0) {
            QString zh
                = u"每周期转子槽数 Z2 / P = %1 / %2 = %3 不是整数：导条和面号成为小数"_s.arg(m.Z2).arg(P).arg(
                    num(double(m.Z2) / P));
            QString en
                = u"rotor slots per period Z2 / P = %1 / %2 = %3 is not whole: bar and face numbers become fractional"_s
                      .arg(m.Z2)
                      .arg(P)
                      .arg(num(double(m.Z2) / P));
            if ((12 * m.Z2) % P != 0) {
                zh += u"，点号 12 × Z2 / P = %1 也是小数"_s.arg(num(12.0 * m.Z2 / P));
                en += u", and so do the point numbers 12 × Z2 / P = %1"_s.arg(num(12.0 * m.Z2 / P));
            }
            error({u"Z2"_s, u"periodNumber"_s}, zh, en);
        }
        const double statorPerPeriod = m.Z1 / P;
        if (m.Z1 > 0 && m.Z1 == std::floor(m.Z1) && statorPerPeriod != std::floor(statorPerPeriod))
            error(
                {u"Z1"_s, u"periodNumber"_s},
                u"每周期定子槽数 Z1 / P = %1 / %2 = %3 不是整数：定子点号和面号成为小数"_s.arg(num(m.Z1))
                    .arg(P)
                    .arg(num(statorPerPeriod)),
                u"stator slots per period Z1 / P = %1 / %2 = %3 is not whole: stator point and face numbers become fractional"_s
                    .arg(num(m.Z1))
                    .arg(P)
                    .arg(num(statorPerPeriod)));
    }

    void checkDiameters()
    {
        const std::tuple<QStringView, QStringView, QStringView, double> diameters[] = {
            {u"D1", u"定子外径", u"stator outer diameter", m.D1},
            {u"DI1", u"定子内径", u"stator inner diameter", m.DI1},
            {u"D2", u"转子外径", u"rotor outer diameter", m.D2},
        };
        for (const auto &[key, zh, en, value] : diameters) {
            if (value <= 0)
                error({key.toString()}, u"%1 %2 = %3 mm ≤ 0"_s.arg(zh, key, num(value)),
                      u"%1 %2 = %3 mm ≤ 0"_s.arg(en, key, num(value)));
        }
        if (m.DI2 < 0)
            error({u"DI2"_s}, u"转子内径 DI2 = %1 mm < 0"_s.arg(num(m.DI2)),
                  u"rotor inner diameter DI2 = %1 mm < 0"_s.arg(num(m.DI2)));

        const double gap = (m.DI1 - m.D2) / 2;
        if (m.D2 > 0 && m.DI1 > 0 && gap <= 0)
            error(
                {u"D2"_s, u"DI1"_s},
                u"气隙 (DI1 − D2)/2 = %1 mm ≤ 0：转子外径 D2 = %2 mm 不小于定子内径 DI1 = %3 mm"_s.arg(
                    num(gap), num(m.D2), num(m.DI1)),
                u"air gap (DI1 − D2)/2 = %1 mm ≤ 0: rotor diameter D2 = %2 mm is not below the stator bore DI1 = %3 mm"_s
                    .arg(num(gap), num(m.D2), num(m.DI1)));
    }

    void negativeDimensions(std::initializer_list<std::pair<QStringView, double>> dimensions,
                            QStringView coreZh, QStringView coreEn)
    {
        for (const auto &[key, value] : dimensions) {
            if (value < 0)
                error({key.toString()}, u"%1槽 %2 = %3 mm < 0"_s.arg(coreZh, symbolOf(key), num(value)),
                      u"%1 slot %2 = %3 mm < 0"_s.arg(coreEn, symbolOf(key), num(value)));
        }
    }

    // Lengths between zero and the shortest one drawn give corners that
    // the drawings cannot tell apart, yet must not join.
    void tinyDimensions(std::initializer_list<std::pair<QStringView, double>> dimensions, QStringView coreZh,
                        QStringView coreEn)
    {
        for (const auto &[key, value] : dimensions) {
            if (value > 0 && value < shortestSlotDimension)
                error(
                    {key.toString()},
                    u"%1槽 %2 = %3 mm 小于可画的最短长度 %4 mm：请取 0 或至少 %4 mm"_s.arg(
                        coreZh, symbolOf(key), QString::number(value, 'g', 4), num(shortestSlotDimension)),
                    u"%1 slot %2 = %3 mm is below %4 mm, the shortest length drawn: use 0 or at least %4 mm"_s
                        .arg(coreEn, symbolOf(key), QString::number(value, 'g', 4),
                             num(shortestSlotDimension)));
        }
    }

    // A slot without an opening would have its two sides on one line.
    void noOpening(QStringView widthKey, double width, QStringView depthKey, double depth, QStringView coreZh,
                   QStringView surfaceZh, QStringView coreEn, QStringView surfaceEn)
    {
        if (width != 0)
            return;
        const QString w = symbolOf(widthKey), d = symbolOf(depthKey);
        error(
            {widthKey.toString()},
            u"%1槽 %2 = 0 mm：槽没有开口，两侧将重合成从%3到深度 %4 = %5 mm 的一条线"_s.arg(
                coreZh, w, surfaceZh, d, num(depth)),
            u"%1 slot %2 = 0 mm: the slot has no opening, and its two sides would run as one line from the %3 to depth %4 = %5 mm"_s
                .arg(coreEn, w, surfaceEn, d, num(depth)));
    }

    void pinched(QStringView widthKey, QStringView depthText, double depth, QStringView coreZh,
                 QStringView coreEn)
    {
        const QString w = symbolOf(widthKey);
        error({widthKey.toString()},
              u"%1槽 %2 = 0 mm：槽在深度 %3 = %4 mm 处收成一点"_s.arg(coreZh, w, depthText, num(depth)),
              u"%1 slot %2 = 0 mm pinches the slot to a point at depth %3 = %4 mm"_s.arg(coreEn, w, depthText,
                                                                                         num(depth)));
    }

    // A rotor slot corner at the given depth and width lies inside the rotor
    // only below the rise of the surface over its half width.
    void cornerInsideRotor(QStringView widthKey, double width, QStringView depthText, double depth)
    {
        const double radius = m.D2 / 2;
        const double rise = radius - std::sqrt(std::max(0.0, radius * radius - width * width / 4));
        if (!(depth < rise - 1e-12 * radius))
            return;
        const QString w = symbolOf(widthKey);
        error(
            {widthKey.toString(), u"H02"_s},
            u"转子槽 %1/2 = %2 mm 处的角点深度 %3 = %4 mm，位于转子外圆之外：外圆在该处高出 %5 mm，深度至少须为 %5 mm"_s
                .arg(w, num(width / 2), depthText, num(depth), num(rise)),
            u"rotor slot corner at %1/2 = %2 mm lies outside the rotor surface at depth %3 = %4 mm: the surface rises %5 mm there, so the depth must be at least %5 mm"_s
                .arg(w, num(width / 2), depthText, num(depth), num(rise)));
    }

    void toothWidth(const ToothPinch &pinch, QStringView slotCountKey, QStringView diameterKey,
                    QStringView coreZh, QStringView coreEn)
    {
        if (!(pinch.width <= 0))
            return;
        const QString symbol = symbolOf(pinch.slotWidthKey);
        error({pinch.slotWidthKey, slotCountKey.toString(), diameterKey.toString()},
              u"%1齿宽 %2 mm ≤ 0：槽宽 %3 = %4 mm 超过该处齿距 %5 mm"_s.arg(
                  coreZh, num(pinch.width), symbol, num(pinch.slotWidth), num(pinch.pitch)),
              u"%1 tooth width %2 mm ≤ 0: slot %3 = %4 mm exceeds the slot pitch %5 mm at that depth"_s.arg(
                  coreEn, num(pinch.width), symbol, num(pinch.slotWidth), num(pinch.pitch)));
    }

    void checkStatorSlot()
    {
        const double outerRadius = m.D1 / 2;
        if (const SlotShape *shape = slotShapeOf(m, SlotSide::stator); shape && !statorSlotDrawn()) {
            checkDescribedSlot(*shape);
            return;
        }
        if (!statorSlotDrawn()) {
            if (m.DI1 > 0 && m.D1 > 0 && m.DI1 >= m.D1)
                error({u"DI1"_s, u"D1"_s},
                      u"定子轭高 (D1 − DI1)/2 = %1 mm ≤ 0"_s.arg(num((m.D1 - m.DI1) / 2)),
                      u"stator yoke height (D1 − DI1)/2 = %1 mm ≤ 0"_s.arg(num((m.D1 - m.DI1) / 2)));
            return;
        }
        negativeDimensions(
            {{u"B01", m.B01}, {u"B11", m.B11}, {u"B21", m.B21}, {u"H11", m.H11}, {u"H21", m.H21}}, u"定子",
            u"stator");
        tinyDimensions({{u"B01", m.B01},
                        {u"B11", m.B11},
                        {u"B21", m.B21},
                        {u"H01", m.H01},
                        {u"H11", m.H11},
                        {u"H21", m.H21}},
                       u"定子", u"stator");
        noOpening(u"B01", m.B01, u"H01", m.H01, u"定子", u"内圆", u"stator", u"bore");
        if (m.B11 == 0)
            pinched(u"B11", u"h01 + hs1", m.H01 + m.H11, u"定子", u"stator");
        // With no height between them, a round end narrower than bs1 would
        // leave the slot outline running back over the line of bs1.
        if (m.H21 == 0 && m.B21 < m.B11)
            error(
                {u"H21"_s, u"B21"_s},
                u"定子槽 hs2 = 0 mm 且 bs2 = %1 mm < bs1 = %2 mm：槽底圆弧起于 bs1 线之内，槽轮廓折回重叠"_s
                    .arg(num(m.B21), num(m.B11)),
                u"stator slot hs2 = 0 mm with bs2 = %1 mm < bs1 = %2 mm: the round end starts inside the line of bs1 and the outline doubles back"_s
                    .arg(num(m.B21), num(m.B11)));
        if (m.H01 <= 0)
            error(
                {u"H01"_s},
                u"定子槽 h01 = %1 mm ≤ 0：槽的镜像轴需要槽口底部与内圆上两个不同的点"_s.arg(num(m.H01)),
                u"stator slot h01 = %1 mm ≤ 0: the slot's mirror line needs the opening bottom apart from the bore point"_s
                    .arg(num(m.H01)));
        if (m.B01 > m.B11)
            warning(
                {u"B01"_s, u"B11"_s},
                u"定子槽口 b01 = %1 mm > bs1 = %2 mm：槽口比槽身宽"_s.arg(num(m.B01), num(m.B11)),
                u"stator slot opening b01 = %1 mm > bs1 = %2 mm: the opening is wider than the slot body"_s
                    .arg(num(m.B01), num(m.B11)));
        if (std::abs(m.R21 - m.B21 / 2) > 1e-9 * std::max(1.0, std::abs(m.R21)))
            warning(
                {u"R21"_s, u"B21"_s},
                u"定子槽 rs = %1 mm ≠ bs2/2 = %2 mm：槽底圆弧按 bs2/2 画出，rs 不起作用"_s.arg(
                    num(m.R21), num(m.B21 / 2)),
                u"stator slot rs = %1 mm ≠ bs2/2 = %2 mm: the round end is drawn with radius bs2/2 and rs is not used"_s
                    .arg(num(m.R21), num(m.B21 / 2)));

        const double slotEnd = m.DI1 / 2 + m.H01 + m.H11 + m.H21 + m.B21 / 2;
        const double yoke = outerRadius - slotEnd;
        if (yoke <= 0)
            error(
                {u"D1"_s, u"DI1"_s, u"H01"_s, u"H11"_s, u"H21"_s, u"B21"_s},
                u"定子轭高 %1 mm ≤ 0：槽底半径 DI1/2 + h01 + hs1 + hs2 + bs2/2 = %2 mm 达到外半径 D1/2 = %3 mm"_s
                    .arg(num(yoke), num(slotEnd), num(outerRadius)),
                u"stator yoke height %1 mm ≤ 0: the slot end radius DI1/2 + h01 + hs1 + hs2 + bs2/2 = %2 mm reaches the outer radius D1/2 = %3 mm"_s
                    .arg(num(yoke), num(slotEnd), num(outerRadius)));
        toothWidth(narrowestStatorTooth(m), u"Z1", u"DI1", u"定子", u"stator");
    }

    void checkRotorSlot()
    {
        const double shaftRadius = m.DI2 / 2;
        if (const SlotShape *shape = slotShapeOf(m, SlotSide::rotor); shape && !rotorSlotDrawn()) {
            checkDescribedSlot(*shape);
            return;
        }
        if (!rotorSlotDrawn()) {
            if (m.D2 > 0 && m.DI2 >= m.D2)
                error({u"DI2"_s, u"D2"_s},
                      u"转子轭高 (D2 − DI2)/2 = %1 mm ≤ 0"_s.arg(num((m.D2 - m.DI2) / 2)),
                      u"rotor yoke height (D2 − DI2)/2 = %1 mm ≤ 0"_s.arg(num((m.D2 - m.DI2) / 2)));
            return;
        }
        negativeDimensions({{u"B02", m.B02},
                            {u"B12", m.B12},
                            {u"B22", m.B22},
                            {u"H02", m.H02},
                            {u"H12", m.H12},
                            {u"H22", m.H22}},
                           u"转子", u"rotor");
        tinyDimensions({{u"B02", m.B02},
                        {u"B12", m.B12},
                        {u"B22", m.B22},
                        {u"H02", m.H02},
                        {u"H12", m.H12},
                        {u"H22", m.H22}},
                       u"转子", u"rotor");
        noOpening(u"B02", m.B02, u"H02", m.H02, u"转子", u"转子外圆", u"rotor", u"rotor surface");
        if (m.B12 == 0 && (m.B22 > 0 || m.H22 > 0))
            pinched(u"B12", u"hr0 + hr1", m.H02 + m.H12, u"转子", u"rotor");
        // The opening's corners go onto the surface when hr0 is shallower
        // than its rise; the corners below have no such place.
        cornerInsideRotor(u"B12", m.B12, u"hr0 + hr1", m.H02 + m.H12);
        cornerInsideRotor(u"B22", m.B22, u"hr0 + hr1 + hr2", m.H02 + m.H12 + m.H22);
        if (m.B02 > m.B12)
            warning({u"B02"_s, u"B12"_s},
                    u"转子槽口 b02 = %1 mm > br1 = %2 mm：槽口比槽身宽"_s.arg(num(m.B02), num(m.B12)),
                    u"rotor slot opening b02 = %1 mm > br1 = %2 mm: the opening is wider than the slot body"_s
                        .arg(num(m.B02), num(m.B12)));

        const double depth = m.H02 + m.H12 + m.H22;
        if (depth <= 0)
            error({u"H02"_s, u"H12"_s, u"H22"_s},
                  u"转子槽深 hr0 + hr1 + hr2 = %1 mm ≤ 0：槽的镜像轴无从确定"_s.arg(num(depth)),
                  u"rotor slot depth hr0 + hr1 + hr2 = %1 mm ≤ 0: the slot's mirror line is undefined"_s.arg(
                      num(depth)));
        const double bottom = m.D2 / 2 - depth;
        if (bottom <= shaftRadius)
            error(
                {u"D2"_s, u"DI2"_s, u"H02"_s, u"H12"_s, u"H22"_s},
                u"转子槽底半径 D2/2 − hr0 − hr1 − hr2 = %1 mm ≤ 轴半径 DI2/2 = %2 mm：转子槽伸入转轴"_s.arg(
                    num(bottom), num(shaftRadius)),
                u"rotor slot bottom radius D2/2 − hr0 − hr1 − hr2 = %1 mm ≤ shaft radius DI2/2 = %2 mm: the slot reaches the shaft"_s
                    .arg(num(bottom), num(shaftRadius)));
        toothWidth(narrowestRotorTooth(m), u"Z2", u"D2", u"转子", u"rotor");
    }

    // A shape other than the script's pear and trapezoid: its own rules,
    // then whether the slot it makes fits its core.
    void checkDescribedSlot(const SlotShape &shape)
    {
        const bool stator = shape.side == SlotSide::stator;
        const QStringView coreZh = stator ? u"定子" : u"转子";
        const QStringView coreEn = stator ? u"stator" : u"rotor";
        const double radius = slotCircleRadius(m, shape.side);
        const SlotValues values = slotValues(m);
        // Non-finite boxes and circles are reported on their own.
        if (!std::isfinite(radius) || !(radius > 0))
            return;
        for (const SlotBoxUse &use : shape.boxes) {
            if (!std::isfinite(values[use.box]))
                return;
        }
        const auto keysOf = [](const std::vector<SlotBox> &boxes) {
            QStringList keys;
            for (const SlotBox box : boxes)
                keys.append(slotBox(box).designKey.toString());
            return keys;
        };
        const std::size_t before = findings.size();
        const std::vector<SlotIssue> issues = shape.issues(values, radius);
        for (const SlotIssue &issue : issues) {
            QStringList keys = keysOf(issue.boxes);
            keys.append(stator ? u"statorSlotType"_s : u"rotorSlotType"_s);
            const QString zh = u"%1槽（%2）：%3"_s.arg(coreZh, shape.name, issue.text);
            const QString en = u"%1 slot (%2): %3"_s.arg(coreEn, shape.englishName, issue.englishText);
            if (issue.error)
                error(keys, zh, en);
            else
                warning(keys, zh, en);
        }
        for (const SlotBoxUse &use : shape.boxes) {
            const double value = values[use.box];
            if (value > 0 && value < shortestSlotDimension)
                error(
                    {slotBox(use.box).designKey.toString()},
                    u"%1槽 %2 = %3 mm 小于可画的最短长度 %4 mm：请取 0 或至少 %4 mm"_s.arg(
                        coreZh, slotBox(use.box).symbol, QString::number(value, 'g', 4),
                        num(shortestSlotDimension)),
                    u"%1 slot %2 = %3 mm is below %4 mm, the shortest length drawn: use 0 or at least %4 mm"_s
                        .arg(coreEn, slotBox(use.box).symbol, QString::number(value, 'g', 4),
                             num(shortestSlotDimension)));
        }
        if (hasError(std::vector<Finding>(findings.begin() + std::ptrdiff_t(before), findings.end())))
            return;
        const SlotOutline local = shape.outline(values, radius);
        if (local.isEmpty())
            return;
        QStringList boxKeys;
        for (const SlotBoxUse &use : shape.boxes)
            boxKeys.append(slotBox(use.box).designKey.toString());
        const LoopExtent extent = loopExtent(local.outline);
        if (stator) {
            const double outer = m.D1 / 2;
            if (extent.farthest >= outer)
                error(
                    QStringList{u"D1"_s} + boxKeys,
                    u"定子轭高 %1 mm ≤ 0：槽最远点半径 %2 mm 达到外半径 D1/2 = %3 mm"_s.arg(
                        num(outer - extent.farthest), num(extent.farthest), num(outer)),
                    u"stator yoke height %1 mm ≤ 0: the slot reaches radius %2 mm, the outer radius D1/2 = %3 mm"_s
                        .arg(num(outer - extent.farthest), num(extent.farthest), num(outer)));
        } else {
            const double shaft = std::max(m.DI2 / 2, 0.0);
            if (extent.nearest <= shaft)
                error(
                    QStringList{u"DI2"_s} + boxKeys,
                    u"转子槽最近点半径 %1 mm ≤ 轴半径 DI2/2 = %2 mm：转子槽伸入转轴"_s.arg(
                        num(extent.nearest), num(shaft)),
                    u"rotor slot comes to radius %1 mm ≤ shaft radius DI2/2 = %2 mm: the slot reaches the shaft"_s
                        .arg(num(extent.nearest), num(shaft)));
            if (extent.farthest > radius * (1 + 1e-12))
                error(
                    QStringList{u"D2"_s} + boxKeys,
                    u"转子槽最远点半径 %1 mm > 转子外半径 D2/2 = %2 mm：槽伸出转子"_s.arg(
                        num(extent.farthest), num(radius)),
                    u"rotor slot reaches radius %1 mm > rotor radius D2/2 = %2 mm: the slot leaves the rotor"_s
                        .arg(num(extent.farthest), num(radius)));
        }
        const double count = stator ? m.Z1 : double(m.Z2);
        if (count >= 3 && std::isfinite(count)) {
            const std::optional<ToothWidth> tooth = lamina::toothWidth(local, count);
            if (tooth && !(tooth->narrowest > 0))
                error(QStringList{stator ? u"Z1"_s : u"Z2"_s} + boxKeys,
                      u"%1齿宽 %2 mm ≤ 0：槽在半径 %3 mm 处越出其槽距 360°/%4"_s.arg(
                          coreZh, num(tooth->narrowest), num(plane::length(tooth->narrowestAt)), num(count)),
                      u"%1 tooth width %2 mm ≤ 0: the slot leaves its pitch of 360°/%4 at radius %3 mm"_s.arg(
                          coreEn, num(tooth->narrowest), num(plane::length(tooth->narrowestAt)), num(count)));
        }
    }

    void checkBoxAndMesh()
    {
        const double inner = m.boxInnerDiameter.value_or(nan);
        const double outer = m.boxOuterDiameter;
        const double statorRadius = m.D1 / 2;
        if (inner <= statorRadius)
            error(
                {u"boxInnerDiameter"_s, u"D1"_s},
                u"无限元 box 内径值 %1 mm ≤ 定子外半径 D1/2 = %2 mm：该值按半径使用，box 将切入定子"_s.arg(
                    num(inner), num(statorRadius)),
                u"infinite box inner value %1 mm ≤ stator radius D1/2 = %2 mm: it is used as a radius, so the box cuts the stator"_s
                    .arg(num(inner), num(statorRadius)));
        if (outer <= inner)
            error({u"boxOuterDiameter"_s, u"boxInnerDiameter"_s},
                  u"无限元 box 外径值 %1 mm ≤ 内径值 %2 mm"_s.arg(num(outer), num(inner)),
                  u"infinite box outer value %1 mm ≤ inner value %2 mm"_s.arg(num(outer), num(inner)));
        const QString box = num(drawingReach);
        if (statorRadius > drawingReach)
            error(
                {u"D1"_s},
                u"定子外半径 D1/2 = %1 mm 超出图纸范围：以中心为准 ±%2 mm 的方框"_s.arg(num(statorRadius),
                                                                                        box),
                u"stator outer radius D1/2 = %1 mm reaches beyond the drawing box of ±%2 mm about the centre"_s
                    .arg(num(statorRadius), box));
        if (inner > drawingReach)
            error(
                {u"boxInnerDiameter"_s},
                u"无限元 box 内径值 %1 mm 按半径使用，超出图纸范围：以中心为准 ±%2 mm 的方框"_s.arg(
                    num(inner), box),
                u"infinite box inner value %1 mm is used as a radius and reaches beyond the drawing box of ±%2 mm about the centre"_s
                    .arg(num(inner), box));
        if (!(m.meshDeviation > 0))
            error({u"meshDeviation"_s},
                  u"剖分密度控制 %1 ≤ 0：相对网格偏差应为正数"_s.arg(num(m.meshDeviation)),
                  u"relative mesh deviation %1 ≤ 0: it must be positive"_s.arg(num(m.meshDeviation)));
    }

    void checkPoles()
    {
        if (polesText.trimmed().isEmpty())
            return;
        const std::optional<long long> poles = poleCountOf(polesText);
        if (!poles) {
            const QString shown = polesText.size() > 24 ? polesText.left(24) + u"…"_s : polesText;
            error(
                {u"poles"_s}, u"极数 2p =“%1”不是 2 到 1000000 之间的偶数：不作周期和槽配合判断"_s.arg(shown),
                u"pole count 2p = \"%1\" is not an even whole number from 2 to 1000000: no periodicity or slot-combination advice"_s
                    .arg(shown));
            return;
        }
        checkPeriodicity(*poles);
        checkSlotCombination(*poles);
    }

    // A sector of 360°/P spans 2p/P poles. The field repeats with its sign
    // turned over an odd count and unchanged over an even one.
    void checkPeriodicity(long long poles)
    {
        const int P = m.periodNumber;
        if (P <= 0)
            return;
        if (poles % P != 0) {
            error(
                {u"poles"_s, u"periodNumber"_s},
                u"每个扇区的极数 2p / P = %1 / %2 = %3 不是整数：该周期数不能用于此极数"_s.arg(poles)
                    .arg(P)
                    .arg(num(double(poles) / P)),
                u"poles per sector 2p / P = %1 / %2 = %3 is not whole: this number of periods does not fit the pole count"_s
                    .arg(poles)
                    .arg(P)
                    .arg(num(double(poles) / P)));
            return;
        }
        const long long perSector = poles / P;
        const bool odd = perSector % 2 != 0;
        const bool pickedOdd = m.periodicityTypeText == u"PeriodicityAnticyclicType(),";
        const bool pickedEven = m.periodicityTypeText == u"PeriodicityCyclicType(),";
        if ((odd && pickedEven) || (!odd && pickedOdd))
            error({u"periodicityType"_s, u"poles"_s},
                  u"每个扇区的极数 2p / P = %2 / %3 = %1 为%4数：应选“%5”，而非“%6”"_s.arg(perSector)
                      .arg(poles)
                      .arg(P)
                      .arg(odd ? u"奇"_s : u"偶"_s, odd ? u"奇对称周期"_s : u"偶对称周期"_s,
                           odd ? u"偶对称周期"_s : u"奇对称周期"_s),
                  u"poles per sector 2p / P = %2 / %3 = %1 is %4: the periodicity must be %5, not %6"_s
                      .arg(perSector)
                      .arg(poles)
                      .arg(P)
                      .arg(odd ? u"odd"_s : u"even"_s, odd ? u"odd (anticyclic)"_s : u"even (cyclic)"_s,
                           odd ? u"even (cyclic)"_s : u"odd (anticyclic)"_s));
    }

    // The classical rules for the slot numbers of a cage induction motor,
    // as in A. K. Sawhney, "A Course in Electrical Machine Design", with
    // the number of poles written 2p.
    void checkSlotCombination(long long poles)
    {
        if (!(m.Z1 > 0) || m.Z1 != std::floor(m.Z1) || m.Z1 > 1e9 || m.Z2 <= 0)
            return;
        const auto z1 = static_cast<long long>(m.Z1);
        const long long z2 = m.Z2;
        const long long difference = std::llabs(z1 - z2);
        const QStringList keys{u"Z1"_s, u"Z2"_s, u"poles"_s};
        const QString numbers = u"Z1 − Z2 = %1 − %2 = %3，2p = %4"_s.arg(z1).arg(z2).arg(z1 - z2).arg(poles);
        const QString numbersEn
            = u"Z1 − Z2 = %1 − %2 = %3 with 2p = %4"_s.arg(z1).arg(z2).arg(z1 - z2).arg(poles);

        if (difference == 0) {
            warning(
                keys, u"槽配合规则 Z1 ≠ Z2：定转子槽数相等，起动时转子可能被锁住（%1）"_s.arg(numbers),
                u"slot-combination rule Z1 ≠ Z2: equal slot numbers may lock the rotor at standstill (%1)"_s
                    .arg(numbersEn));
            return;
        }
        if (difference == poles || difference == 2 * poles || difference == 5 * poles)
            warning(
                keys,
                u"槽配合规则 Z1 − Z2 ≠ ±2p、±2·2p、±5·2p：引起同步附加转矩，转矩曲线出现凹陷（%1）"_s.arg(
                    numbers),
                u"slot-combination rule Z1 − Z2 ≠ ±2p, ±2·2p, ±5·2p: synchronous torques dent the torque curve (%1)"_s
                    .arg(numbersEn));
        if (difference == 3 * poles)
            warning(
                keys,
                u"槽配合规则 Z1 − Z2 ≠ ±3·2p：三相电机起动时产生同步转矩，转子可能被锁住（%1）"_s.arg(
                    numbers),
                u"slot-combination rule Z1 − Z2 ≠ ±3·2p: a synchronous torque at standstill may lock a three-phase motor (%1)"_s
                    .arg(numbersEn));
        if (difference == 1 || difference == 2 || difference == poles + 1 || difference == poles + 2
            || difference == poles - 1 || difference == poles - 2)
            warning(
                keys,
                u"槽配合规则 Z1 − Z2 ≠ ±1、±2、±(2p ± 1)、±(2p ± 2)：引起噪声和振动（%1）"_s.arg(numbers),
                u"slot-combination rule Z1 − Z2 ≠ ±1, ±2, ±(2p ± 1), ±(2p ± 2): noise and vibration (%1)"_s
                    .arg(numbersEn));
    }

    const MotorModel &m;
    const QString &polesText;
    // A shape the script cannot draw yet is an error for a script, which
    // would refer to slot points it never makes.
    bool forScript;
    std::vector<Finding> findings;
};

}  // namespace

ToothPinch narrowestStatorTooth(const MotorModel &m)
{
    if (!drawsStatorSlot(m) || !(m.Z1 >= 3) || !std::isfinite(m.Z1))
        return {nan, QString(), nan, nan};
    const double bore = m.DI1 / 2;
    const double boreCornerAlong = std::sqrt(std::max(0.0, bore * bore - m.B01 * m.B01 / 4));
    const double bodyEnd = bore + m.H01 + m.H11 + m.H21;
    return narrowest(m, SlotSide::stator,
                     {{u"B01", boreCornerAlong, m.B01},
                      {u"B01", bore + m.H01, m.B01},
                      {u"B11", bore + m.H01 + m.H11, m.B11},
                      {u"B21", bodyEnd, m.B21}},
                     m.Z1);
}

ToothPinch narrowestRotorTooth(const MotorModel &m)
{
    if (!drawsRotorSlot(m) || m.Z2 < 3)
        return {nan, QString(), nan, nan};
    const double surface = m.D2 / 2;
    const double surfaceCornerAlong = std::sqrt(std::max(0.0, surface * surface - m.B02 * m.B02 / 4));
    return narrowest(m, SlotSide::rotor,
                     {{u"B02", surfaceCornerAlong, m.B02},
                      {u"B02", surface - m.H02, m.B02},
                      {u"B12", surface - m.H02 - m.H12, m.B12},
                      {u"B22", surface - m.H02 - m.H12 - m.H22, m.B22}},
                     m.Z2);
}

std::vector<Finding> checkDesign(const MotorModel &model)
{
    return checkDesign(model, QString());
}

std::vector<Finding> checkDesign(const MotorModel &model, const QString &poles)
{
    return Checker(model, poles, false).run();
}

std::vector<Finding> checkScriptDesign(const MotorModel &model, const QString &poles)
{
    return Checker(model, poles, true).run();
}

std::optional<long long> poleCountOf(const QString &poles)
{
    bool whole = false;
    const long long count = poles.trimmed().toLongLong(&whole);
    // Beyond a million poles the products in the rules could overflow.
    if (!whole || count <= 0 || count % 2 != 0 || count > 1000000)
        return std::nullopt;
    return count;
}

bool hasError(const std::vector<Finding> &findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding &finding) { return finding.severity == Severity::error; });
}

}  // namespace lamina
