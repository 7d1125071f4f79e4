#include "message/ColorPattern.h"

#include <gtest/gtest.h>

#include "message/PatternDatabase.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

ColorPattern Pattern(std::u16string name, std::int32_t skip, std::vector<std::int32_t> colors) {
  ColorPattern pattern;
  pattern.Name = std::move(name);
  pattern.Skip = skip;
  pattern.ColorCount = static_cast<std::int32_t>(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i) pattern.Colors[i] = colors[i];
  return pattern;
}

TEST(ColorNumber, OnlyWholeNumbersFrom0To255Count) {
  struct Case {
    std::u16string_view element;
    std::int32_t color;
  } cases[] = {{u"0", 0}, {u"255", 255}, {u" 12 ", 12}, {u"5.0", 5}, {u"1e2", 100}, {u"", 1},
               {u"256", 1}, {u"-1", 1}, {u"2.5", 1}, {u"x", 1}, {u"1e999", 1}};
  for (const Case& c : cases) EXPECT_EQ(ColorNumber(c.element), c.color) << Utf16ToUtf8(c.element);
}

TEST(SkipNumber, NoNumberGives1AndAnOutOfRangeNumberGives2) {
  struct Case {
    std::u16string_view element;
    std::int32_t skip;
  } cases[] = {{u"1", 1}, {u"10", 10}, {u"", 1}, {u"c", 1}, {u"0", 2}, {u"11", 2}, {u"1.5", 2}, {u"-2", 2}};
  for (const Case& c : cases) EXPECT_EQ(SkipNumber(c.element), c.skip) << Utf16ToUtf8(c.element);
}

TEST(ParseColorScript, ReadsSkipThenColours) {
  EXPECT_EQ(ParseColorScript(u"0,7,,300,x"), Pattern(u"", 2, {7, 1, 1, 1}));
  // "c" is not a number: the fallback script reads as skip 1, colours 1 and 1.
  EXPECT_EQ(ParseColorScript(u"c,1,1"), Pattern(u"", 1, {1, 1}));
  EXPECT_EQ(ParseColorScript(u""), Pattern(u"", 1, {}));
}

TEST(ApplyPattern, ColoursEverySkipthCharacterCyclingThroughTheColours) {
  EXPECT_EQ(ApplyPattern(u"Hello", Pattern(u"", 2, {1, 4})), u"#c1#He#c4#ll#c1#o");
  EXPECT_EQ(ApplyPattern(u"abcdefg", Pattern(u"", 3, {12})), u"#c12#abc#c12#def#c12#g");
  EXPECT_EQ(ApplyPattern(u"abcd", Pattern(u"", 2, {7, 0})), u"#c7#ab#c?#cd");
}

TEST(ApplyPattern, SpaceAtAColouredPositionTakesNoCodeAndNoColour) {
  EXPECT_EQ(ApplyPattern(u"Hi you", Pattern(u"", 1, {1, 4})), u"#c1#H#c4#i #c1#y#c4#o#c1#u");
  // Only U+0020 is a space here; a tab or an ideographic space is coloured.
  EXPECT_EQ(ApplyPattern(u"\t\u3000", Pattern(u"", 1, {3})), u"#c3#\t#c3#\u3000");
}

TEST(ApplyPattern, NeverReadsPastItsColours) {
  ColorPattern empty = Pattern(u"Mine", 2, {});
  empty.Colors.fill(9);  // stale values beyond the count are never used
  EXPECT_EQ(ApplyPattern(u"abc", empty), u"#c?#ab#c?#c");
  ColorPattern overfull = Pattern(u"Big", 1, {5});
  overfull.ColorCount = 1000;
  std::u16string wrapped = ApplyPattern(std::u16string(101, u'a'), overfull);
  EXPECT_EQ(wrapped.substr(0, 10), u"#c5#a#c?#a");
  EXPECT_EQ(wrapped.substr(wrapped.size() - 5), u"#c5#a");
}

TEST(ApplyPattern, SurrogatePairIsOneCharacter) {
  EXPECT_EQ(ApplyPattern(u"\U0001F3B5a", Pattern(u"", 1, {2, 3})), u"#c2#\U0001F3B5#c3#a");
}

TEST(PatternDatabase, AddsIntoTheLowestFreeSlotUntilFull) {
  PatternDatabase patterns;
  EXPECT_TRUE(patterns.AddPattern(Pattern(u"One", 1, {1})));
  EXPECT_TRUE(patterns.AddPattern(Pattern(u"Two", 1, {2})));
  patterns.Slot(1) = ColorPattern();
  EXPECT_TRUE(patterns.AddPattern(Pattern(u"Three", 1, {3})));
  EXPECT_EQ(patterns.Slot(1).Name, u"Three");
  for (int i = 3; i <= PatternDatabase::kSlots; ++i) ASSERT_TRUE(patterns.AddPattern(Pattern(u"x", 1, {1})));
  EXPECT_FALSE(patterns.AddPattern(Pattern(u"Late", 1, {1})));
}

TEST(PatternDatabase, DefaultIsTheLastMatchAmongTheFirstHundredSlots) {
  PatternDatabase patterns;
  patterns.DefaultPattern = u"Mine";
  EXPECT_EQ(patterns.GetDefaultPattern(), TemporaryPattern());

  patterns.Slot(3) = Pattern(u"Mine", 1, {3});
  patterns.Slot(100) = Pattern(u"Mine", 1, {100});
  patterns.Slot(101) = Pattern(u"Mine", 1, {101});
  EXPECT_EQ(patterns.GetDefaultPattern().Colors[0], 100);
  patterns.Slot(100) = ColorPattern();
  EXPECT_EQ(patterns.GetDefaultPattern().Colors[0], 3);

  patterns.DefaultPattern = u"mine";
  EXPECT_EQ(patterns.GetDefaultPattern(), TemporaryPattern());
  // An empty name matches a free slot, which is no pattern at all.
  patterns.DefaultPattern = u"";
  EXPECT_EQ(patterns.GetDefaultPattern(), TemporaryPattern());
}

}  // namespace
}  // namespace lanternfly
