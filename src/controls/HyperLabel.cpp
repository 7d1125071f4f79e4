#include "controls/HyperLabel.h"

#include <algorithm>
#include <array>

#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr int kColourButtonFace = 15;
constexpr int kColourButtonText = 18;
constexpr int kColourWindowFrame = 6;

constexpr Colour kLinkColour = Rgb(0, 0, 255);
constexpr std::u16string_view kSymbolFace = u"Wingdings";
// Wingdings shows a lower-case L as a filled circle.
constexpr std::u16string_view kBullet = u" l";
// Links and sizing use the height of this text.
constexpr std::u16string_view kHeightSample = u"Xyz";

struct NamedColour {
  std::u16string_view name;
  Colour colour;
};
constexpr std::array<NamedColour, 8> kNamedColours = {{
    {u"red", Rgb(255, 0, 0)},
    {u"green", Rgb(0, 255, 0)},
    {u"blue", Rgb(0, 0, 255)},
    {u"white", Rgb(255, 255, 255)},
    {u"black", Rgb(0, 0, 0)},
    {u"yellow", Rgb(255, 255, 0)},
    {u"magenta", Rgb(255, 0, 255)},
    {u"cyan", Rgb(0, 255, 255)},
}};

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

Colour Resolve(OleColour colour) { return TranslateOleColour(colour).value_or(0); }

// Lower case into `into`, reusing its storage: tags are short and plain
// ASCII almost always, and a long caption holds hundreds of them.
void LowerInto(std::u16string_view text, std::u16string& into) {
  into.assign(text);
  for (char16_t& c : into) {
    if (c >= 0x80) {
      into = FoldCase(text);
      return;
    }
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
  }
}

// A colour value already in lower case.
std::optional<Colour> LowerCaseColour(std::u16string_view value) {
  for (const NamedColour& named : kNamedColours) {
    if (value == named.name) return named.colour;
  }
  std::u16string_view digits = value;
  if (!digits.empty() && digits.front() == u'#') digits.remove_prefix(1);
  std::u16string padded;
  if (digits.size() != 6) {
    padded = u"000000" + std::u16string(digits);
    digits = std::u16string_view(padded).substr(padded.size() - 6);
  }
  int channel[3];
  for (int i = 0; i < 3; ++i) {
    int high = HexDigit(digits[2 * i]);
    int low = HexDigit(digits[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    channel[i] = high * 16 + low;
  }
  return Rgb(channel[0], channel[1], channel[2]);
}

// One render's walk through the caption: the pen, the style in effect and
// what has been laid out so far.
class MarkupScanner {
 public:
  MarkupScanner(const MarkupInput& input, Canvas& measure) : input_(input), measure_(measure) {
    style_ = input.base;
    layout_.saved = input.saved;
  }

  MarkupLayout Scan(std::u16string_view caption) {
    layout_.plainCaption.reserve(caption.size());
    std::u16string_view rest = caption;
    while (true) {
      std::size_t open = rest.find(u'[');
      if (open == std::u16string_view::npos) break;
      if (open + 1 < rest.size() && rest[open + 1] == u'[') {  // "[[" is a literal "["
        TextRun(rest.substr(0, open + 1));
        rest = rest.substr(open + 2);
        continue;
      }
      if (open > 0) TextRun(rest.substr(0, open));
      std::size_t close = rest.find(u']', open + 1);
      if (close == std::u16string_view::npos) {
        rest = {};  // an unmatched "[" hides the rest
        break;
      }
      std::u16string_view tag = rest.substr(open, close - open + 1);
      if (tag[1] == u'/') {
        LowerInto(tag.substr(2, tag.size() - 3), lower_);
        ClosingTag(lower_);
      } else {
        OpeningTag(tag.substr(1, tag.size() - 2));
      }
      rest = rest.substr(close + 1);
    }
    if (!rest.empty()) TextRun(rest);
    layout_.pen = pen_;
    layout_.endTextHeight = TextHeight();
    return std::move(layout_);
  }

 private:
  void OpeningTag(std::u16string_view inner) {
    if (inLink_) return;
    LowerInto(inner, lower_);
    std::u16string_view name = lower_;
    std::u16string_view value;
    if (std::size_t equals = name.find(u'='); equals != std::u16string_view::npos) {
      std::u16string_view after = name.substr(equals + 1);
      value = TrimBlanks(after.substr(0, after.find(u'=')));  // anything after a second "=" is lost
      name = TrimBlanks(name.substr(0, equals));
    }
    if (name == u"b") {
      style_.bold = true;
    } else if (name == u"i") {
      style_.italic = true;
    } else if (name == u"u") {
      style_.underline = true;
    } else if (name == u"color") {
      if (auto colour = LowerCaseColour(value)) style_.colour = *colour;
    } else if (name == u"url") {
      if (!value.empty()) OpenLink(value);
    } else if (name == u"list") {
      inList_ = true;
      listIndent_ = 0;
      if (!AtOrigin()) NewLine(0);
      layout_.plainCaption += u"\r\n";
    } else if (name == u"*") {
      if (inList_) ListItem();
    } else if (name.empty()) {
      NewLine(0);
      layout_.plainCaption += u"\r\n";
    }
  }

  void ClosingTag(std::u16string_view name) {
    if (inLink_ && name != u"url") return;
    if (name == u"b") {
      style_.bold = false;
    } else if (name == u"i") {
      style_.italic = false;
    } else if (name == u"u") {
      style_.underline = false;
    } else if (name == u"color") {
      style_.colour = input_.foreColor;  // colours do not nest
    } else if (name == u"url") {
      // Only an open link gets its end: a stray [/url] must not stretch the
      // last closed link over the text that follows it.
      if (inLink_ && !layout_.links.empty()) {
        layout_.links.back().X2 = pen_.x;
        layout_.links.back().Y2 = pen_.y;
      }
      style_ = layout_.saved;
      inLink_ = false;
    } else if (name == u"list") {
      NewLine(0);
      NewLine(0);
      layout_.plainCaption += u"\r\n\r\n";
      inList_ = false;
    }
  }

  void OpenLink(std::u16string_view address) {
    CHyperlink link;
    link.HRef = std::u16string(address);
    link.TextHeight = TextHeight();
    link.X1 = pen_.x;
    link.Y1 = pen_.y;
    layout_.links.push_back(std::move(link));
    inLink_ = true;
    layout_.saved = style_;
    style_.underline = true;
    style_.bold = false;
    style_.italic = false;
    style_.colour = kLinkColour;
  }

  void ListItem() {
    if (!AtOrigin()) {
      NewLine(0);
      layout_.plainCaption += u"\r\n* ";
    }
    Draw(kBullet, true);
    Draw(u" ");
    listIndent_ = pen_.x;
  }

  void TextRun(std::u16string_view run) {
    layout_.plainCaption += run;
    if (!input_.wordWrap) {
      Draw(run);
      layout_.widest = std::max(layout_.widest, pen_.x);
      return;
    }
    std::u16string joined;
    if (run.find(u'\r') != std::u16string_view::npos && Contains(run, u"\r\n"))
      joined = ReplaceAll(run, u"\r\n", u"\n");
    std::u16string_view rest = joined.empty() ? run : joined;
    while (true) {
      std::size_t separator = rest.find_first_of(u" \n\t-");
      std::u16string_view word = rest.substr(0, separator);
      // The separator's width is left out; a word ending exactly at the
      // edge moves down too, and so does a word wider than the whole area.
      if (separator == std::u16string_view::npos && word.empty()) break;
      int wordWidth = Width(word);
      if (pen_.x + wordWidth >= input_.width) NewLine(WrapIndent());
      if (separator == std::u16string_view::npos) {
        DrawMeasured(word, wordWidth);
        break;
      }
      if (rest[separator] == u'\n') {
        Draw(word);
        NewLine(WrapIndent());
      } else {
        Draw(rest.substr(0, separator + 1));
      }
      rest = rest.substr(separator + 1);
    }
  }

  int WrapIndent() const { return inList_ ? listIndent_ : 0; }
  bool AtOrigin() const { return pen_ == Point{0, 0}; }

  void NewLine(int x) {
    pen_.y += TextHeight();
    pen_.x = x;
  }

  void Draw(std::u16string_view text, bool symbol = false) { DrawMeasured(text, Width(text, symbol), symbol); }

  // `width` was measured in the run's own font.
  void DrawMeasured(std::u16string_view text, int width, bool symbol = false) {
    if (text.empty()) return;
    layout_.runs.push_back(MarkupRun{pen_, std::u16string(text), style_, symbol});
    pen_.x += width;
  }

  int Width(std::u16string_view text, bool symbol = false) {
    if (text.empty()) return 0;
    UseFont(symbol);
    return measure_.MeasureText(text).width;
  }

  int TextHeight() {
    UseFont(false);
    return measure_.MeasureText(kHeightSample).height;
  }

  // Changes the measuring font only when the style's flags or the face
  // change: a caption coloured letter by letter keeps one font throughout.
  void UseFont(bool symbol) {
    FontKey key{style_.bold, style_.italic, style_.underline, symbol};
    if (fontSet_ && key == fontKey_) return;
    MarkupRun probe;
    probe.style = style_;
    probe.symbol = symbol;
    measure_.SetFont(RunFont(input_.font, probe));
    fontKey_ = key;
    fontSet_ = true;
  }

  struct FontKey {
    bool bold, italic, underline, symbol;
    bool operator==(const FontKey&) const = default;
  };

  const MarkupInput& input_;
  Canvas& measure_;
  MarkupLayout layout_;
  MarkupStyle style_;
  Point pen_;
  bool inLink_ = false;
  bool inList_ = false;
  int listIndent_ = 0;
  FontKey fontKey_{};
  std::u16string lower_;  // the tag being read, in lower case
  bool fontSet_ = false;
};

}  // namespace

bool CHyperlink::PosInside(int x, int y) const {
  if (X2 < 0) return false;
  bool onFirstLine = y >= Y1 && y <= Y1 + TextHeight;
  if (Y1 == Y2) return onFirstLine && x >= X1 && x <= X2;
  bool onLastLine = y >= Y2 && y <= Y2 + TextHeight;
  return (onFirstLine && x >= X1) || (onLastLine && x <= X2);
}

FontSpec RunFont(const FontSpec& font, const MarkupRun& run) {
  FontSpec result = font;
  if (run.symbol) result.face = std::u16string(kSymbolFace);
  result.bold = run.style.bold;
  result.italic = run.style.italic;
  result.underline = run.style.underline;
  return result;
}

MarkupLayout LayOutMarkup(std::u16string_view caption, const MarkupInput& input, Canvas& measure) {
  return MarkupScanner(input, measure).Scan(caption);
}

std::optional<Colour> MarkupColour(std::u16string_view value) { return LowerCaseColour(FoldCase(value)); }

Size AutoSizeOf(const MarkupLayout& layout, bool wordWrap, int borderStyle, Size current) {
  int margin = borderStyle == 1 ? 6 : 2;
  return Size{wordWrap ? current.width : layout.widest + margin, layout.pen.y + layout.endTextHeight + margin};
}

std::u16string ConvertWinColor(std::int32_t nColor) {
  auto value = static_cast<std::uint32_t>(nColor);
  if (value & kSystemColourFlag) value = SystemColour(static_cast<int>(value & 0xFF));
  constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string text = u"#";
  for (int shift = 0; shift <= 16; shift += 8) {
    unsigned byte = value >> shift & 0xFF;
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  return text;
}

HyperLabel::HyperLabel()
    : backColor_(SystemColourOf(kColourButtonFace)), foreColor_(SystemColourOf(kColourButtonText)) {
  base_.colour = foreColor_;
}

void HyperLabel::SetCaption(std::u16string caption) {
  caption_ = std::move(caption);
  Rerender();
}

void HyperLabel::SetBackColor(OleColour colour) {
  backColor_ = colour;
  Rerender();
}

void HyperLabel::SetForeColor(OleColour colour) {
  foreColor_ = colour;
  base_.colour = colour;
  Rerender();
}

void HyperLabel::SetFont(const FontSpec& font) {
  font_ = font;
  Rerender();
}

void HyperLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  Rerender();
}

void HyperLabel::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  Rerender();
}

void HyperLabel::SetBorderStyle(int borderStyle) {
  borderStyle_ = borderStyle;
  Redraw();  // the border shows; the layout stays
}

const CHyperlink* HyperLabel::HoveredLink() const {
  return hovered_ >= 0 ? &layout_.links[static_cast<std::size_t>(hovered_)] : nullptr;
}

void HyperLabel::Rerender() {
  stale_ = true;
  Redraw();
}

void HyperLabel::Render(Canvas& measure, int width) {
  hovered_ = -1;
  if (Host()) Host()->SetCursor(CursorKind::kArrow);
  std::u16string oldPlain = std::move(layout_.plainCaption);
  // What a stray [/url] restores starts as the base style every time: the
  // look depends on the caption and the size only, never on earlier renders.
  MarkupInput input{font_, base_, base_, foreColor_, width, wordWrap_};
  layout_ = LayOutMarkup(caption_, input, measure);
  stale_ = false;
  laidOutWidth_ = width;
  if (!Host()) return;
  if (layout_.plainCaption != oldPlain) Host()->CaptionChanged(layout_.plainCaption);
  if (autoSize_) {
    Size current = Host()->ClientSize();
    Size wanted = AutoSizeOf(layout_, wordWrap_, borderStyle_, current);
    // Only a real change: the host renders again after a resize.
    if (wanted != current) Host()->Resize(wanted);
  }
}

void HyperLabel::Paint(Canvas& canvas) {
  Size extent = canvas.Extent();
  if (stale_ || extent.width != laidOutWidth_) Render(canvas, extent.width);
  canvas.FillRect(Rect{0, 0, extent.width, extent.height}, Resolve(backColor_));
  for (const MarkupRun& run : layout_.runs) {
    FontSpec font = RunFont(font_, run);
    if (font != canvas.Font()) canvas.SetFont(font);
    canvas.TextOut(run.at, run.text, Resolve(run.style.colour));
  }
  if (borderStyle_ == 1) {
    canvas.RoundRect(Rect{0, 0, extent.width, extent.height}, 0, SystemColour(kColourWindowFrame), std::nullopt);
  }
}

void HyperLabel::OnMouseMove(MouseButton, int, Point at) {
  hovered_ = -1;
  for (std::size_t i = 0; i < layout_.links.size(); ++i) {
    if (layout_.links[i].PosInside(at.x, at.y)) {
      hovered_ = static_cast<int>(i);
      break;
    }
  }
  if (Host()) Host()->SetCursor(hovered_ >= 0 ? CursorKind::kHand : CursorKind::kArrow);
}

void HyperLabel::OnClick(MouseButton button) {
  if (button != MouseButton::kLeft) return;
  if (hovered_ < 0) {
    if (Click) Click();
    return;
  }
  // A copy: the handlers may change the caption and with it the links.
  std::u16string address = layout_.links[static_cast<std::size_t>(hovered_)].HRef;
  if (autoNavigate_) {
    if (Host()) Host()->OpenUrl(address);
    if (Click) Click();
  } else if (HyperlinkClick) {
    HyperlinkClick(address);
  }
}

void HyperLabel::OnDoubleClick(MouseButton button, Point) {
  if (button == MouseButton::kLeft && DblClick) DblClick();
}

void HyperLabel::OnResize(Size) { Rerender(); }

}  // namespace lanternfly
