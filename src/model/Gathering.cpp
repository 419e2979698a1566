#include "Gathering.h"

#include "LaminaError.h"
#include "Readings.h"

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

void gatherInputs(const InputTexts &texts, MotorModel &model)
{
    const auto number = [&texts](QStringView key) { return numberOf(texts, key); };
    const auto count = [&texts](QStringView key) { return countOf(texts, key); };

    model.repetitionNumberText = u"repetitionNumber='"_s + texts.value(u"periodNumber"_s) + u"',"_s;
    model.periodNumber = count(u"periodNumber");
    model.air = count(u"air");
    model.boxInnerDiameter = number(u"boxInnerDiameter");
    model.boxOuterDiameter = number(u"boxOuterDiameter");
    model.meshDeviation = number(u"meshDeviation");
    model.DI1 = number(u"DI1");
    model.D1 = number(u"D1");
    model.Z1 = number(u"Z1");
    model.B01 = number(u"B01");
    model.B11 = number(u"B11");
    model.B21 = number(u"B21");
    model.H01 = number(u"H01");
    model.H11 = number(u"H11");
    model.H21 = number(u"H21");
    model.R21 = number(u"R21");
    model.statorAlpha = number(u"statorAlpha");
    model.D2 = number(u"D2");
    model.DI2 = number(u"DI2");
    model.Z2 = count(u"Z2");
    model.B02 = number(u"B02");
    model.B12 = number(u"B12");
    model.B22 = number(u"B22");
    model.rotorBr3 = number(u"rotorBr3");
    model.rotorBr4 = number(u"rotorBr4");
    model.H02 = number(u"H02");
    model.H12 = number(u"H12");
    model.H22 = number(u"H22");
    model.rotorHr3 = number(u"rotorHr3");
    model.rotorRr1 = number(u"rotorRr1");
    model.rotorRr2 = number(u"rotorRr2");
    model.rotorD1 = number(u"rotorD1");
    model.rotorD2 = number(u"rotorD2");
    model.rotorBeta = number(u"rotorBeta");
    model.barExtension = number(u"barExtension");
    model.ringRadius = number(u"ringRadius");
    model.ringResistivity = number(u"ringResistivity") / 1000000;
    model.ringArea = number(u"ringArea") / 1000000;
}

}  // namespace lamina
