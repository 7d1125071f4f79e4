#include "controls/PanelFrame.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr int kColourInactiveBorder = 11;
constexpr int kColourButtonFace = 15;
constexpr int kColourGreyText = 17;
constexpr int kColourDisabledHeader = 22;

struct Theme {
  Colour colour1, colour2, dark;
};

// ThemeColor 1 also stands for every value the table does not list.
constexpr std::array<Theme, 5> kThemes = {{
    {Rgb(129, 169, 226), Rgb(221, 236, 254), Rgb(0, 0, 128)},
    {Rgb(153, 151, 180), Rgb(244, 244, 251), Rgb(75, 75, 111)},
    {Rgb(181, 197, 143), Rgb(247, 249, 225), Rgb(63, 93, 56)},
    {Rgb(194, 194, 171), Rgb(248, 248, 242), Rgb(145, 145, 115)},
    {Rgb(217, 172, 1), Rgb(255, 239, 165), Rgb(117, 91, 30)},
}};

Colour Translate(OleColour colour) { return TranslateOleColour(colour).value_or(PanelFrame::kNoColour); }

// A colour that could not be translated is drawn black.
Colour Drawable(Colour colour) { return colour == PanelFrame::kNoColour ? 0 : colour; }

int Channel(int first, int last, double t) { return static_cast<int>(std::lround(first + (last - first) * t)); }

Colour Blend(Colour first, Colour last, double t) {
  return Rgb(Channel(RedOf(first), RedOf(last), t), Channel(GreenOf(first), GreenOf(last), t),
             Channel(BlueOf(first), BlueOf(last), t));
}

// The second gradient routine leans towards the second colour; its factor
// bends the linear run.
constexpr double kSecondGradientFactor = 2.01;

}  // namespace

std::u16string FitCaption(Canvas& canvas, std::u16string_view caption, int width) {
  if (canvas.MeasureText(caption).width <= width) return std::u16string(caption);
  // Shorten by halving the range of candidate lengths: the widths grow with
  // the length, and a long caption in a narrow frame stays cheap.
  std::size_t low = 0, high = caption.size();  // low fits (0 = none), high does not
  while (high - low > 1) {
    std::size_t middle = low + (high - low) / 2;
    std::u16string candidate(caption.substr(0, middle));
    candidate += u"...";
    if (canvas.MeasureText(candidate).width <= width) {
      low = middle;
    } else {
      high = middle;
    }
  }
  // Never half a character: a cut inside a surrogate pair drops its first half too.
  if (low > 0 && IsHighSurrogate(caption[low - 1])) --low;
  if (low == 0) return {};
  std::u16string fitted(caption.substr(0, low));
  fitted += u"...";
  return fitted;
}

PanelFrame::PanelFrame(OleColour containerBackColor)
    : containerBack_(Translate(containerBackColor)), fillColor_(containerBack_), backColor_(containerBack_) {
  UpdateTheme();
}

void PanelFrame::SetStyle(int style) {
  style_ = style;
  Colour silver = Rgb(195, 195, 195);
  Colour linkBlue = 13579779;  // RGB 3, 54, 207
  switch (style) {
    case 0:
    case 7:
      textColor_ = linkBlue, frameColor_ = silver, textBoxColor_ = 0xFFFFFF, alignment_ = 0;
      fillColor_ = containerBack_;
      break;
    case 1:
      textColor_ = 0, frameColor_ = 0, textBoxColor_ = 0xFFFFFF, alignment_ = 2;
      themeColor_ = 0;
      break;
    case 2:
      textColor_ = 0, frameColor_ = 0x6A6A6A, textBoxColor_ = 0xB0EFF0, alignment_ = 2;
      roundedCornerTxtBox_ = true, fillColor_ = containerBack_;
      break;
    case 3:
      textColor_ = 0, frameColor_ = 0, textBoxColor_ = 0xB0EFF0, alignment_ = 2;
      roundedCorner_ = true, roundedCornerTxtBox_ = false, fillColor_ = 0xE0FFFF;
      headerStyle_ = 0, gradientHeaderStyle_ = 1;
      break;
    case 4:
      textColor_ = 0, frameColor_ = 0, textBoxColor_ = 0xFFFFFF, alignment_ = 2;
      themeColor_ = 0, headerStyle_ = 0, gradientHeaderStyle_ = 0;
      break;
    case 5:
      textColor_ = 0xFFFFFF, frameColor_ = 192, textBoxColor_ = 192, alignment_ = 0;
      fillColor_ = containerBack_;
      break;
    case 6:
      textColor_ = 0xFFFFFF, frameColor_ = 0xA60000, textBoxColor_ = 0xA60000, alignment_ = 0;
      fillColor_ = containerBack_;
      break;
    case 8:
      textColor_ = 0, frameColor_ = 0, textBoxColor_ = 0xFFFFFF, alignment_ = 2;
      themeColor_ = 0, headerStyle_ = 1, gradientHeaderStyle_ = 2;
      break;
    default:
      break;
  }
  textBoxHeight_ = 22;
  UpdateTheme();
  Redraw();
}

void PanelFrame::SetCaption(std::u16string caption) {
  caption_ = std::move(caption);
  if (Host()) Host()->CaptionChanged(caption_);
  Redraw();
}

void PanelFrame::SetAlignment(int alignment) {
  alignment_ = alignment;
  Redraw();
}

void PanelFrame::SetFont(const FontSpec& font) {
  // The frame keeps its own copy of name, size, bold and italic.
  font_.face = font.face;
  font_.points = font.points;
  font_.bold = font.bold;
  font_.italic = font.italic;
  Redraw();
}

void PanelFrame::SetColour(Colour& field, OleColour colour) {
  field = Translate(colour);
  Redraw();
}

void PanelFrame::SetFrameColor(OleColour colour) {
  frameColor_ = Translate(colour);
  // The custom theme's dark colour is the frame colour.
  if (themeColor_ == 5) UpdateTheme();
  Redraw();
}

void PanelFrame::SetColorFrom(OleColour colour) {
  colorFrom_ = Translate(colour);
  if (themeColor_ == 5) UpdateTheme();
  Redraw();
}

void PanelFrame::SetColorTo(OleColour colour) {
  colorTo_ = Translate(colour);
  if (themeColor_ == 5) UpdateTheme();
  Redraw();
}

void PanelFrame::SetThemeColor(int theme) {
  if (theme == themeColor_) return;
  themeColor_ = theme;
  UpdateTheme();
  Redraw();
}

void PanelFrame::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (Host()) Host()->EnableChildren(enabled);
  EnabledChanged(enabled);
}

void PanelFrame::OnEnable(bool enabled) {
  if (enabled != enabled_) SetEnabled(enabled);
}

void PanelFrame::UpdateTheme() {
  if (themeColor_ == 5) {
    theme1_ = colorFrom_, theme2_ = colorTo_, themeDark_ = frameColor_;
    return;
  }
  const Theme& theme = themeColor_ >= 0 && themeColor_ < static_cast<int>(kThemes.size()) ? kThemes[themeColor_]
                                                                                          : kThemes[1];
  theme1_ = theme.colour1, theme2_ = theme.colour2, themeDark_ = theme.dark;
}

unsigned PanelFrame::CaptionFlags() const {
  unsigned align = alignment_ == 0 ? text_flags::kLeft : alignment_ == 1 ? text_flags::kRight : text_flags::kCenter;
  if (style_ == 8) return text_flags::kWordBreak | text_flags::kVCenter | align;
  return text_flags::kSingleLine | text_flags::kVCenter | align;
}

PanelFrame::ColourSet PanelFrame::Colours() const {
  if (enabled_) {
    return {Drawable(frameColor_), Drawable(textBoxColor_), Drawable(fillColor_), Drawable(theme2_),
            Drawable(theme1_),     Drawable(themeDark_),    Drawable(textColor_)};
  }
  Colour inactiveBorder = SystemColour(kColourInactiveBorder);
  Colour face = SystemColour(kColourButtonFace);
  return {inactiveBorder, SystemColour(kColourDisabledHeader), Drawable(containerBack_), face, face,
          inactiveBorder, SystemColour(kColourGreyText)};
}

void PanelFrame::OnResize(Size size) {
  Size raised{std::max(size.width, Scaled(kMinimumSize.width)), std::max(size.height, Scaled(kMinimumSize.height))};
  if (raised != size && Host()) {
    Host()->Resize(raised);
    return;
  }
  Redraw();
}

void PanelFrame::OnMouseDown(MouseButton button, int shift, Point at) {
  if (MouseActivity) MouseActivity(button, shift, at);
}

void PanelFrame::OnMouseMove(MouseButton held, int shift, Point at) {
  if (MouseActivity) MouseActivity(held, shift, at);
}

void PanelFrame::DrawBox(Canvas& canvas, const Rect& rect, bool rounded, Colour pen, Colour fill) {
  canvas.RoundRect(rect, rounded ? Scaled(kCornerDiameter) : 0, pen, fill);
}

// A header band: a solid box in the header colour, or a gradient in the
// theme's colours drawn one line at a time and outlined in the frame colour.
void PanelFrame::DrawHeader(Canvas& canvas, const Rect& rect, const ColourSet& colours, bool outlined) {
  if (headerStyle_ != 1) {
    DrawBox(canvas, rect, roundedCornerTxtBox_, colours.frame, colours.textBox);
    return;
  }
  bool vertical = gradientHeaderStyle_ == 0 || gradientHeaderStyle_ == 2;
  bool bent = gradientHeaderStyle_ == 2 || gradientHeaderStyle_ == 3;
  int count = vertical ? rect.Height() : rect.Width();
  for (int i = 0; i < count; ++i) {
    Colour colour;
    if (bent && count > 1) {
      double t = static_cast<double>(i) / (count - 1);
      colour = Blend(colours.gradient2, colours.gradient1, 1.0 - std::pow(1.0 - t, kSecondGradientFactor));
    } else {
      colour = GradientLineColour(colours.gradient2, colours.gradient1, i, count);
    }
    if (vertical) {
      canvas.Line(Point{rect.left, rect.top + i}, Point{rect.right, rect.top + i}, colour);
    } else {
      canvas.Line(Point{rect.left + i, rect.top}, Point{rect.left + i, rect.bottom}, colour);
    }
  }
  if (outlined) canvas.RoundRect(rect, 0, colours.frame, std::nullopt);
}

void PanelFrame::DrawCaption(Canvas& canvas, const Rect& rect, Colour colour) {
  if (caption_.empty() || rect.Width() <= 0) return;
  if (style_ == 8) {
    // A word-wrapped block, measured and then centred in the rectangle.
    Rect measured =
        canvas.DrawText(caption_, rect, text_flags::kCalcRect | text_flags::kWordBreak, colour);
    int dx = (rect.Width() - measured.Width()) / 2, dy = (rect.Height() - measured.Height()) / 2;
    Rect block{rect.left + dx, rect.top + dy, rect.left + dx + measured.Width(), rect.top + dy + measured.Height()};
    canvas.DrawText(caption_, block, CaptionFlags(), colour);
    return;
  }
  std::u16string fitted = FitCaption(canvas, caption_, rect.Width());
  if (fitted.empty()) return;
  canvas.DrawText(fitted, rect, CaptionFlags() | text_flags::kNoPrefix, colour);
}

void PanelFrame::Paint(Canvas& canvas) {
  Size extent = canvas.Extent();
  canvas.FillRect(Rect{0, 0, extent.width, extent.height}, Drawable(backColor_));
  if (canvas.Font() != font_) canvas.SetFont(font_);
  Size captionSize = caption_.empty() ? Size{} : canvas.MeasureText(caption_);
  ColourSet colours = Colours();
  Rect captionRect;
  switch (style_) {
    case 0:
      captionRect = DrawGroupBox(canvas, colours, captionSize);
      break;
    case 2:
      captionRect = DrawStyle2(canvas, colours);
      break;
    case 3:
      captionRect = DrawStyle3(canvas, colours);
      break;
    case 4:
      captionRect = DrawStyle4(canvas, colours);
      break;
    case 5:
      captionRect = DrawStyle5(canvas, colours);
      break;
    case 6:
      captionRect = DrawStyle6(canvas, colours);
      break;
    case 7:
      captionRect = DrawStyle7(canvas, colours);
      break;
    case 8:
      captionRect = DrawStyle8(canvas, colours);
      break;
    default:
      captionRect = DrawStyle1(canvas, colours, captionSize);
      break;
  }
  DrawCaption(canvas, captionRect, colours.text);
}

// Style 0: a group box whose top edge is cut behind the caption.
Rect PanelFrame::DrawGroupBox(Canvas& canvas, const ColourSet& colours, Size captionSize) {
  Size extent = canvas.Extent();
  int top = captionSize.height / 2;
  DrawBox(canvas, Rect{0, top, extent.width - 1, extent.height - 1}, roundedCorner_, colours.frame, colours.fill);
  if (caption_.empty()) return {};
  // A caption longer than the edge is shortened to it, and so is the gap.
  int width = std::min(captionSize.width,
                       std::max(0, extent.width - 2 * Scaled(kGroupCaptionIndent) - Scaled(kCaptionMargin) - 1));
  int x = alignment_ == 0   ? Scaled(kGroupCaptionIndent)
          : alignment_ == 2 ? (extent.width - 1 - width) / 2
                            : extent.width - width - Scaled(kGroupCaptionIndent) - Scaled(kCaptionMargin) - 1;
  canvas.Line(Point{x, top}, Point{x + width + Scaled(kCaptionMargin), top}, colours.fill);
  return Rect{x + 3, 0, x + width + 3, captionSize.height};
}

Rect PanelFrame::DrawStyle1(Canvas& canvas, const ColourSet& colours, Size captionSize) {
  Size extent = canvas.Extent();
  int t = textBoxHeight_;
  DrawBox(canvas, Rect{0, captionSize.height / 2, extent.width - 1, extent.height - 1}, roundedCorner_,
          colours.frame, colours.fill);
  DrawHeader(canvas, Rect{0, 0, extent.width - 1, t}, colours, true);
  return Rect{Scaled(kCaptionMargin), 0, extent.width - Scaled(kCaptionMargin), t};
}

// Style 2: the header box stands 15 pixels in, over an optional shadow.
Rect PanelFrame::DrawStyle2(Canvas& canvas, const ColourSet& colours) {
  Size extent = canvas.Extent();
  int t = textBoxHeight_;
  DrawBox(canvas, Rect{0, t / 2, extent.width - 1, extent.height - 1}, roundedCorner_, colours.frame, colours.fill);
  Rect header{Scaled(kGroupCaptionIndent), 0, extent.width - 1 - Scaled(kGroupCaptionIndent), t};
  if (txtBoxShadow_ == 1) {
    Rect shadow{header.left + 2, header.top + 2, header.right + 2, header.bottom + 2};
    DrawBox(canvas, shadow, roundedCornerTxtBox_, colours.dark, colours.dark);
  }
  DrawBox(canvas, header, roundedCornerTxtBox_, colours.frame, colours.textBox);
  return Rect{header.left + Scaled(kCaptionMargin), 0, header.right - Scaled(kCaptionMargin), t};
}

// Style 3, the program's: a panel from half the header's height down under a
// full-width header, gradient (outlined) or solid.
Rect PanelFrame::DrawStyle3(Canvas& canvas, const ColourSet& colours) {
  Size extent = canvas.Extent();
  int t = textBoxHeight_;
  DrawBox(canvas, Rect{0, t / 2, extent.width - 1, extent.height - 1}, roundedCorner_, colours.frame, colours.fill);
  if (headerStyle_ == 1) {
    DrawHeader(canvas, Rect{0, 0, extent.width - 1, t}, colours, true);
  } else {
    DrawBox(canvas, Rect{0, 0, extent.width - 1, t}, roundedCornerTxtBox_, colours.frame, colours.textBox);
  }
  return Rect{Scaled(kCaptionMargin), 0, extent.width - Scaled(kCaptionMargin), t};
}

// Style 4: the body from the top, a header band across it and a line under it.
Rect PanelFrame::DrawStyle4(Canvas& canvas, const ColourSet& colours) {
  Size extent = canvas.Extent();
  int t = textBoxHeight_;
  DrawBox(canvas, Rect{0, 0, extent.width - 1, extent.height - 1}, roundedCorner_, colours.frame, colours.fill);
  DrawHeader(canvas, Rect{1, 1, extent.width - 2, t}, colours, false);
  canvas.Line(Point{0, t}, Point{extent.width - 1, t}, colours.frame);
  return Rect{Scaled(kCaptionMargin), 0, extent.width - Scaled(kCaptionMargin), t};
}

// Style 5: a slanted tab as the header, over a square body, with two lines.
Rect PanelFrame::DrawStyle5(Canvas& canvas, const ColourSet& colours) {
  Size extent = canvas.Extent();
  int t = textBoxHeight_;
  DrawBox(canvas, Rect{0, t, extent.width - 1, extent.height - 1}, false, colours.frame, colours.fill);
  int tabRight = std::max(t, extent.width * 2 / 3);
  std::array<Point, 4> tab = {Point{0, 0}, Point{tabRight - t, 0}, Point{tabRight, t}, Point{0, t}};
  canvas.Polygon(tab, colours.textBox, colours.textBox);
  canvas.Line(Point{0, t}, Point{extent.width - 1, t}, colours.frame);
  canvas.Line(Point{0, 0}, Point{0, t}, colours.frame);
  return Rect{Scaled(kCaptionMargin), 0, tabRight - t, t};
}

// Style 6: a filled band with a slanted end, a box and rounded accents.
Rect PanelFrame::DrawStyle6(Canvas& canvas, const ColourSet& colours) {
  Size extent = canvas.Extent();
  int t = textBoxHeight_;
  DrawBox(canvas, Rect{0, t / 2, extent.width - 1, extent.height - 1}, true, colours.frame, colours.fill);
  std::array<Point, 4> band = {Point{0, 0}, Point{extent.width - 1 - t, 0}, Point{extent.width - 1, t},
                               Point{0, t}};
  canvas.Polygon(band, colours.textBox, colours.textBox);
  for (int i = 1; i <= 3; ++i) {
    canvas.RoundRect(Rect{i * 2, t + i * 2, extent.width - 1 - i * 2, extent.height - 1 - i * 2},
                     Scaled(kCornerDiameter), colours.frame, std::nullopt);
  }
  canvas.Line(Point{0, t}, Point{extent.width - 1, t}, colours.frame);
  canvas.Line(Point{0, t + 1}, Point{extent.width - 1, t + 1}, colours.dark);
  return Rect{Scaled(kCaptionMargin), 0, extent.width - t - Scaled(kCaptionMargin), t};
}

// Style 7: lines only, under and beside the caption.
Rect PanelFrame::DrawStyle7(Canvas& canvas, const ColourSet& colours) {
  Size extent = canvas.Extent();
  int t = textBoxHeight_;
  canvas.Line(Point{0, t}, Point{extent.width - 1, t}, colours.frame);
  canvas.Line(Point{0, t}, Point{0, extent.height - 1}, colours.frame);
  canvas.Line(Point{0, extent.height - 1}, Point{extent.width - 1, extent.height - 1}, colours.frame);
  return Rect{Scaled(kCaptionMargin), 0, extent.width - Scaled(kCaptionMargin), t};
}

// Style 8: a rounded body under a gradient header whose corners are rounded
// by single pixels; the caption wraps.
Rect PanelFrame::DrawStyle8(Canvas& canvas, const ColourSet& colours) {
  Size extent = canvas.Extent();
  int t = textBoxHeight_;
  int w = extent.width - 1, h = extent.height - 1;
  DrawBox(canvas, Rect{0, 0, w, h}, true, colours.frame, colours.fill);
  DrawHeader(canvas, Rect{1, 1, w - 1, t}, colours, false);
  canvas.Line(Point{0, t}, Point{w, t}, colours.frame);
  Colour back = Drawable(backColor_);
  for (Point corner : {Point{1, 1}, Point{w - 2, 1}, Point{1, h - 2}, Point{w - 2, h - 2}}) {
    canvas.SetPixel(corner, colours.frame);
  }
  for (Point corner : {Point{0, 0}, Point{w - 1, 0}, Point{0, h - 1}, Point{w - 1, h - 1}}) {
    canvas.SetPixel(corner, back);
  }
  return Rect{Scaled(kCaptionMargin), 0, extent.width - Scaled(kCaptionMargin), t};
}

}  // namespace lanternfly
