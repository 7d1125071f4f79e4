#include "platform/Files.h"

namespace lanternfly {

std::unique_ptr<ReadableFile> OpenSongFile(const Files& files, const CodePage& codePage, std::u16string_view path) {
  std::optional<std::string> bytes = EncodeExactly(codePage, path);
  if (!bytes || bytes->empty()) return nullptr;
  return files.OpenExisting(*bytes);
}

}  // namespace lanternfly
