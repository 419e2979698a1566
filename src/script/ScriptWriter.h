#pragma once

#include "files/SaveFile.h"
#include "model/MotorModel.h"

#include <QByteArray>
#include <QString>

namespace lamina {

// The whole command script for a gathered model, as the bytes of the file.
// Pure: touches no file. Throws LaminaError when the script cannot be
// complete (a zero divisor, a 16-bit overflow, a text GBK cannot hold).
QByteArray writeScript(const MotorModel &model);

// Puts the bytes at path through saveFile: an existing file is replaced
// only when allowed, and only once the new one is complete on disk. Throws
// LaminaError when it cannot; the old file and the folder are then left as
// they were.
void saveScript(const QString &path, const QByteArray &bytes, ExistingFile existing);

// writeScript then saveScript to model.scriptPath.
void writeScriptFile(const MotorModel &model, ExistingFile existing);

}  // namespace lamina
