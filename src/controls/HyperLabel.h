#pragma once

// The markup label: a read-only caption written in a small bracket markup
// ([b], [i], [u], [color=...], [url=...], [list] with [*], [] for a new line,
// "[[" for a literal "["),
// drawn with optional word wrap and automatic sizing, with clickable links.
// The settings window's two previews are such labels.
//
// Layout is a pure function (LayOutMarkup) that turns a caption into runs of
// text at pen positions, the links' places and the plain text; the control
// keeps the last layout, paints it, and hit-tests the links with the mouse.
// Measuring needs a font, so the layout ("render") happens on the next Paint
// after a change, with that canvas's metrics.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/Control.h"
#include "platform/Canvas.h"
#include "platform/SystemColours.h"

namespace lanternfly {

// Where one link of a caption was drawn. X2 and Y2 stay -1 while the link is
// not closed.
struct CHyperlink {
  int X1 = 0;
  int Y1 = 0;
  int X2 = -1;
  int Y2 = -1;
  int TextHeight = 0;  // of "Xyz" in the font the link opened in
  std::u16string HRef;

  // On the link's first line at or right of X1, or on its last line at or
  // left of X2, all bounds inclusive; lines between are not hit, nor is a
  // link that was never closed.
  bool PosInside(int x, int y) const;
};

// Text colour and flags; every render starts from the base style.
struct MarkupStyle {
  OleColour colour = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const MarkupStyle&) const = default;
};

// One piece of text at a pen position. Symbol runs are drawn in Wingdings
// (the list bullet).
struct MarkupRun {
  Point at;
  std::u16string text;
  MarkupStyle style;
  bool symbol = false;
};

struct MarkupInput {
  FontSpec font;            // face, size and strike-out; the flags come from the styles
  MarkupStyle base;         // colour = ForeColor
  MarkupStyle saved;        // what a closing [/url] restores
  OleColour foreColor = 0;  // what [/color] returns to
  int width = 0;            // of the drawing area
  bool wordWrap = true;
};

struct MarkupLayout {
  std::vector<MarkupRun> runs;
  std::vector<CHyperlink> links;
  std::u16string plainCaption;
  Point pen;              // where the pen stopped
  int widest = 0;         // largest pen x after a text run without word wrap
  int endTextHeight = 0;  // of "Xyz" in the font in effect at the end
  MarkupStyle saved;      // the saved style after the render
};

// The font a run is drawn in.
FontSpec RunFont(const FontSpec& font, const MarkupRun& run);

// Lays out `caption`, measuring with `measure` (its font is changed; nothing
// is drawn). Bad markup never fails: unknown tags vanish, an unmatched "["
// hides the rest.
MarkupLayout LayOutMarkup(std::u16string_view caption, const MarkupInput& input, Canvas& measure);

// A [color=...] value: a named colour, or hexadecimal RRGGBB with one
// optional "#" (shorter values are padded with zeros in front, longer keep
// their last six digits); none when it is not a colour.
std::optional<Colour> MarkupColour(std::u16string_view value);

// The size AutoSize gives: with word wrap the current width, without it the
// widest line; the height down to the end of the last line; plus a margin of
// 2 pixels, 6 with a border.
Size AutoSizeOf(const MarkupLayout& layout, bool wordWrap, int borderStyle, Size current);

// An OLE colour as "#RRGGBB", upper-case, system colours resolved.
std::u16string ConvertWinColor(std::int32_t nColor);

class HyperLabel : public Control {
 public:
  HyperLabel();

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string caption);
  // The caption without markup, as of the last render.
  const std::u16string& PlainCaption() const { return layout_.plainCaption; }

  OleColour BackColor() const { return backColor_; }
  void SetBackColor(OleColour colour);
  OleColour ForeColor() const { return foreColor_; }
  void SetForeColor(OleColour colour);
  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool AutoNavigate() const { return autoNavigate_; }
  void SetAutoNavigate(bool autoNavigate) { autoNavigate_ = autoNavigate; }
  // 0 none, 1 a single-line border.
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int borderStyle);

  // The links of the last render, in the order they opened.
  const std::vector<CHyperlink>& Links() const { return layout_.links; }
  // The link under the mouse, or nullptr.
  const CHyperlink* HoveredLink() const;
  // The last layout (runs and pen positions).
  const MarkupLayout& Layout() const { return layout_; }

  std::u16string ConvertWinColor(std::int32_t nColor) const { return lanternfly::ConvertWinColor(nColor); }

  // Lays the caption out now with `measure`'s metrics, at `width` pixels;
  // Paint does so by itself after a change.
  void Render(Canvas& measure, int width);

  void Paint(Canvas& canvas) override;
  std::u16string AccessibleText() const override { return layout_.plainCaption; }
  AccessibleDescription Describe() const override { return {AccessibleRole::kStaticText, layout_.plainCaption}; }
  void OnMouseMove(MouseButton held, int shift, Point at) override;
  void OnClick(MouseButton button) override;
  void OnDoubleClick(MouseButton button, Point at) override;
  void OnResize(Size size) override;

  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(const std::u16string& address)> HyperlinkClick;

 private:
  void Rerender();

  std::u16string caption_;
  OleColour backColor_;
  OleColour foreColor_;
  FontSpec font_;
  bool wordWrap_ = true;
  bool autoSize_ = false;
  bool autoNavigate_ = true;
  int borderStyle_ = 0;
  MarkupStyle base_;

  MarkupLayout layout_;
  bool stale_ = true;
  int laidOutWidth_ = -1;
  int hovered_ = -1;  // index into layout_.links
};

}  // namespace lanternfly
