#pragma once

// A colour pattern: up to 100 WinMX colour numbers used in turn, one per
// coloured character, every `Skip`-th character of a text. Colour 0 is the
// random colour, written "#c?#" so that the chat client picks it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lanternfly {

struct ColorPattern {
  static constexpr int kMaxColors = 100;

  std::u16string Name;                            // empty in a pattern built from a colour block
  std::array<std::int32_t, kMaxColors> Colors{};  // Colors[0] is colour 1; unused slots hold 0
  std::int32_t ColorCount = 0;                    // colours in use, from the first
  std::int32_t Skip = 0;                          // distance between coloured characters

  bool operator==(const ColorPattern&) const = default;
};

// What default blocks are coloured with when no stored pattern matches:
// a random colour on every character that is not a space.
ColorPattern TemporaryPattern();

// One colour code: "#c?#" for 0, else "#c" + the number's digits + "#".
std::u16string ColorCode(std::int32_t color);

// One colour element of a script or a saved pattern: 0 to 255, anything else
// (empty, not a number, out of range, a fraction) gives 1.
std::int32_t ColorNumber(std::u16string_view element);

// One skip element: 1 to 10; another number gives 2; no number at all gives 1.
std::int32_t SkipNumber(std::u16string_view element);

// A pattern from its elements: the skip, then the colours; colours beyond
// the 100th are ignored. No elements at all read as one empty skip element.
ColorPattern PatternFromElements(const std::vector<std::u16string>& elements);

// A pattern from a colour block's script ("2,51,52,53": the skip, then the
// colours). Colours beyond the 100th are ignored. The name stays empty.
ColorPattern ParseColorScript(std::u16string_view script);

// `text` with a colour code before every `Skip`-th character, starting with
// the first. A space at such a position gets no code and uses up no colour.
// A pattern without colours colours as the single colour 0 (random).
std::u16string ApplyPattern(std::u16string_view text, const ColorPattern& pattern);

}  // namespace lanternfly
