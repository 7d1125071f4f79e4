#pragma once

// The header of an ID3v2 tag at the start of an MP3 file, read only to skip
// the tag:  0 "ID3" | 3 major version | 4 revision | 5 flags (0x10: footer,
// from version 4) | 6 size after the header, four 7-bit groups.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/Files.h"

namespace lanternfly {

// Four bytes, most significant first. Sync-safe, and with no byte of 128 or
// more, they are four 7-bit groups; otherwise a plain signed 32-bit number,
// which does not fit when the first byte is 128 or more: nothing then.
std::optional<std::int32_t> ReadBigEndian32(std::span<const std::uint8_t, 4> bytes, bool syncSafe);

inline constexpr std::size_t kID3v2HeaderSize = 10;

// How many bytes the tag whose header these are occupies, header and footer
// included; 0 when they do not start with "ID3"; nothing when its size does not fit.
std::optional<std::int32_t> ID3v2TagSize(std::span<const std::uint8_t, kID3v2HeaderSize> header);

// How many bytes the ID3v2 tag at `offset` occupies, header and footer
// included; 0 when no "ID3" stands there; nothing when its size does not fit.
std::optional<std::int32_t> ID3v2TagSize(ReadableFile& file, std::uint64_t offset);

}  // namespace lanternfly
