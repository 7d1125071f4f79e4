#include "metadata/MPEGInfo.h"

#include <gtest/gtest.h>

#include "Bytes.h"
#include "CountingFile.h"
#include "message/Random.h"
#include "metadata/ID3v2Header.h"
#include "platform/sim/MemoryFiles.h"

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

TEST(MPEGInfo, ConstantBitRateFileTimedBySize) {
  MPEGInfo info = Read(FrameFile(4'000'000, 0, kMpeg1Layer3, k128At44100, kJointOriginal));
  MPEGInfo expected{u"version 1 layer 3", false, 128, 44100, false, u"Joint stereo", false, true, false, 250, -1, -1,
                    4'000'000};
  EXPECT_EQ(info, expected);
}

TEST(MPEGInfo, DurationRoundsHalvesToEven) {
  // 128 kbit/s is 16,000 bytes a second.
  EXPECT_EQ(Read(FrameFile(40'000, 0, kMpeg1Layer3, k128At44100, 0)).Duration, 2);
  EXPECT_EQ(Read(FrameFile(56'000, 0, kMpeg1Layer3, k128At44100, 0)).Duration, 4);
}

TEST(MPEGInfo, HeaderFieldsAndTables) {
  struct Case {
    std::uint8_t b1, b2, b3;
    std::u16string_view version;
    std::int32_t bitrate, frequency;
    std::u16string_view mode;
  } cases[] = {
      {0xF3, 0x80, 0xC0, u"version 2 layer 3", 64, 22050, u"Mono"},          // MPEG-2, index 8
      {0xE3, 0x80, 0x80, u"version 2.5 layer 3", 64, 11025, u"Dual channel"},  // MPEG-2.5 shares MPEG-2's rows
      {0xFD, 0xE4, 0x00, u"version 1 layer 2", 384, 48000, u"Stereo"},        // index 14, layer 2
      {0xFF, 0x18, 0x00, u"version 1 layer 1", 32, 32000, u"Stereo"},         // index 1, layer 1
      {0xF7, 0xE0, 0x00, u"version 2 layer 1", 256, 22050, u"Stereo"},
      {0xF5, 0xE0, 0x00, u"version 2 layer 2", 160, 22050, u"Stereo"},
  };
  for (const Case& c : cases) {
    MPEGInfo info = Read(FrameFile(1000, 0, c.b1, c.b2, c.b3));
    EXPECT_EQ(info.Version, c.version);
    EXPECT_EQ(info.Bitrate, c.bitrate) << static_cast<int>(c.b1);
    EXPECT_EQ(info.Frequency, c.frequency) << static_cast<int>(c.b1);
    EXPECT_EQ(info.ChannelMode, c.mode);
  }
  MPEGInfo flags = Read(FrameFile(1000, 0, 0xFA, 0x90, 0x0D));
  EXPECT_TRUE(flags.Protected);
  EXPECT_TRUE(flags.Copyright);
  EXPECT_TRUE(flags.Original);
  EXPECT_TRUE(flags.Emphasis);
}

TEST(MPEGInfo, XingAndInfoHeadersGiveTheAverageBitRate) {
  for (std::string_view tag : {"Xing", "Info"}) {
    Bytes bytes = FrameFile(6'000'000, 0, kMpeg1Layer3, k128At44100, kJointOriginal);
    PutXing(bytes, 36, tag, 3, 10'000, 5'000'000);  // 4 + 32 bytes of MPEG-1 stereo side information
    MPEGInfo info = Read(bytes);
    EXPECT_TRUE(info.VBR);
    EXPECT_EQ(info.Bitrate, 153);  // 153.125
    EXPECT_EQ(info.Duration, 261);  // 261.2
  }
}

TEST(MPEGInfo, XingPositionFollowsVersionAndChannels) {
  struct Case {
    std::uint8_t b1, b3;
    std::size_t at;
  } cases[] = {{kMpeg1Layer3, 0xC0, 21}, {kMpeg1Layer3, 0x00, 36}, {0xF3, 0xC0, 13}, {0xF3, 0x40, 21}};
  for (const Case& c : cases) {
    Bytes bytes = FrameFile(100'000, 0, c.b1, 0x90, c.b3);
    PutXing(bytes, c.at, "Xing", 3, 100, 50'000);
    EXPECT_TRUE(Read(bytes).VBR) << c.at;
  }
}

TEST(MPEGInfo, XingWithoutBothCountsFallsBackToTheFrame) {
  Bytes bytes = FrameFile(4'000'000, 0, kMpeg1Layer3, k128At44100, 0);
  PutXing(bytes, 36, "Xing", 2, 10'000, 5'000'000);
  MPEGInfo info = Read(bytes);
  EXPECT_FALSE(info.VBR);
  EXPECT_EQ(info.Bitrate, 128);
  EXPECT_EQ(info.Duration, 250);
}

TEST(MPEGInfo, VbriHeaderReplacesXingCounts) {
  Bytes bytes = FrameFile(6'000'000, 0, kMpeg1Layer3, k128At44100, kJointOriginal);
  Put(bytes, 36, "VBRI");
  PutBigEndian(bytes, 46, 5'000'000);
  PutBigEndian(bytes, 50, 10'000);
  MPEGInfo info = Read(bytes);
  EXPECT_TRUE(info.VBR);
  EXPECT_EQ(info.Bitrate, 153);
  EXPECT_EQ(info.Duration, 261);
}

TEST(MPEGInfo, MissingRatesLeaveTheirFields) {
  // Sample rate index 3 with VBR counts: bit rate 0, no duration.
  Bytes bytes = FrameFile(100'000, 0, kMpeg1Layer3, 0x9C, 0);
  PutXing(bytes, 36, "Xing", 3, 100, 50'000);
  MPEGInfo info = Read(bytes);
  EXPECT_EQ(info.Frequency, 0);
  EXPECT_EQ(info.Bitrate, 0);
  EXPECT_EQ(info.Duration, 0);
  // Bit rate index 15, and 0: no bit rate, no duration.
  EXPECT_EQ(Read(FrameFile(100'000, 0, kMpeg1Layer3, 0xF0, 0)).Duration, 0);
  EXPECT_EQ(Read(FrameFile(100'000, 0, kMpeg1Layer3, 0x00, 0)).Bitrate, 0);
}

TEST(MPEGInfo, ReservedVersionOrLayerStopsTheHeaderButNotTheRest) {
  Bytes reservedVersion = FrameFile(300, 0, 0xEB, 0x90, 0);
  Put(reservedVersion, 300 - 128, "TAG");
  MPEGInfo info = Read(reservedVersion, false);
  EXPECT_EQ(info.Version, u"");
  EXPECT_EQ(info.ID3v1Version, 0);
  EXPECT_EQ(info.FileSize, 300);

  info = Read(FrameFile(300, 0, 0xF9, 0x90, 0), false);
  EXPECT_EQ(info.Version, u"version 1");
  EXPECT_EQ(info.Bitrate, 0);
}

TEST(MPEGInfo, SearchStartsAfterTheID3v2Tag) {
  Bytes bytes(4000, 0);
  Put(bytes, 0, {'I', 'D', '3', 3, 0, 0, 0, 0, 2, 1});
  Put(bytes, 100, {0xFF, 0xFF, 0xFF, 0xFF});  // a sync inside the tag is not looked at
  Put(bytes, 300, {0xFF, kMpeg1Layer3, k128At44100, 0});
  MPEGInfo info = Read(bytes);
  EXPECT_EQ(info.ID3v2Version, 3);
  EXPECT_EQ(info.Duration, 0);  // (4000 - 300) / 16000
  MemoryFile file(bytes);
  EXPECT_EQ(FindFrameSync(file, 267), 300u);
}

TEST(MPEGInfo, SyncIsFoundAcrossBlocksAndOnlyWithFourBytesLeft) {
  for (std::size_t at : {std::size_t{0}, std::size_t{262'143}, std::size_t{262'144}, std::size_t{1'000'000 - 4}}) {
    MemoryFile file(FrameFile(1'000'000, at, 0xE0, 0, 0));
    EXPECT_EQ(FindFrameSync(file, 0), at);
  }
  Bytes lastThree(1'000'000, 0);
  Put(lastThree, 1'000'000 - 3, {0xFF, 0xE0});
  MemoryFile tooLate(lastThree);
  EXPECT_EQ(FindFrameSync(tooLate, 0), std::nullopt);
  MemoryFile notSync(FrameFile(1'000'000, 10, 0xDF, 0, 0));
  EXPECT_EQ(FindFrameSync(notSync, 0), std::nullopt);
  EXPECT_LT(notSync.ReadCount(), 10u);
}

// The first sync as a byte-by-byte search finds it.
std::optional<std::uint64_t> FirstSync(const Bytes& bytes, std::size_t start) {
  for (std::size_t at = start; at + 4 <= bytes.size(); ++at) {
    if (bytes[at] == 0xFF && (bytes[at + 1] & 0xE0) == 0xE0) return at;
  }
  return std::nullopt;
}

TEST(MPEGInfo, SearchFindsWhatAByteByByteSearchFinds) {
  // The reads grow (4 KiB, 16, 64, then 256 KiB each) and overlap by one
  // byte; a sync just before, on or after the end of a read is the case
  // that goes wrong. Where the reads end depends on where the search starts:
  // after the ID3v2 tag, or inside the 4 KiB read first.
  Random random(5);
  auto below = [&](std::size_t count) { return static_cast<std::size_t>(random.Below(static_cast<std::int32_t>(count))); };
  for (int round = 0; round < 120; ++round) {
    const std::size_t tag = round % 3 == 0 ? 0 : 10 + below(round % 3 == 1 ? 4'200 : 70'000);
    std::vector<std::size_t> ends;
    for (std::size_t end : {tag, std::size_t{4'095}}) {
      for (std::size_t read : {4'096, 16'384, 65'536, 262'144}) ends.push_back(end += read - 1);
    }
    const std::size_t size = tag + 4 + below(450'000);
    Bytes bytes(size, 0);
    if (tag != 0) {
      const std::size_t after = tag - 10;
      Put(bytes, 0, {'I', 'D', '3', 3, 0, 0, static_cast<std::uint8_t>(after >> 21), static_cast<std::uint8_t>((after >> 14) & 0x7F),
                     static_cast<std::uint8_t>((after >> 7) & 0x7F), static_cast<std::uint8_t>(after & 0x7F)});
    }
    // False syncs, 0xFF before a byte without its top three bits, then
    // mostly one real sync near the end of a read or anywhere.
    for (int i = 0; i < 200; ++i) Put(bytes, 10 + below(size - 11), {0xFF, 0x1F});
    const std::size_t at = below(2) == 0 ? ends[below(ends.size())] + 3 - below(7) : tag + below(size - tag);
    if (at + 1 < size && below(8) != 0) Put(bytes, at, {0xFF, kMpeg1Layer3});

    const std::optional<std::uint64_t> expected = FirstSync(bytes, tag);
    MemoryFile file(bytes);
    ASSERT_EQ(FindFrameSync(file, tag), expected) << "size " << size << ", tag " << tag << ", sync " << at;
    MPEGInfo info;
    const bool decodes = expected && ((bytes[*expected + 1] >> 3) & 3) != 1 && ((bytes[*expected + 1] >> 1) & 3) != 0;
    ASSERT_EQ(ReadMPEGInfo(file, info), decodes) << "size " << size << ", tag " << tag << ", sync " << at;
  }
}

TEST(MPEGInfo, FrameHeadersAreReadWholeWhereverTheFrameFalls) {
  // A Xing frame at every offset around the end of the first read, and of
  // the next, behind a tag or not: the frame's 54 bytes of headers may lie
  // across the end of a read.
  for (std::size_t tag : {std::size_t{0}, std::size_t{3'000}, std::size_t{6'000}}) {
    for (std::size_t at = 4'000; at < 4'200; ++at) {
      const std::size_t frame = at + tag;
      Bytes bytes(20'000, 0);
      if (tag != 0) Put(bytes, 0, {'I', 'D', '3', 3, 0, 0, 0, 0, static_cast<std::uint8_t>((tag - 10) >> 7), static_cast<std::uint8_t>((tag - 10) & 0x7F)});
      Put(bytes, frame, {0xFF, kMpeg1Layer3, k128At44100, kJointOriginal});
      PutXing(bytes, frame + 36, "Xing", 3, 10'000, 5'000'000);
      MemoryFile file(bytes);
      MPEGInfo info;
      ASSERT_TRUE(ReadMPEGInfo(file, info)) << frame;
      ASSERT_EQ(info.Bitrate, 153) << frame;
      ASSERT_EQ(info.Duration, 261) << frame;
    }
  }
}

TEST(MPEGInfo, ReadsStaySmallUntilTheSyncIsFurtherIn) {
  constexpr std::size_t kNone = 0;
  struct Case {
    std::string_view what;
    std::size_t tag, frame;
    std::size_t reads, bytes;  // at most
  } cases[] = {
      {"frame right after the tag", 2'048, 2'048, 2, 4'096 + 128},
      {"tag holding a cover picture", 300'000, 300'000, 3, 2 * 4'096 + 128},
      {"padding past the tag", 2'048, 10'000, 3, 4'096 + 16'384 + 128},
      {"no frame at all", 2'048, kNone, 20, 4'000'000 + 128 + 64},
  };
  for (const Case& c : cases) {
    Bytes bytes(4'000'000, 0);
    const std::size_t after = c.tag - 10;
    Put(bytes, 0, {'I', 'D', '3', 3, 0, 0, static_cast<std::uint8_t>(after >> 21), static_cast<std::uint8_t>((after >> 14) & 0x7F),
                   static_cast<std::uint8_t>((after >> 7) & 0x7F), static_cast<std::uint8_t>(after & 0x7F)});
    if (c.frame != kNone) Put(bytes, c.frame, {0xFF, kMpeg1Layer3, k128At44100, kJointOriginal});
    auto log = std::make_shared<test::ReadLog>();
    test::CountingFile file(std::make_unique<MemoryFile>(bytes), log);
    MPEGInfo info;
    EXPECT_EQ(ReadMPEGInfo(file, info), c.frame != kNone) << c.what;
    EXPECT_LE(log->reads.size(), c.reads) << c.what;
    EXPECT_LE(log->Bytes(), c.bytes) << c.what;
  }
}

TEST(MPEGInfo, TinyOrMissingFilesLeaveTheRecordAlone) {
  const MPEGInfo before{u"keep", true, 1, 2, true, u"keep", true, true, true, 3, 4, 5, 6};
  for (std::size_t size = 0; size < 4; ++size) {
    MemoryFile file(Bytes(size, 0xFF));
    MPEGInfo info = before;
    EXPECT_FALSE(ReadMPEGInfo(file, info));
    EXPECT_EQ(info, before);
  }
  MPEGInfo info = before;
  MemoryFiles files;
  EXPECT_FALSE(ReadMPEGInfo(files, *OpenCodePage(1252), u"missing.mp3", info));
  EXPECT_EQ(info, before);
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
  EXPECT_EQ(info.Bitrate, 32);
  EXPECT_EQ(info.Duration, 0);
  EXPECT_EQ(info.FileSize, 0);
}

TEST(MPEGInfo, RandomAndTruncatedBytesNeverFail) {
  Random random(11);
  for (int round = 0; round < 2000; ++round) {
    Bytes bytes(random.Below(400));
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random.Below(4) == 0 ? 0xFF : random.Below(256));
    if (bytes.size() > 10 && random.Below(2) == 0) Put(bytes, 0, {'I', 'D', '3', 4, 0, 0x10});
    MemoryFile file(bytes);
    MPEGInfo info;
    ReadMPEGInfo(file, info);
    EXPECT_EQ(info.FileSize, static_cast<std::int32_t>(bytes.size()) * (bytes.size() >= 4));
  }
}

TEST(ID3v2Header, BigEndianNumbers) {
  using Four = std::array<std::uint8_t, 4>;
  EXPECT_EQ(ReadBigEndian32(Four{0, 0, 2, 1}, true), 257);
  EXPECT_EQ(ReadBigEndian32(Four{0, 0, 2, 1}, false), 513);
  EXPECT_EQ(ReadBigEndian32(Four{0, 0, 0, 0x80}, true), 128);
  EXPECT_EQ(ReadBigEndian32(Four{0x7F, 0xFF, 0xFF, 0xFF}, false), 0x7FFFFFFF);
  EXPECT_EQ(ReadBigEndian32(Four{0x80, 0, 0, 0}, false), std::nullopt);
}

TEST(ID3v2Header, TagSizeCountsHeaderAndFooter) {
  struct Case {
    std::uint8_t version, flags, size3;
    std::optional<std::int32_t> occupies;
  } cases[] = {{3, 0, 1, 267}, {4, 0x10, 1, 277}, {3, 0x10, 1, 267}, {4, 0, 1, 267}};
  for (const Case& c : cases) {
    MemoryFile file(Bytes{'I', 'D', '3', c.version, 0, c.flags, 0, 0, 2, c.size3});
    EXPECT_EQ(ID3v2TagSize(file, 0), c.occupies);
  }
  MemoryFile plain(Bytes{'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0x80});
  EXPECT_EQ(ID3v2TagSize(plain, 0), 138);
  MemoryFile tooBig(Bytes{'I', 'D', '3', 3, 0, 0, 0x80, 0, 0, 0});
  EXPECT_EQ(ID3v2TagSize(tooBig, 0), std::nullopt);
  MemoryFile overflow(Bytes{'I', 'D', '3', 4, 0, 0x10, 0x7F, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(ID3v2TagSize(overflow, 0), std::nullopt);
  MemoryFile none(Bytes{'I', 'D'});
  EXPECT_EQ(ID3v2TagSize(none, 0), 0);
}

}  // namespace
}  // namespace lanternfly
