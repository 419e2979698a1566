#pragma once

namespace lamina {

// The windows ask for the usual Chinese Windows faces by name; where a face
// is missing, prefer the CJK faces installed with the program.
void addFontFallbacks();

} // namespace lamina
