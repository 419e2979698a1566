#include "RegionTable.h"

#include <array>

namespace lamina {
namespace {

// clang-format off
constexpr RegionRow rows[] = {
//   kind                        script name       numbered, filled by user, script colour, fill, legend place
//                               Chinese legend,                  English legend
//                               DXF layer, colour,   Gmsh group,     the part the design comparison names
//                                                                    (English, Chinese), where not by the script's name
    {RegionKind::box,            u"",              false, false, u"",          0xeeeff0, 9,
                                 u"无限元 box",                   u"infinite box",
                                 u"",              0,  u"",             u"infinite box",     u"无限盒"},
    {RegionKind::outerAir,       u"out_air",       false, true,  u"turquoise", 0xd6f2ee, 8,
                                 u"外部空气 out_air",             u"outer air (out_air)",
                                 u"out_air",       9,  u"out_air",      u"",                 u""},
    {RegionKind::statorCore,     u"Statorcore",    false, true,  u"cyan",      0x86d3e6, 0,
                                 u"定子铁心 Statorcore",          u"stator core (Statorcore)",
                                 u"Statorcore",    4,  u"Statorcore",   u"",                 u""},
    {RegionKind::airgapStator,   u"airgap_stator", false, true,  u"yellow",    0xf6de5c, 3,
                                 u"定子侧气隙 airgap_stator",     u"air gap, stator side (airgap_stator)",
                                 u"airgap_stator", 2,  u"airgap_stator", u"",                 u""},
    {RegionKind::airgapRotor,    u"airgap_rotor",  false, true,  u"turquoise", 0x4ccdbd, 4,
                                 u"转子侧气隙 airgap_rotor",      u"air gap, rotor side (airgap_rotor)",
                                 u"airgap_rotor",  9,  u"airgap_rotor", u"",                 u""},
    {RegionKind::rotorCore,      u"Rotorcore",     false, true,  u"cyan",      0xa4dfee, 6,
                                 u"转子铁心 Rotorcore",           u"rotor core (Rotorcore)",
                                 u"Rotorcore",     4,  u"Rotorcore",    u"",                 u""},
    {RegionKind::shaft,          u"Shaft",         false, true,  u"turquoise", 0x8fc9c1, 7,
                                 u"转轴 Shaft",                   u"shaft (Shaft)",
                                 u"Shaft",         8,  u"Shaft",        u"",                 u""},
    {RegionKind::bar,            u"BAR",           true,  false, u"Magenta",   0xd45dbf, 5,
                                 u"导条 BAR_n",                   u"rotor bar (BAR_n)",
                                 u"BAR",           3,  u"BAR",          u"",                 u""},
    {RegionKind::wedge,          u"Wedge",         false, false, u"White",     0xfbfbf8, 2,
                                 u"槽楔 Wedge",                   u"slot wedge (Wedge)",
                                 u"Wedge",         6,  u"Wedge",        u"",                 u"槽楔"},
    {RegionKind::statorSlotBody, u"",              false, false, u"",          0xeae4d6, 1,
                                 u"定子槽身（未定义区域）",       u"stator slot body (no region)",
                                 u"stator_slots",  1,  u"stator_slots", u"stator slot body", u"定子槽身"},
};
// clang-format on

constexpr bool inKindOrder()
{
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        if (rows[k].kind != RegionKind(k))
            return false;
    }
    return rows[std::size(rows) - 1].kind == RegionKind::statorSlotBody;
}
static_assert(inKindOrder(), "one row per RegionKind, in the enumeration's order");

constexpr bool eachLegendPlaceOnce()
{
    std::array<bool, std::size(rows)> taken{};
    for (const RegionRow &row : rows) {
        if (row.legendPlace < 0 || std::size_t(row.legendPlace) >= taken.size() || taken[row.legendPlace])
            return false;
        taken[row.legendPlace] = true;
    }
    return true;
}
static_assert(eachLegendPlaceOnce(), "the legend places number the rows from 0");

QString numberedName(QStringView name, bool numbered, int number)
{
    if (name.isEmpty() || !numbered)
        return name.toString();
    return name.toString() + u'_' + QString::number(number);
}

}  // namespace

std::span<const RegionRow> regionTable()
{
    return rows;
}

const RegionRow &regionRow(RegionKind kind)
{
    return rows[std::size_t(kind)];
}

std::span<const RegionKind> legendOrder()
{
    static const std::array<RegionKind, std::size(rows)> order = [] {
        std::array<RegionKind, std::size(rows)> kinds{};
        for (const RegionRow &row : rows)
            kinds[std::size_t(row.legendPlace)] = row.kind;
        return kinds;
    }();
    return order;
}

QString scriptRegionName(RegionKind kind, int number)
{
    const RegionRow &row = regionRow(kind);
    return numberedName(row.scriptName, row.numbered, number);
}

QString gmshGroupName(RegionKind kind, int number)
{
    const RegionRow &row = regionRow(kind);
    return numberedName(row.gmshGroup, row.numbered, number);
}

std::optional<RegionKind> regionKindNamed(QStringView name)
{
    for (const RegionRow &row : rows) {
        if (row.scriptName.isEmpty())
            continue;
        if (row.numbered
                ? name.startsWith(row.scriptName) && name.sliced(row.scriptName.size()).startsWith(u'_')
                : name == row.scriptName)
            return row.kind;
    }
    return std::nullopt;
}

}  // namespace lamina
