#include "text/Text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lanternfly {
namespace {

using Pieces = std::vector<std::u16string>;

TEST(Split, DropsMarkersAndKeepsEmptyPiecesBetweenThem) {
  EXPECT_EQ(Split(u"a[d]b[d][d]c[d]", u"[d]"), (Pieces{u"a", u"b", u"", u"c", u""}));
  EXPECT_EQ(Split(u"[d]", u"[d]"), (Pieces{u"", u""}));
}

TEST(Split, TextWithoutMarkerIsOnePieceAndEmptyTextNone) {
  EXPECT_EQ(Split(u"abc", u","), (Pieces{u"abc"}));
  EXPECT_EQ(Split(u"", u","), Pieces{});
}

TEST(Split, IsCaseSensitive) { EXPECT_EQ(Split(u"a[D]b", u"[d]"), (Pieces{u"a[D]b"})); }

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRescanningInsertedText) {
  EXPECT_EQ(ReplaceAll(u"%A% and %A%", u"%A%", u"x"), u"x and x");
  EXPECT_EQ(ReplaceAll(u"aaa", u"a", u"aa"), u"aaaaaa");
  EXPECT_EQ(ReplaceAll(u"#c#c1#1#", u"#c1#", u""), u"#c1#");
  EXPECT_EQ(ReplaceAll(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(ReplaceAll(u"%artist%", u"%ARTIST%", u"x"), u"%artist%");
}

TEST(TrimBlanks, RemovesOnlyU0020) {
  EXPECT_EQ(TrimBlanks(u"  a b  "), u"a b");
  EXPECT_EQ(TrimBlanks(u"\ta\t"), u"\ta\t");
  EXPECT_EQ(TrimBlanks(u"   "), u"");
}

TEST(ReadNumber, AcceptsSignFractionAndExponent) {
  struct Case {
    std::u16string_view text;
    double value;
  } cases[] = {
      {u"12", 12}, {u" 12 ", 12}, {u"+7", 7},     {u"-3", -3},     {u".5", 0.5},    {u"5.", 5},
      {u"1e2", 100}, {u"1E+2", 100}, {u"25e-1", 2.5}, {u"007", 7}, {u"-0", 0},
  };
  for (const Case& c : cases) {
    std::optional<double> number = ReadNumber(c.text);
    ASSERT_TRUE(number) << Utf16ToUtf8(c.text);
    EXPECT_EQ(*number, c.value) << Utf16ToUtf8(c.text);
  }
}

TEST(ReadNumber, RejectsEverythingElse) {
  for (std::u16string_view text : {u"", u" ", u".", u"+", u"-", u"1e", u"e2", u"0x10", u"1,000", u"1 2", u"12a",
                                   u"\t5", u"5\t", u"\uFF15", u"inf", u"nan", u"--1", u"1..2"}) {
    EXPECT_FALSE(ReadNumber(text)) << Utf16ToUtf8(text);
  }
}

TEST(ReadNumber, NumbersBeyondDoubleKeepTheirSide) {
  EXPECT_EQ(*ReadNumber(u"1e999"), INFINITY);
  EXPECT_EQ(*ReadNumber(u"-1e999"), -INFINITY);
  double tiny = *ReadNumber(u"1e-999");
  EXPECT_GT(tiny, 0);
  EXPECT_LT(tiny, 1e-300);
  EXPECT_EQ(*ReadNumber(u"0e999999999999999999999"), 0);
}

TEST(WholeInRange, AcceptsOnlyIntegersInsideTheBounds) {
  EXPECT_EQ(WholeInRange(255, 0, 255), 255);
  EXPECT_EQ(WholeInRange(-0.0, 0, 255), 0);
  EXPECT_FALSE(WholeInRange(256, 0, 255));
  EXPECT_FALSE(WholeInRange(2.5, 0, 255));
  EXPECT_FALSE(WholeInRange(NAN, 0, 255));
  EXPECT_FALSE(WholeInRange(INFINITY, 0, 255));
}

TEST(Utf8, RoundTripsEveryPlaneAndReplacesIllFormedInput) {
  std::u16string text = u"a\u00e9\u65e5\U0001F3B5";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf8ToUtf16("a\xff" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\uFFFD\uFFFD");        // overlong "/"
  EXPECT_EQ(Utf8ToUtf16("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(Utf8ToUtf16("\xe6\x97"), u"\uFFFD\uFFFD");        // cut short
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800') + u"x"), "\xef\xbf\xbdx");
}

}  // namespace
}  // namespace lanternfly
