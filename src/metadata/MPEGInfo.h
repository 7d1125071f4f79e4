#pragma once

// The audio format and playing time of an MPEG audio file (MP3 and its
// relatives), from its first frame header and a Xing, Info or VBRI header.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "metadata/ID3Tag.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

namespace lanternfly {

struct MPEGInfo {
  std::u16string Version;      // "version 1 layer 3", "version 2.5 layer 2", ...
  bool Protected = false;      // a CRC follows the frame header
  std::int32_t Bitrate = 0;    // kbit/s; the average for a VBR file
  std::int32_t Frequency = 0;  // sample rate, Hz
  bool VBR = false;            // a Xing, Info or VBRI header gave frame and byte counts
  std::u16string ChannelMode;  // "Stereo", "Joint stereo", "Dual channel" or "Mono"
  bool Copyright = false;
  bool Original = false;
  bool Emphasis = false;
  std::int32_t Duration = 0;      // seconds
  std::int32_t ID3v1Version = 0;  // -1 none, 0 ID3v1.0, 1 ID3v1.1
  std::int32_t ID3v2Version = 0;  // -1 none at the start, else its major version
  std::int32_t FileSize = 0;      // bytes

  bool operator==(const MPEGInfo&) const = default;
};

// Fills in what the file tells; answers true when a frame header was decoded.
// Only the fields its steps reach are set; a value that cannot be worked out
// (a division by zero, a number that does not fit) leaves its field as it was.
// A file shorter than 4 bytes leaves the whole record as it was.
bool ReadMPEGInfo(ReadableFile& file, MPEGInfo& info);

// The same for the file at `path`; a file that cannot be opened changes nothing.
bool ReadMPEGInfo(const Files& files, const CodePage& codePage, std::u16string_view path, MPEGInfo& info);

// ReadMPEGInfo and ReadID3v1 of one open file, which reads the ID3v1 tag once;
// answers whether there was a tag.
bool ReadMPEGInfoAndID3v1(ReadableFile& file, const CodePage& codePage, MPEGInfo& info, ID3Tag& tag);

// The first offset from `start` on, at most the file's size - 4, where a byte
// 255 is followed by a byte whose top three bits are set: the frame sync. The
// first read is small, and the blocks grow while nothing is found: never
// byte by byte.
std::optional<std::uint64_t> FindFrameSync(ReadableFile& file, std::uint64_t start);

}  // namespace lanternfly
