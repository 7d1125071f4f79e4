#pragma once

// What the screen shows of a window, pixel by pixel, and that picture as a
// BMP file: for the tests' pictures and the demo's (tools/demo).

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace lanternfly::test {

// Pixels as 0x00BBGGRR.
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

// BitBlt of `width` by `height` pixels at (x, y) of `source`.
inline Screenshot Capture(HDC source, int x, int y, int width, int height) {
  Screenshot shot;
  shot.width = width;
  shot.height = height;
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  const auto* bgra = static_cast<const std::uint32_t*>(bits);
  for (int i = 0; bgra != nullptr && i < width * height; ++i)
    shot.pixels.push_back(Rgb(static_cast<int>(bgra[i] >> 16), static_cast<int>(bgra[i] >> 8), static_cast<int>(bgra[i])));
  shot.pixels.resize(static_cast<size_t>(width) * height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return shot;
}

// The client area, from the window's screen DC: what is really shown.
inline Screenshot CaptureClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  HDC screen = GetDC(window);
  Screenshot shot = Capture(screen, 0, 0, client.right, client.bottom);
  ReleaseDC(window, screen);
  return shot;
}

// The whole window, frame and title bar too, as the screen shows it (also
// another program's window; whatever lies over it is in the picture).
inline Screenshot CaptureOnScreen(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  HDC screen = GetDC(nullptr);
  Screenshot shot = Capture(screen, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
  ReleaseDC(nullptr, screen);
  return shot;
}

}  // namespace lanternfly::test
