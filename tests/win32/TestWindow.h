#pragma once

// A plain top-level window for tests that place control windows in it, and
// running the message loop for a while; pictures of it from Screenshot.h.

#include <windows.h>

#include <functional>

#include "Screenshot.h"

namespace lanternfly::test {

// Runs this thread's messages for about `milliseconds`, or until `done`
// says so, waking for each message that comes.
inline void Pump(int milliseconds, const std::function<bool()>& done = {}) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  for (int left = milliseconds; left > 0 && !(done && done()); left = static_cast<int>(end - GetTickCount())) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
  }
}

// A shown top-level window at the screen's top left, with a client area of
// the given size, grey like a dialog.
class TestWindow {
 public:
  TestWindow(int width, int height) {
    WNDCLASSW windowClass{0, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr,
                          reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, L"LanternflyTestWindow"};
    RegisterClassW(&windowClass);  // or it was already
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, FALSE);
    window_ = CreateWindowExW(0, L"LanternflyTestWindow", L"Lanternfly test", WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN,
                              0, 0, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
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
