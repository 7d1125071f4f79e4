#pragma once

// The panel frame: a filled panel with a border and a caption header, the
// container of the windows' groups of controls. Nine drawing styles; every
// frame of the program uses style 3 with a gradient header, which is drawn
// exactly; the others are drawn by their elements. Disabling a frame
// disables the controls placed inside it.
//
// Geometry (caption fitting, gradient colours, the style's caption
// rectangle) is in free functions so that tests can check it without pixels.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "controls/Control.h"
#include "controls/Shading.h"
#include "platform/Canvas.h"
#include "platform/SystemColours.h"

namespace lanternfly {

// The caption as it fits `width`: whole, or its longest prefix followed by
// "..." that fits, or nothing when not even one character does.
std::u16string FitCaption(Canvas& canvas, std::u16string_view caption, int width);

class PanelFrame : public Control {
 public:
  static constexpr int kCornerDiameter = 10;
  static constexpr int kCaptionMargin = 6;
  static constexpr int kGroupCaptionIndent = 15;
  // 700 x 400 twips at 15 twips per pixel, rounded up.
  static constexpr Size kMinimumSize{47, 27};
  // What a colour that cannot be translated becomes.
  static constexpr Colour kNoColour = 0xFFFFFFFF;

  // A newly placed frame, on a container of the given background.
  explicit PanelFrame(OleColour containerBackColor = SystemColourOf(15));

  // Applies the style's preset to the other properties, then redraws.
  void SetStyle(int style);
  int Style() const { return style_; }

  void SetCaption(std::u16string caption);
  const std::u16string& Caption() const { return caption_; }
  void SetAlignment(int alignment);
  int Alignment() const { return alignment_; }
  void SetFont(const FontSpec& font);
  const FontSpec& Font() const { return font_; }

  // Colours are translated when set; one that names no colour is kNoColour.
  void SetTextColor(OleColour colour) { SetColour(textColor_, colour); }
  Colour TextColor() const { return textColor_; }
  void SetFrameColor(OleColour colour);
  Colour FrameColor() const { return frameColor_; }
  void SetFillColor(OleColour colour) { SetColour(fillColor_, colour); }
  Colour FillColor() const { return fillColor_; }
  void SetBackColor(OleColour colour) { SetColour(backColor_, colour); }
  Colour BackColor() const { return backColor_; }
  void SetTextBoxColor(OleColour colour) { SetColour(textBoxColor_, colour); }
  Colour TextBoxColor() const { return textBoxColor_; }
  void SetColorFrom(OleColour colour);
  Colour ColorFrom() const { return colorFrom_; }
  void SetColorTo(OleColour colour);
  Colour ColorTo() const { return colorTo_; }

  void SetTextBoxHeight(int height) { SetValue(textBoxHeight_, static_cast<std::int16_t>(height)); }
  int TextBoxHeight() const { return textBoxHeight_; }
  void SetRoundedCorner(bool rounded) { SetValue(roundedCorner_, rounded); }
  bool RoundedCorner() const { return roundedCorner_; }
  void SetRoundedCornerTxtBox(bool rounded) { SetValue(roundedCornerTxtBox_, rounded); }
  bool RoundedCornerTxtBox() const { return roundedCornerTxtBox_; }
  void SetTxtBoxShadow(int shadow) { SetValue(txtBoxShadow_, shadow); }
  int TxtBoxShadow() const { return txtBoxShadow_; }
  void SetHeaderStyle(int style) { SetValue(headerStyle_, style); }
  int HeaderStyle() const { return headerStyle_; }
  void SetGradientHeaderStyle(int style) { SetValue(gradientHeaderStyle_, style); }
  int GradientHeaderStyle() const { return gradientHeaderStyle_; }
  // Recomputes the theme's colours, only when the value changes.
  void SetThemeColor(int theme);
  int ThemeColor() const { return themeColor_; }

  // Also enables or disables every control placed inside.
  void SetEnabled(bool enabled);
  bool Enabled() const override { return enabled_; }

  // The theme's gradient colours (1 the darker end, 2 the lighter) and its
  // dark colour, as the theme gives them now.
  Colour ThemeColour1() const { return theme1_; }
  Colour ThemeColour2() const { return theme2_; }
  Colour ThemeDark() const { return themeDark_; }
  // The DrawTextEx flags of the caption (36, 37, 38; 20, 21, 22 in style 8).
  unsigned CaptionFlags() const;

  void Paint(Canvas& canvas) override;
  std::u16string AccessibleText() const override { return caption_; }
  AccessibleDescription Describe() const override { return {AccessibleRole::kGrouping, caption_}; }
  void OnResize(Size size) override;
  void OnEnable(bool enabled) override;
  void OnMouseDown(MouseButton button, int shift, Point at) override;
  void OnMouseMove(MouseButton held, int shift, Point at) override;

  // A button went down, or the mouse moved, over the frame's own surface.
  std::function<void(MouseButton, int shift, Point)> MouseActivity;

 private:
  struct ColourSet {
    Colour frame, textBox, fill, gradient2, gradient1, dark, text;
  };

  void SetColour(Colour& field, OleColour colour);
  template <typename T>
  void SetValue(T& field, T value) {
    field = value;
    Redraw();
  }
  void UpdateTheme();
  ColourSet Colours() const;

  // The shapes of each style; each gives the caption rectangle.
  Rect DrawGroupBox(Canvas& canvas, const ColourSet& colours, Size captionSize);
  Rect DrawStyle1(Canvas& canvas, const ColourSet& colours, Size captionSize);
  Rect DrawStyle2(Canvas& canvas, const ColourSet& colours);
  Rect DrawStyle3(Canvas& canvas, const ColourSet& colours);
  Rect DrawStyle4(Canvas& canvas, const ColourSet& colours);
  Rect DrawStyle5(Canvas& canvas, const ColourSet& colours);
  Rect DrawStyle6(Canvas& canvas, const ColourSet& colours);
  Rect DrawStyle7(Canvas& canvas, const ColourSet& colours);
  Rect DrawStyle8(Canvas& canvas, const ColourSet& colours);
  void DrawBox(Canvas& canvas, const Rect& rect, bool rounded, Colour pen, Colour fill);
  void DrawHeader(Canvas& canvas, const Rect& rect, const ColourSet& colours, bool outlined);
  void DrawCaption(Canvas& canvas, const Rect& rect, Colour colour);

  Colour containerBack_;
  int style_ = 1;
  std::u16string caption_ = u"PanelFrame";
  int alignment_ = 2;
  FontSpec font_;
  Colour textColor_ = 0;
  Colour frameColor_ = 0;
  Colour fillColor_;
  Colour backColor_;
  Colour textBoxColor_ = 0xFFFFFF;
  std::int16_t textBoxHeight_ = 22;
  bool roundedCorner_ = true;
  bool roundedCornerTxtBox_ = false;
  int txtBoxShadow_ = 0;
  int headerStyle_ = 1;
  int gradientHeaderStyle_ = 0;
  int themeColor_ = 0;
  Colour colorFrom_ = 0x9E9EFF;
  Colour colorTo_ = 0xF0F0FF;
  bool enabled_ = true;
  Colour theme1_ = 0;
  Colour theme2_ = 0;
  Colour themeDark_ = 0;
};

}  // namespace lanternfly
