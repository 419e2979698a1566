#include "LaminaError.h"

namespace lamina {

LaminaError::LaminaError(QString english, QString chinese)
    : englishText(std::move(english))
    , chineseText(std::move(chinese))
    , englishUtf8(englishText.toUtf8())
{}

QString textForMessage(const QString &text)
{
    constexpr qsizetype limit = 40;
    if (text.size() <= limit)
        return text;
    qsizetype cut = limit;
    if (text[cut - 1].isHighSurrogate())
        --cut;
    return text.left(cut) + u'…';
}

}  // namespace lamina
