#include "controls/CntrlBox.h"

namespace lanternfly {
namespace {

constexpr int kColourButtonFace = 15;

}  // namespace

CntrlBox::CntrlBox() : backColor_(SystemColourOf(kColourButtonFace)) {}

void CntrlBox::SetCaption(std::u16string caption) {
  caption_ = std::move(caption);
  if (Host()) Host()->CaptionChanged(caption_);
  Changed();
}

void CntrlBox::SetForeColor(OleColour colour) {
  foreColor_ = colour;
  Changed();
}

void CntrlBox::SetBackColor(OleColour colour) {
  backColor_ = colour;
  Changed();
}

void CntrlBox::SetFont(const FontSpec& font) {
  font_ = font;
  Changed();
}

void CntrlBox::SetCntrlType(std::int32_t type) {
  cntrlType_ = type;
  Changed();
}

bool CntrlBox::SelectValue() const {
  PumpMessages();
  return selectValue_;
}

void CntrlBox::SetSelectValue(bool value) {
  selectValue_ = value;
  Changed();
}

unsigned CntrlBox::FrameState() const {
  unsigned state = static_cast<unsigned>(cntrlType_);
  if (selectValue_) state |= frame_control::kChecked;
  return state;
}

// Each change is drawn and then the pending messages run, so that the new
// look shows before the caller goes on.
void CntrlBox::Changed() {
  Redraw();
  PumpMessages();
}

void CntrlBox::PumpMessages() const {
  if (Host()) Host()->PumpMessages();
}

void CntrlBox::Paint(Canvas& canvas) {
  Size extent = canvas.Extent();
  canvas.FillRect(Rect{0, 0, extent.width, extent.height}, TranslateOleColour(backColor_).value_or(0));
  const int image = Scaled(kImageSize);
  canvas.DrawFrameControl(Rect{0, 0, image, image}, frame_control::kButton, FrameState());
  if (canvas.Font() != font_) canvas.SetFont(font_);
  canvas.TextOut(Point{Scaled(kCaptionX), 0}, caption_, TranslateOleColour(foreColor_).value_or(0));
}

void CntrlBox::OnClick(MouseButton button) {
  if (button != MouseButton::kLeft) return;
  if (cntrlType_ == kCheckBox) {
    // The handler sees the new value.
    selectValue_ = !selectValue_;
    Redraw();
  }
  PumpMessages();
  if (Click) Click();
}

// The keys that move the focus to an option box choose it, as they choose
// the system's option buttons.
void CntrlBox::OnFocus(bool gained) {
  if (gained && cntrlType_ == kOptionBox && !selectValue_) OnClick(MouseButton::kLeft);
}

}  // namespace lanternfly
