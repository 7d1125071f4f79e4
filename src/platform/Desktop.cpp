#include "platform/Desktop.h"

namespace lanternfly {

std::optional<std::string> Desktop::Encode(std::optional<std::u16string_view> text) const {
  if (!text) return std::nullopt;
  return codePage_.Encode(*text);
}

WindowHandle Desktop::FindByClass(std::u16string_view className) {
  std::string name = codePage_.Encode(className);
  return api_.FindChild(kNoWindow, kNoWindow, name, std::nullopt);
}

std::vector<WindowHandle> Desktop::Windows(WindowHandle parent, std::optional<std::u16string_view> className) {
  std::optional<std::string> name = Encode(className);
  std::vector<WindowHandle> windows;
  for (WindowHandle window = api_.FindChild(parent, kNoWindow, name, std::nullopt); window != kNoWindow;
       window = api_.FindChild(parent, window, name, std::nullopt)) {
    windows.push_back(window);
  }
  return windows;
}

WindowHandle Desktop::FirstChild(WindowHandle parent, std::optional<std::u16string_view> className,
                                 std::optional<std::u16string_view> title) {
  return api_.FindChild(parent, kNoWindow, Encode(className), Encode(title));
}

std::u16string Desktop::Title(WindowHandle window, int limit) { return codePage_.Decode(api_.Title(window, limit)); }

std::u16string Desktop::FullTitle(WindowHandle window) {
  int length = api_.TitleLength(window);
  if (length <= 0) return {};
  return Title(window, length + 1);
}

std::u16string Desktop::ClassName(WindowHandle window, int limit) {
  return codePage_.Decode(api_.ClassName(window, limit));
}

}  // namespace lanternfly
