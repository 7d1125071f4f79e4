#include "metadata/MPEGInfo.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "metadata/ID3Tag.h"
#include "metadata/ID3v2Header.h"

namespace lanternfly {
namespace {

// Bit rates in kbit/s by bit rate index 1 to 14 (index 0 unused): ISO/IEC
// 11172-3 for MPEG-1, one row per layer; ISO/IEC 13818-3 for the low sample
// rates of MPEG-2, which MPEG-2.5 shares, with layers 2 and 3 sharing a row.
constexpr std::int32_t kMpeg1Bitrates[3][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // layer 1
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // layer 2
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // layer 3
};
constexpr std::int32_t kMpeg2Bitrates[2][15] = {
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},  // layer 1
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},       // layers 2 and 3
};

constexpr double kSampleRates[4] = {44100, 48000, 32000, 0};

constexpr std::u16string_view kChannelModes[4] = {u"Stereo", u"Joint stereo", u"Dual channel", u"Mono"};

enum class Mpeg { k1, k2, k25 };

// Rounded to the nearest whole number, halves to the even one; nothing when
// the value is not a number or does not fit.
std::optional<std::int32_t> RoundHalfEven(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

void SetRounded(std::int32_t& field, double value) {
  if (auto rounded = RoundHalfEven(value)) field = *rounded;
}

// Frame and byte counts of a Xing, Info or VBRI header, 0 where there are none.
struct VbrCounts {
  std::int32_t frames = 0;
  std::int32_t bytes = 0;
};

void ReadCount(std::int32_t& count, std::span<const std::uint8_t> bytes) {
  if (auto value = ReadBigEndian32(bytes.first<4>(), false)) count = *value;
}

// What follows a frame sync, as far as the header, the Xing header (at most
// 4 + 32 bytes in, 16 long) and the VBRI header (36 bytes in, 18 long) reach.
constexpr std::size_t kFrameBytes = 54;
using FrameBytes = std::array<std::uint8_t, kFrameBytes>;

VbrCounts ReadVbrCounts(std::span<const std::uint8_t, kFrameBytes> frame, std::size_t xingAt) {
  VbrCounts counts;
  std::span<const std::uint8_t> xing = frame.subspan(xingAt, 16);
  if ((StartsWith(xing, "Xing") || StartsWith(xing, "Info")) && (xing[7] & 1) != 0) {
    ReadCount(counts.frames, xing.subspan(8));
    if ((xing[7] & 2) != 0) ReadCount(counts.bytes, xing.subspan(12));
  }
  std::span<const std::uint8_t> vbri = frame.subspan(36, 18);
  if (StartsWith(vbri, "VBRI")) {
    ReadCount(counts.bytes, vbri.subspan(10));
    ReadCount(counts.frames, vbri.subspan(14));
  }
  return counts;
}

// Decodes the frame at `frameAt` of a file of `size` bytes; false when its
// version or layer is the reserved value (what was read before that stays in
// `info`).
bool ReadFrame(std::span<const std::uint8_t, kFrameBytes> frame, std::uint64_t frameAt, std::uint64_t size,
               MPEGInfo& info) {
  const std::span<const std::uint8_t, 4> header = frame.first<4>();

  Mpeg mpeg;
  switch ((header[1] >> 3) & 3) {
    case 0: mpeg = Mpeg::k25, info.Version = u"version 2.5"; break;
    case 2: mpeg = Mpeg::k2, info.Version = u"version 2"; break;
    case 3: mpeg = Mpeg::k1, info.Version = u"version 1"; break;
    default: return false;
  }
  const int layerBits = (header[1] >> 1) & 3;
  if (layerBits == 0) return false;
  const int layer = 4 - layerBits;
  const int samplesPerFrame = layer == 1 ? 384 : (layer == 2 || mpeg == Mpeg::k1) ? 1152 : 576;
  info.Version += u" layer ";
  info.Version += static_cast<char16_t>(u'0' + layer);

  info.Protected = (header[1] & 1) == 0;

  const int mode = header[3] >> 6;
  info.ChannelMode = kChannelModes[mode];
  const bool mono = mode == 3;
  const int sideInformation = mpeg == Mpeg::k1 ? (mono ? 17 : 32) : (mono ? 9 : 17);

  const double divisor = mpeg == Mpeg::k1 ? 1 : mpeg == Mpeg::k2 ? 2 : 4;
  SetRounded(info.Frequency, kSampleRates[(header[2] >> 2) & 3] / divisor);

  const VbrCounts counts = ReadVbrCounts(frame, 4 + static_cast<std::size_t>(sideInformation));
  if (counts.frames != 0 && counts.bytes != 0) {
    info.VBR = true;
    SetRounded(info.Bitrate, static_cast<double>(counts.bytes) / counts.frames / samplesPerFrame / 125 * info.Frequency);
    if (info.Frequency != 0) SetRounded(info.Duration, static_cast<double>(counts.frames) / info.Frequency * samplesPerFrame);
  } else {
    info.VBR = false;
    const int bitrateIndex = header[2] >> 4;
    if (bitrateIndex >= 1 && bitrateIndex <= 14) {
      info.Bitrate = mpeg == Mpeg::k1 ? kMpeg1Bitrates[layer - 1][bitrateIndex]
                                      : kMpeg2Bitrates[layer == 1 ? 0 : 1][bitrateIndex];
    }
    // The audio runs from the first frame to the end of the file, an ID3v1
    // tag included, at the first frame's bit rate.
    if (info.Bitrate != 0) {
      SetRounded(info.Duration, static_cast<double>(size - frameAt) / (info.Bitrate * 125.0));
    }
  }
  info.Copyright = (header[3] & 8) != 0;
  info.Original = (header[3] & 4) != 0;
  info.Emphasis = (header[3] & 3) != 0;
  return true;
}

// A song's first frame usually follows its ID3v2 tag at once, so the search
// starts with a small read and reads more at a time only while it finds
// nothing: the poll that runs every few seconds reads a few KiB, and a file
// without any sync is still read in large blocks, never byte by byte.
constexpr std::size_t kFirstBlock = 4 * 1024;
constexpr std::size_t kLargestBlock = 256 * 1024;

struct FoundFrame {
  std::uint64_t at = 0;
  FrameBytes bytes{};  // zeros past the end of the file
};

// The first frame sync from `start` on (see FindFrameSync). `head` holds the
// file's first bytes when they have been read already; they are not read again.
std::optional<FoundFrame> SearchFrame(ReadableFile& file, std::uint64_t start, std::span<const std::uint8_t> head) {
  const std::uint64_t size = file.Size();
  if (size < 4) return std::nullopt;
  const std::uint64_t last = size - 4;
  std::unique_ptr<std::uint8_t[]> block;  // not zeroed: only what was read is looked at
  std::size_t blockSize = 0;
  std::size_t nextRead = kFirstBlock;
  for (std::uint64_t offset = start; offset <= last;) {
    std::span<const std::uint8_t> window;
    if (offset + 1 < head.size()) {
      window = head.subspan(static_cast<std::size_t>(offset));
      nextRead = kFirstBlock * 4;
    } else {
      if (blockSize < nextRead) block = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize = nextRead);
      const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(nextRead, size - offset));
      window = std::span<const std::uint8_t>(block.get(), file.ReadAt(offset, std::span(block.get(), want)));
      nextRead = std::min(nextRead * 4, kLargestBlock);
    }
    if (window.size() < 2) return std::nullopt;
    // Each candidate needs the byte after it; the last byte of a window is
    // looked at again as the first of the next.
    const std::size_t candidates = static_cast<std::size_t>(std::min<std::uint64_t>(window.size() - 1, last - offset + 1));
    for (std::size_t i = 0; i < candidates; ++i) {
      const void* sync = std::memchr(window.data() + i, 0xFF, candidates - i);
      if (sync == nullptr) break;
      i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(sync) - window.data());
      if ((window[i + 1] & 0xE0) != 0xE0) continue;
      FoundFrame found{offset + i};
      std::span<const std::uint8_t> rest = window.subspan(i);
      if (rest.size() >= kFrameBytes || offset + window.size() == size) {
        std::copy_n(rest.begin(), std::min(rest.size(), kFrameBytes), found.bytes.begin());
      } else {
        found.bytes = ReadBytes<kFrameBytes>(file, found.at);
      }
      return found;
    }
    offset += candidates;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> FindFrameSync(ReadableFile& file, std::uint64_t start) {
  std::optional<FoundFrame> found = SearchFrame(file, start, {});
  if (!found) return std::nullopt;
  return found->at;
}

namespace {

// ReadMPEGInfo, handing the last 128 bytes it read (zeros when the file is
// shorter) to `id3v1` when given.
bool ReadInfo(ReadableFile& file, MPEGInfo& info, ID3v1Bytes* id3v1) {
  const std::uint64_t size = file.Size();
  if (size < 4) return false;
  // One read at the start serves the ID3v2 header and, for most files, the
  // search and the frame's headers too.
  std::array<std::uint8_t, kFirstBlock> headBuffer;
  const std::span<const std::uint8_t> head(
      headBuffer.data(), file.ReadAt(0, std::span(headBuffer).first(static_cast<std::size_t>(std::min<std::uint64_t>(size, kFirstBlock)))));
  std::array<std::uint8_t, kID3v2HeaderSize> id3v2{};
  std::copy_n(head.begin(), std::min(head.size(), id3v2.size()), id3v2.begin());

  // A tag whose size does not fit is searched from the start.
  const std::uint64_t start = static_cast<std::uint64_t>(ID3v2TagSize(id3v2).value_or(0));
  bool decoded = false;
  if (std::optional<FoundFrame> frame = SearchFrame(file, start, head)) {
    decoded = ReadFrame(frame->bytes, frame->at, size, info);
  }

  info.ID3v1Version = -1;
  if (size >= kID3v1Size) {
    ID3v1Bytes tag = ReadBytes<kID3v1Size>(file, size - kID3v1Size);
    if (StartsWith(tag, "TAG")) info.ID3v1Version = ID3v1Form(tag);
    if (id3v1 != nullptr) *id3v1 = tag;
  }
  info.ID3v2Version = -1;
  if (StartsWith(id3v2, "ID3")) info.ID3v2Version = id3v2[3];

  if (size <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
    info.FileSize = static_cast<std::int32_t>(size);
  }
  return decoded;
}

}  // namespace

bool ReadMPEGInfo(ReadableFile& file, MPEGInfo& info) { return ReadInfo(file, info, nullptr); }

bool ReadMPEGInfoAndID3v1(ReadableFile& file, const CodePage& codePage, MPEGInfo& info, ID3Tag& tag) {
  ID3v1Bytes id3v1{};
  ReadInfo(file, info, &id3v1);
  return ReadID3v1(id3v1, codePage, tag);
}

bool ReadMPEGInfo(const Files& files, const CodePage& codePage, std::u16string_view path, MPEGInfo& info) {
  std::unique_ptr<ReadableFile> file = OpenSongFile(files, codePage, path);
  return file && ReadMPEGInfo(*file, info);
}

}  // namespace lanternfly
