#include "Fonts.h"

#include <QFont>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

QFont namedFont(const QString &family, qreal points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void addFontFallbacks()
{
    const QStringList serif{u"Noto Serif CJK SC"_s, u"Noto Sans CJK SC"_s};
    QFont::insertSubstitutions(u"宋体"_s, serif);
    QFont::insertSubstitutions(u"楷体"_s, {u"AR PL UKai CN"_s, u"Noto Serif CJK SC"_s});
    QFont::insertSubstitutions(u"隶书"_s, serif);
    QFont::insertSubstitutions(u"Times New Roman"_s,
                               {u"Liberation Serif"_s, u"DejaVu Serif"_s, u"Noto Serif CJK SC"_s});
}

}  // namespace lamina
