#pragma once

#include "design/Design.h"
#include "slots/SlotTypes.h"

#include <initializer_list>
#include <utility>

namespace lamina::fixtures {

// The window's defaults with every list choice made: the design that draws
// the whole sector and that no check may object to.
inline Design fullDesign()
{
    return completeDesign();
}

using Settings = std::initializer_list<std::pair<const char16_t *, const char16_t *>>;

inline MotorModel modelWith(Settings settings, Design design = fullDesign())
{
    for (const auto &[key, text] : settings)
        setDesignValue(design, QString::fromUtf16(key), QString::fromUtf16(text));
    return modelFromDesign(design);
}

}  // namespace lamina::fixtures
