#include "message/WinMXColorText.h"

#include <gtest/gtest.h>

#include "message/ColorPattern.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

std::u16string TagOf(std::int32_t color) {
  std::u16string markup = WinMXToMarkup(ColorCode(color) + u"x");
  return markup.substr(1, markup.size() - 2);  // drop the leading blank and the "x"
}

TEST(WinMXToMarkup, ExamplesOfTheColourTable) {
  EXPECT_EQ(WinMXToMarkup(u"#c1#Hi"), u" [color=#FFFFFF]Hi");
  EXPECT_EQ(WinMXToMarkup(u"#c10#a"), u" [color=#0080FF]a");
  EXPECT_EQ(WinMXToMarkup(u"#c35#x"), u" [color=#D0B652]x");
  EXPECT_EQ(WinMXToMarkup(u"#c221#x"), u" [color=#D0B652]x");
  EXPECT_EQ(WinMXToMarkup(u"#c36#x#c237#y"), u" [color=#18B952]x[color=#18B952]y");
  EXPECT_EQ(WinMXToMarkup(u"#c100#a"), u" [color=#7F7F7F]a");
  EXPECT_EQ(WinMXToMarkup(u"#c9#a#c58#b#c75#c"), u" [color=#7F7F7F]a[color=#FF0000]b[color=#400080]c");
}

TEST(WinMXToMarkup, EveryNumberFollowsItsRowOfTheTable) {
  for (std::int32_t n = 10; n <= 34; ++n) EXPECT_EQ(TagOf(n), TagOf(n + 41)) << n;
  for (std::int32_t n : {0, 37, 40, 50, 256, 1000}) EXPECT_EQ(TagOf(n), ColorCode(n)) << n;
  for (std::int32_t n = 76; n <= 255; ++n) {
    if (n == 221 || n == 237) continue;
    EXPECT_EQ(TagOf(n), u"[color=#7F7F7F]") << n;
  }
}

TEST(WinMXToMarkup, CodesOutsideTheTableStay) {
  for (std::u16string_view text : {u"#c?#a", u"#c40#a", u"#C1#a", u"#c01#a", u"#c 1#a", u"[b]bold[/b]", u""}) {
    EXPECT_EQ(WinMXToMarkup(text), u" " + std::u16string(text)) << Utf16ToUtf8(text);
  }
}

TEST(WinMXToMarkup, ReplacementsRunInTheirFixedOrder) {
  // "#c10#" becomes "#c51#" first; the "#c1#" that then shares its last "#"
  // is replaced before 51 is. A single left-to-right scan would differ.
  EXPECT_EQ(WinMXToMarkup(u"#c10#c1#"), u" #c51[color=#FFFFFF]");
}

TEST(WinMXToPlainText, TakesOutEveryColourCode) {
  EXPECT_EQ(WinMXToPlainText(u"#c1#is #c?#A#c255#b #c1234#x #cx# #c#"), u"is Ab #c1234#x #cx# #c#");
}

}  // namespace
}  // namespace lanternfly
