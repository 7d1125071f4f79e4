#include "message/ColorPattern.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "message/PatternDatabase.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

ColorPattern Pattern(std::u16string name, std::int32_t skip, std::vector<std::int32_t> colors) {
  ColorPattern pattern{std::move(name), {}, static_cast<std::int32_t>(colors.size()), skip};
  std::copy(colors.begin(), colors.end(), pattern.Colors.begin());
  return pattern;
}

TEST(ColorPattern, ElementsReadAsWholeNumbersInRangeOrTheirFallback) {
  const std::tuple<std::u16string_view, std::int32_t, std::int32_t> cases[] = {
      // element, as a colour, as a skip
      {u"0", 0, 2},  {u" 10 ", 10, 10}, {u"5.0", 5, 5}, {u"1e2", 100, 2}, {u"", 1, 1},  {u"255", 255, 2},
      {u"256", 1, 2}, {u"-1", 1, 2},    {u"2.5", 1, 2}, {u"x", 1, 1},     {u"1e999", 1, 2},
  };
  for (const auto& [element, color, skip] : cases) {
    EXPECT_EQ(ColorNumber(element), color) << Utf16ToUtf8(element);
    EXPECT_EQ(SkipNumber(element), skip) << Utf16ToUtf8(element);
  }
  EXPECT_EQ(ParseColorScript(u"0,7,,300,x"), Pattern(u"", 2, {7, 1, 1, 1}));
  EXPECT_EQ(ParseColorScript(u""), Pattern(u"", 1, {}));
}

TEST(ApplyPattern, ColoursEverySkipthCharacterCyclingThroughTheColours) {
  ColorPattern overfull = Pattern(u"Big", 1, {5});
  overfull.ColorCount = 1000;  // treated as 100, the rest random
  ColorPattern empty = Pattern(u"Mine", 2, {});
  empty.Colors.fill(9);  // stale values beyond the count are never used
  const std::tuple<std::u16string_view, ColorPattern, std::u16string_view> cases[] = {
      {u"Hello", Pattern(u"", 2, {1, 4}), u"#c1#He#c4#ll#c1#o"},
      {u"abcd", Pattern(u"", 2, {7, 0}), u"#c7#ab#c?#cd"},
      // A space at a coloured place takes no code and no colour; only U+0020 is one.
      {u"Hi you", Pattern(u"", 1, {1, 4}), u"#c1#H#c4#i #c1#y#c4#o#c1#u"},
      {u"\t\u3000", Pattern(u"", 1, {3}), u"#c3#\t#c3#\u3000"},
      {u"\U0001F3B5a", Pattern(u"", 1, {2, 3}), u"#c2#\U0001F3B5#c3#a"},  // one character
      {u"abc", empty, u"#c?#ab#c?#c"},
      {u"aaa", overfull, u"#c5#a#c?#a#c?#a"},
  };
  for (const auto& [text, pattern, coloured] : cases) EXPECT_EQ(ApplyPattern(text, pattern), coloured);
}

TEST(PatternDatabase, DefaultIsTheLastMatchAmongTheFirstHundredSlots) {
  PatternDatabase patterns;
  patterns.Slot(3) = Pattern(u"Mine", 1, {3});
  patterns.Slot(100) = Pattern(u"Mine", 1, {100});
  patterns.Slot(101) = Pattern(u"Mine", 1, {101});
  const std::pair<std::u16string_view, std::int32_t> cases[] = {
      {u"Mine", 100}, {u"mine", 0}, {u"", 0}};  // 0: the temporary pattern
  for (const auto& [name, first] : cases) {
    patterns.DefaultPattern = std::u16string(name);
    ColorPattern chosen = patterns.GetDefaultPattern();
    EXPECT_EQ(chosen == TemporaryPattern() ? 0 : chosen.Colors[0], first) << Utf16ToUtf8(name);
  }
}

}  // namespace
}  // namespace lanternfly
