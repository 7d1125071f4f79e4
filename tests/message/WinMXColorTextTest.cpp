#include "message/WinMXColorText.h"

#include <gtest/gtest.h>

#include <random>

#include "MarkupByReplacing.h"
#include "message/ColorPattern.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

TEST(WinMXToMarkup, GivesTheTableTagsAndLeavesTheRestAsTheRoomShowsIt) {
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {u"#c1#Hi", u" [color=#FFFFFF]Hi"},
      {u"#c10#a", u" [color=#0080FF]a"},  // 10 is shown as 51
      {u"#c35#x#c221#y", u" [color=#D0B652]x[color=#D0B652]y"},
      {u"#c36#x#c237#y", u" [color=#18B952]x[color=#18B952]y"},
      {u"#c9#a#c58#b#c75#c#c100#d", u" [color=#7F7F7F]a[color=#FF0000]b[color=#400080]c[color=#7F7F7F]d"},
      {u"#c?#a#c40#b#C1#c#c01#d#c 1#", u" #c?#a#c40#b#C1#c#c01#d#c 1#"},
      // The user's brackets are the room's text, never markup.
      {u"[np] %SONG%", u" [[np] %SONG%"},
      {u"[b]#c1#[c]", u" [[b][color=#FFFFFF][[c]"},
      {u"", u" "},
  };
  for (const auto& [text, markup] : cases) EXPECT_EQ(WinMXToMarkup(text), markup) << Utf16ToUtf8(text);
  auto tagOf = [](std::int32_t n) { return WinMXToMarkup(ColorCode(n) + u"x"); };
  for (std::int32_t n = 10; n <= 34; ++n) EXPECT_EQ(tagOf(n), tagOf(n + 41)) << n;
}

// Two codes may share a "#" ("#c1#c2#"): whichever the fixed order of
// replacements takes first wins, and the one-pass conversion must agree.
TEST(WinMXToMarkup, CodesSharingAHashGoAsTheReplacementsWouldTakeThem) {
  std::vector<std::u16string> texts = {
      u"#c10#c1#",  // 10 becomes 51 first; the 1 is then replaced before 51
      u"#c1#c1#c1#c1#", u"#c10#c10#c10#", u"#c10#c51#", u"#c5#c3#c4#c200#", u"#c221#c35#c36#c237#",
      u"#c0#c1#c01#c2#c256#c3#c40#", u"#c#c1##c?#c2##C3#c3", u"#c0000000000000000000001#c99999999999999999999#c2#",
  };
  // And random runs of whole codes, from few numbers so that neighbours often match.
  const std::int32_t numbers[] = {0, 1, 2, 9, 10, 11, 35, 36, 40, 51, 52, 76, 100, 221, 237, 255, 256};
  std::mt19937 engine(20240611);
  std::uniform_int_distribution<std::size_t> number(0, std::size(numbers) - 1), length(1, 8);
  for (int i = 0; i < 5000; ++i) {
    std::u16string text = u"#";
    for (std::size_t n = length(engine); n > 0; --n) text += u"c" + ToDecimal(numbers[number(engine)]) + u"#";
    texts.push_back(text);
  }
  for (const std::u16string& text : texts)
    ASSERT_EQ(WinMXToMarkup(text), test::MarkupByReplacing(text)) << Utf16ToUtf8(text);
}

TEST(WinMXToPlainText, TakesOutEveryColourCode) {
  EXPECT_EQ(WinMXToPlainText(u"#c1#is #c?#A#c255#b #c1234#x #cx# #c#"), u"is Ab #c1234#x #cx# #c#");
}

}  // namespace
}  // namespace lanternfly
