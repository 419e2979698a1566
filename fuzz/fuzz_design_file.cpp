// Any bytes as a design file, all the way to the script, as lamina-cli does
// with --design: a file it cannot use is a DesignError, a design it cannot
// write is a LaminaError, and everything else is a complete script. A number
// in the file keeps its value, and a design that was read survives being
// saved and read again.

#include "ScriptChecks.h"
#include "design/Design.h"
#include "model/InputFields.h"
#include "model/LaminaError.h"
#include "model/Readings.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include <cstdint>

using namespace lamina;

namespace {

bool validUtf16(const Design &design)
{
    for (const QString &text : design.texts) {
        if (!QStringView(text).isValidUtf16())
            return false;
    }
    for (const std::optional<QString> *pick :
         {&design.statorSlotType, &design.rotorSlotType, &design.periodicityType, &design.fluxVersion}) {
        if (*pick && !QStringView(**pick).isValidUtf16())
            return false;
    }
    return true;
}

// The text a JSON number becomes must read as the number itself. A file
// with two entries under one key is refused before this; the map keeps the
// last one all the same.
void requireNumbersKept(const QByteArray &json, const Design &design)
{
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    QMap<QString, QJsonValue> applied;
    for (auto it = object.begin(); it != object.end(); ++it)
        applied.insert(it.key(), it.value());
    for (auto it = applied.cbegin(); it != applied.cend(); ++it) {
        if (!it.value().isDouble() || !findInputField(it.key()))
            continue;
        const QString text = design.texts.value(it.key());
        const std::optional<double> number = readNumber(text);
        if (!number || *number != it.value().toDouble())
            fuzz::fail("the JSON number %.17g of %s became the text \"%s\"", it.value().toDouble(),
                       qPrintable(it.key()), qPrintable(text));
    }
}

void requireRoundTrip(const Design &design)
{
    // JSON text is UTF-8, which cannot carry a lone surrogate.
    if (!validUtf16(design))
        return;
    const QByteArray saved = QJsonDocument(designToJson(design)).toJson();
    Design reread;
    try {
        applyDesignJson(reread, saved);
    } catch (const DesignError &error) {
        fuzz::fail("a saved design does not read back: %s", error.what());
    }
    if (reread.texts != design.texts || reread.statorSlotType != design.statorSlotType
        || reread.rotorSlotType != design.rotorSlotType || reread.periodicityType != design.periodicityType
        || reread.fluxVersion != design.fluxVersion)
        fuzz::fail("a saved design reads back different:\n%s", saved.constData());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    Design design;
    try {
        applyDesignJson(design, json);
    } catch (const DesignError &) {
        return 0;
    }
    requireNumbersKept(json, design);
    requireRoundTrip(design);

    fuzz::requireScriptOrCleanError(design);
    return 0;
}
