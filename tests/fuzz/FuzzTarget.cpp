#include "FuzzTarget.h"

#include <cstdio>
#include <cstdlib>

#include "text/Text.h"

namespace lanternfly::fuzz {

void Expect(bool holds, std::string_view property, std::u16string_view detail) {
  if (holds) return;
  // Enough of the values to see the fault; a runaway text would flood the log.
  std::string shown = Utf16ToUtf8(detail.substr(0, 400));
  std::fprintf(stderr, "fuzz property broken: %.*s\n%s\n", static_cast<int>(property.size()), property.data(),
               shown.c_str());
  std::abort();
}

std::u16string Text(Input data) {
  return Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

std::vector<std::u16string> Lines(Input data, std::size_t count) {
  std::vector<std::u16string> lines;
  while (lines.size() + 1 < count) {
    std::size_t end = 0;
    while (end < data.size() && data[end] != '\n') ++end;
    if (end == data.size()) break;
    lines.push_back(Text(data.first(end)));
    data = data.subspan(end + 1);
  }
  lines.push_back(Text(data));
  return lines;
}

}  // namespace lanternfly::fuzz
