#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace lamina::replay {

// The geometric parameters declared so far. Names are found regardless of
// case, as FLUX2D finds them.
class Parameters
{
public:
    struct Entry
    {
        QString declaredName;
        double value = 0;
    };

    void declare(const QString &name, double value) { entries.insert(name.toUpper(), {name, value}); }
    const Entry *find(const QString &name) const;

private:
    QHash<QString, Entry> entries;
};

struct Evaluation
{
    double value = 0;
    QString error;          // empty when the value stands
    QStringList respelled;  // names written in another case than declared, as written
};

// The value of an expression such as 'D2/2-H02' or '-Asind(B02/D2)':
// numbers, parameter names, + - * /, unary signs, parentheses and Asind
// (the arc sine in degrees).
Evaluation evaluate(const QString &expression, const Parameters &parameters);

}  // namespace lamina::replay
