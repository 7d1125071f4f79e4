#include "controls/iButton.h"

#include <algorithm>

#include "controls/Shading.h"

namespace lanternfly {
namespace {

constexpr int kColourWindow = 5;
constexpr int kColourHighlight = 13;
constexpr int kColourButtonFace = 15;
constexpr int kColourButtonShadow = 16;
constexpr int kColourGreyText = 17;
constexpr int kColourButtonText = 18;
constexpr int kColourButtonHighlight = 20;
constexpr int kColourDarkShadow = 21;
constexpr int kColourInfoText = 23;
constexpr int kColourInfoBack = 24;

// How far style 8 shades its face above and below the base colour.
constexpr int kShade = 15;

Colour Resolve(OleColour colour) { return TranslateOleColour(colour).value_or(0); }

}  // namespace

iButton::iButton()
    : backColor_(SystemColourOf(kColourButtonFace)),
      highlightColor_(SystemColourOf(kColourHighlight)),
      fontColor_(SystemColourOf(kColourButtonText)),
      fontHighlightColor_(SystemColourOf(kColourButtonText)),
      // The tooltip's own system colours: its background behind, its text in front.
      toolTipBackColor_(SystemColourOf(kColourInfoBack)),
      toolTipForeColor_(SystemColourOf(kColourInfoText)) {}

void iButton::SetStyle(int style) {
  // A canvas draws no visual theme, so the themed style gives way.
  style_ = style == 6 ? nonThemeStyle_ : style;
  Redraw();
}

void iButton::SetCaption(std::u16string caption) {
  caption_ = std::move(caption);
  if (Host()) Host()->CaptionChanged(caption_);
  Redraw();
}

void iButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  EnabledChanged(enabled);
}

void iButton::OnEnable(bool enabled) {
  if (enabled != enabled_) SetEnabled(enabled);
}

void iButton::About() {
  if (Host()) Host()->ShowAbout(u"iButton", Version());
}

void iButton::OpenLink(std::u16string_view link) {
  if (Host()) Host()->OpenUrl(link);
}

iButton::State iButton::DrawnState() const {
  if (!enabled_) return State::kDisabled;
  if (buttonType_ == ButtonKind::kToggle && value_) return State::kPressed;
  return state_;
}

unsigned iButton::CaptionFlags() const {
  using namespace text_flags;
  switch (captionAlign_) {
    case 1:
      return kSingleLine | kVCenter | kLeft;  // 36
    case 2:
      return kSingleLine | kVCenter | kRight;  // 38
    case 3:
      return kSingleLine | kCenter;  // 33
    case 4:
      return kSingleLine | kBottom | kCenter;  // 41
    default:
      return kSingleLine | kVCenter | kCenter;  // 37
  }
}

// Input. A disabled button ignores all of it.

void iButton::Press() {
  state_ = State::kPressed;
  Redraw();
}

// A toggle button about to be switched on shows pressed already.
void iButton::Release() {
  state_ = buttonType_ == ButtonKind::kToggle && !value_ ? State::kPressed : State::kHot;
  Redraw();
}

void iButton::DoClick() {
  if (buttonType_ == ButtonKind::kToggle) {
    value_ = !value_;
    state_ = State::kHot;
    Redraw();
  }
  if (Click) Click();
}

void iButton::OnMouseDown(MouseButton button, int, Point) {
  if (enabled_ && button == MouseButton::kLeft) Press();
}

void iButton::OnMouseUp(MouseButton button, int, Point) {
  if (!enabled_) return;
  lastReleased_ = button;
  if (button == MouseButton::kLeft) Release();
}

void iButton::OnClick(MouseButton) {
  if (enabled_ && lastReleased_ == MouseButton::kLeft) DoClick();
}

void iButton::OnDoubleClick(MouseButton, Point at) {
  if (enabled_ && lastReleased_ == MouseButton::kLeft) OnMouseDown(MouseButton::kLeft, 0, at);
}

void iButton::OnMouseMove(MouseButton, int, Point) {
  if (!enabled_ || inside_) return;
  // Without a leave notice there is no hot state: it could never end.
  if (!Host() || !Host()->TrackMouseLeave()) return;
  inside_ = true;
  state_ = State::kHot;
  Redraw();
  if (MouseEnter) MouseEnter();
  ShowToolTip();
}

void iButton::OnMouseLeave() {
  inside_ = false;
  state_ = State::kNormal;
  Redraw();
  if (MouseLeave) MouseLeave();
}

void iButton::OnKeyDown(int key, int) {
  if (!enabled_ || key != keys::kSpace) return;
  spaceClicked_ = false;
  Press();
}

// Windows sends Space as key down, character, key up: the click has come by
// the key-up, which then shows the state the click left.
void iButton::OnKeyUp(int key, int) {
  if (!enabled_ || key != keys::kSpace) return;
  if (!spaceClicked_) {
    Release();
    return;
  }
  spaceClicked_ = false;
  state_ = State::kHot;
  Redraw();
}

void iButton::OnChar(char16_t c) {
  if (enabled_ && c == u' ') {
    lastReleased_ = MouseButton::kLeft;
    spaceClicked_ = true;
    DoClick();
  }
}

void iButton::OnFocus(bool) { Redraw(); }

void iButton::OnResize(Size size) {
  Size raised{std::max(size.width, Scaled(kMinimumSide)), std::max(size.height, Scaled(kMinimumSide))};
  if (raised != size && Host()) {
    Host()->Resize(raised);
    return;
  }
  Redraw();
}

void iButton::ShowToolTip() {
  ToolTipSpec request;
  request.text = toolTip_;
  request.title = toolTipTitle_;
  request.icon = toolTipIcon_;
  request.balloon = toolTipType_ == 1;
  if (toolTipForeColor_ != 0) request.fore = Resolve(toolTipForeColor_);
  if (toolTipBackColor_ != 0) request.back = Resolve(toolTipBackColor_);
  Host()->ShowToolTip(request);
}

// Drawing.

Colour iButton::FaceColour(State state) const {
  if (!useCustomColors_) return SystemColour(kColourButtonFace);
  return Resolve(state == State::kNormal || state == State::kDisabled ? backColor_ : highlightColor_);
}

Colour iButton::CaptionColour(State state) const {
  if (state == State::kDisabled) return SystemColour(kColourGreyText);
  if (!useCustomColors_) return SystemColour(kColourButtonText);
  return Resolve(state == State::kNormal ? fontColor_ : fontHighlightColor_);
}

// Style 8: lines shaded from the base lightened to the base darkened (the
// other way round when pressed), inside a shadow-coloured border with
// single-pixel corners.
void iButton::DrawShadedFace(Canvas& canvas, State state) {
  Size extent = canvas.Extent();
  int w = extent.width, h = extent.height;
  Colour base;
  if (state == State::kNormal) {
    base = useCustomColors_ ? Resolve(backColor_) : SystemColour(kColourButtonFace);
  } else {
    base = useCustomColors_ ? Resolve(highlightColor_) : Lighten(SystemColour(kColourButtonFace), kShade);
  }
  canvas.FillRect(Rect{0, 0, w, h}, base);
  Colour top = Lighten(base, kShade), bottom = Lighten(base, -kShade);
  if (state == State::kPressed) std::swap(top, bottom);
  int count = h - 5;  // y = 2 .. h - 4
  for (int i = 0; i < count; ++i) {
    canvas.Line(Point{2, 2 + i}, Point{w - 2, 2 + i}, GradientLineColour(top, bottom, i, count));
  }
  Colour border = SystemColour(kColourButtonShadow);
  canvas.Line(Point{2, 0}, Point{w - 2, 0}, border);
  canvas.Line(Point{2, h - 1}, Point{w - 2, h - 1}, border);
  canvas.Line(Point{0, 2}, Point{0, h - 2}, border);
  canvas.Line(Point{w - 1, 2}, Point{w - 1, h - 2}, border);
  for (Point corner : {Point{1, 1}, Point{w - 2, 1}, Point{1, h - 2}, Point{w - 2, h - 2}}) {
    canvas.SetPixel(corner, border);
  }
}

// The pixel-drawn faces (styles 3, 5, 7, 9): a face with light and dark
// border lines, set pixel by pixel at the corners.
void iButton::DrawPixelFace(Canvas& canvas, State state, bool custom) {
  Size extent = canvas.Extent();
  int w = extent.width, h = extent.height;
  bool pressed = state == State::kPressed;
  Colour face = custom ? FaceColour(state) : SystemColour(kColourButtonFace);
  Colour light = SystemColour(style_ == 3 ? kColourWindow : kColourButtonHighlight);
  Colour dark = SystemColour(style_ == 9 ? kColourDarkShadow : kColourButtonShadow);
  if (pressed) std::swap(light, dark);
  canvas.FillRect(Rect{0, 0, w, h}, face);
  canvas.Line(Point{1, 0}, Point{w - 1, 0}, light);
  canvas.Line(Point{0, 1}, Point{0, h - 1}, light);
  canvas.Line(Point{1, h - 1}, Point{w - 1, h - 1}, dark);
  canvas.Line(Point{w - 1, 1}, Point{w - 1, h - 1}, dark);
  Colour corner = SystemColour(kColourButtonShadow);
  for (Point at : {Point{0, 0}, Point{w - 1, 0}, Point{0, h - 1}, Point{w - 1, h - 1}}) canvas.SetPixel(at, corner);
  if (style_ == 5) {
    bool focused = Host() && Host()->HasFocus();
    if (state == State::kHot || state == State::kFocusedDefault || (focused && showFocus_)) {
      canvas.RoundRect(Rect{1, 1, w - 1, h - 1}, 0, SystemColour(kColourHighlight), std::nullopt);
    }
  }
}

void iButton::Paint(Canvas& canvas) {
  Size extent = canvas.Extent();
  int w = extent.width, h = extent.height;
  State state = DrawnState();
  Rect face{0, 0, w, h};
  if (state == State::kDisabled) canvas.FillRect(face, SystemColour(kColourButtonFace));
  switch (style_) {
    case 0:
      canvas.FillRect(face, FaceColour(state));
      canvas.DrawEdge(face, state == State::kPressed ? edge::kSunken : edge::kRaised, edge::kRect);
      break;
    case 1:
      canvas.FillRect(face, FaceColour(state));
      break;
    case 2:
      canvas.FillRect(face, FaceColour(state));
      canvas.RoundRect(face, 0, SystemColour(kColourButtonShadow), std::nullopt);
      break;
    case 4: {
      bool lit = state == State::kHot || state == State::kPressed;
      canvas.FillRect(face, SystemColour(lit ? kColourHighlight : kColourButtonFace));
      break;
    }
    case 8:
      DrawShadedFace(canvas, state);
      break;
    case 10:
      canvas.FillRect(face, SystemColour(kColourButtonFace));
      break;
    default:  // 3, 5, 7, 9
      DrawPixelFace(canvas, state, style_ == 5 && useCustomColors_);
      break;
  }
  if (caption_.empty()) return;
  if (canvas.Font() != font_) canvas.SetFont(font_);
  const int inset = Scaled(kCaptionInset);
  Rect captionRect{inset, inset, w - inset, h - inset};
  canvas.DrawText(caption_, captionRect, CaptionFlags(), CaptionColour(state));
}

}  // namespace lanternfly
