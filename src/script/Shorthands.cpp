#include "Sections.h"

#include "model/LaminaError.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina::shorthand {
namespace {

double byPeriodCount(double dividend, const MotorModel &model, QStringView expression)
{
    if (model.periodNumber == 0) {
        throw LaminaError(u"division by zero: %1 with the period count P = 0"_s.arg(expression),
                          u"除数为零：%1 中的周期数 P = 0"_s.arg(expression));
    }
    return dividend / double(model.periodNumber);
}

Int16 timesZ2(int factor, const MotorModel &model)
{
    return Int16::checked(static_cast<long long>(factor) * model.Z2, [&] {
        return std::pair{u"%1 × Z2 with the rotor slot count Z2 = %2"_s.arg(factor).arg(model.Z2),
                         u"%1 × Z2（转子槽数 Z2 = %2）"_s.arg(factor).arg(model.Z2)};
    });
}

}  // namespace

double divide(double dividend, double divisor, QStringView expression, QStringView divisorName)
{
    if (divisor == 0) {
        throw LaminaError(u"division by zero: %1 with %2 = 0"_s.arg(expression, divisorName),
                          u"除数为零：%1 中 %2 = 0"_s.arg(expression, divisorName));
    }
    return dividend / divisor;
}

double q(const MotorModel &model)
{
    return byPeriodCount(double(model.Z2), model, u"Z2 / P");
}

double R(const MotorModel &model)
{
    return byPeriodCount(timesZ2(12, model).toDouble(), model, u"12 × Z2 / P");
}

double F(const MotorModel &model)
{
    return byPeriodCount(timesZ2(2, model).toDouble(), model, u"2 × Z2 / P");
}

double C(const MotorModel &model)
{
    return byPeriodCount(model.Z1, model, u"Z1 / P") - 1;
}

double S(const MotorModel &model)
{
    return (byPeriodCount(model.Z1, model, u"Z1 / P") - 1) * 10;
}

}  // namespace lamina::shorthand
