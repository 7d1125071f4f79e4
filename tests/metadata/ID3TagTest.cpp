#include "metadata/ID3Tag.h"

#include <gtest/gtest.h>

#include "Bytes.h"
#include "platform/sim/MemoryFiles.h"

namespace lanternfly {
namespace {

using test::Bytes;
using test::Put;

// A file of `audio` bytes followed by an ID3v1 tag with these fields.
Bytes TaggedFile(std::string_view title, std::string_view comment = "", std::uint8_t genre = 0,
                 std::size_t audio = 10) {
  Bytes bytes(audio + kID3v1Size, 0);
  Put(bytes, audio, "TAG");
  Put(bytes, audio + 3, title);
  Put(bytes, audio + 33, "Artist");
  Put(bytes, audio + 63, "Album");
  Put(bytes, audio + 93, "1999");
  Put(bytes, audio + 97, comment);
  bytes[audio + 127] = genre;
  return bytes;
}

std::optional<ID3Tag> Read(Bytes bytes, int codePage = 1252) {
  MemoryFile file(std::move(bytes));
  ID3Tag tag{u"keep", u"keep", u"keep", u"keep", u"keep", u"keep", u"keep"};
  if (ReadID3v1(file, *OpenCodePage(codePage), tag)) return tag;
  EXPECT_EQ(tag, (ID3Tag{u"keep", u"keep", u"keep", u"keep", u"keep", u"keep", u"keep"})) << "left alone";
  return std::nullopt;
}

TEST(ID3Tag, ReadsEveryFieldOfATagThatEndsTheFile) {
  EXPECT_EQ(Read(TaggedFile("Hey", "nice", 17)), (ID3Tag{u"Artist", u"Album", u"Hey", u"1999", u"Rock", u"nice", u""}));
  EXPECT_EQ(Read(TaggedFile("Only", "", 1, 0))->Title, u"Only");  // a file that is just the tag
  EXPECT_EQ(Read(TaggedFile("T", "", 148))->Genre, u"");
  Bytes shifted = TaggedFile("T");
  shifted.push_back(0);  // the tag is no longer the last 128 bytes
  for (const Bytes& bytes : {Bytes{}, Bytes(127, 'T'), Bytes(200, 0), shifted}) EXPECT_EQ(Read(bytes), std::nullopt);
}

TEST(ID3Tag, FieldsEndAtZeroLoseTheirBlanksAndEndLinesInCrLf) {
  const std::pair<std::string_view, std::u16string_view> cases[] = {
      {"123456789012345678901234567890", u"123456789012345678901234567890"},
      {"Hey                           ", u"Hey"},
      {"  Hey  ", u"Hey"},
      {std::string_view("Hey\0After", 9), u"Hey"},
      {"a\nb\rc\r\nd", u"a\r\nbc\r\nd"},
  };
  for (const auto& [stored, title] : cases) EXPECT_EQ(Read(TaggedFile(stored))->Title, title) << stored;
  EXPECT_EQ(Read(TaggedFile("\x93\xfa\x96\x7b\x8c\xea"), 932)->Title, u"\u65e5\u672c\u8a9e");  // read whole
}

TEST(ID3Tag, TrackNumberOnlyInTheOnePointOneForm) {
  const struct {
    std::uint8_t b125, b126;
    std::u16string_view track, comment;
  } cases[] = {{0, 7, u"7", u"1234567890123456789012345678"},
               {0, 0, u"", u"1234567890123456789012345678"},
               {'x', 7, u"", u"1234567890123456789012345678x\a"}};
  for (const auto& c : cases) {
    Bytes bytes = TaggedFile("T", "123456789012345678901234567890");
    Put(bytes, 10 + 125, {c.b125, c.b126});
    std::optional<ID3Tag> tag = Read(bytes);
    EXPECT_EQ(tag->Track + u"|" + tag->Comment, std::u16string(c.track) + u"|" + std::u16string(c.comment));
  }
}

}  // namespace
}  // namespace lanternfly
