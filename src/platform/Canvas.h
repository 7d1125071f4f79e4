#pragma once

// The drawing seam of the program's own controls: a pixel surface with the
// few operations they use. On Windows it is GDI on an off-screen bitmap; in
// tests a recording canvas with fixed font metrics, so that layouts are exact
// numbers. Coordinates are pixels of the surface, (0, 0) at the top left;
// rectangles exclude their right and bottom edges, as GDI's do.
//
// Colours are resolved RGB values, 0x00BBGGRR; system colours are resolved
// before they reach a canvas (platform/SystemColours.h).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lanternfly {

using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue) {
  return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
         static_cast<Colour>(blue & 0xFF) << 16;
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>(c >> 16 & 0xFF); }

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const Rect&) const = default;
};

// A font by what the program's windows name: face, size in points, style.
struct FontSpec {
  std::u16string face = u"MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  bool operator==(const FontSpec&) const = default;
};

// Text layout flags, with DrawTextEx's values so that the numbers the
// controls compute (36 = single line, vertically centred, left) mean the same.
namespace text_flags {
constexpr unsigned kLeft = 0x0, kCenter = 0x1, kRight = 0x2, kVCenter = 0x4, kBottom = 0x8, kWordBreak = 0x10,
                   kSingleLine = 0x20, kCalcRect = 0x400, kNoPrefix = 0x800;
}

// DrawFrameControl's button type and state bits, for check and option boxes.
namespace frame_control {
constexpr unsigned kButton = 4;  // DFC_BUTTON
constexpr unsigned kCheck = 0x0, kRadio = 0x4, kChecked = 0x400, kInactive = 0x100, kPushed = 0x200;
}

// DrawEdge's edges, for button faces.
namespace edge {
constexpr unsigned kRaised = 0x5, kSunken = 0xA;  // EDGE_RAISED, EDGE_SUNKEN
constexpr unsigned kRect = 0xF;                   // BF_RECT
}

class Canvas {
 public:
  virtual ~Canvas() = default;

  // The surface's size in pixels.
  virtual Size Extent() const = 0;

  // Shapes. A pen is one pixel wide. FillRect paints the rectangle without an
  // outline; RoundRect outlines it with the pen and fills it with the brush
  // (none: hollow), its corners rounded with the given ellipse diameter
  // (0: square), as GDI's RoundRect does. Line draws from `from` up to but not
  // including `to`, as MoveTo/LineTo do.
  virtual void FillRect(const Rect& rect, Colour colour) = 0;
  virtual void RoundRect(const Rect& rect, int cornerDiameter, Colour pen, std::optional<Colour> brush) = 0;
  virtual void Polygon(std::span<const Point> points, Colour pen, std::optional<Colour> brush) = 0;
  virtual void Line(Point from, Point to, Colour pen) = 0;
  virtual void SetPixel(Point at, Colour colour) = 0;

  // Text in the current font. Measuring gives the width and the height of
  // one line of the text (no wrapping). TextOut draws with a transparent
  // background, its top left at `at`. DrawText lays the text out in `rect`
  // by the flags; with kCalcRect it draws nothing and returns the rectangle
  // the text needs (the width of `rect` kept for word breaking), otherwise it
  // returns the rectangle it drew in.
  virtual void SetFont(const FontSpec& font) = 0;
  virtual const FontSpec& Font() const = 0;
  virtual Size MeasureText(std::u16string_view text) = 0;
  virtual void TextOut(Point at, std::u16string_view text, Colour colour) = 0;
  virtual Rect DrawText(std::u16string_view text, const Rect& rect, unsigned flags, Colour colour) = 0;

  // The system's images: a check or option box (type and state as
  // DrawFrameControl takes them), a raised or sunken edge, a dotted focus
  // rectangle (drawn by inversion, as DrawFocusRect does).
  virtual void DrawFrameControl(const Rect& rect, unsigned type, unsigned state) = 0;
  virtual void DrawEdge(const Rect& rect, unsigned edgeKind, unsigned sides) = 0;
  virtual void DrawFocusRect(const Rect& rect) = 0;
};

}  // namespace lanternfly
