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

TEST(CodePage, UnknownNumbersOpenNothing) {
  EXPECT_EQ(OpenCodePage(0), nullptr);
  EXPECT_EQ(OpenCodePage(99999), nullptr);
  EXPECT_EQ(SystemCodePage()->Number(), 1252);
}

}  // namespace
}  // namespace lanternfly
