#include "platform/Files.h"

namespace lanternfly {

std::unique_ptr<ReadableFile> OpenSongFile(const Files& files, const CodePage& codePage, std::u16string_view path) {
  std::optional<std::string> bytes = EncodeExactly(codePage, path);
  if (!bytes || bytes->empty()) return nullptr;
  return files.OpenExisting(*bytes);
}

WholeFile ReadSharedFile(const Files& files, std::string_view path) {
  std::unique_ptr<ReadableFile> file = files.OpenShared(path);
  if (!file) return {files.Exists(path) ? ReadOutcome::kUnreadable : ReadOutcome::kMissing, {}};
  // Larger than any settings file could be: not read, but not taken for missing either.
  if (file->Size() > (std::uint64_t{1} << 30)) return {ReadOutcome::kUnreadable, {}};
  std::string bytes(static_cast<std::size_t>(file->Size()), '\0');
  std::span<std::uint8_t> buffer(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
  if (file->ReadAt(0, buffer) != bytes.size()) return {ReadOutcome::kUnreadable, {}};
  return {ReadOutcome::kRead, std::move(bytes)};
}

}  // namespace lanternfly
