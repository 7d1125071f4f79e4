#pragma once

// A canvas for tests: it keeps every drawing operation as a record with a
// one-line dump ("FillRect 0,0-100,22 F5ECDE") and measures text in a font of
// fixed metrics, so that a control's layout comes out as exact numbers:
//   width  = 6 pixels per UTF-16 code unit, 7 when bold;
//   height = int(points * 4 / 3 + 0.5) + 3 (Tahoma 8.25 -> 14, 9.75 -> 16).
// Measuring (MeasureText, DrawText with kCalcRect) is not recorded.

#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace lanternfly {

// The fixed metrics, for tests that compute expected positions.
int FixedTextWidth(std::u16string_view text, const FontSpec& font);
int FixedLineHeight(const FontSpec& font);

// One line of laid-out text: where it starts and what it shows.
struct TextLine {
  Point at;
  std::u16string text;
  bool operator==(const TextLine&) const = default;
};

// DrawText's layout with the fixed metrics, as GDI lays text out:
//  - lines end at CR, LF or CR LF, except with kSingleLine;
//  - kWordBreak breaks a line at spaces so that it fits the rectangle's
//    width (the spaces at a break vanish); a word wider than the rectangle
//    stands on a line of its own;
//  - kCenter/kRight place each line; kVCenter/kBottom act on a single line
//    only;
//  - without kNoPrefix, "&x" shows x and "&&" shows "&".
// The bounds are those of the lines as placed; for kCalcRect GDI's answer is
// `rect`'s top left with the widest line's width and all lines' height.
struct TextLayout {
  std::vector<TextLine> lines;
  Rect bounds;
};
TextLayout LayOutText(std::u16string_view text, const Rect& rect, unsigned flags, const FontSpec& font);

struct CanvasOp {
  enum class Kind {
    kFillRect,
    kRoundRect,
    kPolygon,
    kLine,
    kSetPixel,
    kSetFont,
    kTextOut,
    kDrawText,
    kFrameControl,
    kEdge,
    kFocusRect
  };
  Kind kind = Kind::kFillRect;
  Rect rect;                    // FillRect, RoundRect, DrawText, FrameControl, Edge, FocusRect
  std::vector<Point> points;    // Polygon; Line and SetPixel use points[0] (and points[1])
  Colour colour = 0;            // fill, pen or text colour
  std::optional<Colour> brush;  // RoundRect, Polygon
  int corner = 0;               // RoundRect's ellipse diameter
  FontSpec font;                // the font in effect (SetFont: the new one)
  std::u16string text;          // TextOut, DrawText: as given
  std::vector<TextLine> lines;  // TextOut, DrawText: as laid out
  unsigned flags = 0;           // DrawText flags, FrameControl state, Edge kind
  unsigned type = 0;            // FrameControl type, Edge sides

  // e.g. "RoundRect 0,0-80,24 r6 pen 000000 brush F5ECDE",
  //      "DrawText 0,0-80,24 36 000000 \"OK\" at 34,5".
  std::string Dump() const;
};

class RecordingCanvas final : public Canvas {
 public:
  explicit RecordingCanvas(Size extent) : extent_(extent) {}

  Size Extent() const override { return extent_; }
  void FillRect(const Rect& rect, Colour colour) override;
  void RoundRect(const Rect& rect, int cornerDiameter, Colour pen, std::optional<Colour> brush) override;
  void Polygon(std::span<const Point> points, Colour pen, std::optional<Colour> brush) override;
  void Line(Point from, Point to, Colour pen) override;
  void SetPixel(Point at, Colour colour) override;
  void SetFont(const FontSpec& font) override;
  const FontSpec& Font() const override { return font_; }
  Size MeasureText(std::u16string_view text) override;
  void TextOut(Point at, std::u16string_view text, Colour colour) override;
  Rect DrawText(std::u16string_view text, const Rect& rect, unsigned flags, Colour colour) override;
  void DrawFrameControl(const Rect& rect, unsigned type, unsigned state) override;
  void DrawEdge(const Rect& rect, unsigned edgeKind, unsigned sides) override;
  void DrawFocusRect(const Rect& rect) override;

  const std::vector<CanvasOp>& Ops() const { return ops_; }
  // Every operation's dump, in order; the same joined by "\n".
  std::vector<std::string> Dump() const;
  std::string DumpText() const;
  // The operations of one kind, in order.
  std::vector<CanvasOp> OpsOf(CanvasOp::Kind kind) const;
  // Every line of text drawn (TextOut and DrawText), in order.
  std::vector<TextLine> TextLines() const;
  void Clear() { ops_.clear(); }

 private:
  CanvasOp& Add(CanvasOp::Kind kind);

  Size extent_;
  FontSpec font_;
  std::vector<CanvasOp> ops_;
};

}  // namespace lanternfly
