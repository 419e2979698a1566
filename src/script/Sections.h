#pragma once

#include "Int16.h"
#include "ScriptNumbering.h"
#include "ScriptText.h"
#include "model/MotorModel.h"
#include "model/RegionTable.h"

#include <QByteArray>

namespace lamina {

// Texts the user typed that the script copies as they are, already encoded.
struct CopiedTexts
{
    QByteArray fluxVersion;
    QByteArray periodicityTypeText;
    QByteArray repetitionNumberText;
};

// The section writers, in the order the script holds them.
void writeHeaderAndBanner(ScriptText &out, const CopiedTexts &copied);
void writePreambleAndParameters(ScriptText &out, const MotorModel &model, const CopiedTexts &copied);
void writeCoordinateSystems(ScriptText &out, const MotorModel &model);
void writeRotorSlot(ScriptText &out);  // the trapezoid, today's literal lines
void writeRotorSlotCopies(ScriptText &out, const ScriptNumbering &numbering);
void writeStatorSlot(ScriptText &out, const ScriptNumbering &numbering);  // the pear
void writeStatorSlotCopies(ScriptText &out, const ScriptNumbering &numbering);
void writePeriodicSector(ScriptText &out, const MotorModel &model, const ScriptNumbering &numbering);
void writeRegionsAndMesh(ScriptText &out, const MotorModel &model);
// The declaration of one region, by its row in the region table; `number`
// counts the bars from 1.
void writeRegionFace(ScriptText &out, RegionKind kind, int number = 0);

namespace shorthand {

// dividend / divisor, refusing a zero divisor (named in the message).
double divide(double dividend, double divisor, QStringView expression, QStringView divisorName);

}  // namespace shorthand

}  // namespace lamina
