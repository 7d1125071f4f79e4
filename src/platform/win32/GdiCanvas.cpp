#include "platform/win32/GdiCanvas.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

namespace lanternfly {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W entry points take UTF-16");

namespace {

const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }
int Count(std::u16string_view text) { return static_cast<int>(std::min<size_t>(text.size(), INT_MAX)); }
RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
Rect FromRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

// Selects a pen and a brush for one shape and puts the old ones back.
class ShapeTools {
 public:
  ShapeTools(HDC dc, Colour pen, std::optional<Colour> brush)
      : dc_(dc),
        pen_(CreatePen(PS_SOLID, 1, pen)),
        brush_(brush ? CreateSolidBrush(*brush) : nullptr),
        oldPen_(SelectObject(dc, pen_)),
        oldBrush_(SelectObject(dc, brush_ ? static_cast<HGDIOBJ>(brush_) : GetStockObject(NULL_BRUSH))) {}
  ~ShapeTools() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
  }
  ShapeTools(const ShapeTools&) = delete;
  ShapeTools& operator=(const ShapeTools&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ oldPen_;
  HGDIOBJ oldBrush_;
};

}  // namespace

HFONT CreateGdiFont(const FontSpec& font, int dpi) {
  LOGFONTW request{};
  request.lfHeight = -static_cast<LONG>(std::lround(font.points * (dpi > 0 ? dpi : ScreenDpi()) / 72.0));
  request.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  request.lfItalic = font.italic;
  request.lfUnderline = font.underline;
  request.lfStrikeOut = font.strikeout;
  request.lfCharSet = DEFAULT_CHARSET;
  request.lfOutPrecision = OUT_DEFAULT_PRECIS;
  request.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  request.lfQuality = DEFAULT_QUALITY;
  request.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const size_t length = std::min<size_t>(font.face.size(), LF_FACESIZE - 1);
  std::copy_n(Wide(font.face), length, request.lfFaceName);
  return CreateFontIndirectW(&request);
}

GdiCanvas::GdiCanvas(Size extent, HDC reference) : extent_(extent) {
  HDC screen = reference ? nullptr : GetDC(nullptr);
  dc_ = CreateCompatibleDC(reference ? reference : screen);
  if (screen) ReleaseDC(nullptr, screen);
  if (!dc_) return;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = std::max(1, extent.width);
  info.bmiHeader.biHeight = -std::max(1, extent.height);  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_) return;
  bits_ = static_cast<const std::uint32_t*>(bits);
  oldBitmap_ = SelectObject(dc_, bitmap_);
  SetBkMode(dc_, TRANSPARENT);
  FillRect(Rect{0, 0, extent.width, extent.height}, Rgb(255, 255, 255));
  SetFont(font_);
}

GdiCanvas::~GdiCanvas() {
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (hfont_) DeleteObject(hfont_);
  if (oldBitmap_) SelectObject(dc_, oldBitmap_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

void GdiCanvas::CopyTo(HDC target, int x, int y) const {
  if (Valid()) BitBlt(target, x, y, extent_.width, extent_.height, dc_, 0, 0, SRCCOPY);
}

Colour GdiCanvas::Pixel(Point at) const {
  if (!Valid() || !Rect{0, 0, extent_.width, extent_.height}.Contains(at)) return 0;
  GdiFlush();
  const std::uint32_t bgra = bits_[static_cast<size_t>(at.y) * extent_.width + at.x];
  return Rgb(static_cast<int>(bgra >> 16), static_cast<int>(bgra >> 8), static_cast<int>(bgra));
}

std::vector<Colour> GdiCanvas::Pixels() const {
  std::vector<Colour> pixels;
  pixels.reserve(static_cast<size_t>(std::max(0, extent_.width)) * std::max(0, extent_.height));
  for (int y = 0; y < extent_.height; ++y)
    for (int x = 0; x < extent_.width; ++x) pixels.push_back(Pixel({x, y}));
  return pixels;
}

void GdiCanvas::FillRect(const Rect& rect, Colour colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  const RECT r = ToRect(rect);
  ::FillRect(dc_, &r, brush);
  DeleteObject(brush);
}

void GdiCanvas::RoundRect(const Rect& rect, int cornerDiameter, Colour pen, std::optional<Colour> brush) {
  ShapeTools tools(dc_, pen, brush);
  if (cornerDiameter > 0)
    ::RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, cornerDiameter, cornerDiameter);
  else
    ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiCanvas::Polygon(std::span<const Point> points, Colour pen, std::optional<Colour> brush) {
  if (points.size() < 2 || points.size() > INT_MAX) return;
  std::vector<POINT> corners;
  for (const Point& p : points) corners.push_back(POINT{p.x, p.y});
  ShapeTools tools(dc_, pen, brush);
  ::Polygon(dc_, corners.data(), static_cast<int>(corners.size()));
}

void GdiCanvas::Line(Point from, Point to, Colour pen) {
  ShapeTools tools(dc_, pen, std::nullopt);
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
}

void GdiCanvas::SetPixel(Point at, Colour colour) { SetPixelV(dc_, at.x, at.y, colour); }

void GdiCanvas::SetFontDpi(int dpi) {
  if (dpi == fontDpi_) return;
  fontDpi_ = dpi;
  SelectFont(font_);
}

void GdiCanvas::SetFont(const FontSpec& font) {
  if (font != font_ || !hfont_) SelectFont(font);
}

void GdiCanvas::SelectFont(const FontSpec& font) {
  HFONT made = CreateGdiFont(font, fontDpi_);
  if (!made) return;
  HGDIOBJ previous = SelectObject(dc_, made);
  if (!oldFont_) oldFont_ = previous;
  if (hfont_) DeleteObject(hfont_);
  hfont_ = made;
  font_ = font;
}

Size GdiCanvas::MeasureText(std::u16string_view text) {
  SIZE size{};
  if (!text.empty()) {
    GetTextExtentPoint32W(dc_, Wide(text), Count(text), &size);
  } else {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    size.cy = metrics.tmHeight;
  }
  return Size{size.cx, size.cy};
}

void GdiCanvas::TextOut(Point at, std::u16string_view text, Colour colour) {
  SetTextColor(dc_, colour);
  ExtTextOutW(dc_, at.x, at.y, 0, nullptr, Wide(text), static_cast<UINT>(Count(text)), nullptr);
}

Rect GdiCanvas::DrawText(std::u16string_view text, const Rect& rect, unsigned flags, Colour colour) {
  std::u16string buffer(text);  // DrawTextExW takes a writable text
  auto wide = [&] { return reinterpret_cast<wchar_t*>(buffer.data()); };
  // Measured from the top: Wine moves a measured single line down by its
  // vertical centring, Windows does not.
  RECT measured = ToRect(rect);
  DrawTextExW(dc_, wide(), Count(buffer), &measured, (flags & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT, nullptr);
  if (flags & DT_CALCRECT) return FromRect(measured);

  SetTextColor(dc_, colour);
  RECT target = ToRect(rect);
  DrawTextExW(dc_, wide(), Count(buffer), &target, flags, nullptr);

  // Where the text went, by the same rules DrawTextEx placed it.
  const int width = measured.right - measured.left, height = measured.bottom - measured.top;
  Rect placed{rect.left, rect.top, rect.left + width, rect.top + height};
  if (flags & DT_RIGHT)
    placed.left = rect.right - width;
  else if (flags & DT_CENTER)
    placed.left = (rect.left + rect.right - width) / 2;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER)
      placed.top = rect.top + rect.Height() / 2 - height / 2;
    else if (flags & DT_BOTTOM)
      placed.top = rect.bottom - height;
  }
  placed.right = placed.left + width;
  placed.bottom = placed.top + height;
  return placed;
}

void GdiCanvas::DrawFrameControl(const Rect& rect, unsigned type, unsigned state) {
  RECT r = ToRect(rect);
  ::DrawFrameControl(dc_, &r, type, state);
}

void GdiCanvas::DrawEdge(const Rect& rect, unsigned edgeKind, unsigned sides) {
  RECT r = ToRect(rect);
  ::DrawEdge(dc_, &r, edgeKind, sides);
}

void GdiCanvas::DrawFocusRect(const Rect& rect) {
  // The dots invert what is there; fixed colours make them the same on every
  // system.
  SetTextColor(dc_, 0);
  SetBkColor(dc_, Rgb(255, 255, 255));
  const RECT r = ToRect(rect);
  ::DrawFocusRect(dc_, &r);
}

}  // namespace lanternfly
