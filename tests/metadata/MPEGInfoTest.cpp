#include "metadata/MPEGInfo.h"

#include <gtest/gtest.h>

#include <tuple>

#include "Bytes.h"
#include "metadata/ID3Tag.h"
#include "metadata/ID3v2Header.h"
#include "platform/sim/MemoryFiles.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

using test::Bytes;
using test::Put;
using test::PutBigEndian;

// MPEG-1 layer 3, no CRC | 128 kbit/s, 44100 Hz | joint stereo, original.
constexpr std::uint8_t kMpeg1Layer3 = 0xFB;
constexpr std::uint8_t k128At44100 = 0x90;
constexpr std::uint8_t kJointOriginal = 0x44;

Bytes FrameFile(std::size_t size, std::size_t at, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  Bytes bytes(size, 0);
  Put(bytes, at, {0xFF, b1, b2, b3});
  return bytes;
}

// A Xing-style header at `at`: tag, flags byte, frame count, byte count.
void PutXing(Bytes& bytes, std::size_t at, std::string_view tag, std::uint8_t flags, std::uint32_t frames,
             std::uint32_t size) {
  Put(bytes, at, tag);
  Put(bytes, at + 4, {0, 0, 0, flags});
  PutBigEndian(bytes, at + 8, frames);
  PutBigEndian(bytes, at + 12, size);
}

MPEGInfo Read(Bytes bytes, bool expected = true) {
  MemoryFile file(std::move(bytes));
  MPEGInfo info;
  EXPECT_EQ(ReadMPEGInfo(file, info), expected);
  return info;
}

Bytes TaggedAt(std::size_t size, std::size_t tag) {
  Bytes bytes(size, 0);
  if (tag == 0) return bytes;
  const std::size_t after = tag - 10;
  auto seven = [after](int shift) { return static_cast<std::uint8_t>((after >> shift) & 0x7F); };
  Put(bytes, 0, {'I', 'D', '3', 3, 0, 0, seven(21), seven(14), seven(7), seven(0)});
  return bytes;
}

TEST(MPEGInfo, ConstantBitRateFileTimedBySize) {
  MPEGInfo info = Read(FrameFile(4'000'000, 0, kMpeg1Layer3, k128At44100, kJointOriginal));
  MPEGInfo expected{u"version 1 layer 3", false, 128, 44100, false, u"Joint stereo", false, true, false, 250, -1, -1,
                    4'000'000};
  EXPECT_EQ(info, expected);
  MPEGInfo flags = Read(FrameFile(1000, 0, 0xFA, 0x90, 0x0D));
  EXPECT_TRUE(flags.Protected && flags.Copyright && flags.Original && flags.Emphasis);
  // 128 kbit/s is 16,000 bytes a second; halves round to even.
  EXPECT_EQ(Read(FrameFile(40'000, 0, kMpeg1Layer3, k128At44100, 0)).Duration, 2);
  EXPECT_EQ(Read(FrameFile(56'000, 0, kMpeg1Layer3, k128At44100, 0)).Duration, 4);
}

TEST(MPEGInfo, VariableBitRateHeadersGiveTheAverage) {
  struct Case {
    std::string_view tag;
    std::uint8_t b1, b2, b3, flags;
    std::size_t at;
    bool vbr;
    std::int32_t bitrate, duration;
  } cases[] = {
      {"Xing", kMpeg1Layer3, k128At44100, 0x00, 3, 36, true, 153, 261},  // 153.125 kbit/s, 261.2 s
      {"Xing", kMpeg1Layer3, k128At44100, 0xC0, 3, 21, true, 153, 261},  // mono: less side information
      {"Xing", 0xF3, k128At44100, 0xC0, 3, 13, true, 0, 0},              // MPEG-2 mono, rate index 9 of its table
      {"Xing", 0xF3, k128At44100, 0x40, 3, 21, true, 0, 0},
      {"Xing", kMpeg1Layer3, k128At44100, 0x00, 2, 36, false, 128, 375},  // not both counts: the frame's
      {"VBRI", kMpeg1Layer3, k128At44100, 0x00, 0, 36, true, 153, 261},
      {"Xing", kMpeg1Layer3, 0x9C, 0x00, 3, 36, true, 0, 0},  // no sample rate
  };
  for (const Case& c : cases) {
    Bytes bytes = FrameFile(6'000'000, 0, c.b1, c.b2, c.b3);
    if (c.tag == "VBRI") {
      Put(bytes, c.at, "VBRI");
      PutBigEndian(bytes, c.at + 10, 5'000'000);
      PutBigEndian(bytes, c.at + 14, 10'000);
    } else {
      PutXing(bytes, c.at, c.tag, c.flags, 10'000, 5'000'000);
    }
    MPEGInfo info = Read(bytes);
    EXPECT_EQ(info.VBR, c.vbr) << c.tag << c.at;
    if (c.b1 != kMpeg1Layer3) continue;
    EXPECT_EQ(info.Bitrate, c.bitrate) << c.tag << c.at;
    EXPECT_EQ(info.Duration, c.duration) << c.tag << c.at;
  }
}

TEST(MPEGInfo, ReservedVersionOrLayerStopsTheHeaderButNotTheRest) {
  Bytes reservedVersion = FrameFile(300, 0, 0xEB, 0x90, 0);
  Put(reservedVersion, 300 - 128, "TAG");
  MPEGInfo info = Read(reservedVersion, false);
  EXPECT_EQ(std::tuple(info.Version, info.ID3v1Version, info.FileSize), std::tuple(u"", 0, 300));
  info = Read(FrameFile(300, 0, 0xF9, 0x90, 0), false);
  EXPECT_EQ(std::tuple(info.Version, info.Bitrate), std::tuple(u"version 1", 0));
}

// Found where a byte-by-byte search finds it (the fuzz target checks that on
// small files): here, behind a tag and across the large reads.
TEST(MPEGInfo, TheSyncIsSearchedAfterTheTagAndAcrossReads) {
  Bytes tagged = TaggedAt(4000, 267);
  Put(tagged, 100, {0xFF, 0xFF, 0xFF, 0xFF});  // a sync inside the tag is not looked at
  Put(tagged, 300, {0xFF, kMpeg1Layer3, k128At44100, 0});
  EXPECT_EQ(Read(tagged).ID3v2Version, 3);
  MemoryFile taggedFile(tagged);
  EXPECT_EQ(FindFrameSync(taggedFile, 267), 300u);
  for (std::size_t at : {std::size_t{4'095}, std::size_t{262'143}, std::size_t{262'144}, std::size_t{1'000'000 - 4}}) {
    MemoryFile file(FrameFile(1'000'000, at, 0xE0, 0, 0));
    EXPECT_EQ(FindFrameSync(file, 0), at);
  }
  MemoryFile notSync(FrameFile(1'000'000, 10, 0xDF, 0, 0));
  EXPECT_EQ(FindFrameSync(notSync, 0), std::nullopt);
  EXPECT_LT(notSync.ReadCount(), 10u);
}

// A file far larger than memory: its header, and zeros everywhere else.
class HugeFile : public ReadableFile {
 public:
  std::uint64_t Size() const override { return std::uint64_t{1} << 50; }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override {
    std::fill(buffer.begin(), buffer.end(), 0);
    const std::uint8_t header[4] = {0xFF, kMpeg1Layer3, 0x10, 0};  // 32 kbit/s
    for (std::uint64_t i = offset; i < 4 && i - offset < buffer.size(); ++i) buffer[i - offset] = header[i];
    return buffer.size();
  }
};

TEST(MPEGInfo, ValuesThatDoNotFitAreSkipped) {
  HugeFile file;
  MPEGInfo info;
  EXPECT_TRUE(ReadMPEGInfo(file, info));
  EXPECT_EQ(std::tuple(info.Bitrate, info.Duration, info.FileSize), std::tuple(32, 0, 0));
}

TEST(ID3v2Header, TagSizeCountsHeaderAndFooter) {
  struct Case {
    Bytes header;
    std::optional<std::int32_t> occupies;
  } cases[] = {
      {{'I', 'D', '3', 3, 0, 0, 0, 0, 2, 1}, 267},
      {{'I', 'D', '3', 4, 0, 0x10, 0, 0, 2, 1}, 277},  // with a footer
      {{'I', 'D', '3', 3, 0, 0x10, 0, 0, 2, 1}, 267},  // version 3 has none
      {{'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0x80}, 138},
      {{'I', 'D', '3', 3, 0, 0, 0x80, 0, 0, 0}, std::nullopt},
      {{'I', 'D', '3', 4, 0, 0x10, 0x7F, 0xFF, 0xFF, 0xFF}, std::nullopt},
      {{'I', 'D'}, 0},
  };
  for (const Case& c : cases) {
    MemoryFile file(c.header);
    EXPECT_EQ(ID3v2TagSize(file, 0), c.occupies) << c.header.size() << int(c.header.back());
  }
}

// The readers on files made by a real encoder (tests/metadata/fixtures).
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
