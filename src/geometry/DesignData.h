#pragma once

#include "geometry/SectorGeometry.h"
#include "model/MotorModel.h"

#include <QString>
#include <QStringList>

#include <limits>
#include <vector>

namespace lamina {

// The figures an engineer checks by hand before meshing, taken from the
// sector geometry the preview draws: millimetres, square millimetres and
// degrees. NaN wherever the geometry gives no answer, and in a
// default-constructed value.
inline constexpr double noFigure = std::numeric_limits<double>::quiet_NaN();

struct SlotData
{
    double slotArea = noFigure;         // the whole slot, opening included, up to the bore or rotor circle
    double slotOpeningArea = noFigure;  // the opening or wedge: from that circle to the slot's first split
                                        // (bs1, br1); 0 for a closed slot
    double slotBodyArea = noFigure;     // slotArea − slotOpeningArea
    // The double cages' parts; NaN for a slot without them.
    double upperCageArea = noFigure;
    double neckArea = noFigure;
    double lowerCageArea = noFigure;
    double bridgeThickness = noFigure;  // the iron over a closed slot; NaN for an open one
    double slotHeight = noFigure;       // from the bore or rotor surface to the slot's far end
    double yokeHeight = noFigure;       // from the slot end to the outer circle, or the shaft
    double slotPitch = noFigure;        // arc length at the bore or rotor surface
    double slotOpening = noFigure;      // b0: b01 or b02
    // The tooth between two slots, measured square to the line halfway
    // between them, found exactly over the slot's whole side from the
    // circle to the far end.
    double toothWidthMin = noFigure;
    double toothWidthMinRadius = noFigure;  // where, as a distance from the machine centre
    double toothWidthMax = noFigure;
    double toothWidthMaxRadius = noFigure;
};

struct EndRingData
{
    double leakageInductance = noFigure;  // H
    double resistance = noFigure;         // ohm
};

struct SectorData
{
    int periods = 0;                // P
    double angle = noFigure;        // 360/P, degrees
    double statorSlots = noFigure;  // Z1/P
    double rotorSlots = noFigure;   // Z2/P
};

struct DesignData
{
    SlotData stator;
    SlotData rotor;
    double airGap = noFigure;  // δ = (DI1 − D2)/2
    double carterStator = noFigure;
    double carterRotor = noFigure;
    double carter = noFigure;  // carterStator × carterRotor
    EndRingData endRing;
    SectorData sector;
    // Why the slot figures are missing, empty when the geometry was formed.
    QString problemChinese;
    QString problemEnglish;
    QStringList problemKeys;  // the design keys that shape the missing part

    bool complete() const { return problemEnglish.isEmpty(); }
};

// The Carter factor of one slotted surface facing a smooth one, by the
// classical approximation k = τ / (τ − γδ), γ = (b0/δ)² / (5 + b0/δ).
// 1 for a closed slot; NaN for an air gap or pitch that is not positive.
double carterFactor(double slotPitch, double slotOpening, double airGap);

// Every figure from the model and its geometry (as buildSectorGeometry
// gives it). Never throws; the end ring's figures are NaN when the
// calculator refuses its inputs.
DesignData computeDesignData(const MotorModel &model, const SectorGeometry &geometry);
DesignData computeDesignData(const MotorModel &model);

// One line of the design-data table, as the window, the terminal and a
// spreadsheet show it: a stator and a rotor figure, or one figure alone.
struct DesignDataRow
{
    QString chinese;
    QString english;
    QString unit;
    double first;   // the stator figure, or the only one
    double second;  // the rotor figure; NaN on rows with one figure
    bool paired;    // a stator and a rotor column
    // Where each figure goes in the JSON report, as "object/key".
    QString firstKey;
    QString secondKey;
};

std::vector<DesignDataRow> designDataRows(const DesignData &data);

// A figure as the tables show it: six significant digits, "—" for NaN.
QString designFigureText(double value);

}  // namespace lamina
