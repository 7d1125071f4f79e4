#pragma once

// A settings window that is never drawn: it keeps what the behaviour asked
// of it, for the tests.

#include <optional>

#include "app/SettingsWindowView.h"

namespace lanternfly {

class HeadlessSettingsWindow final : public SettingsWindowView {
 public:
  void ShowWindow() override { shown = true; }
  void Repaint() override { ++repaints; }
  void FocusTextBox(SettingsTextBox box) override { focused = box; }
  void SelectAllText(SettingsTextBox box) override { selectedAll = box; }
  void CloseWindow() override {
    shown = false;
    ++closes;
  }

  bool shown = false;
  int repaints = 0;
  int closes = 0;
  std::optional<SettingsTextBox> focused;
  std::optional<SettingsTextBox> selectedAll;
};

}  // namespace lanternfly
