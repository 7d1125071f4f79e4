// The readers on files made by a real encoder (tests/metadata/fixtures).

#include <gtest/gtest.h>

#include <tuple>

#include "metadata/ID3Tag.h"
#include "metadata/MPEGInfo.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

std::u16string Fixture(std::string_view name) { return Utf8ToUtf16(std::string(LANTERNFLY_FIXTURES) + "/" + std::string(name)); }

class EncodedFilesTest : public ::testing::Test {
 protected:
  MPEGInfo ReadInfo(std::string_view name) {
    MPEGInfo info;
    EXPECT_TRUE(ReadMPEGInfo(*files_, *codePage_, Fixture(name), info)) << name;
    return info;
  }

  std::unique_ptr<Files> files_ = SystemFiles();
  std::unique_ptr<CodePage> codePage_ = OpenCodePage(1252);
};

TEST_F(EncodedFilesTest, FormatsAndTimes) {
  struct Case {
    std::string_view file;
    std::u16string_view version;
    std::int32_t bitrate, frequency;
    bool vbr;
    std::u16string_view mode;
    std::int32_t size;
  } cases[] = {
      {"cbr128-joint-no-info.mp3", u"version 1 layer 3", 128, 44100, false, u"Joint stereo", 16718},
      // The encoder's "Info" frame of a CBR file counts like a Xing header.
      {"cbr128-info.mp3", u"version 1 layer 3", 131, 44100, true, u"Joint stereo", 17135},
      {"vbr-xing.mp3", u"version 1 layer 3", 62, 44100, true, u"Joint stereo", 8039},
      {"mono-mpeg1.mp3", u"version 1 layer 3", 64, 44100, false, u"Mono", 8359},
      {"mpeg2-22050.mp3", u"version 2 layer 3", 64, 22050, false, u"Stereo", 8568},
      {"mpeg25-11025.mp3", u"version 2.5 layer 3", 32, 11025, false, u"Stereo", 4597},
  };
  for (const Case& c : cases) {
    MPEGInfo info = ReadInfo(c.file);
    EXPECT_EQ(std::tuple(info.Version, info.Bitrate, info.Frequency, info.VBR, info.ChannelMode, info.FileSize),
              std::tuple(c.version, c.bitrate, c.frequency, c.vbr, c.mode, c.size)) << c.file;
    EXPECT_EQ(std::tuple(info.Duration, info.ID3v1Version, info.ID3v2Version), std::tuple(1, -1, -1)) << c.file;
  }
}

TEST_F(EncodedFilesTest, TaggedFile) {
  MPEGInfo info = ReadInfo("tagged-v1v2.mp3");
  EXPECT_EQ(info.ID3v1Version * 10 + info.ID3v2Version, 13);

  ID3Tag tag;
  EXPECT_TRUE(ReadID3v1(*files_, *codePage_, Fixture("tagged-v1v2.mp3"), tag));
  EXPECT_EQ(tag, (ID3Tag{u"Some Artist", u"Album X", u"Tune", u"1999", u"Rock", u"note", u"7"}));
}

TEST_F(EncodedFilesTest, FoldersAndPathsTheCodePageCannotWriteOpenNothing) {
  MPEGInfo info;
  EXPECT_FALSE(ReadMPEGInfo(*files_, *codePage_, Utf8ToUtf16(LANTERNFLY_FIXTURES), info));
  EXPECT_EQ(info, MPEGInfo());
  EXPECT_FALSE(ReadMPEGInfo(*files_, *codePage_, Fixture("\xe6\x97\xa5.mp3"), info));
  EXPECT_FALSE(ReadMPEGInfo(*files_, *codePage_, u"", info));
}

}  // namespace
}  // namespace lanternfly
