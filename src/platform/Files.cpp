#include "platform/Files.h"

namespace lanternfly {

std::unique_ptr<ReadableFile> OpenSongFile(const Files& files, const CodePage& codePage, std::u16string_view path) {
  std::optional<std::string> bytes = EncodeExactly(codePage, path);
  if (!bytes || bytes->empty()) return nullptr;
  return files.OpenExisting(*bytes);
}

std::optional<std::string> ReadWholeFile(const Files& files, std::string_view path) {
  std::unique_ptr<ReadableFile> file = files.OpenExisting(path);
  if (!file || file->Size() > (std::uint64_t{1} << 30)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(file->Size()), '\0');
  std::span<std::uint8_t> buffer(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
  if (file->ReadAt(0, buffer) != bytes.size()) return std::nullopt;
  return bytes;
}

}  // namespace lanternfly
