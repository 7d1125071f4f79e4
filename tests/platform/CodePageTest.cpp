#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include "message/ColorPattern.h"

namespace lanternfly {
namespace {

std::unique_ptr<CodePage> Open(int number) {
  std::unique_ptr<CodePage> page = OpenCodePage(number);
  EXPECT_NE(page, nullptr) << "code page " << number;
  return page;
}

TEST(CodePage1252, EveryByteSurvivesTheRoundTrip) {
  auto page = Open(1252);
  std::string bytes;
  for (int byte = 1; byte < 256; ++byte) bytes.push_back(static_cast<char>(byte));
  std::u16string text = page->Decode(bytes);
  ASSERT_EQ(text.size(), bytes.size());
  EXPECT_EQ(text[0x80 - 1], u'\u20AC');
  EXPECT_EQ(text[0xE9 - 1], u'\u00E9');
  EXPECT_EQ(text[0x81 - 1], u'\u0081');  // undefined in 1252, kept as Windows keeps it
  EXPECT_EQ(page->Encode(text), bytes);
}

TEST(CodePage1252, CharactersItCannotWriteBecomeOneQuestionMarkEach) {
  auto page = Open(1252);
  EXPECT_EQ(page->Encode(u"a\u65e5b\U0001F3B5c"), "a?b?c");
  EXPECT_EQ(page->Encode(std::u16string(u"x") + u'\xDC00'), "x?");
  EXPECT_EQ(page->Encode(u"x\xD800"), "x?");
}

TEST(CodePage932, DecodesDoubleByteCharactersAsOneCharacterEach) {
  auto page = Open(932);
  EXPECT_EQ(page->Decode("\x93\xfa\x96\x7b\x8c\xea - \x83\x65\x83\x58\x83\x67"), u"\u65e5\u672c\u8a9e - \u30c6\u30b9\u30c8");
  EXPECT_EQ(page->Decode("\x5c"), u"\\");
  // A lead byte whose trail byte is missing is one unknown character.
  EXPECT_EQ(page->Decode("a\x93"), u"a\u30fb");
  EXPECT_EQ(page->Encode(u"\u00e9"), "?");
}

TEST(CodePage932, JapaneseTitleIsColouredWholeCharacterByCharacter) {
  auto page = Open(932);
  const std::string title = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x89\xcc";  // five double-byte characters
  ColorPattern pattern = ParseColorScript(u"1,4,8");
  std::string sent = page->Encode(ApplyPattern(page->Decode(title), pattern));
  EXPECT_EQ(sent, "#c4#\x93\xfa#c8#\x96\x7b#c4#\x8c\xea#c8#\x82\xcc#c4#\x89\xcc");
  EXPECT_EQ(page->Encode(page->Decode(sent)), sent);
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

TEST(CodePage, ALetterHeldBackKeepsItsPlaceBeforeAnUndefinedByte) {
  auto hebrew = Open(1255);
  EXPECT_EQ(hebrew->Decode("W\xEF"), u"W\u05DF");
  EXPECT_EQ(hebrew->Decode("\xE0\x81\xE0"), u"\u05D0\u0081\u05D0");
  auto vietnamese = Open(1258);
  EXPECT_EQ(vietnamese->Decode("a\x81\xEC" "b"), u"a\u0081\u0301b");
}

TEST(CodePage, UnknownNumbersOpenNothing) {
  EXPECT_EQ(OpenCodePage(0), nullptr);
  EXPECT_EQ(OpenCodePage(99999), nullptr);
  EXPECT_EQ(SystemCodePage()->Number(), 1252);
}

}  // namespace
}  // namespace lanternfly
