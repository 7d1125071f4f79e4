#pragma once

// A plain top-level window for tests that place control windows in it, with
// what such tests need: running the message loop for a while, and (from
// Screenshot.h) copying what the screen shows of the window as a BMP file.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "Screenshot.h"

namespace lanternfly::test {

// Runs the message loop for about `milliseconds`, or until `done` says so.
inline void Pump(int milliseconds, const std::function<bool()>& done = {}) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done && done()) return;
    Sleep(5);
  }
}

// A shown top-level window at the screen's top left, with a client area of
// the given size, grey like a dialog.
class TestWindow {
 public:
  TestWindow(int width, int height, const wchar_t* title = L"Lanternfly test") {
    static const bool registered = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = DefWindowProcW;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      windowClass.lpszClassName = L"LanternflyTestWindow";
      return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
    RECT frame{0, 0, width, height};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    window_ = CreateWindowExW(0, L"LanternflyTestWindow", title, style, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
  }
  ~TestWindow() { DestroyWindow(window_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace lanternfly::test
