#pragma once

// Building files byte by byte for the reader tests.

#include <cstdint>
#include <string_view>
#include <vector>

namespace lanternfly::test {

using Bytes = std::vector<std::uint8_t>;

inline void Put(Bytes& bytes, std::size_t at, std::string_view text) {
  if (bytes.size() < at + text.size()) bytes.resize(at + text.size());
  for (char c : text) bytes[at++] = static_cast<std::uint8_t>(c);
}

inline void Put(Bytes& bytes, std::size_t at, std::initializer_list<std::uint8_t> values) {
  if (bytes.size() < at + values.size()) bytes.resize(at + values.size());
  for (std::uint8_t value : values) bytes[at++] = value;
}

inline void PutBigEndian(Bytes& bytes, std::size_t at, std::uint32_t value) {
  Put(bytes, at, {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                  static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
}

}  // namespace lanternfly::test
