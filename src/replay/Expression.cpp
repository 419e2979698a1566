#include "Expression.h"

#include <cmath>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace lamina::replay {

const Parameters::Entry *Parameters::find(const QString &name) const
{
    const auto it = entries.constFind(name.toUpper());
    return it == entries.cend() ? nullptr : &*it;
}

namespace {

struct Failure
{
    QString message;
};

class Evaluator
{
public:
    Evaluator(const QString &text, const Parameters &parameters, QStringList &respelled)
        : s(text)
        , parameters(parameters)
        , respelled(respelled)
    {}

    double run()
    {
        const double value = sum();
        skipSpace();
        if (pos < s.size())
            throw Failure{u"unexpected \"%1\""_s.arg(s.mid(pos))};
        return value;
    }

private:
    void skipSpace()
    {
        while (pos < s.size() && s[pos].isSpace())
            ++pos;
    }

    bool take(QChar c)
    {
        skipSpace();
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }

    double sum()
    {
        double value = product();
        while (true) {
            if (take(u'+'))
                value += product();
            else if (take(u'-'))
                value -= product();
            else
                return value;
        }
    }

    double product()
    {
        double value = unary();
        while (true) {
            if (take(u'*')) {
                value *= unary();
            } else if (take(u'/')) {
                const double divisor = unary();
                if (divisor == 0)
                    throw Failure{u"a division by zero"_s};
                value /= divisor;
            } else {
                return value;
            }
        }
    }

    double unary()
    {
        if (++nesting > maxNesting)
            throw Failure{u"the expression nests more than %1 deep"_s.arg(maxNesting)};
        const double value = signedValue();
        --nesting;
        return value;
    }

    double signedValue()
    {
        if (take(u'-'))
            return -unary();
        if (take(u'+'))
            return unary();
        return primary();
    }

    double primary()
    {
        skipSpace();
        if (take(u'(')) {
            const double value = sum();
            if (!take(u')'))
                throw Failure{u"\")\" missing"_s};
            return value;
        }
        const qsizetype start = pos;
        if (pos < s.size() && (s[pos].isDigit() || s[pos] == u'.')) {
            while (pos < s.size() && (s[pos].isDigit() || s[pos] == u'.'))
                ++pos;
            if (pos < s.size() && (s[pos] == u'e' || s[pos] == u'E')) {
                qsizetype e = pos + 1;
                if (e < s.size() && (s[e] == u'+' || s[e] == u'-'))
                    ++e;
                if (e < s.size() && s[e].isDigit()) {
                    pos = e;
                    while (pos < s.size() && s[pos].isDigit())
                        ++pos;
                }
            }
            bool ok = false;
            const double value = s.mid(start, pos - start).toDouble(&ok);
            if (!ok)
                throw Failure{u"\"%1\" is not a number"_s.arg(s.mid(start, pos - start))};
            return value;
        }
        while (pos < s.size() && (s[pos].isLetterOrNumber() || s[pos] == u'_'))
            ++pos;
        const QString name = s.mid(start, pos - start);
        if (name.isEmpty())
            throw Failure{pos < s.size() ? u"unexpected \"%1\""_s.arg(s[pos])
                                         : u"the expression ends too early"_s};
        if (take(u'(')) {
            const double argument = sum();
            if (!take(u')'))
                throw Failure{u"\")\" missing"_s};
            if (name.compare(u"Asind"_s, Qt::CaseInsensitive) != 0)
                throw Failure{u"unknown function %1"_s.arg(name)};
            if (std::abs(argument) > 1)
                throw Failure{u"Asind(%1) is outside -1 to 1"_s.arg(argument)};
            return std::asin(argument) * 180 / std::numbers::pi;
        }
        const Parameters::Entry *entry = parameters.find(name);
        if (!entry)
            throw Failure{u"the parameter %1 was never declared"_s.arg(name)};
        if (entry->declaredName != name && !respelled.contains(name))
            respelled.push_back(name);
        return entry->value;
    }

    const QString &s;
    const Parameters &parameters;
    QStringList &respelled;
    qsizetype pos = 0;
    int nesting = 0;
    static constexpr int maxNesting = 200;
};

}  // namespace

Evaluation evaluate(const QString &expression, const Parameters &parameters)
{
    Evaluation result;
    try {
        result.value = Evaluator(expression, parameters, result.respelled).run();
        if (!std::isfinite(result.value))
            result.error = u"the value is not finite"_s;
    } catch (const Failure &failure) {
        result.error = failure.message;
    }
    return result;
}

}  // namespace lamina::replay
