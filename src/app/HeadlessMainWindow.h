#pragma once

// A main window that is never drawn: it keeps what the behaviour asked of it.
// The demo and the tests run the program's logic behind it.

#include <optional>

#include "app/MainForm.h"

namespace lanternfly {

class HeadlessMainWindow final : public MainWindowView {
 public:
  WindowHandle Handle() override { return WindowHandle{0x5150}; }
  std::uint64_t Icon() override { return 0x7A7; }
  void ShowWindowState(WindowState state, bool visible) override {
    shownState = state;
    shownVisible = visible;
  }
  void Repaint() override { ++repaints; }
  void PopupTrayMenu(const TrayMenuItems& items) override { trayMenu = items; }
  void ShowSettingsWindow() override { ++settingsWindowsOpened; }

  WindowState shownState = WindowState::kNormal;
  bool shownVisible = true;
  int repaints = 0;
  std::optional<TrayMenuItems> trayMenu;
  int settingsWindowsOpened = 0;
};

}  // namespace lanternfly
