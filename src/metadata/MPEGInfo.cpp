#include "metadata/MPEGInfo.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

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

VbrCounts ReadVbrCounts(ReadableFile& file, std::uint64_t xingAt, std::uint64_t vbriAt) {
  VbrCounts counts;
  std::array<std::uint8_t, 16> xing = ReadBytes<16>(file, xingAt);
  if ((StartsWith(xing, "Xing") || StartsWith(xing, "Info")) && (xing[7] & 1) != 0) {
    ReadCount(counts.frames, std::span(xing).subspan(8));
    if ((xing[7] & 2) != 0) ReadCount(counts.bytes, std::span(xing).subspan(12));
  }
  std::array<std::uint8_t, 18> vbri = ReadBytes<18>(file, vbriAt);
  if (StartsWith(vbri, "VBRI")) {
    ReadCount(counts.bytes, std::span(vbri).subspan(10));
    ReadCount(counts.frames, std::span(vbri).subspan(14));
  }
  return counts;
}

// Decodes the frame header at `frameAt`; false when its version or layer is
// the reserved value (what was read before that stays in `info`).
bool ReadFrame(ReadableFile& file, std::uint64_t frameAt, MPEGInfo& info) {
  const std::array<std::uint8_t, 4> header = ReadBytes<4>(file, frameAt);

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
  const std::uint64_t xingAt = frameAt + 4 + sideInformation;
  const std::uint64_t vbriAt = frameAt + 36;

  const double divisor = mpeg == Mpeg::k1 ? 1 : mpeg == Mpeg::k2 ? 2 : 4;
  SetRounded(info.Frequency, kSampleRates[(header[2] >> 2) & 3] / divisor);

  const VbrCounts counts = ReadVbrCounts(file, xingAt, vbriAt);
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
      SetRounded(info.Duration, static_cast<double>(file.Size() - frameAt) / (info.Bitrate * 125.0));
    }
  }
  info.Copyright = (header[3] & 8) != 0;
  info.Original = (header[3] & 4) != 0;
  info.Emphasis = (header[3] & 3) != 0;
  return true;
}

}  // namespace

std::optional<std::uint64_t> FindFrameSync(ReadableFile& file, std::uint64_t start) {
  const std::uint64_t size = file.Size();
  if (size < 4) return std::nullopt;
  const std::uint64_t last = size - 4;
  constexpr std::size_t kBlock = 256 * 1024;
  std::vector<std::uint8_t> block(kBlock);
  for (std::uint64_t offset = start; offset <= last;) {
    const std::size_t got = file.ReadAt(offset, std::span(block.data(), std::min<std::uint64_t>(kBlock, size - offset)));
    if (got < 2) return std::nullopt;
    // Each candidate needs the byte after it; the last byte of a block is
    // looked at again as the first of the next.
    const std::size_t candidates = static_cast<std::size_t>(std::min<std::uint64_t>(got - 1, last - offset + 1));
    const std::uint8_t* bytes = block.data();
    for (std::size_t i = 0; i < candidates; ++i) {
      const void* found = std::memchr(bytes + i, 0xFF, candidates - i);
      if (found == nullptr) break;
      i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - bytes);
      if ((bytes[i + 1] & 0xE0) == 0xE0) return offset + i;
    }
    offset += candidates;
  }
  return std::nullopt;
}

bool ReadMPEGInfo(ReadableFile& file, MPEGInfo& info) {
  const std::uint64_t size = file.Size();
  if (size < 4) return false;
  // A tag whose size does not fit is searched from the start.
  const std::uint64_t start = static_cast<std::uint64_t>(ID3v2TagSize(file, 0).value_or(0));

  bool decoded = false;
  if (std::optional<std::uint64_t> frameAt = FindFrameSync(file, start)) decoded = ReadFrame(file, *frameAt, info);

  info.ID3v1Version = -1;
  if (size >= kID3v1Size) {
    std::array<std::uint8_t, kID3v1Size> tag = ReadBytes<kID3v1Size>(file, size - kID3v1Size);
    if (StartsWith(tag, "TAG")) info.ID3v1Version = ID3v1Form(tag);
  }
  info.ID3v2Version = -1;
  std::array<std::uint8_t, 10> id3v2 = ReadBytes<10>(file, 0);
  if (StartsWith(id3v2, "ID3")) info.ID3v2Version = id3v2[3];

  if (size <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
    info.FileSize = static_cast<std::int32_t>(size);
  }
  return decoded;
}

bool ReadMPEGInfo(const Files& files, const CodePage& codePage, std::u16string_view path, MPEGInfo& info) {
  std::unique_ptr<ReadableFile> file = OpenSongFile(files, codePage, path);
  return file && ReadMPEGInfo(*file, info);
}

}  // namespace lanternfly
