#include "ScriptWriter.h"

#include "Sections.h"
#include "SlotSections.h"
#include "model/LaminaError.h"

#include <QStringEncoder>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

// A text the user typed goes into the script as it stands, so it must be one
// line of GBK: a line break would tear the script's line structure apart,
// and the other control characters have no place in it. A TAB is a blank
// inside the line and stays as typed.
QByteArray copiedText(const QString &text, QStringView nameEn, QStringView nameZh)
{
    for (const QChar c : text) {
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7f) {
            throw LaminaError(
                u"%1 \"%2\" contains a control character (code %3), which the script cannot hold"_s
                    .arg(nameEn, textForMessage(text))
                    .arg(c.unicode()),
                u"%1“%2”含有控制字符（代码 %3），无法写入命令文件"_s.arg(nameZh, textForMessage(text))
                    .arg(c.unicode()));
        }
    }
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    // The encoder quietly substitutes a lone surrogate, so look for one first.
    if (!QStringView(text).isValidUtf16() || encoder.hasError()) {
        throw LaminaError(u"%1 \"%2\" holds characters that the GBK code page cannot encode"_s.arg(
                              nameEn, textForMessage(text)),
                          u"%1“%2”含有 GBK 编码无法表示的字符"_s.arg(nameZh, textForMessage(text)));
    }
    return bytes;
}

// The period count's text stands between quotes in the periodicity command;
// a quote or backslash in it would end that string early.
void checkQuotedText(const QString &typed)
{
    if (typed.contains(u'\'') || typed.contains(u'\\')) {
        throw LaminaError(
            u"number of periods \"%1\" contains a quote or backslash, which would break the periodicity command"_s
                .arg(textForMessage(typed)),
            u"周期数“%1”含有引号或反斜杠，会破坏周期设置命令"_s.arg(textForMessage(typed)));
    }
}

}  // namespace

QByteArray writeScript(const MotorModel &model)
{
    const QString prefix = u"repetitionNumber='"_s;
    const QString &repetition = model.repetitionNumberText;
    if (repetition.startsWith(prefix) && repetition.endsWith(u"',"_s))
        checkQuotedText(repetition.mid(prefix.size(), repetition.size() - prefix.size() - 2));

    const CopiedTexts copied{
        copiedText(model.fluxVersion, u"FLUX2D version", u"FLUX版本"),
        copiedText(model.periodicityTypeText, u"periodicity type", u"周期类型"),
        copiedText(model.repetitionNumberText, u"number of periods", u"周期数"),
    };

    // Where the rotor or the stator has no section, the later sections
    // still count on today's slots, as they always have.
    const std::optional<RotorSlotDrawing> rotor = rotorSlotDrawing(model);
    const std::optional<StatorSlotDrawing> stator = statorSlotDrawing(model);
    const ScriptNumbering numbering(model, rotor ? rotor->counts() : trapezoidRotorSlotCounts,
                                    stator ? stator->counts() : pearStatorSlotCounts);
    ScriptText out;
    writeHeaderAndBanner(out, copied);
    writePreambleAndParameters(out, model, copied);
    writeCoordinateSystems(out, model);
    if (scriptDrawsRotorSlot(model)) {
        if (rotor)
            writeRotorSlotDrawing(out, *rotor, numbering);
        else
            writeRotorSlot(out);
        writeRotorSlotCopies(out, numbering);
    }
    if (scriptDrawsStatorSlot(model)) {
        if (stator)
            writeStatorSlotDrawing(out, *stator, numbering);
        else
            writeStatorSlot(out, numbering);
        writeStatorSlotCopies(out, numbering);
    }
    writePeriodicSector(out, model, numbering);
    writeRegionsAndMesh(out, model);
    return out.bytes();
}

void writeScriptFile(const MotorModel &model, ExistingFile existing)
{
    saveScript(model.scriptPath, writeScript(model), existing);
}

}  // namespace lamina
