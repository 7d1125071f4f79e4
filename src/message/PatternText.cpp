#include "message/PatternText.h"

#include <algorithm>
#include <vector>

#include "text/Text.h"

namespace lanternfly {
namespace {

std::u16string JoinColors(const ColorPattern& pattern, char16_t separator) {
  std::u16string text = ToDecimal(pattern.Skip);
  const std::int32_t count = std::clamp(pattern.ColorCount, 0, ColorPattern::kMaxColors);
  for (std::int32_t i = 1; i <= count; ++i) {
    text += separator;
    text += ToDecimal(pattern.Colors[i - 1]);
  }
  return text;
}

}  // namespace

std::u16string PatternToText(const ColorPattern& pattern) {
  return pattern.Name + u"=" + JoinColors(pattern, u'.');
}

std::u16string PatternTestText(const ColorPattern& pattern) {
  return u"[c," + JoinColors(pattern, u',') + u"]testing 1234567890[/c]";
}

std::optional<ColorPattern> ParsePatternText(std::u16string_view saved, Random& random) {
  std::vector<std::u16string> sides = Split(saved, u"=");
  if (sides.size() < 2) return std::nullopt;
  // "Name=" has no elements at all and reads as skip 1 without colours.
  ColorPattern pattern = PatternFromElements(Split(sides[1], u"."));
  pattern.Name = sides[0].empty() ? u"Nameless" + ToDecimal(random.Below(65535)) : sides[0];
  return pattern;
}

}  // namespace lanternfly
