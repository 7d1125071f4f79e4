#pragma once

// The push button of the program's windows: eleven drawing styles (every
// button of the program uses the shaded style 8, drawn exactly), hot tracking
// with enter and leave events, an optional tooltip, an optional toggle
// behaviour and the Space key.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "controls/Control.h"
#include "platform/Canvas.h"
#include "platform/SystemColours.h"

namespace lanternfly {

class iButton : public Control {
 public:
  enum class State { kNormal = 1, kHot = 2, kPressed = 3, kDisabled = 4, kFocusedDefault = 5 };
  enum class ButtonKind { kPush = 0, kToggle = 1 };

  // 300 twips at 15 twips per pixel.
  static constexpr int kMinimumSide = 20;
  // The caption stands 4 pixels in from every side.
  static constexpr int kCaptionInset = 4;

  iButton();

  void SetStyle(int style);
  int Style() const { return style_; }
  void SetCaption(std::u16string caption);
  const std::u16string& Caption() const { return caption_; }
  // 0 centre, 1 left, 2 right, 3 top centre, 4 bottom centre.
  void SetCaptionAlign(int align) { Store(captionAlign_, align); }
  int CaptionAlign() const { return captionAlign_; }
  void SetIconAlign(int align) { Store(iconAlign_, align); }
  int IconAlign() const { return iconAlign_; }
  void SetIconSize(int size) { Store(iconSize_, size); }
  int IconSize() const { return iconSize_; }
  // The style drawn instead of the themed style 6 where no theme is active.
  void SetNonThemeStyle(int style) { Store(nonThemeStyle_, style); }
  int NonThemeStyle() const { return nonThemeStyle_; }
  void SetEnabled(bool enabled);
  bool Enabled() const override { return enabled_; }
  void SetShowFocus(bool show) { Store(showFocus_, show); }
  bool ShowFocus() const { return showFocus_; }
  void SetUseCustomColors(bool use) { Store(useCustomColors_, use); }
  bool UseCustomColors() const { return useCustomColors_; }
  void SetBackColor(OleColour colour) { Store(backColor_, colour); }
  OleColour BackColor() const { return backColor_; }
  void SetHighlightColor(OleColour colour) { Store(highlightColor_, colour); }
  OleColour HighlightColor() const { return highlightColor_; }
  void SetFontColor(OleColour colour) { Store(fontColor_, colour); }
  OleColour FontColor() const { return fontColor_; }
  void SetFontHighlightColor(OleColour colour) { Store(fontHighlightColor_, colour); }
  OleColour FontHighlightColor() const { return fontHighlightColor_; }
  void SetFont(const FontSpec& font) { Store(font_, font); }
  const FontSpec& Font() const { return font_; }

  // The tooltip, made anew on every mouse entry.
  void SetToolTip(std::u16string text) { toolTip_ = std::move(text); }
  const std::u16string& ToolTip() const { return toolTip_; }
  void SetToolTipTitle(std::u16string title) { toolTipTitle_ = std::move(title); }
  const std::u16string& ToolTipTitle() const { return toolTipTitle_; }
  void SetToolTipIcon(int icon) { toolTipIcon_ = icon; }
  int ToolTipIcon() const { return toolTipIcon_; }
  // 1 a balloon, anything else a plain tooltip.
  void SetToolTipType(int type) { toolTipType_ = type; }
  int ToolTipType() const { return toolTipType_; }
  // 0 keeps the system's colour.
  void SetToolTipBackColor(OleColour colour) { toolTipBackColor_ = colour; }
  OleColour ToolTipBackColor() const { return toolTipBackColor_; }
  void SetToolTipForeColor(OleColour colour) { toolTipForeColor_ = colour; }
  OleColour ToolTipForeColor() const { return toolTipForeColor_; }

  void SetButtonType(ButtonKind kind) { Store(buttonType_, kind); }
  ButtonKind ButtonType() const { return buttonType_; }
  // The pressed state of a toggle button.
  void SetValue(bool value) { Store(value_, value); }
  bool Value() const { return value_; }

  std::u16string Version() const { return u"3.0"; }
  void About();
  void OpenLink(std::u16string_view link);

  // The state the button is drawn in now: the tracked state, adjusted for a
  // pressed toggle button and a disabled one.
  State DrawnState() const;
  // The DrawTextEx flags of the caption (37, 36, 38, 33, 41).
  unsigned CaptionFlags() const;

  void Paint(Canvas& canvas) override;
  std::u16string AccessibleText() const override { return caption_; }
  AccessibleDescription Describe() const override {
    return {AccessibleRole::kPushButton, caption_, buttonType_ == ButtonKind::kToggle && value_};
  }
  void OnMouseDown(MouseButton button, int shift, Point at) override;
  void OnMouseUp(MouseButton button, int shift, Point at) override;
  void OnMouseMove(MouseButton held, int shift, Point at) override;
  void OnMouseLeave() override;
  void OnClick(MouseButton button) override;
  void OnDoubleClick(MouseButton button, Point at) override;
  void OnKeyDown(int key, int shift) override;
  void OnKeyUp(int key, int shift) override;
  void OnChar(char16_t c) override;
  void OnFocus(bool gained) override;
  void OnResize(Size size) override;
  void OnEnable(bool enabled) override;

  std::function<void()> Click;
  std::function<void()> MouseEnter;
  std::function<void()> MouseLeave;

 private:
  template <typename T>
  void Store(T& field, T value) {
    field = value;
    Redraw();
  }
  void Press();
  void Release();
  void DoClick();
  void ShowToolTip();

  Colour FaceColour(State state) const;
  Colour CaptionColour(State state) const;
  void DrawShadedFace(Canvas& canvas, State state);
  void DrawPixelFace(Canvas& canvas, State state, bool custom);

  int style_ = 3;
  std::u16string caption_ = u"iButton";
  int iconSize_ = 16;
  int captionAlign_ = 0;
  int iconAlign_ = 1;
  int nonThemeStyle_ = 5;
  bool enabled_ = true;
  bool showFocus_ = false;
  bool useCustomColors_ = false;
  OleColour backColor_;
  OleColour highlightColor_;
  OleColour fontColor_;
  OleColour fontHighlightColor_;
  std::u16string toolTip_;
  std::u16string toolTipTitle_;
  int toolTipIcon_ = 0;
  int toolTipType_ = 1;
  OleColour toolTipBackColor_;
  OleColour toolTipForeColor_;
  FontSpec font_;
  ButtonKind buttonType_ = ButtonKind::kPush;
  bool value_ = false;

  State state_ = State::kNormal;
  bool inside_ = false;
  MouseButton lastReleased_ = MouseButton::kNone;
  bool spaceClicked_ = false;  // the character of the Space being held has clicked
};

}  // namespace lanternfly
