#include "EndRing.h"

#include "model/Gathering.h"
#include "model/LaminaError.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

// The calculator has always used this rounded value of pi; its results are
// quoted to engineers with it, so it stays.
constexpr double pi = 3.141593;

}  // namespace

EndRingResult computeEndRing(const MotorModel &model)
{
    if (model.Z2 == 0) {
        throw LaminaError(u"Z2 (rotor slot count) is 0: the end-ring values divide by it"_s,
                          u"转子槽数为 0，无法计算端环参数（除数为零）"_s);
    }
    if (model.ringArea == 0) {
        throw LaminaError(u"ringArea (end-ring cross-section) is 0: the end resistance divides by it"_s,
                          u"端环恒截面积为 0，无法计算端部电阻（除数为零）"_s);
    }
    const double Lb = model.barExtension;
    const double R = model.ringRadius;
    const double z2 = model.Z2;

    // The order of operations is kept step by step: it fixes the last digits.
    const double K = std::pow(pi, 2.0);
    double a = R / 2;
    a = a + a;
    const double b = a + Lb / 1.13;
    double c = b * 0.5046;
    c = c + c;
    double X = K * c;
    X = X * 4;
    X = X * pi;
    X = X / 10000000;
    X = X / z2;
    X = X / 2;

    const double Y = model.ringResistivity * pi * R / model.ringArea / z2;
    if (!std::isfinite(X) || !std::isfinite(Y)) {
        throw LaminaError(u"the end-ring values are infinite or undefined; check the inputs"_s,
                          u"端环参数的计算结果为无穷大或无意义，请检查输入"_s);
    }
    return {X, Y};
}

EndRingResult calculateEndRing(const InputTexts &texts, MotorModel &model)
{
    // The calculator's own reading order: a failing box leaves those after it
    // untouched.
    for (QStringView key : {u"barExtension", u"ringRadius", u"ringArea", u"ringResistivity", u"Z2"})
        gatherField(texts, key, model);
    return computeEndRing(model);
}

}  // namespace lamina
