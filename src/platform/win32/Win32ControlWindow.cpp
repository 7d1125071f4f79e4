#include "platform/win32/Win32ControlWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <set>

#include "platform/win32/MessagePump.h"

namespace lanternfly {

namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

Point PointOf(LPARAM lParam) {
  return Point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

int ShiftState() {
  return (GetKeyState(VK_SHIFT) < 0 ? modifiers::kShift : 0) | (GetKeyState(VK_CONTROL) < 0 ? modifiers::kControl : 0) |
         (GetKeyState(VK_MENU) < 0 ? modifiers::kAlt : 0);
}

HCURSOR CursorHandle(CursorKind kind) {
  return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(kind == CursorKind::kHand ? IDC_HAND : IDC_ARROW));
}

MouseButton HeldButton(WPARAM wParam) {
  if (wParam & MK_LBUTTON) return MouseButton::kLeft;
  if (wParam & MK_RBUTTON) return MouseButton::kRight;
  if (wParam & MK_MBUTTON) return MouseButton::kMiddle;
  return MouseButton::kNone;
}

// Where a scroll bar request moves the value; nothing for a request that
// moves nothing (the end of a drag).
std::optional<int> ScrollTarget(int code, int trackPosition, const ScrollBarState& state) {
  switch (code) {
    case SB_LINEUP: return state.value - 1;
    case SB_LINEDOWN: return state.value + 1;
    case SB_PAGEUP: return state.value - std::max(1, state.largeChange);
    case SB_PAGEDOWN: return state.value + std::max(1, state.largeChange);
    case SB_TOP: return 0;
    case SB_BOTTOM: return state.maximum;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return trackPosition;
    default: return std::nullopt;
  }
}

thread_local int messagesInHand = 0;

bool RegisterKind(const std::wstring& className, WNDPROC procedure) {
  static std::set<std::wstring> registered;
  if (registered.contains(className)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className.c_str();
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  registered.insert(className);
  return true;
}

// The About window: the control's name and version and a Close button,
// modal to the top-level window the control sits in.
class AboutWindow {
 public:
  static constexpr wchar_t kClass[] = L"LanternflyAbout";
  static constexpr int kClose = IDCANCEL;  // Escape closes it too

  static void Show(HWND owner, const std::u16string& name, const std::u16string& version) {
    static const bool registered = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &Procedure;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      windowClass.lpszClassName = kClass;
      return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered) return;
    const std::u16string title = u"About " + name;
    const std::u16string text = name + u"\r\nVersion " + version;
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClass, Wide(title),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 240, 130, top, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!box) return;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND label = CreateWindowExW(0, L"STATIC", Wide(text), WS_CHILD | WS_VISIBLE, 16, 12, 200, 34, box, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    HWND close = CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 76,
                                 56, 80, 24, box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kClose)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(close, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    const bool ownerWasEnabled = top && IsWindowEnabled(top);
    if (ownerWasEnabled) EnableWindow(top, FALSE);
    ShowWindow(box, SW_SHOWNORMAL);
    SetFocus(close);
    MSG message;
    while (IsWindow(box)) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got == 0) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop
        DestroyWindow(box);
        break;
      }
      if (got < 0) break;
      HandleMessage(message);
    }
    if (ownerWasEnabled) {
      EnableWindow(top, TRUE);
      SetActiveWindow(top);
    }
  }

 private:
  static LRESULT CALLBACK Procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_COMMAND && LOWORD(wParam) == kClose) || message == WM_CLOSE) {
      DestroyWindow(box);
      return 0;
    }
    return DefWindowProcW(box, message, wParam, lParam);
  }
};

}  // namespace

const Win32ControlWindow::Route Win32ControlWindow::kRoutes[] = {
    {WM_PAINT, &Win32ControlWindow::OnPaint},
    {WM_ERASEBKGND, &Win32ControlWindow::OnEraseBackground},
    {WM_LBUTTONDOWN, &Win32ControlWindow::OnLeftDown},
    {WM_RBUTTONDOWN, &Win32ControlWindow::OnRightDown},
    {WM_MBUTTONDOWN, &Win32ControlWindow::OnMiddleDown},
    {WM_LBUTTONUP, &Win32ControlWindow::OnLeftUp},
    {WM_RBUTTONUP, &Win32ControlWindow::OnRightUp},
    {WM_MBUTTONUP, &Win32ControlWindow::OnMiddleUp},
    {WM_LBUTTONDBLCLK, &Win32ControlWindow::OnLeftDouble},
    {WM_RBUTTONDBLCLK, &Win32ControlWindow::OnRightDouble},
    {WM_MBUTTONDBLCLK, &Win32ControlWindow::OnMiddleDouble},
    {WM_MOUSEMOVE, &Win32ControlWindow::OnMouseMove},
    {WM_MOUSELEAVE, &Win32ControlWindow::OnMouseLeave},
    {WM_SETCURSOR, &Win32ControlWindow::OnSetCursor},
    {WM_KEYDOWN, &Win32ControlWindow::OnKeyDown},
    {WM_KEYUP, &Win32ControlWindow::OnKeyUp},
    {WM_CHAR, &Win32ControlWindow::OnChar},
    {WM_GETDLGCODE, &Win32ControlWindow::OnGetDialogCode},
    {WM_SETFOCUS, &Win32ControlWindow::OnSetFocus},
    {WM_KILLFOCUS, &Win32ControlWindow::OnKillFocus},
    {WM_SIZE, &Win32ControlWindow::OnSize},
    {WM_TIMER, &Win32ControlWindow::OnTimer},
    {WM_ENABLE, &Win32ControlWindow::OnEnable},
    {WM_VSCROLL, &Win32ControlWindow::OnVerticalScroll},
    {WM_CTLCOLOREDIT, &Win32ControlWindow::OnEditColours},
    {WM_COMMAND, &Win32ControlWindow::OnCommand},
    {WM_NCDESTROY, &Win32ControlWindow::OnNcDestroy},
    {WM_GETOBJECT, &Win32ControlWindow::OnGetObject},
    {BM_CLICK, &Win32ControlWindow::OnButtonClick},
    {WM_UPDATEUISTATE, &Win32ControlWindow::OnUpdateUiState},
};

std::unique_ptr<Win32ControlWindow> Win32ControlWindow::Create(ControlSurface& control, HWND parent, const Rect& rect,
                                                               std::u16string_view kind) {
  std::u16string name = u"Lanternfly";
  name += kind;
  const std::wstring className(Wide(name));
  if (!RegisterKind(className, &Procedure)) return nullptr;

  std::unique_ptr<Win32ControlWindow> self(new Win32ControlWindow(control, kind));
  const std::u16string caption = control.AccessibleText();
  // A control disabled before it is shown starts with its window disabled.
  const DWORD disabled = control.Enabled() ? 0 : WS_DISABLED;
  // The dialog keys go into a frame as into a window of its own.
  CreateWindowExW(kind == u"PanelFrame" ? WS_EX_CONTROLPARENT : 0, className.c_str(), Wide(caption),
                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | disabled,
                  rect.left, rect.top, rect.Width(), rect.Height(), parent, nullptr, GetModuleHandleW(nullptr),
                  self.get());
  if (!self->window_) return nullptr;
  // Events reach the control only from here on: it learns its size as a
  // freshly placed control does.
  control.Attach(self.get());
  self->live_ = true;
  control.OnResize(self->ClientSize());
  self->Invalidate();
  return self;
}

int Win32ControlWindow::MessagesInHand() { return messagesInHand; }

Win32ControlWindow::~Win32ControlWindow() {
  live_ = false;
  if (control_.Host() == this) control_.Attach(nullptr);
  if (window_) DestroyWindow(window_);
  if (editFont_) DeleteObject(editFont_);
  if (editBrush_) DeleteObject(editBrush_);
}

LRESULT CALLBACK Win32ControlWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32ControlWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32ControlWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

LRESULT Win32ControlWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto route = std::find_if(std::begin(kRoutes), std::end(kRoutes),
                                  [message](const Route& r) { return r.message == message; });
  if (route == std::end(kRoutes) || (!live_ && message != WM_NCDESTROY))
    return DefWindowProcW(window_, message, wParam, lParam);
  struct InHand {
    InHand() { ++messagesInHand; }
    ~InHand() { --messagesInHand; }
  } inHand;
  try {
    return (this->*route->handler)(wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's window code.
    return 0;
  }
}

// Painting: into the off-screen bitmap, then one copy to the window.

void Win32ControlWindow::PaintInto(HDC target) {
  const Size size = ClientSize();
  if (!canvas_ || canvas_->Extent() != size) canvas_ = std::make_unique<GdiCanvas>(size, target);
  canvas_->SetFontDpi(dpi_);
  control_.Paint(*canvas_);
  // The system's focus cue, where Windows shows it (after a key press); a
  // list draws its own on the current row.
  if (HasFocus() && kind_ != u"iList" && !(SendMessageW(window_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    const int inset = kind_ == u"iButton" ? 3 : 0;
    canvas_->DrawFocusRect(Rect{inset, inset, size.width - inset, size.height - inset});
  }
}

void Win32ControlWindow::SetDpi(int dpi) {
  dpi_ = dpi;
  Invalidate();
}

void Win32ControlWindow::PaintOffScreen() {
  if (!window_) return;
  HDC dc = GetDC(window_);
  PaintInto(dc);
  ReleaseDC(window_, dc);
}

LRESULT Win32ControlWindow::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  PaintInto(dc);
  canvas_->CopyTo(dc, 0, 0);
  EndPaint(window_, &paint);
  return 0;
}

LRESULT Win32ControlWindow::OnEraseBackground(WPARAM, LPARAM) { return 1; }  // the paint covers it all

// The mouse. A click is a button's up after its down, both inside.

void Win32ControlWindow::ButtonDown(MouseButton button, LPARAM lParam) {
  const Point at = PointOf(lParam);
  const Size size = ClientSize();
  downInside_ = Rect{0, 0, size.width, size.height}.Contains(at) ? button : MouseButton::kNone;
  control_.OnMouseDown(button, ShiftState(), at);
}

void Win32ControlWindow::ButtonUp(MouseButton button, LPARAM lParam) {
  const Point at = PointOf(lParam);
  const Size size = ClientSize();
  const bool click = downInside_ == button && Rect{0, 0, size.width, size.height}.Contains(at);
  downInside_ = MouseButton::kNone;
  control_.OnMouseUp(button, ShiftState(), at);
  if (click) control_.OnClick(button);
}

void Win32ControlWindow::ButtonDouble(MouseButton button, LPARAM lParam) {
  downInside_ = MouseButton::kNone;  // the up that follows is no click
  control_.OnDoubleClick(button, PointOf(lParam));
}

LRESULT Win32ControlWindow::OnLeftDown(WPARAM, LPARAM lParam) { return ButtonDown(MouseButton::kLeft, lParam), 0; }
LRESULT Win32ControlWindow::OnRightDown(WPARAM, LPARAM lParam) { return ButtonDown(MouseButton::kRight, lParam), 0; }
LRESULT Win32ControlWindow::OnMiddleDown(WPARAM, LPARAM lParam) {
  return ButtonDown(MouseButton::kMiddle, lParam), 0;
}
LRESULT Win32ControlWindow::OnLeftUp(WPARAM, LPARAM lParam) { return ButtonUp(MouseButton::kLeft, lParam), 0; }
LRESULT Win32ControlWindow::OnRightUp(WPARAM, LPARAM lParam) { return ButtonUp(MouseButton::kRight, lParam), 0; }
LRESULT Win32ControlWindow::OnMiddleUp(WPARAM, LPARAM lParam) { return ButtonUp(MouseButton::kMiddle, lParam), 0; }
LRESULT Win32ControlWindow::OnLeftDouble(WPARAM, LPARAM lParam) {
  return ButtonDouble(MouseButton::kLeft, lParam), 0;
}
LRESULT Win32ControlWindow::OnRightDouble(WPARAM, LPARAM lParam) {
  return ButtonDouble(MouseButton::kRight, lParam), 0;
}
LRESULT Win32ControlWindow::OnMiddleDouble(WPARAM, LPARAM lParam) {
  return ButtonDouble(MouseButton::kMiddle, lParam), 0;
}

LRESULT Win32ControlWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  control_.OnMouseMove(HeldButton(wParam), ShiftState(), PointOf(lParam));
  return 0;
}

LRESULT Win32ControlWindow::OnMouseLeave(WPARAM, LPARAM) {
  leaveTracked_ = false;
  control_.OnMouseLeave();
  return 0;
}

LRESULT Win32ControlWindow::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) != window_ || LOWORD(lParam) != HTCLIENT)
    return DefWindowProcW(window_, WM_SETCURSOR, wParam, lParam);
  ::SetCursor(CursorHandle(cursor_));
  return TRUE;
}

// Keys and focus.

// Space acts on a check box, an option box or a label on its way up, as on
// the system's buttons; Enter on a label at once (the button and the list
// take both keys themselves).
LRESULT Win32ControlWindow::OnKeyDown(WPARAM key, LPARAM) {
  control_.OnKeyDown(static_cast<int>(key), ShiftState());
  if (key == VK_RETURN && kind_ == u"PlainLabel") Press();
  return 0;
}

LRESULT Win32ControlWindow::OnKeyUp(WPARAM key, LPARAM) {
  control_.OnKeyUp(static_cast<int>(key), ShiftState());
  if (key == VK_SPACE && (kind_ == u"CntrlBox" || kind_ == u"PlainLabel")) Press();
  return 0;
}

void Win32ControlWindow::Press() {
  const Size size = ClientSize();
  const LPARAM middle = MAKELPARAM(size.width / 2, size.height / 2);
  ButtonDown(MouseButton::kLeft, middle);
  ButtonUp(MouseButton::kLeft, middle);
}

LRESULT Win32ControlWindow::OnButtonClick(WPARAM, LPARAM) { return Press(), 0; }

LRESULT Win32ControlWindow::OnUpdateUiState(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefWindowProcW(window_, WM_UPDATEUISTATE, wParam, lParam);
  if (HasFocus()) Invalidate();
  return result;
}

LRESULT Win32ControlWindow::OnChar(WPARAM c, LPARAM) {
  control_.OnChar(static_cast<char16_t>(c));
  return 0;
}

// What the dialog keys do here (IsDialogMessage): a button is pressed by
// Enter while it has the focus; the arrows move the focus through a group of
// option boxes or labels, and move the current row of a list, whose Enter is
// its own; the characters always come here.
LRESULT Win32ControlWindow::OnGetDialogCode(WPARAM, LPARAM lParam) {
  const auto* key = reinterpret_cast<const MSG*>(lParam);
  const bool enter = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
  if (kind_ == u"iButton") return DLGC_WANTCHARS | DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (kind_ == u"CntrlBox") return DLGC_WANTCHARS | DLGC_BUTTON;
  if (kind_ == u"iList") return DLGC_WANTCHARS | DLGC_WANTARROWS | (enter ? DLGC_WANTMESSAGE : 0);
  if (kind_ == u"PlainLabel") return DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
  return DLGC_WANTCHARS | DLGC_STATIC;
}

LRESULT Win32ControlWindow::OnSetFocus(WPARAM, LPARAM) {
  Invalidate();  // the focus cue
  control_.OnFocus(true);
  return 0;
}

LRESULT Win32ControlWindow::OnKillFocus(WPARAM, LPARAM) {
  Invalidate();
  control_.OnFocus(false);
  return 0;
}

// Size, timers, enabling, the scroll bar and the edit box's colours.

LRESULT Win32ControlWindow::OnSize(WPARAM, LPARAM lParam) {
  PlaceScrollBar();
  if (toolTip_) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window_;
    GetClientRect(window_, &tool.rect);
    SendMessageW(toolTip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  control_.OnResize(Size{LOWORD(lParam), HIWORD(lParam)});
  Invalidate();
  return 0;
}

LRESULT Win32ControlWindow::OnTimer(WPARAM id, LPARAM) {
  control_.OnTimer(static_cast<int>(id));
  return 0;
}

LRESULT Win32ControlWindow::OnEnable(WPARAM enabled, LPARAM) {
  if (scrollBar_) EnableWindow(scrollBar_, enabled != 0);
  control_.OnEnable(enabled != 0);
  Invalidate();
  return 0;
}

LRESULT Win32ControlWindow::OnVerticalScroll(WPARAM wParam, LPARAM lParam) {
  if (!scrollBar_ || reinterpret_cast<HWND>(lParam) != scrollBar_) return 0;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(scrollBar_, SB_CTL, &info);
  const std::optional<int> target = ScrollTarget(LOWORD(wParam), info.nTrackPos, scrollState_);
  if (!target) return 0;
  const int value = std::clamp(*target, 0, std::max(0, scrollState_.maximum));
  if (value == scrollState_.value) return 0;
  scrollState_.value = value;
  SetScrollPos(scrollBar_, SB_CTL, value, TRUE);
  control_.OnScroll(value);
  return 0;
}

LRESULT Win32ControlWindow::OnEditColours(WPARAM wParam, LPARAM lParam) {
  if (!editBox_ || reinterpret_cast<HWND>(lParam) != editBox_)
    return DefWindowProcW(window_, WM_CTLCOLOREDIT, wParam, lParam);
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, editSpec_.fore);
  SetBkColor(dc, editSpec_.back);
  return reinterpret_cast<LRESULT>(editBrush_);
}

LRESULT Win32ControlWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const HWND from = reinterpret_cast<HWND>(lParam);
  if (!from || from == editBox_ || from == scrollBar_) return 0;
  return SendMessageW(GetParent(window_), WM_COMMAND, wParam, lParam);
}

LRESULT Win32ControlWindow::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  HWND window = window_;
  window_ = nullptr;
  scrollBar_ = editBox_ = toolTip_ = nullptr;  // gone with their parent or owner
  live_ = false;
  accessible_.reset();
  return DefWindowProcW(window, WM_NCDESTROY, wParam, lParam);
}

LRESULT Win32ControlWindow::OnGetObject(WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return DefWindowProcW(window_, WM_GETOBJECT, wParam, lParam);
  if (!accessible_) accessible_ = std::make_unique<Win32Accessible>(window_, control_);
  return accessible_->Answer(wParam);
}

// ControlHost.

void Win32ControlWindow::Invalidate() {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
  // Every change the control shows passes here.
  if (accessible_) accessible_->Changed();
}

Size Win32ControlWindow::ClientSize() const {
  RECT client{};
  if (window_) GetClientRect(window_, &client);
  return Size{client.right, client.bottom};
}

void Win32ControlWindow::Resize(Size size) {
  // A control that answers WM_SIZE with another resize is served as Windows
  // serves nested ones; one that never settles is stopped.
  if (!window_ || resizeDepth_ >= 8) return;
  ++resizeDepth_;
  SetWindowPos(window_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  --resizeDepth_;
}

void Win32ControlWindow::SetCursor(CursorKind cursor) {
  cursor_ = cursor;
  POINT at{};
  if (window_ && GetCursorPos(&at) && WindowFromPoint(at) == window_)
    ::SetCursor(CursorHandle(cursor));
}

void Win32ControlWindow::CaptureMouse(bool capture) {
  if (!window_) return;
  if (capture)
    SetCapture(window_);
  else if (GetCapture() == window_)
    ReleaseCapture();
}

bool Win32ControlWindow::TrackMouseLeave() {
  if (!window_) return false;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window_;
  leaveTracked_ = ::TrackMouseEvent(&track) != FALSE;
  return leaveTracked_;
}

bool Win32ControlWindow::HasFocus() const { return window_ && GetFocus() == window_; }

void Win32ControlWindow::TakeFocus() {
  if (window_) SetFocus(window_);
}

void Win32ControlWindow::StartTimer(int id, int intervalMs) {
  if (window_) SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(std::max(1, intervalMs)), nullptr);
}

void Win32ControlWindow::StopTimer(int id) {
  if (window_) KillTimer(window_, static_cast<UINT_PTR>(id));
}

void Win32ControlWindow::PumpMessages() { RunWaitingMessages(); }

void Win32ControlWindow::CaptionChanged(std::u16string_view caption) {
  if (window_) SetWindowTextW(window_, Wide(std::u16string(caption)));
}

void Win32ControlWindow::OpenUrl(std::u16string_view address) {
  ShellExecuteW(nullptr, L"open", Wide(std::u16string(address)), nullptr, nullptr, SW_SHOWNORMAL);
}

// The in-place edit box: an EDIT child whose Enter and Escape go to the
// control before the box sees them.

void Win32ControlWindow::OpenEditBox(const EditBoxSpec& request) {
  if (!window_) return;
  static constexpr DWORD kAlignments[] = {ES_LEFT, ES_CENTER, ES_RIGHT};
  const DWORD alignment = kAlignments[std::min(request.alignment, 2u)];
  if (editBox_ && (GetWindowLongW(editBox_, GWL_STYLE) & (ES_CENTER | ES_RIGHT)) != alignment) {
    DestroyWindow(editBox_);  // an edit box keeps the alignment it was made with
    editBox_ = nullptr;
  }
  if (!editBox_) {
    editBox_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL | alignment, 0, 0, 0, 0, window_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!editBox_) return;
    SetWindowLongPtrW(editBox_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editDefault_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(editBox_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProcedure)));
  }
  editSpec_ = request;
  if (editFont_) DeleteObject(editFont_);
  if (editBrush_) DeleteObject(editBrush_);
  editFont_ = CreateGdiFont(request.font, dpi_);
  editBrush_ = CreateSolidBrush(request.back);
  SendMessageW(editBox_, WM_SETFONT, reinterpret_cast<WPARAM>(editFont_), FALSE);
  SetWindowTextW(editBox_, Wide(request.text));
  SetWindowPos(editBox_, HWND_TOP, request.rect.left, request.rect.top, request.rect.Width(), request.rect.Height(),
               SWP_SHOWWINDOW);
  SetFocus(editBox_);
  SendMessageW(editBox_, EM_SETSEL, 0, -1);
}

std::u16string Win32ControlWindow::EditBoxText() const {
  if (!editBox_) return {};
  std::u16string text(static_cast<size_t>(std::max(0, GetWindowTextLengthW(editBox_))) + 1, u'\0');
  const int length = GetWindowTextW(editBox_, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(0, length)));
  return text;
}

void Win32ControlWindow::CloseEditBox() {
  if (!editBox_ || !IsWindowVisible(editBox_)) return;
  ShowWindow(editBox_, SW_HIDE);
  SetFocus(window_);
}

bool Win32ControlWindow::EditKey(UINT message, WPARAM key) {
  if (message != WM_KEYDOWN || (key != VK_RETURN && key != VK_ESCAPE)) return false;
  return control_.OnEditBoxKey(key == VK_RETURN ? keys::kEnter : keys::kEscape, ShiftState());
}

LRESULT CALLBACK Win32ControlWindow::EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32ControlWindow*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  const WNDPROC standard = self ? self->editDefault_ : DefWindowProcW;
  if (self && self->live_) {
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS | CallWindowProcW(standard, edit, message, wParam, lParam);
    // Enter (CR), Ctrl+Enter (LF) and Escape would only beep in a one-line box.
    if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n' || wParam == 0x1B)) return 0;
    try {
      if (self->EditKey(message, wParam)) return 0;
    } catch (...) {
      return 0;
    }
  }
  return CallWindowProcW(standard, edit, message, wParam, lParam);
}

// The tooltip: made anew for each text, as its style (balloon) is fixed at
// creation.

void Win32ControlWindow::ShowToolTip(const ToolTipSpec& request) {
  if (toolTip_) DestroyWindow(toolTip_);
  toolTip_ = nullptr;
  if (!window_ || request.text.empty()) return;
  static const bool initialised = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)initialised;
  toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | (request.balloon ? TTS_BALLOON : 0), CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, GetModuleHandleW(nullptr),
                             nullptr);
  if (!toolTip_) return;
  SetWindowPos(toolTip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  std::u16string text = request.text;
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.lpszText = reinterpret_cast<wchar_t*>(text.data());
  GetClientRect(window_, &tool.rect);
  SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!request.title.empty() || request.icon != 0)
    SendMessageW(toolTip_, TTM_SETTITLEW, static_cast<WPARAM>(request.icon), reinterpret_cast<LPARAM>(Wide(request.title)));
  if (request.fore) SendMessageW(toolTip_, TTM_SETTIPTEXTCOLOR, *request.fore, 0);
  if (request.back) SendMessageW(toolTip_, TTM_SETTIPBKCOLOR, *request.back, 0);
}

// The scroll bar: a real SCROLLBAR child along the right edge. Its range
// runs to maximum + largeChange - 1 with a page of largeChange, so that the
// value goes from 0 to maximum and the thumb shows the page.

void Win32ControlWindow::SetScrollBar(const ScrollBarState& state) {
  if (!window_) return;
  if (!scrollBar_) {
    scrollBar_ = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | SBS_VERT, 0, 0, 0, 0, window_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (!scrollBar_) return;
    EnableWindow(scrollBar_, IsWindowEnabled(window_));
  }
  scrollState_ = state;
  scrollState_.maximum = std::max(0, state.maximum);
  scrollState_.value = std::clamp(state.value, 0, scrollState_.maximum);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = scrollState_.maximum + std::max(1, state.largeChange) - 1;
  info.nPage = static_cast<UINT>(std::max(1, state.largeChange));
  info.nPos = scrollState_.value;
  SetScrollInfo(scrollBar_, SB_CTL, &info, TRUE);
  PlaceScrollBar();
  ShowWindow(scrollBar_, state.visible ? SW_SHOWNA : SW_HIDE);
}

void Win32ControlWindow::PlaceScrollBar() {
  if (!scrollBar_) return;
  const Size size = ClientSize();
  MoveWindow(scrollBar_, size.width - scrollState_.width, 0, scrollState_.width, size.height, TRUE);
}

void Win32ControlWindow::ShowAbout(std::u16string_view name, std::u16string_view version) {
  AboutWindow::Show(window_, std::u16string(name), std::u16string(version));
}

void Win32ControlWindow::SetWindowEnabled(bool enabled) {
  if (window_ && (IsWindowEnabled(window_) != FALSE) != enabled) EnableWindow(window_, enabled);
}

void Win32ControlWindow::EnableChildren(bool enabled) {
  if (!window_) return;
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (child != scrollBar_ && child != editBox_) EnableWindow(child, enabled);
}

}  // namespace lanternfly
