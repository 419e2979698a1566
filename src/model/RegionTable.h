#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace lamina {

// What a closed region of the sector is made of. The comments name the
// region the script declares for it.
enum class RegionKind {
    box,             // the infinite box ring
    outerAir,        // out_air: from the stator outer circle to the box
    statorCore,      // Statorcore
    airgapStator,    // airgap_stator: air-gap arc to bore
    airgapRotor,     // airgap_rotor: rotor surface to air-gap arc
    rotorCore,       // Rotorcore
    shaft,           // Shaft
    bar,             // BAR_n: a whole rotor slot, opening included
    wedge,           // Wedge: a stator slot's opening and wedge
    statorSlotBody,  // the stator slot body, which the script leaves without a region
};

// What each kind of region is called and how it is painted, wherever the
// sector goes: the script's region, the preview, the DXF layers, the Gmsh
// groups and the replay all read this one table.
struct RegionRow
{
    RegionKind kind;
    // The region the script declares, empty where it declares none. A
    // numbered kind has one region per slot: the name, '_' and its number.
    QStringView scriptName;
    bool numbered;
    // Declared without faces, for the user to fill in FLUX2D; the other
    // regions the script fills itself.
    bool filledByUser;
    QStringView scriptColour;  // the script's Color['...'], empty where it declares no region
    unsigned fill;             // the preview's fill, 0xRRGGBB
    int legendPlace;           // the preview legend lists the kinds by it, from the top
    QStringView legendChinese;
    QStringView legendEnglish;
    QStringView dxfLayer;   // the sector drawing's layer; empty for the box, which it leaves out
    int dxfColour;          // the layer's colour index
    QStringView gmshGroup;  // the physical surface, numbered like the script's name; empty for the box
    // The part as the comparison of a replayed script with the design names
    // it, where not by the script's name (empty then).
    QStringView partEnglish;
    QStringView partChinese;
};

// One row per kind, in the order of the enumeration.
std::span<const RegionRow> regionTable();
const RegionRow &regionRow(RegionKind kind);

// The kinds as the preview legend lists them.
std::span<const RegionKind> legendOrder();

// The script's name of a region, `number` counting the slots from 1 for a
// numbered kind; empty where the script declares none.
QString scriptRegionName(RegionKind kind, int number = 0);
QString gmshGroupName(RegionKind kind, int number = 0);

// The kind of a region the script declares, by its name (BAR_7 is a bar).
std::optional<RegionKind> regionKindNamed(QStringView scriptName);

}  // namespace lamina
