#include "text/Text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lanternfly {
namespace {

using Pieces = std::vector<std::u16string>;

TEST(Split, DropsMarkersAndGivesNoPieceForAnEmptyText) {
  EXPECT_EQ(Split(u"a[d]b[d][d]c[d]", u"[d]"), (Pieces{u"a", u"b", u"", u"c", u""}));
  EXPECT_EQ(Split(u"a[D]b", u"[d]"), (Pieces{u"a[D]b"}));
  EXPECT_EQ(Split(u"", u","), Pieces{});
}

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRescanningInsertedText) {
  EXPECT_EQ(ReplaceAll(u"aaa", u"a", u"aa"), u"aaaaaa");
  EXPECT_EQ(ReplaceAll(u"#c#c1#1#", u"#c1#", u""), u"#c1#");
  EXPECT_EQ(ReplaceAll(u"%artist%", u"%ARTIST%", u"x"), u"%artist%");
  EXPECT_EQ(TrimBlanks(u" \ta  "), u"\ta");
}

TEST(FoldCase, LowersTheCasedScriptsAndLeavesTheRest) {
  EXPECT_EQ(FoldCase(u"AZ\u00C0\u00D7\u00DE\u0100\u0139\u017D\u03A3\u0416\u0401\uFF21\u65E5"),
            u"az\u00E0\u00D7\u00FE\u0101\u013A\u017E\u03C3\u0436\u0451\uFF41\u65E5");
}

TEST(ReadNumber, AcceptsSignFractionAndExponent) {
  struct Case {
    std::u16string_view text;
    double value;
  } cases[] = {{u" 12 ", 12}, {u"+7", 7}, {u"-3", -3}, {u".5", 0.5}, {u"5.", 5}, {u"1E+2", 100}, {u"25e-1", 2.5}};
  for (const Case& c : cases) EXPECT_EQ(ReadNumber(c.text), c.value) << Utf16ToUtf8(c.text);
}

TEST(ReadNumber, RejectsEverythingElse) {
  for (std::u16string_view text : {u"", u" ", u".", u"-", u"1e", u"e2", u"0x10", u"1,000", u"1 2", u"12a", u"\t5",
                                   u"\uFF15", u"inf", u"nan", u"1..2"}) {
    EXPECT_FALSE(ReadNumber(text)) << Utf16ToUtf8(text);
  }
}

TEST(ReadNumber, NumbersBeyondDoubleKeepTheirSide) {
  EXPECT_EQ(*ReadNumber(u"-1e999"), -INFINITY);
  EXPECT_GT(*ReadNumber(u"1e-999"), 0);
  EXPECT_FALSE(WholeInRange(*ReadNumber(u"1e-999"), 0, 255));
  EXPECT_EQ(*ReadNumber(u"0e999999999999999999999"), 0);
}

TEST(Utf8, RoundTripsEveryPlaneAndReplacesIllFormedInput) {
  std::u16string text = u"a\u00e9\u65e5\U0001F3B5";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf8ToUtf16("a\xff" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\uFFFD\uFFFD");            // overlong "/"
  EXPECT_EQ(Utf8ToUtf16("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800') + u"x"), "\xef\xbf\xbdx");
}

}  // namespace
}  // namespace lanternfly
