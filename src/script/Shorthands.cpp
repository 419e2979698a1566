#include "Sections.h"

#include "model/LaminaError.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina::shorthand {
double divide(double dividend, double divisor, QStringView expression, QStringView divisorName)
{
    if (divisor == 0) {
        throw LaminaError(u"division by zero: %1 with %2 = 0"_s.arg(expression, divisorName),
                          u"除数为零：%1 中 %2 = 0"_s.arg(expression, divisorName));
    }
    return dividend / divisor;
}

}  // namespace lamina::shorthand
