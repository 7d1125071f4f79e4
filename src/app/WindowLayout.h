#pragma once

// The two windows' controls, each described once: its name, kind, parent,
// place at 96 DPI, caption and design values, in reading order (a parent
// before what it holds). One builder makes any window from its description
// (win32/WindowBuilder.h); ControlSet here makes and sets up the program's
// own controls, so the native build can read and build the same layouts.

#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/PanelFrame.h"
#include "platform/Canvas.h"
#include "platform/SystemColours.h"

namespace lanternfly {

enum class ControlKind { kFrame, kLabel, kCheckBox, kOptionBox, kButton, kList, kMarkup, kTextBox, kDropDown };

// How a list paints its rows; none: the user's colour scheme.
struct ListShades {
  OleColour back;
  OleColour text;
  OleColour selectedText;
  OleColour selected;  // and the gradient's two ends
  OleColour from;
  OleColour to;
};

// The design values of a control. Each kind reads what applies to it.
struct Look {
  FontSpec font;
  OleColour back = 0;           // frame body, or what is behind a caption or a list's rows
  OleColour fore = 0;           // a frame's header box, a markup label's text
  int height = 0;               // a frame's header or a list's rows, pixels at 96 DPI
  bool wrap = true;             // a label's caption word-wrapped
  const ListShades* shades = nullptr;
  bool multiple = false;        // a list: several rows selected at once
};

struct ControlEntry {
  std::u16string_view name;
  ControlKind kind;
  std::u16string_view parent;   // empty: the window itself
  Rect place;                   // in the parent's client area, at 96 DPI
  std::u16string_view caption;  // empty: the window sets it from its form
  const Look* look;             // nullptr for the system's own controls
  bool acts = false;            // a label the user clicks: the keys reach it too
};

struct WindowLayout {
  Size client;  // at 96 DPI
  std::span<const ControlEntry> controls;
  const ControlEntry* Find(std::u16string_view name) const;
};

const WindowLayout& MainWindowLayout();
const WindowLayout& SettingsWindowLayout();

inline Rect ScaledTo(int dpi, const Rect& r) {
  return Rect{ScaledTo(dpi, r.left), ScaledTo(dpi, r.top), ScaledTo(dpi, r.right), ScaledTo(dpi, r.bottom)};
}

// The program's own controls of one window, made from its layout and set
// to their design values at a DPI. Controls another object owns (the
// forms' lists) are given by name and only set up.
class ControlSet {
 public:
  ControlSet(const WindowLayout& layout, int dpi, const std::map<std::u16string_view, Control*>& given = {});

  // The control of that name; nullptr for the system's own controls.
  Control* Find(std::u16string_view name) const;
  template <typename T>
  T& Get(std::u16string_view name) const {
    return dynamic_cast<T&>(*Find(name));
  }
  const WindowLayout& Layout() const { return layout_; }
  int Dpi() const { return dpi_; }
  // Every control's pixel sizes at another DPI (its window moved to a
  // screen of another DPI).
  void SetDpi(int dpi);

 private:
  const WindowLayout& layout_;
  int dpi_;
  std::vector<std::unique_ptr<Control>> owned_;
  std::map<std::u16string_view, Control*> controls_;
};

}  // namespace lanternfly
