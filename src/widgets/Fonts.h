#pragma once

#include <QFont>
#include <QString>

namespace lamina {

// A font by family name and point size, as the window layouts give them.
QFont namedFont(const QString &family, qreal points, bool bold = false);

// The windows ask for the usual Chinese Windows faces by name; where a face
// is missing, prefer the CJK faces installed with the program.
void addFontFallbacks();

}  // namespace lamina
