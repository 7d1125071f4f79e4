#pragma once

// The check and option box: the system's 13 x 13 check mark or option button
// image at the top left and a one-line caption beside it. A click ticks or
// clears a check box; an option box leaves its value to the window's click
// handler, which sets every member of its group (the box knows no groups).

#include <cstdint>
#include <functional>
#include <string>

#include "controls/Control.h"
#include "platform/Canvas.h"
#include "platform/SystemColours.h"

namespace lanternfly {

class CntrlBox : public Control {
 public:
  // The two kinds the windows use; other state bits pass through to the image.
  static constexpr std::int32_t kCheckBox = 0;
  static constexpr std::int32_t kOptionBox = 4;
  // Where the caption starts, right of the 13-pixel image (at 96 DPI).
  static constexpr int kCaptionX = 19;
  static constexpr int kImageSize = 13;

  CntrlBox();

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string caption);
  OleColour ForeColor() const { return foreColor_; }
  void SetForeColor(OleColour colour);
  // The background behind the caption, to match the frame the box sits in.
  OleColour BackColor() const { return backColor_; }
  void SetBackColor(OleColour colour);
  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);
  std::int32_t CntrlType() const { return cntrlType_; }
  void SetCntrlType(std::int32_t type);

  // Both let pending window messages run, as the windows' handlers expect;
  // the value read is the one after they ran.
  bool SelectValue() const;
  void SetSelectValue(bool value);

  // The state DrawFrameControl gets: CntrlType, plus the checked bit when ticked.
  unsigned FrameState() const;

  void Paint(Canvas& canvas) override;
  std::u16string AccessibleText() const override { return caption_; }
  AccessibleDescription Describe() const override {
    const bool option = cntrlType_ & kOptionBox;
    return {option ? AccessibleRole::kOptionButton : AccessibleRole::kCheckBox, caption_, selectValue_};
  }
  void OnClick(MouseButton button) override;
  void OnFocus(bool gained) override;

  std::function<void()> Click;

 private:
  void Changed();
  void PumpMessages() const;

  std::u16string caption_;
  OleColour foreColor_ = 0;
  OleColour backColor_;
  FontSpec font_;
  std::int32_t cntrlType_ = kCheckBox;
  bool selectValue_ = false;
};

}  // namespace lanternfly
