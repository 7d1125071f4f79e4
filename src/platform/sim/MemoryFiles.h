#pragma once

// Files held in memory, for the simulated desktop and for tests: the same
// readers run on bytes built in place as on files on disk.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace lanternfly {

class MemoryFile final : public ReadableFile {
 public:
  explicit MemoryFile(std::shared_ptr<const std::vector<std::uint8_t>> bytes) : bytes_(std::move(bytes)) {}
  explicit MemoryFile(std::vector<std::uint8_t> bytes)
      : bytes_(std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes))) {}

  std::uint64_t Size() const override { return bytes_->size(); }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) override;

  // How many reads were asked for, so tests can see that nothing reads
  // byte by byte.
  std::size_t ReadCount() const { return reads_; }

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
  std::size_t reads_ = 0;
};

class MemoryFiles final : public Files {
 public:
  // Adds or replaces the file at `path` (8-bit text, compared exactly).
  void Put(std::string path, std::vector<std::uint8_t> bytes);
  void Remove(const std::string& path) { files_.erase(path); }
  // The file stays there but no longer opens, as one without read permission
  // or locked by another program; a new content (Put, Replace) opens again.
  void MakeUnreadable(const std::string& path);

  std::unique_ptr<ReadableFile> OpenExisting(std::string_view path) const override;
  std::unique_ptr<ReadableFile> OpenShared(std::string_view path) const override { return OpenExisting(path); }
  bool Exists(std::string_view path) const override { return files_.contains(path); }
  bool Replace(std::string_view path, std::string_view bytes) override;
  bool Rename(std::string_view from, std::string_view to) override;

  // The file's bytes, or nothing when there is none.
  std::optional<std::string> Content(std::string_view path) const;
  // Replace() fails while this is set, leaving the old file.
  bool failWrites = false;
  // Rename() fails while this is set, leaving both files.
  bool failRenames = false;

 private:
  struct Entry {
    std::shared_ptr<const std::vector<std::uint8_t>> bytes;
    bool unreadable = false;
  };
  std::map<std::string, Entry, std::less<>> files_;
};

}  // namespace lanternfly
