#include "controls/PlainLabel.h"

namespace lanternfly {
namespace {

constexpr int kColourButtonFace = 15;

}  // namespace

PlainLabel::PlainLabel() : backColor_(SystemColourOf(kColourButtonFace)) {}

void PlainLabel::SetCaption(std::u16string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  if (Host()) Host()->CaptionChanged(caption_);
  Redraw();
}

void PlainLabel::SetBackColor(OleColour colour) {
  backColor_ = colour;
  Redraw();
}

void PlainLabel::SetForeColor(OleColour colour) {
  foreColor_ = colour;
  Redraw();
}

void PlainLabel::SetFont(const FontSpec& font) {
  font_ = font;
  Redraw();
}

void PlainLabel::SetWordWrap(bool wordWrap) {
  wordWrap_ = wordWrap;
  Redraw();
}

unsigned PlainLabel::CaptionFlags() const {
  // A song title is shown as it is: an "&" in it is no mnemonic.
  return text_flags::kLeft | text_flags::kNoPrefix | (wordWrap_ ? text_flags::kWordBreak : text_flags::kSingleLine);
}

void PlainLabel::Paint(Canvas& canvas) {
  const Size extent = canvas.Extent();
  const Rect all{0, 0, extent.width, extent.height};
  canvas.FillRect(all, TranslateOleColour(backColor_).value_or(0));
  if (canvas.Font() != font_) canvas.SetFont(font_);
  canvas.DrawText(caption_, all, CaptionFlags(), TranslateOleColour(foreColor_).value_or(0));
}

void PlainLabel::OnMouseMove(MouseButton, int, Point) {
  if (Host()) Host()->SetCursor(Click ? CursorKind::kHand : CursorKind::kArrow);
}

void PlainLabel::OnClick(MouseButton button) {
  if (button == MouseButton::kLeft && Click) Click();
}

}  // namespace lanternfly
