#pragma once

// OLE colours as the controls' properties hold them: 0x00BBGGRR, or, with the
// high bit set, a system colour whose index is the low byte
// (0x8000000F is the button face). Resolved here before anything is drawn.

#include <cstdint>
#include <optional>

#include "platform/Canvas.h"

namespace lanternfly {

using OleColour = std::uint32_t;

constexpr OleColour kSystemColourFlag = 0x80000000u;
constexpr OleColour SystemColourOf(int index) { return kSystemColourFlag | static_cast<OleColour>(index); }

// A system colour by its index (GetSysColor's COLOR_ numbers, 0 to 30).
// Windows asks the system; the native build answers with Windows' standard
// scheme, so that tests see fixed values.
Colour SystemColour(int index);

// OleTranslateColor without a palette: a plain RGB value as it is, a system
// colour resolved; nothing for a value that names no colour.
std::optional<Colour> TranslateOleColour(OleColour colour);

}  // namespace lanternfly
