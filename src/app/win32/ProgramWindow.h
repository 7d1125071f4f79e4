#pragma once

// What the program's top-level windows share: a window class of their own,
// a window procedure that finds the window's object and hands it every
// message, and a table of routes from messages to the object's handlers.
//
// The object (Owner) is CreateWindowExW's last parameter. It has a member
// `HWND window_`, filled in as the window is made and cleared as it goes,
// and `LRESULT Dispatch(UINT, WPARAM, LPARAM)`; it befriends
// ProgramWindowProcedure<Owner>.

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace lanternfly {

// The button face behind, the arrow pointer. True when the class is there,
// also when it was registered before.
inline bool RegisterProgramClass(const wchar_t* name, WNDPROC procedure, HICON icon, HICON smallIcon) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, name, &windowClass)) return true;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hIconSm = smallIcon;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The screen's pixels per inch, at least 96: the program is system DPI aware.
inline int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return 96;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return std::max(96, dpi);
}

// The pixels per inch of the screen `window` is on, at least 96; the
// screen's where the system has no DPI for each window (before Windows 10).
inline int WindowDpi(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return getDpi ? std::max(96, static_cast<int>(getDpi(window))) : ScreenDpi();
}
// Where a window keeps the control that had its focus (KeepFocus).
inline constexpr wchar_t kKeptFocus[] = L"LanternflyKeptFocus";

template <typename Owner>
LRESULT CALLBACK ProgramWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kKeptFocus);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Dispatch(message, wParam, lParam);
}

template <typename Owner>
struct WindowRoute {
  UINT message;
  LRESULT (Owner::*handler)(WPARAM, LPARAM);
};

// WM_NEXTDLGCTL as a dialog box answers it: the dialog keys of the message
// loop send it to the window itself (the arrows in a group, under Wine).
inline LRESULT MoveFocus(HWND window, WPARAM wParam, LPARAM lParam) {
  HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
  if (next && IsChild(window, next)) SetFocus(next);
  return 0;
}

// The control that had the focus has it again when the window is active
// once more (after one of its boxes, or another program), as in a dialog box.
inline LRESULT KeepFocus(HWND window, WPARAM wParam, LPARAM lParam) {
  const HWND focus = GetFocus();
  if (LOWORD(wParam) == WA_INACTIVE) {
    if (focus && IsChild(window, focus)) SetPropW(window, kKeptFocus, focus);
    return 0;
  }
  HWND kept = static_cast<HWND>(GetPropW(window, kKeptFocus));
  if (HIWORD(wParam) || !kept || !IsChild(window, kept)) return DefWindowProcW(window, WM_ACTIVATE, wParam, lParam);
  // An option box chooses itself as it gets the focus: when the mouse chose
  // another meanwhile, the focus goes to that one (the group's stop).
  for (HWND at = kept; (SendMessageW(at, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) &&
                       !(GetWindowLongW(at, GWL_STYLE) & WS_TABSTOP);) {
    at = GetNextDlgGroupItem(window, at, FALSE);
    if (!at || at == kept) break;
    kept = at;
  }
  SetFocus(kept);
  return 0;
}

// The handler of the message's route, or DefWindowProcW. Nothing may unwind
// through the system's window code.
template <typename Owner, std::size_t N>
LRESULT RouteMessage(Owner& owner, HWND window, const WindowRoute<Owner> (&routes)[N], UINT message, WPARAM wParam,
                     LPARAM lParam) {
  const auto route = std::find_if(std::begin(routes), std::end(routes),
                                  [message](const WindowRoute<Owner>& r) { return r.message == message; });
  if (route == std::end(routes) && message == WM_NEXTDLGCTL) return MoveFocus(window, wParam, lParam);
  if (route == std::end(routes) && message == WM_ACTIVATE) return KeepFocus(window, wParam, lParam);
  if (route == std::end(routes)) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return (owner.*route->handler)(wParam, lParam);
  } catch (...) {
    return 0;
  }
}

}  // namespace lanternfly
