#pragma once

// The one builder of the program's windows: from a window's layout it makes
// the controls, sets them to their design values, and shows each in a child
// window at its place scaled to the screen's DPI: the program's own controls
// in their window classes, the text boxes and the drop-down list as the
// system's own. Each child window's id is 100 + its entry's index.

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "app/WindowLayout.h"
#include "platform/win32/Win32ControlWindow.h"

namespace lanternfly {

constexpr int kFirstControlId = 100;

class BuiltWindow {
 public:
  BuiltWindow(const WindowLayout& layout, int dpi, const std::map<std::u16string_view, Control*>& given = {})
      : controls_(layout, dpi, given) {}
  ~BuiltWindow();
  BuiltWindow(const BuiltWindow&) = delete;
  BuiltWindow& operator=(const BuiltWindow&) = delete;

  // Every control's window in `window`; false when Windows refused one.
  bool Build(HWND window);
  HWND Handle(std::u16string_view name) const;
  HWND Handle(const Control& control) const;
  template <typename T>
  T& Get(std::u16string_view name) const {
    return controls_.Get<T>(name);
  }
  int Scaled(int pixels) const { return ScaledTo(controls_.Dpi(), pixels); }
  // WM_DPICHANGED: every control at the new DPI (wParam), laid out again,
  // and `window` at the suggested place (lParam) with its client area the
  // layout's at that DPI.
  void DpiChanged(HWND window, WPARAM wParam, LPARAM lParam);

 private:
  struct Shown {
    std::u16string_view name;
    HWND handle;
    std::unique_ptr<Win32ControlWindow> window;  // none for the system's own controls
  };

  HWND MakeSystemControl(const ControlEntry& entry, HWND parent, const Rect& at, int id);
  // The font of a system control, made once for each look at the present DPI.
  HFONT FontFor(const Look* look);

  ControlSet controls_;
  std::vector<Shown> shown_;
  std::map<const Look*, HFONT> fonts_;
};

}  // namespace lanternfly
