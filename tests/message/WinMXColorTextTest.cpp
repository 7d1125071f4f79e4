#include "message/WinMXColorText.h"

#include <gtest/gtest.h>

#include <random>

#include "MarkupByReplacing.h"
#include "message/ColorPattern.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

using test::MarkupByReplacing;

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
    std::u16string blankFirst = u" ";
    blankFirst += text;
    EXPECT_EQ(WinMXToMarkup(text), blankFirst) << Utf16ToUtf8(text);
  }
}

TEST(WinMXToMarkup, ReplacementsRunInTheirFixedOrder) {
  // "#c10#" becomes "#c51#" first; the "#c1#" that then shares its last "#"
  // is replaced before 51 is. A single left-to-right scan would differ.
  EXPECT_EQ(WinMXToMarkup(u"#c10#c1#"), u" #c51[color=#FFFFFF]");
}

TEST(WinMXToMarkup, CodesSharingAHashGoAsTheReplacementsWouldTakeThem) {
  for (std::u16string_view text : {
           u"#c1#c1#c1#c1#",        // same number: every other one
           u"#c10#c10#c10#",        // the renumbering skips the neighbour too
           u"#c10#c51#",            // 51 then, twice, and the left one wins
           u"#c51#c10#",
           u"#c5#c3#c4#c200#",      // lower numbers go first
           u"#c221#c35#c36#c237#",  // 221 and 237 go last
           u"#c9#c76#c1#",
           u"#c0#c1#c01#c2#c256#c3#c40#",
           u"#c#c1##c?#c2##C3#c3",
           u"##c1#c2#c3#c4#c5#c6#c7#c8#c9#c10#c11#c12#",
           u"#c255#c254#c253#c252#c251#c250#",
           u"#c0000000000000000000001#c99999999999999999999#c2#",
       }) {
    EXPECT_EQ(WinMXToMarkup(text), MarkupByReplacing(text)) << Utf16ToUtf8(text);
  }
}

TEST(WinMXToMarkup, AgreesWithTheReplacementsOnRandomCodeSoup) {
  // Short texts dense in codes that share their "#", with numbers from every
  // row of the table and a few that are not in it.
  const std::u16string_view pieces[] = {u"#", u"c", u"#c", u"1", u"2", u"9", u"0", u"10", u"35", u"36",
                                        u"51", u"75", u"76", u"221", u"237", u"255", u"256", u"?", u"x", u" "};
  std::mt19937 engine(20240611);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1), length(0, 24);
  for (int i = 0; i < 5000; ++i) {
    std::u16string text;
    for (std::size_t n = length(engine); n > 0; --n) text += pieces[piece(engine)];
    ASSERT_EQ(WinMXToMarkup(text), MarkupByReplacing(text)) << Utf16ToUtf8(text);
  }
  // And runs of whole codes only, where every "#" is shared, from few
  // numbers so that neighbours often match.
  const std::int32_t numbers[] = {0, 1, 2, 9, 10, 11, 35, 36, 40, 51, 52, 76, 100, 221, 237, 255, 256};
  std::uniform_int_distribution<std::size_t> number(0, std::size(numbers) - 1);
  for (int i = 0; i < 5000; ++i) {
    std::u16string text = u"#";
    for (std::size_t n = length(engine) / 3 + 1; n > 0; --n) {
      text += u"c";
      text += ToDecimal(numbers[number(engine)]);
      text += u"#";
    }
    ASSERT_EQ(WinMXToMarkup(text), MarkupByReplacing(text)) << Utf16ToUtf8(text);
  }
}

TEST(WinMXToPlainText, TakesOutEveryColourCode) {
  EXPECT_EQ(WinMXToPlainText(u"#c1#is #c?#A#c255#b #c1234#x #cx# #c#"), u"is Ab #c1234#x #cx# #c#");
}

}  // namespace
}  // namespace lanternfly
