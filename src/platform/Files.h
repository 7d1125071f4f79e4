#pragma once

// Song files and the settings file. Paths are 8-bit text in the system code
// page, as the file system's 8-bit entry points take them.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <span>
#include <string_view>

#include "platform/CodePage.h"

namespace lanternfly {

class ReadableFile {
 public:
  virtual ~ReadableFile() = default;

  // The size in bytes, taken when the file was opened.
  virtual std::uint64_t Size() const = 0;

  // Reads up to buffer.size() bytes starting `offset` bytes from the start of
  // the file. Returns how many were read: fewer at the end of the file, 0 past
  // it or when the read fails.
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) = 0;
};

class Files {
 public:
  virtual ~Files() = default;

  // Opens an existing file for reading while others may read it too.
  // nullptr when it does not exist, is not a plain file, or cannot be read.
  virtual std::unique_ptr<ReadableFile> OpenExisting(std::string_view path) const = 0;

  // As OpenExisting, while others may also write, rename or delete the file:
  // an editor or a virus scanner holding it does not keep it from being read.
  virtual std::unique_ptr<ReadableFile> OpenShared(std::string_view path) const = 0;

  // False only when nothing is at the path. A folder, or a file the system
  // will not let us look at, is there.
  virtual bool Exists(std::string_view path) const = 0;

  // Replaces the file's content with `bytes` in one step: a new file is
  // written beside it and then put in its place, so a write that fails
  // half-way leaves the old file as it was. False when it failed.
  virtual bool Replace(std::string_view path, std::string_view bytes) = 0;

  // Renames the file `from` to `to`, replacing a file already at `to`. False
  // when it failed; `from` is then where it was.
  virtual bool Rename(std::string_view from, std::string_view to) = 0;
};

// What reading a whole file found.
enum class ReadOutcome { kRead, kMissing, kUnreadable };
struct WholeFile {
  ReadOutcome outcome = ReadOutcome::kMissing;
  std::string bytes;  // the content, when it was read

  bool operator==(const WholeFile&) const = default;
};

// The whole content of a file that other programs may hold open (OpenShared).
// Something at the path that cannot be read whole is kUnreadable, never
// kMissing, so that no caller takes it for a file it may create afresh.
WholeFile ReadSharedFile(const Files& files, std::string_view path);

// N bytes at `offset`, zeros wherever the file has none.
template <std::size_t N>
std::array<std::uint8_t, N> ReadBytes(ReadableFile& file, std::uint64_t offset) {
  std::array<std::uint8_t, N> bytes{};
  file.ReadAt(offset, bytes);
  return bytes;
}

// Opens the song file at `path`; a path the code page cannot write (and so
// no 8-bit program could name) opens nothing.
std::unique_ptr<ReadableFile> OpenSongFile(const Files& files, const CodePage& codePage, std::u16string_view path);

// The files of the machine this runs on.
std::unique_ptr<Files> SystemFiles();

}  // namespace lanternfly
