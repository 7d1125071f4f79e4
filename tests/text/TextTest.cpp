#include "text/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

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
  EXPECT_EQ(TrimBlanks(u" \ta  "), u"\ta");
}

void AppendCodePoint(std::u16string& text, char32_t code) {
  if (code < 0x10000) {
    text.push_back(static_cast<char16_t>(code));
  } else {
    text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
  }
}

// Every code point against the Unicode Character Database's own file.
TEST(FoldCase, EveryCodePointFoldsAsCaseFoldingTxtSays) {
  const char* path = LANTERNFLY_UNICODE_DATA "/CaseFolding.txt";
  std::ifstream file(path);
  ASSERT_TRUE(file) << path << " (Debian package unicode-data)";
  std::map<char32_t, char32_t> folding;
  for (std::string line; std::getline(file, line);) {
    // "0041; C; 0061; # LATIN CAPITAL LETTER A": only C and S are simple.
    unsigned long from = 0, to = 0;
    char status = 0;
    if (std::sscanf(line.c_str(), "%lx; %c; %lx;", &from, &status, &to) != 3) continue;
    if (status == 'C' || status == 'S') folding[static_cast<char32_t>(from)] = static_cast<char32_t>(to);
  }
  ASSERT_GT(folding.size(), 1400u);

  std::u16string all, expected;
  for (char32_t code = 0; code <= 0x10FFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    AppendCodePoint(all, code);
    auto it = folding.find(code);
    AppendCodePoint(expected, it == folding.end() ? code : it->second);
  }
  std::u16string folded = FoldCase(all);
  ASSERT_EQ(folded.size(), expected.size());
  // A lone half of a pair stays as it is.
  EXPECT_EQ(FoldCase(std::u16string(u"A\xD801") + u"B"), std::u16string(u"a\xD801") + u"b");
  const std::size_t at = std::mismatch(folded.begin(), folded.end(), expected.begin()).first - folded.begin();
  EXPECT_EQ(at, folded.size()) << "U+" << std::hex << int(all[at]) << " folds to U+" << int(folded[at]) << ", not U+"
                               << int(expected[at]);
}

TEST(ReadNumber, AcceptsSignFractionAndExponentAndNothingElse) {
  const std::pair<std::u16string_view, std::optional<double>> cases[] = {
      {u" 12 ", 12}, {u"+7", 7}, {u"-3", -3}, {u".5", 0.5}, {u"5.", 5}, {u"1E+2", 100}, {u"25e-1", 2.5},
      {u"", {}}, {u".", {}}, {u"-", {}}, {u"1e", {}}, {u"e2", {}}, {u"0x10", {}}, {u"1,000", {}}, {u"1 2", {}},
      {u"\t5", {}}, {u"\uFF15", {}}, {u"inf", {}}, {u"nan", {}}, {u"1..2", {}}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadNumber(text), value) << Utf16ToUtf8(text);
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
