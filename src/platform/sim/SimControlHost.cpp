#include "platform/sim/SimControlHost.h"

#include <algorithm>

namespace lanternfly {

SimControlHost::SimControlHost(ControlSurface& control, Size size)
    : windowEnabled(control.Enabled()), control_(control), size_(size) {
  control_.Attach(this);
}

SimControlHost::~SimControlHost() {
  if (control_.Host() == this) control_.Attach(nullptr);
}

void SimControlHost::Resize(Size size) {
  resizeRequests.push_back(size);
  // A control that answers its OnResize with another Resize is served as
  // Windows serves nested WM_SIZE; a control that never settles is stopped.
  if (resizeDepth_ >= 8) return;
  ++resizeDepth_;
  SetSize(size);
  --resizeDepth_;
}

void SimControlHost::SetSize(Size size) {
  if (size == size_) return;
  size_ = size;
  control_.OnResize(size);
}

bool SimControlHost::TrackMouseLeave() {
  if (canTrackLeave) leaveTracked = true;
  return canTrackLeave;
}

void SimControlHost::Enable(bool enabled) {
  if (enabled == windowEnabled) return;
  windowEnabled = enabled;
  control_.OnEnable(enabled);
}

void SimControlHost::TakeFocus() { Focus(true); }

void SimControlHost::Focus(bool gained) {
  if (focused == gained) return;
  focused = gained;
  control_.OnFocus(gained);
}

void SimControlHost::StartTimer(int id, int intervalMs) {
  StopTimer(id);
  const int interval = std::max(1, intervalMs);
  timers_[id] = Timer{clock_.Start(interval, [this, id] { control_.OnTimer(id); }), interval};
}

void SimControlHost::StopTimer(int id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  clock_.Stop(found->second.clockId);
  timers_.erase(found);
}

void SimControlHost::PumpMessages() {
  ++pumps;
  if (onPump) {
    auto pending = onPump;  // the handler may replace itself
    pending();
  }
}

void SimControlHost::OpenEditBox(const EditBoxSpec& request) {
  editBox = request;
  Focus(false);  // the box takes the focus
}

void SimControlHost::CloseEditBox() {
  if (!editBox) return;
  editBox.reset();
  Focus(true);
}

void SimControlHost::ShowToolTip(const ToolTipSpec& request) {
  if (request.text.empty())
    toolTip.reset();
  else
    toolTip = request;
}

RecordingCanvas SimControlHost::Paint() {
  RecordingCanvas canvas(size_);
  control_.Paint(canvas);
  invalidations = 0;
  return canvas;
}

void SimControlHost::MouseDown(Point at, MouseButton button, int shift) {
  downInside_ = Rect{0, 0, size_.width, size_.height}.Contains(at) ? std::optional(button) : std::nullopt;
  control_.OnMouseDown(button, shift, at);
}

void SimControlHost::MouseUp(Point at, MouseButton button, int shift) {
  const bool click = downInside_ == button && Rect{0, 0, size_.width, size_.height}.Contains(at);
  downInside_.reset();
  control_.OnMouseUp(button, shift, at);
  if (click) control_.OnClick(button);
}

void SimControlHost::MouseMove(Point at, MouseButton held, int shift) { control_.OnMouseMove(held, shift, at); }

void SimControlHost::Click(Point at, MouseButton button, int shift) {
  MouseDown(at, button, shift);
  MouseUp(at, button, shift);
}

void SimControlHost::DoubleClick(Point at, MouseButton button) {
  // Windows' order: down, up, double click, up.
  MouseDown(at, button);
  MouseUp(at, button);
  control_.OnDoubleClick(button, at);
  control_.OnMouseUp(button, 0, at);
}

void SimControlHost::MouseLeave() {
  if (!leaveTracked) return;
  leaveTracked = false;
  control_.OnMouseLeave();
}

void SimControlHost::Key(int key, int shift) {
  control_.OnKeyDown(key, shift);
  control_.OnKeyUp(key, shift);
}

void SimControlHost::Scroll(int value) {
  scrollBar.value = value;
  control_.OnScroll(value);
}

void SimControlHost::TypeInEditBox(std::u16string_view text) {
  if (editBox) editBox->text = text;
}

bool SimControlHost::EditBoxKey(int key, int shift) { return editBox && control_.OnEditBoxKey(key, shift); }

void SimControlHost::Advance(int milliseconds) { clock_.Advance(std::max(0, milliseconds)); }

bool SimControlHost::FireTimer(int id) {
  if (!timers_.contains(id)) return false;
  control_.OnTimer(id);
  return true;
}

std::optional<int> SimControlHost::TimerInterval(int id) const {
  auto found = timers_.find(id);
  return found == timers_.end() ? std::nullopt : std::optional(found->second.interval);
}

}  // namespace lanternfly
