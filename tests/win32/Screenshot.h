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
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes) * height;
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = height - 1; y >= 0; --y) {
      for (int x = 0; x < width; ++x)
        bytes += {static_cast<char>(BlueOf(At(x, y))), static_cast<char>(GreenOf(At(x, y))),
                  static_cast<char>(RedOf(At(x, y)))};
      bytes.append(static_cast<size_t>(rowBytes - width * 3), '\0');
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    return out && std::fwrite(bytes.data(), bytes.size(), 1, out) == 1 && std::fclose(out) == 0;
  }
};

// What the screen shows at (x, y) of `window`'s DC (the screen's, for
// nullptr), `width` by `height` pixels.
inline Screenshot Capture(HWND window, int x, int y, int width, int height) {
  Screenshot shot{width, height, std::vector<Colour>(static_cast<size_t>(width) * height)};
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  const auto* bgra = static_cast<const std::uint32_t*>(bits);
  for (size_t i = 0; bgra != nullptr && i < shot.pixels.size(); ++i)
    shot.pixels[i] = Rgb(static_cast<int>(bgra[i] >> 16 & 0xFF), static_cast<int>(bgra[i] >> 8 & 0xFF),
                         static_cast<int>(bgra[i] & 0xFF));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return shot;
}

// The client area: what is really shown.
inline Screenshot CaptureClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return Capture(window, 0, 0, client.right, client.bottom);
}

// The whole window, frame and title bar too, as the screen shows it (also
// another program's window; whatever lies over it is in the picture).
inline Screenshot CaptureOnScreen(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return Capture(nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
}

}  // namespace lanternfly::test
