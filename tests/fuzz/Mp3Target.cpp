// The song file readers over a file held in memory: whatever the bytes, the
// readers agree with each other and with a plain byte-by-byte search.

#include <memory>
#include <optional>
#include <utility>

#include "FuzzTarget.h"
#include "metadata/ID3Tag.h"
#include "metadata/ID3v2Header.h"
#include "metadata/MPEGInfo.h"
#include "platform/CodePage.h"
#include "platform/sim/MemoryFiles.h"
#include "text/Text.h"

namespace lanternfly::fuzz {
namespace {

// The frame sync as the slowest possible reader finds it.
std::optional<std::uint64_t> SyncByteByByte(Input bytes, std::uint64_t start) {
  for (std::uint64_t at = start; at < bytes.size() && bytes.size() - at >= 4; ++at) {
    if (bytes[at] == 0xFF && (bytes[at + 1] & 0xE0) == 0xE0) return at;
  }
  return std::nullopt;
}

std::u16string Offset(std::optional<std::uint64_t> offset) { return offset ? ToDecimal(static_cast<std::int64_t>(*offset)) : u"none"; }

void CheckTag(Input bytes, const CodePage& codePage) {
  MemoryFile file(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  ID3Tag tag;
  tag.Title = u"untouched";
  const bool tagged = bytes.size() >= kID3v1Size && StartsWith(bytes.last(kID3v1Size), "TAG");
  Expect(ReadID3v1(file, codePage, tag) == tagged, "ReadID3v1 answers whether the last 128 bytes start with TAG");
  Expect(tagged || tag.Title == u"untouched", "a file without a tag leaves the record as it was", tag.Title);
}

// Checks the readers on one file; gives what ReadMPEGInfo read and answered.
std::pair<MPEGInfo, bool> CheckFile(Input bytes, const CodePage& western) {
  MemoryFile file(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  const std::optional<std::int32_t> tagSize = ID3v2TagSize(file, 0);

  // The frame search reads in blocks; it must find what a byte-by-byte walk finds.
  const std::uint64_t size = bytes.size();
  for (std::uint64_t start : {std::uint64_t{0}, static_cast<std::uint64_t>(tagSize.value_or(0)), size / 2, size - 3,
                              size + 7}) {
    std::optional<std::uint64_t> found = FindFrameSync(file, start);
    std::optional<std::uint64_t> expected = SyncByteByByte(bytes, start);
    Expect(found == expected, "FindFrameSync finds the first sync",
           u"from " + Offset(start) + u": " + Offset(found) + u", byte by byte " + Offset(expected));
  }

  MPEGInfo info;
  const bool decoded = ReadMPEGInfo(file, info);
  // Header and tag read in one go give what the two readers give apart.
  MPEGInfo together;
  ID3Tag tagTogether;
  ID3Tag tagApart;
  const bool taggedApart = ReadID3v1(file, western, tagApart);
  Expect(ReadMPEGInfoAndID3v1(file, western, together, tagTogether) == taggedApart && together == info &&
             tagTogether == tagApart,
         "reading header and tag together gives what the readers give apart");
  if (size < 4) {
    Expect(!decoded && info == MPEGInfo{}, "a file shorter than 4 bytes leaves the record untouched");
    return {info, decoded};
  }
  Expect(info.FileSize == static_cast<std::int32_t>(size), "FileSize is the file's size");
  Expect(!decoded || (info.Bitrate >= 0 && info.Frequency >= 0 && info.Duration >= 0),
         "rates and time are not negative",
         ToDecimal(info.Bitrate) + u" " + ToDecimal(info.Frequency) + u" " + ToDecimal(info.Duration));
  return {info, decoded};
}

}  // namespace

void FuzzMp3(Input bytes) {
  static const std::unique_ptr<CodePage> western = OpenCodePage(1252);
  static const std::unique_ptr<CodePage> japanese = OpenCodePage(932);
  CheckTag(bytes, *western);
  if (japanese) CheckTag(bytes, *japanese);
  const auto [info, decoded] = CheckFile(bytes, *western);
  // The same bytes behind a run of zeros that puts their start 30 bytes and
  // 1 byte before the end of the frame search's first block (4 KiB), then of
  // its second (16 KiB more): a sync or a frame's VBR header cut by a block's
  // end must read as it does alone. Zeros hold no sync, and the time counts
  // from the frame, so only the size differs; unless an ID3v2 tag, no longer
  // at the start, moved the search.
  constexpr std::size_t kFirstEnd = 4096;
  constexpr std::size_t kSecondEnd = kFirstEnd + 16384;
  for (std::size_t zeros : {kFirstEnd - 30, kFirstEnd - 1, kSecondEnd - 30, kSecondEnd - 1}) {
    std::vector<std::uint8_t> padded(zeros, 0);
    padded.insert(padded.end(), bytes.begin(), bytes.end());
    auto [paddedInfo, paddedDecoded] = CheckFile(padded, *western);
    if (bytes.size() < 4 || StartsWith(bytes, "ID3")) continue;
    paddedInfo.FileSize = info.FileSize;
    Expect(paddedDecoded == decoded && paddedInfo == info, "zeros before the first frame change only the size",
           paddedInfo.Version + u" " + ToDecimal(paddedInfo.Bitrate) + u" " + ToDecimal(paddedInfo.Duration));
  }
}

}  // namespace lanternfly::fuzz
