#include "message/ColorPattern.h"

#include <algorithm>
#include <cstdlib>

#include "text/Text.h"

namespace lanternfly {

ColorPattern TemporaryPattern() {
  ColorPattern pattern;
  pattern.Name = u"Temporary";
  pattern.ColorCount = 1;
  pattern.Skip = 1;
  return pattern;
}

std::u16string ColorCode(std::int32_t color) {
  if (color == 0) return u"#c?#";
  return u"#c" + ToDecimal(std::llabs(static_cast<long long>(color))) + u"#";
}

std::int32_t ColorNumber(std::u16string_view element) {
  std::optional<double> number = ReadNumber(element.empty() ? u"1" : element);
  if (!number) return 1;
  return WholeInRange(*number, 0, 255).value_or(1);
}

std::int32_t SkipNumber(std::u16string_view element) {
  std::optional<double> number = ReadNumber(element);
  if (!number) return 1;
  return WholeInRange(*number, 1, 10).value_or(2);
}

ColorPattern PatternFromElements(const std::vector<std::u16string>& elements) {
  ColorPattern pattern;
  pattern.Skip = SkipNumber(elements.empty() ? u"" : elements[0]);
  std::size_t colors = elements.empty() ? 0 : elements.size() - 1;
  pattern.ColorCount = static_cast<std::int32_t>(std::min<std::size_t>(colors, ColorPattern::kMaxColors));
  for (std::int32_t i = 1; i <= pattern.ColorCount; ++i) pattern.Colors[i - 1] = ColorNumber(elements[i]);
  return pattern;
}

ColorPattern ParseColorScript(std::u16string_view script) { return PatternFromElements(Split(script, u",")); }

std::u16string ApplyPattern(std::u16string_view text, const ColorPattern& pattern) {
  const std::int32_t count = std::clamp(pattern.ColorCount, 0, ColorPattern::kMaxColors);
  std::u16string output;
  output.reserve(text.size() * 3);
  std::int64_t nextColored = 1;
  std::int64_t position = 0;
  std::int32_t colorIndex = 1;
  for (std::size_t at = 0; at < text.size();) {
    // A surrogate pair is one character: a code between its halves would
    // corrupt it when it is converted for sending.
    std::size_t width = IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2 : 1;
    std::u16string_view character = text.substr(at, width);
    at += width;
    if (++position != nextColored) {
      output += character;
      continue;
    }
    nextColored += pattern.Skip;
    if (character == u" ") {
      output += character;
      continue;
    }
    output += ColorCode(count == 0 ? 0 : pattern.Colors[colorIndex - 1]);
    output += character;
    colorIndex = colorIndex >= count ? 1 : colorIndex + 1;
  }
  return output;
}

}  // namespace lanternfly
