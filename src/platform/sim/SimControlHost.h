#pragma once

// The window around a control, simulated for tests: it records what the
// control asks of its window and lets a test play the user and the system,
// with Windows' order of events (a click is an up after a down inside; focus
// moves to the edit box and back; a resize reports OnResize at once; timers
// run on a clock that moves only when the test says so).

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ControlSurface.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimTimers.h"

namespace lanternfly {

class SimControlHost final : public ControlHost {
 public:
  // Attaches itself to `control`, of the given client size.
  SimControlHost(ControlSurface& control, Size size);
  ~SimControlHost() override;
  SimControlHost(const SimControlHost&) = delete;
  SimControlHost& operator=(const SimControlHost&) = delete;

  // ControlHost.
  void Invalidate() override { ++invalidations; }
  Size ClientSize() const override { return size_; }
  void Resize(Size size) override;
  void SetCursor(CursorKind kind) override { cursor = kind; }
  void CaptureMouse(bool capture) override { captured = capture; }
  bool TrackMouseLeave() override;
  bool HasFocus() const override { return focused; }
  void TakeFocus() override;
  void StartTimer(int id, int intervalMs) override;
  void StopTimer(int id) override;
  void PumpMessages() override;
  void CaptionChanged(std::u16string_view text) override { caption = text; }
  void OpenUrl(std::u16string_view address) override { openedUrls.emplace_back(address); }
  void OpenEditBox(const EditBoxSpec& request) override;
  std::u16string EditBoxText() const override { return editBox ? editBox->text : std::u16string(); }
  void CloseEditBox() override;
  void ShowToolTip(const ToolTipSpec& request) override;
  void SetScrollBar(const ScrollBarState& state) override { scrollBar = state; }
  void SetWindowEnabled(bool enabled) override { windowEnabled = enabled; }
  void EnableChildren(bool enabled) override { childrenEnabled = enabled; }
  void ShowAbout(std::u16string_view name, std::u16string_view version) override {
    about = std::u16string(name) + u" " + std::u16string(version);
  }

  // The test's side: the window paints (invalidations start again from 0).
  RecordingCanvas Paint();

  // The user. The mouse calls send what the window would: MouseUp adds
  // OnClick when the matching down was inside the control and the up is too.
  void MouseDown(Point at, MouseButton button = MouseButton::kLeft, int shift = 0);
  void MouseUp(Point at, MouseButton button = MouseButton::kLeft, int shift = 0);
  void MouseMove(Point at, MouseButton held = MouseButton::kNone, int shift = 0);
  void Click(Point at, MouseButton button = MouseButton::kLeft, int shift = 0);
  void DoubleClick(Point at, MouseButton button = MouseButton::kLeft);
  // The pointer leaves: OnMouseLeave when leaving is being tracked.
  void MouseLeave();
  void Key(int key, int shift = 0);  // down and up
  void Char(char16_t c) { control_.OnChar(c); }
  void Focus(bool gained);
  // Windows (or a parent frame) enables or disables the window: the control
  // hears of a change only, as WM_ENABLE comes only then.
  void Enable(bool enabled);
  // The user moves the scroll bar.
  void Scroll(int value);
  // The user types into the open edit box, and presses one of its keys;
  // what OnEditBoxKey answered (false with no box open).
  void TypeInEditBox(std::u16string_view text);
  bool EditBoxKey(int key, int shift = 0);
  // The user or the parent resizes the window.
  void SetSize(Size size);

  // Moves the clock on, firing each timer as it falls due, in time order;
  // FireTimer fires one running timer now (false when it is not running).
  void Advance(int milliseconds);
  bool FireTimer(int id);
  std::optional<int> TimerInterval(int id) const;
  long long Now() const { return clock_.Now(); }

  // What the control asked for.
  int invalidations = 0;
  std::vector<Size> resizeRequests;
  CursorKind cursor = CursorKind::kArrow;
  bool captured = false;
  bool canTrackLeave = true;  // the answer to TrackMouseLeave
  bool leaveTracked = false;  // a leave notice is pending
  bool focused = false;
  int pumps = 0;
  std::function<void()> onPump;  // runs inside PumpMessages, as pending messages would
  std::u16string caption;
  std::vector<std::u16string> openedUrls;
  std::optional<EditBoxSpec> editBox;  // the open box, its text as the user left it
  std::optional<ToolTipSpec> toolTip;
  ScrollBarState scrollBar;
  bool windowEnabled = true;
  std::optional<bool> childrenEnabled;
  std::u16string about;  // "name version" of the last About window

 private:
  struct Timer {
    int clockId;
    int interval;
  };

  ControlSurface& control_;
  Size size_;
  SimTimers clock_;
  std::map<int, Timer> timers_;  // by the control's timer id
  std::optional<MouseButton> downInside_;
  int resizeDepth_ = 0;
};

}  // namespace lanternfly
