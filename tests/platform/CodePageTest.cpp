#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <random>

namespace lanternfly {
namespace {

// Both ways unless said: 1252 keeps the bytes it leaves undefined as Windows
// does; a character a page cannot write becomes one "?"; 932 reads a lead
// byte without its trail byte as one unknown character.
TEST(CodePage, ConvertsAsWindowsDoes) {
  enum Way { kBoth, kDecode, kEncode };
  struct Case {
    int page;
    std::string_view bytes;
    std::u16string_view text;
    Way way;
  } cases[] = {
      {1252, "\x80\xe9\x81 a", u"\u20AC\u00E9\u0081 a", kBoth},
      {1252, "a?b?c", u"a\u65e5b\U0001F3B5c", kEncode},
      {1252, "x?y?", u"x\xDC00y\xD800", kEncode},
      {932, "\x93\xfa\x96\x7b\x8c\xea - \x83\x65\x83\x58\x83\x67\x5c",
       u"\u65e5\u672c\u8a9e - \u30c6\u30b9\u30c8\\", kBoth},
      {932, "a\x93", u"a\u30fb", kDecode},
      {932, "?", u"\u00e9", kEncode},
      // A letter iconv holds back (a combining mark could join it) keeps its place.
      {1255, "W\xEF\xE0\x81\xE0", u"W\u05DF\u05D0\u0081\u05D0", kDecode},
      {1258, "a\x81\xEC" "b", u"a\u0081\u0301b", kDecode},
  };
  for (const Case& test : cases) {
    std::unique_ptr<CodePage> page = OpenCodePage(test.page);
    ASSERT_NE(page, nullptr) << test.page;
    if (test.way != kEncode) { EXPECT_EQ(page->Decode(test.bytes), test.text) << test.bytes; }
    if (test.way != kDecode) { EXPECT_EQ(page->Encode(test.text), test.bytes) << test.bytes; }
  }
  EXPECT_EQ(OpenCodePage(0), nullptr);
  EXPECT_EQ(OpenCodePage(99999), nullptr);
  std::unique_ptr<CodePage> western = OpenCodePage(1252);
  std::string bytes;
  for (int byte = 1; byte < 256; ++byte) bytes.push_back(static_cast<char>(byte));
  EXPECT_EQ(western->Encode(western->Decode(bytes)), bytes);
}

#ifndef _WIN32
// A letter that a combining mark could still join is held back by iconv
// until it knows what follows; a text that ends in one must still come back
// whole. Every page the native build offers, with each of these letters that
// it can write. (Windows holds nothing back, and under Wine trying every
// number takes minutes.)
TEST(CodePage, EveryPageKeepsTheLastLetterOfAText) {
  const std::u16string_view letters[] = {u"W", u"a", u"\u00E2", u"\u0103", u"\u01A1", u"\u03B1", u"\u0430",
                                         u"\u05D0", u"\u05DF", u"\u0627", u"\u0E01", u"\u30AB", u"\u65E5"};
  int pages = 0;
  for (int number = 1; number <= 65535; ++number) {
    std::unique_ptr<CodePage> page = OpenCodePage(number);
    if (!page) continue;
    ++pages;
    int written = 0;
    for (std::u16string_view letter : letters) {
      std::u16string text(letter);
      // Followed by a full stop, nothing is held back at the end.
      if (page->Decode(page->Encode(text + u".")) != text + u".") continue;
      ++written;
      EXPECT_EQ(page->Decode(page->Encode(u"." + text)), u"." + text) << "code page " << number;
      // An encoded text ends in the page's initial state, so pieces join.
      EXPECT_EQ(page->Decode(page->Encode(text) + page->Encode(u".")), text + u".") << "code page " << number;
    }
    EXPECT_GT(written, 0) << "code page " << number;
  }
  EXPECT_GE(pages, 12);  // at least the Windows pages 874, 932, 936, 949, 950 and 1250 to 1258
}
#endif

// Plain ASCII text converts byte for byte where the page writes ASCII as
// itself; on every page that gives what the full conversion gives.
TEST(CodePage, AsciiShortcutAgreesWithTheFullConversion) {
  std::mt19937 random(19);
  // EBCDIC, DOS, Windows, ASCII, ISO-2022, HZ, UTF-7 and UTF-8 pages.
  for (int number : {500, 1026, 437, 850, 874, 932, 936, 949, 950, 1250, 1252, 1255, 1258, 20127, 50220, 52936,
                     65000, 65001}) {
    std::unique_ptr<CodePage> page = OpenCodePage(number);
    if (!page) continue;  // not every system has every page
    for (int round = 0; round < 300; ++round) {
      std::string bytes = round == 0 ? "~{ +AGE- \x1b$B a\\b" : "";
      for (int i = static_cast<int>(random() % 12); i > 0; --i) bytes.push_back(static_cast<char>(random() % 0x80));
      std::u16string units(bytes.begin(), bytes.end());
      EXPECT_EQ(page->Decode(bytes), page->FullDecode(bytes)) << "code page " << number << ": " << bytes;
      EXPECT_EQ(page->Encode(units), page->FullEncode(units)) << "code page " << number << ": " << bytes;
    }
  }
}

}  // namespace
}  // namespace lanternfly
