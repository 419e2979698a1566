#pragma once

#include "model/InputFields.h"
#include "model/LaminaError.h"
#include "model/MotorModel.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <array>
#include <optional>

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

    bool operator==(const Design &) const = default;
};

// One list of the main window whose pick the design keeps.
struct DesignPick
{
    QStringView key;
    std::optional<QString> Design::*member;
    QStringView control;  // the list in the main window
    QStringView labelZh;  // how the window names the choice
};

// clang-format off
inline constexpr std::array<DesignPick, 4> designPicks{{
    {u"statorSlotType", &Design::statorSlotType, u"k2Combo1", u"定子槽型"},
    {u"rotorSlotType", &Design::rotorSlotType, u"k4Combo3", u"转子槽型"},
    {u"periodicityType", &Design::periodicityType, u"Combo1", u"周期类型"},
    {u"fluxVersion", &Design::fluxVersion, u"Combo2", u"FLUX版本"},
}};
// clang-format on

const DesignPick *findDesignPick(QStringView key);

// A design file or a KEY=TEXT setting that cannot be used, said in English
// for the command line and in Chinese for the window.
class DesignError : public LaminaError
{
public:
    using LaminaError::LaminaError;
};

// The largest design file that is read; a design holds some forty short
// texts, so anything near this is not one.
inline constexpr qint64 maxDesignFileBytes = qint64(1) << 20;

// Sets one key, as a text box or list choice would hold it. Throws
// DesignError for a key that is not a design key.
void setDesignValue(Design &design, const QString &key, const QString &text);

// Overlays a JSON object on the design. Values must be strings or numbers;
// a number is taken as the shortest text that reads back as the same value.
// Throws DesignError naming the line and column of malformed JSON, an
// unknown key or a value that is neither, and naming the line of a key
// given twice or starting with U+FEFF (which would pass unseen otherwise).
void applyDesignJson(Design &design, const QByteArray &json);

// Reads a design file over the given design. Refuses, before reading it, a
// path that is not a regular file (a folder, a FIFO, a device) or a file
// larger than maxDesignFileBytes. Throws DesignError naming the file.
void applyDesignFile(Design &design, const QString &path);

// The window's defaults overlaid with the file.
Design readDesignFile(const QString &path);

// The design as a JSON object with every box key and poles; a pick only
// when it was made.
QJsonObject designToJson(const Design &design);

// The bytes of a design file: UTF-8, keys sorted, indented, a final newline.
QByteArray designFileBytes(const Design &design);

// The window's defaults with every list choice made as the lists offer them
// (version 11.2): the design that draws the whole sector.
Design completeDesign();

// Builds the model a design stands for: the picks as the window's handlers
// would apply them, then every box gathered. Throws LaminaError as
// gatherInputs does.
MotorModel modelFromDesign(const Design &design);

}  // namespace lamina
