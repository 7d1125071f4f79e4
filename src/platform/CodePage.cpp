#include "platform/CodePage.h"

namespace lanternfly {

std::optional<std::string> EncodeExactly(const CodePage& codePage, std::u16string_view text) {
  std::string bytes = codePage.Encode(text);
  if (codePage.Decode(bytes) != text) return std::nullopt;
  return bytes;
}

}  // namespace lanternfly
