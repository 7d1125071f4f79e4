#include "platform/CodePage.h"

#include <algorithm>

namespace lanternfly {
namespace {

bool Ascii(auto units) {
  return std::all_of(units.begin(), units.end(), [](auto unit) { return static_cast<unsigned>(unit) < 0x80; });
}

}  // namespace

std::u16string CodePage::Decode(std::string_view bytes) const {
  // Most titles and messages are plain ASCII: one byte is one unit.
  if (asciiAsIs_ && Ascii(std::basic_string_view<unsigned char>(
                        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()))) {
    return std::u16string(bytes.begin(), bytes.end());
  }
  return FullDecode(bytes);
}

std::string CodePage::Encode(std::u16string_view text) const {
  if (asciiAsIs_ && Ascii(text)) return std::string(text.begin(), text.end());
  return FullEncode(text);
}

void CodePage::LearnAscii() {
  // Pages that shift with ASCII bytes ("+" in UTF-7, "~{" in HZ, escape
  // sequences in ISO-2022) read such text otherwise, whatever single bytes do.
  int number = Number();
  if (number == 65000 || number == 52936 || (number >= 50220 && number <= 50229)) return;
  std::string bytes;
  std::u16string text;
  for (int unit = 0; unit < 0x80; ++unit) {
    bytes.push_back(static_cast<char>(unit));
    text.push_back(static_cast<char16_t>(unit));
  }
  asciiAsIs_ = FullDecode(bytes) == text && FullEncode(text) == bytes;
}

std::optional<std::string> EncodeExactly(const CodePage& codePage, std::u16string_view text) {
  std::string bytes = codePage.Encode(text);
  if (codePage.Decode(bytes) != text) return std::nullopt;
  return bytes;
}

}  // namespace lanternfly
