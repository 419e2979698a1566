#include "LaminaError.h"

namespace lamina {

LaminaError::LaminaError(QString english, QString chinese)
    : englishText(std::move(english))
    , chineseText(std::move(chinese))
    , englishUtf8(englishText.toUtf8())
{}

}  // namespace lamina
