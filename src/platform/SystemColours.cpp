// The native build's system colours: Windows' standard scheme, fixed, so
// that what the controls draw in tests does not depend on the machine.

#include "platform/SystemColours.h"

#include <array>

namespace lanternfly {

namespace {

constexpr std::array<Colour, 31> kStandardScheme = {
    Rgb(212, 208, 200),  // 0 scroll bar
    Rgb(58, 110, 165),   // 1 desktop
    Rgb(10, 36, 106),    // 2 active caption
    Rgb(128, 128, 128),  // 3 inactive caption
    Rgb(212, 208, 200),  // 4 menu
    Rgb(255, 255, 255),  // 5 window
    Rgb(0, 0, 0),        // 6 window frame
    Rgb(0, 0, 0),        // 7 menu text
    Rgb(0, 0, 0),        // 8 window text
    Rgb(255, 255, 255),  // 9 caption text
    Rgb(212, 208, 200),  // 10 active border
    Rgb(212, 208, 200),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(10, 36, 106),    // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(212, 208, 200),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(212, 208, 200),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(64, 64, 64),     // 21 3-D dark shadow
    Rgb(212, 208, 200),  // 22 3-D light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
    Rgb(181, 181, 181),  // 25 alternate button face
    Rgb(0, 0, 128),      // 26 hot-tracked item
    Rgb(166, 202, 240),  // 27 active caption gradient
    Rgb(192, 192, 192),  // 28 inactive caption gradient
    Rgb(10, 36, 106),    // 29 menu highlight
    Rgb(212, 208, 200),  // 30 menu bar
};

}  // namespace

Colour SystemColour(int index) {
  // GetSysColor answers an unknown index with black.
  return index >= 0 && index < static_cast<int>(kStandardScheme.size()) ? kStandardScheme[index] : 0;
}

std::optional<Colour> TranslateOleColour(OleColour colour) {
  // OleTranslateColor's rules without a palette: the high byte says what the
  // value is (0 RGB, 2 a palette-relative RGB, 0x80 a system colour index).
  switch (colour >> 24) {
    case 0x00:
      return colour;
    case 0x02:
      return colour & 0xFFFFFF;
    case 0x80: {
      const int index = static_cast<int>(colour & 0xFF);
      if (index >= static_cast<int>(kStandardScheme.size())) return std::nullopt;
      return SystemColour(index);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace lanternfly
