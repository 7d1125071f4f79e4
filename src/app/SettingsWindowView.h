#pragma once

// What the settings window's behaviour asks of its window, and the values of
// the controls that change while it is open. The window (real or headless)
// draws these values and passes the user's clicks and edits to the handlers.

#include <string>
#include <vector>

#include "controls/ListModel.h"

namespace lanternfly {

struct Button {
  std::u16string Caption;
  bool Enabled = true;
};

struct Frame {
  std::u16string Caption;
  bool Visible = true;
};

// A plain label; the category labels underline the page on show, the
// variable labels strike out what the chosen player cannot fill.
struct Label {
  std::u16string Caption;
  bool Underline = false;
  bool Strikethrough = false;
  bool Visible = true;
};

// The drop-down list of pattern names. Its text may name no item: a default
// pattern that is not stored is shown as it is, so saving keeps it.
struct DropDown {
  std::vector<std::u16string> Items;
  std::u16string Text;
};

// The lowest selected entry of a list, or -1 when none is: the entry a
// button acts on.
inline int LowestSelected(const ListModel& list) {
  for (int index = 0; index < list.ListCount(); ++index) {
    if (list.ItemSelected(index)) return index;
  }
  return -1;
}

enum class SettingsTextBox { kDisplayMessage, kPatternAdd };

class SettingsWindowView {
 public:
  virtual ~SettingsWindowView() = default;
  virtual void ShowWindow() = 0;
  // Values changed: draw them again.
  virtual void Repaint() = 0;
  virtual void FocusTextBox(SettingsTextBox box) = 0;
  virtual void SelectAllText(SettingsTextBox box) = 0;
  // The window goes. The behaviour may go with it, so this is its last call.
  virtual void CloseWindow() = 0;
};

}  // namespace lanternfly
