#pragma once

#include "model/InputFields.h"
#include "model/MotorModel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <stdexcept>

namespace lamina {

// A design as a user keeps it outside the window: the text of every input
// box and the four list choices, each of which may never have been made.
struct Design
{
    InputTexts texts = defaultInputTexts();
    std::optional<QString> statorSlotType;
    std::optional<QString> rotorSlotType;
    std::optional<QString> periodicityType;
    std::optional<QString> fluxVersion;
    // The machine's pole count 2p as typed, empty when not given. Only the
    // design checks and the design data read it; the script never does.
    QString poles;
};

// A design file or a KEY=TEXT setting that cannot be used.
class DesignError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Sets one key, as a text box or list choice would hold it. Throws
// DesignError for a key that is not a design key.
void setDesignValue(Design &design, const QString &key, const QString &text);

// Overlays a JSON object on the design. Values must be strings or numbers;
// a number is taken as the shortest text that reads back as the same value.
void applyDesignJson(Design &design, const QByteArray &json);

// The design as a JSON object with every key.
QJsonObject designToJson(const Design &design);

// The window's defaults with every list choice made as the lists offer them
// (version 11.2): the design that draws the whole sector.
Design completeDesign();

// Builds the model a design stands for: the picks as the window's handlers
// would apply them, then every box gathered. Throws LaminaError as
// gatherInputs does.
MotorModel modelFromDesign(const Design &design);

}  // namespace lamina
