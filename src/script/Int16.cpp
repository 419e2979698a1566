#include "Int16.h"

#include "model/LaminaError.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

Int16 result(long long value, int a, QChar op, int b)
{
    return Int16::checked(value, [&] {
        const QString label = u"%1 %2 %3"_s.arg(a).arg(op).arg(b);
        return std::pair{label, label};
    });
}

}  // namespace

void Int16::overflow(long long value, const QString &label, const QString &labelZh)
{
    throw LaminaError(u"16-bit overflow: %1 = %2 lies outside -32768 to 32767"_s.arg(label).arg(value),
                      u"16 位整数溢出：%1 = %2，超出 -32768 到 32767 的范围"_s.arg(labelZh).arg(value));
}

Int16 operator+(Int16 a, Int16 b)
{
    return result(static_cast<long long>(a.v) + b.v, a.v, u'+', b.v);
}

Int16 operator-(Int16 a, Int16 b)
{
    return result(static_cast<long long>(a.v) - b.v, a.v, u'-', b.v);
}

Int16 operator*(Int16 a, Int16 b)
{
    return result(static_cast<long long>(a.v) * b.v, a.v, u'×', b.v);
}

}  // namespace lamina
