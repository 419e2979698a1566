#pragma once

#include "design/Design.h"
#include "model/MotorModel.h"

#include <QByteArray>

namespace lamina::fuzz {

// Prints what went wrong and aborts, so libFuzzer keeps the input.
[[noreturn]] void fail(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Aborts unless script is a complete script for model: CR LF after every
// line and no other control bytes, valid GBK, the Shaft region as the last
// line, the user's texts copied unchanged, and no infinite or NaN number
// anywhere else.
void requireCompleteScript(const QByteArray &script, const MotorModel &model);

// Writes the script for a design: either it is complete, or the failure is a
// LaminaError with a message in both languages.
void requireScriptOrCleanError(const Design &design);

}  // namespace lamina::fuzz
