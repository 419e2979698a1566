#include "Gathering.h"

#include "LaminaError.h"
#include "Readings.h"

#include <type_traits>
#include <variant>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

const InputField &fieldOf(QStringView key)
{
    const InputField *field = findInputField(key);
    Q_ASSERT(field);
    return *field;
}

}  // namespace

double numberOf(const InputTexts &texts, QStringView key)
{
    const QString text = texts.value(key.toString());
    if (const std::optional<double> number = readNumber(text))
        return *number;
    const InputField &field = fieldOf(key);
    throw LaminaError(u"%1 (%2): the number \"%3\" is too large for a double-precision value"_s.arg(
                          field.key, field.labelEn, textForMessage(text)),
                      u"%1：数值“%2”超出双精度数的范围"_s.arg(field.labelZh, textForMessage(text)));
}

std::int16_t countOf(const InputTexts &texts, QStringView key)
{
    const QString text = texts.value(key.toString());
    if (const std::optional<std::int16_t> count = readCount(text))
        return *count;
    const InputField &field = fieldOf(key);
    throw LaminaError(
        u"%1 (%2): \"%3\" does not round to a whole number within -32768 to 32767"_s.arg(
            field.key, field.labelEn, textForMessage(text)),
        u"%1：“%2”取整后不在 -32768 到 32767 的范围内"_s.arg(field.labelZh, textForMessage(text)));
}

void gatherField(const InputTexts &texts, QStringView key, MotorModel &model)
{
    const InputField &field = fieldOf(key);
    std::visit(
        [&](auto member) {
            using Target = std::remove_reference_t<decltype(model.*member)>;
            if constexpr (std::is_same_v<Target, std::int16_t>) {
                model.*member = countOf(texts, field.key);
            } else {
                const double number = numberOf(texts, field.key);
                model.*member = field.scale == perMillion ? number / 1000000 : number;
            }
        },
        field.member);
}

void gatherInputs(const InputTexts &texts, MotorModel &model)
{
    // The period number is read twice: its text as typed goes into the
    // periodicity command, its Count everywhere else.
    model.repetitionNumberText = u"repetitionNumber='"_s + texts.value(u"periodNumber"_s) + u"',"_s;
    for (const InputField &field : inputFields)
        gatherField(texts, field.key, model);
}

}  // namespace lamina
