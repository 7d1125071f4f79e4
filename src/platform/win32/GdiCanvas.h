#pragma once

// The drawing seam on GDI: an off-screen bitmap (a 32-bit DIB section in a
// memory DC) that a control paints into and that is then copied to the
// window in one BitBlt, so that a redraw never shows half a picture. Text
// goes through the W entry points; fonts are made from points with the
// screen's LOGPIXELSY.

#include <windows.h>

#include <vector>

#include "platform/Canvas.h"

namespace lanternfly {

class GdiCanvas final : public Canvas {
 public:
  // A surface of `extent` pixels compatible with `reference` (the screen
  // when null), filled with white.
  explicit GdiCanvas(Size extent, HDC reference = nullptr);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  // False when GDI gave no bitmap (drawing then does nothing).
  bool Valid() const { return bitmap_ != nullptr; }
  HDC Dc() const { return dc_; }
  // Copies the whole surface to `target` at (x, y).
  void CopyTo(HDC target, int x, int y) const;
  // The surface's pixels, row by row from the top (0 outside the surface).
  Colour Pixel(Point at) const;
  std::vector<Colour> Pixels() const;

  Size Extent() const override { return extent_; }
  void FillRect(const Rect& rect, Colour colour) override;
  void RoundRect(const Rect& rect, int cornerDiameter, Colour pen, std::optional<Colour> brush) override;
  void Polygon(std::span<const Point> points, Colour pen, std::optional<Colour> brush) override;
  void Line(Point from, Point to, Colour pen) override;
  void SetPixel(Point at, Colour colour) override;
  // The pixels per inch its fonts are made for (0, at first: the screen's).
  void SetFontDpi(int dpi);
  void SetFont(const FontSpec& font) override;
  const FontSpec& Font() const override { return font_; }
  Size MeasureText(std::u16string_view text) override;
  void TextOut(Point at, std::u16string_view text, Colour colour) override;
  Rect DrawText(std::u16string_view text, const Rect& rect, unsigned flags, Colour colour) override;
  void DrawFrameControl(const Rect& rect, unsigned type, unsigned state) override;
  void DrawEdge(const Rect& rect, unsigned edgeKind, unsigned sides) override;
  void DrawFocusRect(const Rect& rect) override;

 private:
  void SelectFont(const FontSpec& font);

  Size extent_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  const std::uint32_t* bits_ = nullptr;  // BGRA, top-down
  FontSpec font_;
  HFONT hfont_ = nullptr;
  int fontDpi_ = 0;
  HGDIOBJ oldFont_ = nullptr;
};

// A GDI font for `font` at `dpi` (0: the screen's); the caller deletes it.
HFONT CreateGdiFont(const FontSpec& font, int dpi = 0);

}  // namespace lanternfly
