#pragma once

// What an owner-drawn control is to the window that shows it: a painter on a
// Canvas and a receiver of neutral input events (ControlSurface), and what
// the window offers the control in return (ControlHost). A Win32 window class
// or a test implements the host and feeds the events; the control never sees
// a window handle or a message number.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"

namespace lanternfly {

enum class MouseButton { kNone = 0, kLeft = 1, kRight = 2, kMiddle = 4 };

// Shift state, with the values the controls' events carry.
namespace modifiers {
constexpr int kShift = 1, kControl = 2, kAlt = 4;
}

// Windows virtual-key codes of the keys the controls handle.
namespace keys {
constexpr int kBack = 8, kTab = 9, kEnter = 13, kEscape = 27, kSpace = 32, kPageUp = 33, kPageDown = 34, kEnd = 35,
              kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
}

enum class CursorKind { kArrow, kHand };

// The one-line edit box a list opens over a row for in-place editing.
struct EditBoxSpec {
  Rect rect;
  std::u16string text;
  FontSpec font;
  Colour back = 0xFFFFFF;
  Colour fore = 0;
  unsigned alignment = 0;  // 0 left, 1 centre, 2 right
};

// A tooltip window over the control's client area (tooltips_class32).
struct ToolTipSpec {
  std::u16string text;
  std::u16string title;
  int icon = 0;  // TTI_ number of the title icon
  bool balloon = false;
  std::optional<Colour> fore;  // none: the system's colours
  std::optional<Colour> back;
};

// A vertical scroll bar along the control's right edge.
struct ScrollBarState {
  bool visible = false;
  int width = 13;
  int maximum = 0;
  int largeChange = 1;
  int value = 0;
};

// What a screen reader is told of a control. The window adds what it knows
// itself: whether it is enabled, shown and focused.
enum class AccessibleRole { kClient, kStaticText, kPushButton, kCheckBox, kOptionButton, kGrouping, kList };

struct AccessibleItem {
  std::u16string name;
  bool selected = false;
  bool shown = false;  // in view, not scrolled away
  Rect place;          // its row, in client pixels
  bool operator==(const AccessibleItem&) const = default;
};

struct AccessibleDescription {
  AccessibleRole role = AccessibleRole::kClient;
  std::u16string name = {};  // the caption as the user reads it
  bool checked = false;  // a box ticked or chosen, a toggle button held down
  bool multipleSelection = false;
  std::vector<AccessibleItem> items = {};  // a list's rows
  int current = -1;  // the item the keys act on, -1 for none
  bool operator==(const AccessibleDescription&) const = default;
};

// The window around a control, as the control needs it.
class ControlHost {
 public:
  virtual ~ControlHost() = default;

  // Paint again soon (the control's Paint runs on the next paint cycle).
  virtual void Invalidate() = 0;
  // The control's size in pixels, and a request to change it (AutoSize).
  virtual Size ClientSize() const = 0;
  virtual void Resize(Size size) = 0;

  virtual void SetCursor(CursorKind cursor) = 0;
  // Mouse capture while a button is held (drag and auto-scroll).
  virtual void CaptureMouse(bool capture) = 0;
  // Ask for one OnMouseLeave when the pointer leaves (TrackMouseEvent);
  // false where the system offers no such notice.
  virtual bool TrackMouseLeave() = 0;

  virtual bool HasFocus() const = 0;
  virtual void TakeFocus() = 0;

  // A window timer for this control: OnTimer(id) every `intervalMs` until
  // stopped. Starting an id that runs restarts it with the new interval.
  virtual void StartTimer(int id, int intervalMs) = 0;
  virtual void StopTimer(int id) = 0;

  // Let pending window messages run (the controls do so at fixed points).
  virtual void PumpMessages() = 0;

  // The control's caption changed: the window text follows, for screen
  // readers and automation.
  virtual void CaptionChanged(std::u16string_view caption) = 0;

  // Opens an address with the shell's "Open" verb (links).
  virtual void OpenUrl(std::u16string_view address) = 0;

  // The in-place edit box: opened with all its text selected and the focus;
  // its Enter, Escape and Ctrl+Enter arrive as ControlSurface::OnEditBoxKey.
  // Closing hides it and gives the focus back to the control.
  virtual void OpenEditBox(const EditBoxSpec& request) = 0;
  virtual std::u16string EditBoxText() const = 0;
  virtual void CloseEditBox() = 0;

  // Replaces the control's tooltip (none when the text is empty).
  virtual void ShowToolTip(const ToolTipSpec& request) = 0;

  // The scroll bar; the user's moves arrive as ControlSurface::OnScroll.
  virtual void SetScrollBar(const ScrollBarState& state) = 0;

  // Enables or disables the control's own window (the control's state
  // changed in code), and the windows placed inside this one (a frame).
  virtual void SetWindowEnabled(bool enabled) = 0;
  virtual void EnableChildren(bool enabled) = 0;

  // A small modal window naming the control and its version, with a
  // "Close" button (a button's About). Hosts that show no such window may
  // leave it out.
  virtual void ShowAbout(std::u16string_view /*name*/, std::u16string_view /*version*/) {}
};

// The control as its window drives it.
class ControlSurface {
 public:
  virtual ~ControlSurface() = default;

  // Attaches the control to its window; nullptr detaches.
  virtual void Attach(ControlHost* host) = 0;
  virtual ControlHost* Host() const = 0;

  // Draws the whole control on a surface of its client size.
  virtual void Paint(Canvas& canvas) = 0;

  // The text its window carries (a label's or button's caption).
  virtual std::u16string AccessibleText() const { return {}; }
  virtual AccessibleDescription Describe() const { return {AccessibleRole::kClient, AccessibleText()}; }

  // Whether the control takes input and draws as enabled. Its window follows
  // this state, and OnEnable tells the control when the window's changes.
  virtual bool Enabled() const { return true; }

  // Input, in client pixels.
  virtual void OnMouseDown(MouseButton, int /*shift*/, Point) {}
  virtual void OnMouseUp(MouseButton, int /*shift*/, Point) {}
  virtual void OnMouseMove(MouseButton /*held*/, int /*shift*/, Point) {}
  virtual void OnMouseLeave() {}
  // After a button's up that followed its down inside the control.
  virtual void OnClick(MouseButton) {}
  virtual void OnDoubleClick(MouseButton, Point) {}
  virtual void OnKeyDown(int /*key*/, int /*shift*/) {}
  virtual void OnKeyUp(int /*key*/, int /*shift*/) {}
  virtual void OnChar(char16_t) {}
  virtual void OnFocus(bool /*gained*/) {}
  virtual void OnResize(Size) {}
  virtual void OnTimer(int /*id*/) {}
  virtual void OnEnable(bool /*enabled*/) {}
  virtual void OnScroll(int /*value*/) {}
  // Enter, Escape or Ctrl+Enter in the edit box; true when handled.
  virtual bool OnEditBoxKey(int /*key*/, int /*shift*/) { return false; }
};

}  // namespace lanternfly
