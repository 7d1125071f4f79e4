#pragma once

// A plain label: its caption drawn as it is (no markup, an "&" is an "&"),
// word-wrapped from the top left on a filled background. A label with a
// Click handler shows the hand pointer, so the user sees that it can be
// clicked.

#include <functional>
#include <string>

#include "controls/Control.h"
#include "platform/Canvas.h"
#include "platform/SystemColours.h"

namespace lanternfly {

class PlainLabel : public Control {
 public:
  PlainLabel();

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string caption);
  OleColour BackColor() const { return backColor_; }
  void SetBackColor(OleColour colour);
  OleColour ForeColor() const { return foreColor_; }
  void SetForeColor(OleColour colour);
  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);

  // The DrawText flags of the caption.
  unsigned CaptionFlags() const;

  void Paint(Canvas& canvas) override;
  std::u16string AccessibleText() const override { return caption_; }
  AccessibleDescription Describe() const override { return {AccessibleRole::kStaticText, caption_}; }
  void OnMouseMove(MouseButton held, int shift, Point at) override;
  void OnClick(MouseButton button) override;

  std::function<void()> Click;

 private:
  std::u16string caption_;
  OleColour backColor_;
  OleColour foreColor_ = 0;
  FontSpec font_;
  bool wordWrap_ = true;
};

}  // namespace lanternfly
