#pragma once

// The program's view of the desktop: WindowApi with its texts converted
// between the system code page and the program's UTF-16 text.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/WindowApi.h"

namespace lanternfly {

class Desktop {
 public:
  Desktop(WindowApi& api, const CodePage& codePage) : api_(api), codePage_(codePage) {}

  WindowApi& Api() { return api_; }
  const CodePage& Text() const { return codePage_; }

  // The first top-level window of that class (FindWindowA with a class only).
  WindowHandle FindByClass(std::u16string_view className);

  // The children of `parent` (kNoWindow: the top-level windows) in Z-order,
  // as the walk with FindWindowExA finds them; optionally only those of a
  // class (compared without regard to case).
  std::vector<WindowHandle> Windows(WindowHandle parent = kNoWindow,
                                    std::optional<std::u16string_view> className = std::nullopt);

  // The first child of `parent` with that class and, when given, that exact
  // title (an empty title matches only an empty one).
  WindowHandle FirstChild(WindowHandle parent, std::optional<std::u16string_view> className = std::nullopt,
                          std::optional<std::u16string_view> title = std::nullopt);

  // The title as a buffer of `limit` bytes holds it: at most limit - 1 bytes.
  std::u16string Title(WindowHandle window, int limit);

  // The whole title: its length is asked first, then a buffer one longer is read.
  std::u16string FullTitle(WindowHandle window);

  std::u16string ClassName(WindowHandle window, int limit = 100);

  std::uint32_t ProcessOf(WindowHandle window) { return api_.ProcessOf(window); }

  std::u16string FormatByteSize(std::uint32_t bytes) { return codePage_.Decode(api_.FormatByteSize(bytes)); }

  void PumpMessages() { api_.PumpMessages(); }

 private:
  std::optional<std::string> Encode(std::optional<std::u16string_view> text) const;

  WindowApi& api_;
  const CodePage& codePage_;
};

}  // namespace lanternfly
