#pragma once

// The ID3v1 tag: the fixed 128-byte block at the very end of an MP3 file.
//   0 "TAG" | 3 title (30) | 33 artist (30) | 63 album (30) | 93 year (4)
//   97 comment (30; in ID3v1.1 28 bytes, then a 0 and the track number) | 127 genre

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/Files.h"

namespace lanternfly {

struct ID3Tag {
  std::u16string Artist;
  std::u16string Album;
  std::u16string Title;
  std::u16string Year;
  std::u16string Genre;    // the genre's name
  std::u16string Comment;
  std::u16string Track;    // decimal digits, empty without a track number

  bool operator==(const ID3Tag&) const = default;
};

inline constexpr std::size_t kID3v1Size = 128;
using ID3v1Bytes = std::array<std::uint8_t, kID3v1Size>;

// A tag's text field: a zero byte ends it, CR is dropped, LF becomes CR LF,
// and the rest is read in the code page, so a double-byte character stays whole.
std::u16string BytesToText(std::span<const std::uint8_t> bytes, const CodePage& codePage);

// The name of an ID3v1 genre number; empty outside 0 to 147.
std::u16string_view GenreName(int number);

// Fills `tag` from the last 128 bytes of the file when they are an ID3v1 tag
// and answers true; otherwise answers false and leaves `tag` as it was.
bool ReadID3v1(ReadableFile& file, const CodePage& codePage, ID3Tag& tag);

// The same for a file's last 128 bytes, already read.
bool ReadID3v1(const ID3v1Bytes& bytes, const CodePage& codePage, ID3Tag& tag);

// The same for the file at `path`; a file that cannot be opened has no tag.
bool ReadID3v1(const Files& files, const CodePage& codePage, std::u16string_view path, ID3Tag& tag);

// The version an ID3v1 tag's bytes show: 1 for the 1.1 form, with a track
// number (byte 125 zero, byte 126 not), else 0.
inline int ID3v1Form(std::span<const std::uint8_t, kID3v1Size> tag) { return tag[125] == 0 && tag[126] != 0 ? 1 : 0; }

inline bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view text) {
  return bytes.size() >= text.size() && std::equal(text.begin(), text.end(), bytes.begin(),
                                                   [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

}  // namespace lanternfly
