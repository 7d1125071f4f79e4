#include "metadata/ID3Tag.h"

#include <gtest/gtest.h>

#include "Bytes.h"
#include "platform/sim/MemoryFiles.h"

namespace lanternfly {
namespace {

using test::Bytes;
using test::Put;

// A file of `audio` bytes followed by an ID3v1 tag with these fields.
Bytes TaggedFile(std::string_view title, std::string_view comment, std::uint8_t genre, std::size_t audio = 10) {
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

class ID3TagTest : public ::testing::Test {
 protected:
  bool Read(Bytes bytes, ID3Tag& tag) {
    MemoryFile file(std::move(bytes));
    return ReadID3v1(file, *codePage_, tag);
  }
  ID3Tag Read(Bytes bytes) {
    ID3Tag tag;
    EXPECT_TRUE(Read(std::move(bytes), tag));
    return tag;
  }

  std::unique_ptr<CodePage> codePage_ = OpenCodePage(1252);
};

TEST_F(ID3TagTest, ReadsEveryField) {
  ID3Tag tag = Read(TaggedFile("Hey", "nice", 17));
  EXPECT_EQ(tag, (ID3Tag{u"Artist", u"Album", u"Hey", u"1999", u"Rock", u"nice", u""}));
}

TEST_F(ID3TagTest, FieldsEndAtZeroOrLoseTheirBlanks) {
  EXPECT_EQ(Read(TaggedFile("123456789012345678901234567890", "", 0)).Title, u"123456789012345678901234567890");
  EXPECT_EQ(Read(TaggedFile("Hey                           ", "", 0)).Title, u"Hey");
  EXPECT_EQ(Read(TaggedFile("  Hey  ", "", 0)).Title, u"Hey");
  EXPECT_EQ(Read(TaggedFile(std::string_view("Hey\0After", 9), "", 0)).Title, u"Hey");
}

TEST_F(ID3TagTest, TrackNumberOnlyInTheOnePointOneForm) {
  Bytes withTrack = TaggedFile("T", "123456789012345678901234567890", 0);
  Put(withTrack, 10 + 125, {0, 7});
  ID3Tag tag = Read(withTrack);
  EXPECT_EQ(tag.Track, u"7");
  EXPECT_EQ(tag.Comment, u"1234567890123456789012345678");

  Bytes noTrack = TaggedFile("T", "123456789012345678901234567890", 0);
  Put(noTrack, 10 + 125, {0, 0});
  tag = Read(noTrack);
  EXPECT_EQ(tag.Track, u"");
  EXPECT_EQ(tag.Comment, u"1234567890123456789012345678");

  Bytes notZero = TaggedFile("T", "123456789012345678901234567890", 0);
  Put(notZero, 10 + 125, {'x', 7});
  tag = Read(notZero);
  EXPECT_EQ(tag.Track, u"");
  EXPECT_EQ(tag.Comment, u"1234567890123456789012345678x\a");
}

TEST_F(ID3TagTest, GenreNames) {
  EXPECT_EQ(GenreName(0), u"Blues");
  EXPECT_EQ(GenreName(67), u"Psychadelic");
  EXPECT_EQ(GenreName(85), u"Bebob");
  EXPECT_EQ(GenreName(93), u"Psychedelic Rock");
  EXPECT_EQ(GenreName(140), u"Contemporary C");
  EXPECT_EQ(GenreName(147), u"SynthPop");
  EXPECT_EQ(GenreName(148), u"");
  EXPECT_EQ(GenreName(-1), u"");
  EXPECT_EQ(Read(TaggedFile("T", "", 255)).Genre, u"");
}

TEST_F(ID3TagTest, LineFeedBecomesCrLfAndCrIsDropped) {
  EXPECT_EQ(Read(TaggedFile("a\nb\rc\r\nd", "", 0)).Title, u"a\r\nbc\r\nd");
}

TEST_F(ID3TagTest, DoubleByteTitleReadsWhole) {
  auto japanese = OpenCodePage(932);
  MemoryFile file(TaggedFile("\x93\xfa\x96\x7b\x8c\xea", "", 0));
  ID3Tag tag;
  ASSERT_TRUE(ReadID3v1(file, *japanese, tag));
  EXPECT_EQ(tag.Title, u"\u65e5\u672c\u8a9e");
}

TEST_F(ID3TagTest, NoTagLeavesTheRecordAlone) {
  const ID3Tag before{u"keep", u"keep", u"keep", u"keep", u"keep", u"keep", u"keep"};
  Bytes shifted = TaggedFile("T", "", 0);
  shifted.push_back(0);  // the tag is no longer the last 128 bytes
  for (const Bytes& bytes : {Bytes{}, Bytes(127, 'T'), Bytes(200, 0), shifted}) {
    ID3Tag tag = before;
    EXPECT_FALSE(Read(bytes, tag));
    EXPECT_EQ(tag, before);
  }
  ID3Tag tag = before;
  MemoryFiles files;
  EXPECT_FALSE(ReadID3v1(files, *codePage_, u"missing.mp3", tag));
  EXPECT_EQ(tag, before);
}

TEST_F(ID3TagTest, ExactlyOneTagOfBytesIsATag) {
  EXPECT_EQ(Read(TaggedFile("Only", "", 1, 0)).Title, u"Only");
}

}  // namespace
}  // namespace lanternfly
