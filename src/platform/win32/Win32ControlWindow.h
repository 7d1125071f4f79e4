#pragma once

// The thin window that shows one owner-drawn control: a child window of a
// class of its own per control kind ("LanternflyiButton"), whose window text
// is the control's caption (W entry points, so a caption never passes through
// the code page), and which turns window messages into the control's neutral
// events. It paints the control into an off-screen bitmap and copies that in
// one BitBlt, so a redraw never flickers.
//
// A control window may be the parent of others (a frame): they are placed in
// its client area, and EnableChildren enables or disables them. The
// notifications (WM_COMMAND) of the system's own controls placed there, an
// edit box or a drop-down list, go on to its parent, as a group box's would.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ControlSurface.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Win32Accessible.h"

namespace lanternfly {

class Win32ControlWindow final : public ControlHost {
 public:
  // A visible child window of `parent` at `rect` (the parent's client
  // pixels) showing `control`, which must outlive it; nullptr when Windows
  // refuses. `kind` names the window class: "Lanternfly" + kind.
  static std::unique_ptr<Win32ControlWindow> Create(ControlSurface& control, HWND parent, const Rect& rect,
                                                    std::u16string_view kind);
  ~Win32ControlWindow() override;
  Win32ControlWindow(const Win32ControlWindow&) = delete;
  Win32ControlWindow& operator=(const Win32ControlWindow&) = delete;

  HWND Handle() const { return window_; }
  // How many messages the control windows of this thread are handling now.
  // A window that owns controls deletes them only while none is: a
  // control's code may still be running under the handler that closed it.
  static int MessagesInHand();
  ControlSurface& Shown() const { return control_; }
  // The pixels per inch of the control's fonts (0, at first: the screen's).
  void SetDpi(int dpi);

  // Paints the control into the off-screen bitmap now, without showing it;
  // the window's next paint shows the same picture.
  void PaintOffScreen();
  // The off-screen bitmap of the last paint (nullptr before the first).
  const GdiCanvas* LastPicture() const { return canvas_.get(); }

  // ControlHost.
  void Invalidate() override;
  Size ClientSize() const override;
  void Resize(Size size) override;
  void SetCursor(CursorKind cursor) override;
  void CaptureMouse(bool capture) override;
  bool TrackMouseLeave() override;
  bool HasFocus() const override;
  void TakeFocus() override;
  void StartTimer(int id, int intervalMs) override;
  void StopTimer(int id) override;
  void PumpMessages() override;
  void CaptionChanged(std::u16string_view caption) override;
  void OpenUrl(std::u16string_view address) override;
  void OpenEditBox(const EditBoxSpec& request) override;
  std::u16string EditBoxText() const override;
  void CloseEditBox() override;
  void ShowToolTip(const ToolTipSpec& request) override;
  void SetScrollBar(const ScrollBarState& state) override;
  void SetWindowEnabled(bool enabled) override;
  void EnableChildren(bool enabled) override;
  void ShowAbout(std::u16string_view name, std::u16string_view version) override;

 private:
  using Handler = LRESULT (Win32ControlWindow::*)(WPARAM, LPARAM);
  struct Route {
    UINT message;
    Handler handler;
  };
  static const Route kRoutes[];

  Win32ControlWindow(ControlSurface& control, std::u16string_view kind) : control_(control), kind_(kind) {}
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  // Message handlers.
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnLeftDown(WPARAM, LPARAM);
  LRESULT OnRightDown(WPARAM, LPARAM);
  LRESULT OnMiddleDown(WPARAM, LPARAM);
  LRESULT OnLeftUp(WPARAM, LPARAM);
  LRESULT OnRightUp(WPARAM, LPARAM);
  LRESULT OnMiddleUp(WPARAM, LPARAM);
  LRESULT OnLeftDouble(WPARAM, LPARAM);
  LRESULT OnRightDouble(WPARAM, LPARAM);
  LRESULT OnMiddleDouble(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnMouseLeave(WPARAM, LPARAM);
  LRESULT OnSetCursor(WPARAM, LPARAM);
  LRESULT OnKeyDown(WPARAM, LPARAM);
  LRESULT OnKeyUp(WPARAM, LPARAM);
  LRESULT OnChar(WPARAM, LPARAM);
  LRESULT OnGetDialogCode(WPARAM, LPARAM);
  LRESULT OnSetFocus(WPARAM, LPARAM);
  LRESULT OnKillFocus(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnEnable(WPARAM, LPARAM);
  LRESULT OnVerticalScroll(WPARAM, LPARAM);
  LRESULT OnEditColours(WPARAM, LPARAM);
  LRESULT OnCommand(WPARAM, LPARAM);
  LRESULT OnNcDestroy(WPARAM, LPARAM);
  LRESULT OnGetObject(WPARAM, LPARAM);
  LRESULT OnButtonClick(WPARAM, LPARAM);
  LRESULT OnUpdateUiState(WPARAM, LPARAM);

  void ButtonDown(MouseButton button, LPARAM lParam);
  void ButtonUp(MouseButton button, LPARAM lParam);
  void ButtonDouble(MouseButton button, LPARAM lParam);
  bool EditKey(UINT message, WPARAM key);
  void PlaceScrollBar();
  void PaintInto(HDC target);
  // A click at the middle, as a mouse gives it (BM_CLICK, Space, Enter).
  void Press();

  ControlSurface& control_;
  std::u16string kind_;
  HWND window_ = nullptr;
  std::unique_ptr<GdiCanvas> canvas_;
  CursorKind cursor_ = CursorKind::kArrow;
  MouseButton downInside_ = MouseButton::kNone;
  bool leaveTracked_ = false;
  bool live_ = false;  // attached: events reach the control
  int resizeDepth_ = 0;
  int dpi_ = 0;

  HWND scrollBar_ = nullptr;
  ScrollBarState scrollState_;

  HWND editBox_ = nullptr;
  WNDPROC editDefault_ = nullptr;
  HFONT editFont_ = nullptr;
  HBRUSH editBrush_ = nullptr;
  EditBoxSpec editSpec_;

  HWND toolTip_ = nullptr;

  std::unique_ptr<Win32Accessible> accessible_;  // once a screen reader asked
};

}  // namespace lanternfly
