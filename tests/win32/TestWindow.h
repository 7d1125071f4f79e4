#pragma once

// A plain top-level window for tests that place control windows in it, with
// what such tests need: running the message loop for a while, copying what
// the screen shows of the window, and saving that as a BMP file.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/Canvas.h"

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

// What a window shows on the screen, pixel by pixel, as 0x00BBGGRR.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;

  Colour At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height ? pixels[static_cast<size_t>(y) * width + x] : 0xFFFFFFFFu;
  }

  // A 24-bit bottom-up BMP; false when it cannot be written.
  bool SaveBmp(const std::string& path) const {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes) * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::vector<unsigned char> row(static_cast<size_t>(rowBytes));
    for (int y = height - 1; y >= 0; --y) {
      for (int x = 0; x < width; ++x) {
        const Colour c = At(x, y);
        row[x * 3] = static_cast<unsigned char>(BlueOf(c));
        row[x * 3 + 1] = static_cast<unsigned char>(GreenOf(c));
        row[x * 3 + 2] = static_cast<unsigned char>(RedOf(c));
      }
      std::fwrite(row.data(), row.size(), 1, out);
    }
    return std::fclose(out) == 0;
  }
};

// BitBlt from the window's screen DC: what is really shown.
inline Screenshot CaptureClient(HWND window) {
  Screenshot shot;
  RECT client{};
  GetClientRect(window, &client);
  shot.width = client.right;
  shot.height = client.bottom;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* bgra = static_cast<const std::uint32_t*>(bits);
  for (int i = 0; i < shot.width * shot.height; ++i)
    shot.pixels.push_back(Rgb(static_cast<int>(bgra[i] >> 16), static_cast<int>(bgra[i] >> 8), static_cast<int>(bgra[i])));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return shot;
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
