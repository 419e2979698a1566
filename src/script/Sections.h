#pragma once

#include "Int16.h"
#include "ScriptText.h"
#include "model/MotorModel.h"

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
void writeRotorSlot(ScriptText &out, const MotorModel &model);
void writeStatorSlot(ScriptText &out, const MotorModel &model);
void writeStatorSlotCopies(ScriptText &out, const MotorModel &model);
void writePeriodicSector(ScriptText &out, const MotorModel &model);
void writeRegionsAndMesh(ScriptText &out, const MotorModel &model);

// Numbers the sections share. Each is formed afresh where it is used, in
// the order of operations the point and face numbering depends on.
namespace shorthand {

// dividend / divisor, refusing a zero divisor (named in the message).
double divide(double dividend, double divisor, QStringView expression, QStringView divisorName);
double q(const MotorModel &model);  // rotor slots per period: Z2 / P
double R(const MotorModel &model);  // 12 × Z2 / P, the product in 16 bits
double F(const MotorModel &model);  // 2 × Z2 / P, the product in 16 bits
double C(const MotorModel &model);  // stator slot copies per period: Z1 / P − 1
double S(const MotorModel &model);  // points the stator copies add: (Z1 / P − 1) × 10

}  // namespace shorthand

}  // namespace lamina
