#pragma once

// The preview markup at its plainest, for checking WinMXToMarkup: the user's
// "[" doubled, then one replacement over the whole text per colour number, in
// the order that decides which of two codes sharing a "#" wins.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "message/ColorPattern.h"
#include "text/Text.h"

namespace lanternfly::test {

inline std::u16string MarkupByReplacing(std::u16string_view text) {
  static const std::vector<std::pair<std::u16string, std::u16string>> steps = [] {
    const std::u16string_view basic[] = {u"FFFFFF", u"FFFF00", u"FF00FF", u"80FF00", u"FF8080",
                                         u"80FFFF", u"0000FF", u"FF0000", u"7F7F7F"};
    const std::u16string_view palette[] = {
        u"0080FF", u"00FFFF", u"00FF80", u"00FF00", u"80FF00", u"FFFF00", u"FF8000", u"FF0000", u"FF0080",
        u"FF00FF", u"8000FF", u"C0C0C0", u"404040", u"000080", u"004080", u"008080", u"008040", u"008000",
        u"408000", u"808000", u"804000", u"800000", u"800040", u"800080", u"400080"};
    auto tag = [](std::u16string_view rgb) { return u"[color=#" + std::u16string(rgb) + u"]"; };
    std::vector<std::pair<std::u16string, std::u16string>> list;
    for (std::int32_t n = 10; n <= 34; ++n) list.emplace_back(ColorCode(n), ColorCode(n + 41));
    list.emplace_back(ColorCode(35), ColorCode(221));
    list.emplace_back(ColorCode(36), ColorCode(237));
    for (std::int32_t n = 1; n <= 9; ++n) list.emplace_back(ColorCode(n), tag(basic[n - 1]));
    for (std::int32_t n = 51; n <= 75; ++n) list.emplace_back(ColorCode(n), tag(palette[n - 51]));
    for (std::int32_t n = 76; n <= 255; ++n) {
      if (n != 221 && n != 237) list.emplace_back(ColorCode(n), tag(u"7F7F7F"));
    }
    list.emplace_back(ColorCode(221), tag(u"D0B652"));
    list.emplace_back(ColorCode(237), tag(u"18B952"));
    return list;
  }();
  std::u16string result = u" " + ReplaceAll(text, u"[", u"[[");
  for (const auto& [code, by] : steps) {
    if (Contains(result, code)) result = ReplaceAll(result, code, by);
  }
  return result;
}

}  // namespace lanternfly::test
