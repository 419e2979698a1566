#pragma once

#include "model/MotorModel.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lamina {

enum class Severity {
    warning,  // FLUX2D may reject the script, or the design is doubtful
    error,    // the model cannot be right
};

// One thing wrong with a design, said before FLUX2D says it.
struct Finding
{
    Severity severity;
    QStringList keys;  // the input fields and list choices involved, as design keys
    QString chinese;   // one sentence with the broken inequality and its numbers
    QString english;
};

// Everything doubtful about a gathered model, most basic first. Reads the
// model only; the script does not depend on it. A sound design gives none.
std::vector<Finding> checkDesign(const MotorModel &model);

// The same with the machine's pole count 2p as typed (the design's poles
// text; empty when not given). A pole count adds the periodicity judgement
// and the slot-combination advice; a text that is not an even whole number
// from 2 to 1000000 is an error and gives neither.
std::vector<Finding> checkDesign(const MotorModel &model, const QString &poles);

// The same for writing a script: a slot shape the script cannot draw yet is
// an error there, since the script would refer to points it never creates.
std::vector<Finding> checkScriptDesign(const MotorModel &model, const QString &poles);

// The pole count 2p a text stands for; nullopt for an empty text and for one
// that is not an even whole number from 2 to 1000000.
std::optional<long long> poleCountOf(const QString &poles);

bool hasError(const std::vector<Finding> &findings);

// How far from the centre a drawing may reach, in mm. DXF numbers are
// written with sixteen decimals into a fixed line, and beyond this nothing
// of a lamination is left to draw; checkDesign refuses designs that reach
// further, and the drawings are formed only within it.
inline constexpr double drawingReach = 1e6;

// The shortest slot dimension drawn, in mm, other than zero: shorter edges
// fall below what the drawings tell apart from a point.
inline constexpr double shortestSlotDimension = 1e-3;

// The narrowest tooth of a core and where it is. Widths in mm; a width of
// zero or less means neighbouring slots touch or overlap.
struct ToothPinch
{
    double width;          // tooth width at its narrowest
    QString slotWidthKey;  // the slot width at that depth, e.g. "B21"
    double slotWidth;      // that width in mm
    double pitch;          // the slot pitch across the slot at that depth
};

// NaN widths when the slot is not drawn or its count is below 3.
ToothPinch narrowestStatorTooth(const MotorModel &model);
ToothPinch narrowestRotorTooth(const MotorModel &model);

}  // namespace lamina
