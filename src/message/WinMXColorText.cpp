#include "message/WinMXColorText.h"

#include "message/ColorPattern.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr std::u16string_view kGrey = u"[color=#7F7F7F]";

// Tags of the colours 1 to 9.
constexpr std::u16string_view kBasicTags[] = {
    u"[color=#FFFFFF]", u"[color=#FFFF00]", u"[color=#FF00FF]", u"[color=#80FF00]", u"[color=#FF8080]",
    u"[color=#80FFFF]", u"[color=#0000FF]", u"[color=#FF0000]", u"[color=#7F7F7F]",
};

// Tags of the colours 51 to 75.
constexpr std::u16string_view kPaletteTags[] = {
    u"[color=#0080FF]", u"[color=#00FFFF]", u"[color=#00FF80]", u"[color=#00FF00]", u"[color=#80FF00]",
    u"[color=#FFFF00]", u"[color=#FF8000]", u"[color=#FF0000]", u"[color=#FF0080]", u"[color=#FF00FF]",
    u"[color=#8000FF]", u"[color=#C0C0C0]", u"[color=#404040]", u"[color=#000080]", u"[color=#004080]",
    u"[color=#008080]", u"[color=#008040]", u"[color=#008000]", u"[color=#408000]", u"[color=#808000]",
    u"[color=#804000]", u"[color=#800000]", u"[color=#800040]", u"[color=#800080]", u"[color=#400080]",
};

void Replace(std::u16string& text, std::int32_t code, std::u16string_view by) {
  text = ReplaceAll(text, ColorCode(code), by);
}

}  // namespace

// The replacements run one after the other, each over the whole text left by
// the one before, so their order is part of the result: 10 to 34 become 51 to
// 75 before those are replaced, and 35 and 36 become 221 and 237.
std::u16string WinMXToMarkup(std::u16string_view text) {
  std::u16string result = u" " + std::u16string(text);
  for (std::int32_t n = 10; n <= 34; ++n) Replace(result, n, ColorCode(n + 41));
  Replace(result, 35, ColorCode(221));
  Replace(result, 36, ColorCode(237));
  for (std::int32_t n = 1; n <= 9; ++n) Replace(result, n, kBasicTags[n - 1]);
  for (std::int32_t n = 51; n <= 75; ++n) Replace(result, n, kPaletteTags[n - 51]);
  for (std::int32_t n = 76; n <= 220; ++n) Replace(result, n, kGrey);
  for (std::int32_t n = 222; n <= 236; ++n) Replace(result, n, kGrey);
  for (std::int32_t n = 238; n <= 255; ++n) Replace(result, n, kGrey);
  Replace(result, 221, u"[color=#D0B652]");
  Replace(result, 237, u"[color=#18B952]");
  return result;
}

std::u16string WinMXToPlainText(std::u16string_view text) {
  std::u16string plain;
  for (std::size_t at = 0; at < text.size();) {
    if (text.substr(at, 2) == u"#c") {
      std::size_t end = at + 2;
      if (end < text.size() && text[end] == u'?') {
        ++end;
      } else {
        while (end < text.size() && end < at + 5 && text[end] >= u'0' && text[end] <= u'9') ++end;
      }
      if (end > at + 2 && end < text.size() && text[end] == u'#') {
        at = end + 1;
        continue;
      }
    }
    plain += text[at++];
  }
  return plain;
}

}  // namespace lanternfly
