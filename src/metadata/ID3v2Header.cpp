#include "metadata/ID3v2Header.h"

#include <limits>

#include "metadata/ID3Tag.h"

namespace lanternfly {

std::optional<std::int32_t> ReadBigEndian32(std::span<const std::uint8_t, 4> bytes, bool syncSafe) {
  bool sevenBit = (bytes[0] | bytes[1] | bytes[2] | bytes[3]) < 0x80;
  if (syncSafe && sevenBit) return (bytes[0] << 21) | (bytes[1] << 14) | (bytes[2] << 7) | bytes[3];
  if (bytes[0] >= 0x80) return std::nullopt;
  return (bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
}

std::optional<std::int32_t> ID3v2TagSize(ReadableFile& file, std::uint64_t offset) {
  return ID3v2TagSize(ReadBytes<kID3v2HeaderSize>(file, offset));
}

std::optional<std::int32_t> ID3v2TagSize(std::span<const std::uint8_t, kID3v2HeaderSize> header) {
  if (!StartsWith(header, "ID3")) return 0;
  std::optional<std::int32_t> size = ReadBigEndian32(header.subspan<6, 4>(), true);
  if (!size) return std::nullopt;
  std::int64_t total = std::int64_t{*size} + 10;
  if (header[3] >= 4 && (header[5] & 0x10) != 0) total += 10;
  if (total > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(total);
}

}  // namespace lanternfly
