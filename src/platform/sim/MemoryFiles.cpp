#include "platform/sim/MemoryFiles.h"

#include <algorithm>

namespace lanternfly {

std::size_t MemoryFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> buffer) {
  ++reads_;
  if (offset >= bytes_->size()) return 0;
  std::size_t count = std::min<std::uint64_t>(buffer.size(), bytes_->size() - offset);
  std::copy_n(bytes_->begin() + static_cast<std::ptrdiff_t>(offset), count, buffer.begin());
  return count;
}

void MemoryFiles::Put(std::string path, std::vector<std::uint8_t> bytes) {
  files_[std::move(path)] = Entry{std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes))};
}

void MemoryFiles::MakeUnreadable(const std::string& path) {
  auto found = files_.find(path);
  if (found != files_.end()) found->second.unreadable = true;
}

std::unique_ptr<ReadableFile> MemoryFiles::OpenExisting(std::string_view path) const {
  auto found = files_.find(path);
  if (found == files_.end() || found->second.unreadable) return nullptr;
  return std::make_unique<MemoryFile>(found->second.bytes);
}

bool MemoryFiles::Replace(std::string_view path, std::string_view bytes) {
  if (failWrites) return false;
  Put(std::string(path), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  return true;
}

bool MemoryFiles::Rename(std::string_view from, std::string_view to) {
  auto found = files_.find(from);
  if (failRenames || found == files_.end()) return false;
  Entry moved = found->second;
  files_.erase(found);
  files_.insert_or_assign(std::string(to), std::move(moved));
  return true;
}

std::optional<std::string> MemoryFiles::Content(std::string_view path) const {
  auto found = files_.find(path);
  if (found == files_.end()) return std::nullopt;
  return std::string(found->second.bytes->begin(), found->second.bytes->end());
}

}  // namespace lanternfly
