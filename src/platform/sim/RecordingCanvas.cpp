#include "platform/sim/RecordingCanvas.h"

#include <algorithm>
#include <cstdio>

#include "text/Text.h"

namespace lanternfly {

int FixedTextWidth(std::u16string_view text, const FontSpec& font) {
  return static_cast<int>(text.size()) * (font.bold ? 7 : 6);
}

int FixedLineHeight(const FontSpec& font) { return static_cast<int>(font.points * 4 / 3 + 0.5) + 3; }

namespace {

using namespace text_flags;

std::u16string WithoutPrefixes(std::u16string_view text) {
  std::u16string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;  // "&x" shows x, "&&" shows "&"
    shown += text[i];
  }
  return shown;
}

std::vector<std::u16string_view> Paragraphs(std::u16string_view text) {
  std::vector<std::u16string_view> paragraphs;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    paragraphs.push_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  paragraphs.push_back(text.substr(start));
  return paragraphs;
}

// The end of the word after `from` (spaces before it included).
size_t WordEnd(std::u16string_view text, size_t from) {
  while (from < text.size() && text[from] == u' ') ++from;
  while (from < text.size() && text[from] != u' ') ++from;
  return from;
}

// Greedy breaking at spaces; a line holds at least one word, however wide.
void BreakWords(std::u16string_view paragraph, int maxWidth, const FontSpec& font,
                std::vector<std::u16string>& lines) {
  size_t pos = 0;
  for (;;) {
    size_t end = WordEnd(paragraph, pos);
    while (end < paragraph.size()) {
      const size_t next = WordEnd(paragraph, end);
      if (FixedTextWidth(paragraph.substr(pos, next - pos), font) > maxWidth) break;
      end = next;
    }
    lines.emplace_back(paragraph.substr(pos, end - pos));
    pos = paragraph.find_first_not_of(u' ', end);
    if (pos == std::u16string_view::npos) break;
  }
}

std::string Hex(Colour colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, colour > 0xFFFFFF ? "%08X" : "%06X", static_cast<unsigned>(colour));
  return buffer;
}

std::string Text(const Point& p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
std::string Text(const Rect& r) { return Text(Point{r.left, r.top}) + "-" + Text(Point{r.right, r.bottom}); }
std::string Quoted(std::u16string_view text) { return "\"" + Utf16ToUtf8(text) + "\""; }

std::string LinesText(const std::vector<TextLine>& lines) {
  std::string out = " ->";
  for (size_t i = 0; i < lines.size(); ++i) out += (i ? "; " : " ") + Text(lines[i].at) + " " + Quoted(lines[i].text);
  return out;
}

std::string FontText(const FontSpec& font) {
  char points[32];
  std::snprintf(points, sizeof points, "%g", font.points);
  std::string out = Utf16ToUtf8(font.face) + " " + points;
  if (font.bold) out += " bold";
  if (font.italic) out += " italic";
  if (font.underline) out += " underline";
  if (font.strikeout) out += " strikeout";
  return out;
}

std::string BrushText(const std::optional<Colour>& brush) { return brush ? Hex(*brush) : "none"; }

}  // namespace

TextLayout LayOutText(std::u16string_view text, const Rect& rect, unsigned flags, const FontSpec& font) {
  const std::u16string shown = flags & kNoPrefix ? std::u16string(text) : WithoutPrefixes(text);
  std::vector<std::u16string> texts;
  if (flags & kSingleLine) {
    texts.push_back(shown);
  } else {
    for (std::u16string_view paragraph : Paragraphs(shown)) {
      if (flags & kWordBreak)
        BreakWords(paragraph, rect.Width(), font, texts);
      else
        texts.emplace_back(paragraph);
    }
  }

  const int height = FixedLineHeight(font);
  int y = rect.top;
  if (flags & kSingleLine) {
    if (flags & kVCenter)
      y = rect.top + rect.Height() / 2 - height / 2;
    else if (flags & kBottom)
      y = rect.bottom - height;
  }

  TextLayout layout;
  layout.bounds = Rect{rect.right, y, rect.left, y + height * static_cast<int>(texts.size())};
  int widest = 0;
  for (auto& line : texts) {
    const int width = FixedTextWidth(line, font);
    int x = rect.left;
    if (flags & kRight)
      x = rect.right - width;
    else if (flags & kCenter)
      x = (rect.left + rect.right - width) / 2;
    layout.bounds.left = std::min(layout.bounds.left, x);
    layout.bounds.right = std::max(layout.bounds.right, x + width);
    widest = std::max(widest, width);
    layout.lines.push_back(TextLine{{x, y}, std::move(line)});
    y += height;
  }
  if (flags & kCalcRect)
    layout.bounds = Rect{rect.left, rect.top, rect.left + widest, rect.top + height * static_cast<int>(texts.size())};
  return layout;
}

std::string CanvasOp::Dump() const {
  switch (kind) {
    case Kind::kFillRect:
      return "FillRect " + Text(rect) + " " + Hex(colour);
    case Kind::kRoundRect:
      return "RoundRect " + Text(rect) + " r" + std::to_string(corner) + " pen " + Hex(colour) + " brush " +
             BrushText(brush);
    case Kind::kPolygon: {
      std::string out = "Polygon";
      for (const Point& p : points) out += " " + Text(p);
      return out + " pen " + Hex(colour) + " brush " + BrushText(brush);
    }
    case Kind::kLine:
      return "Line " + Text(points.at(0)) + "-" + Text(points.at(1)) + " " + Hex(colour);
    case Kind::kSetPixel:
      return "SetPixel " + Text(points.at(0)) + " " + Hex(colour);
    case Kind::kSetFont:
      return "SetFont " + FontText(font);
    case Kind::kTextOut:
      return "TextOut " + Text(lines.at(0).at) + " " + Hex(colour) + " " + Quoted(text);
    case Kind::kDrawText:
      return "DrawText " + Text(rect) + " " + std::to_string(flags) + " " + Hex(colour) + " " + Quoted(text) +
             LinesText(lines);
    case Kind::kFrameControl: {
      char state[16];
      std::snprintf(state, sizeof state, "0x%X", flags);
      return "FrameControl " + Text(rect) + " type " + std::to_string(type) + " state " + state;
    }
    case Kind::kEdge: {
      char kinds[40];
      std::snprintf(kinds, sizeof kinds, "edge 0x%X sides 0x%X", flags, type);
      return "Edge " + Text(rect) + " " + kinds;
    }
    case Kind::kFocusRect:
      return "FocusRect " + Text(rect);
  }
  return "?";
}

CanvasOp& RecordingCanvas::Add(CanvasOp::Kind kind) {
  CanvasOp& op = ops_.emplace_back();
  op.kind = kind;
  op.font = font_;
  return op;
}

void RecordingCanvas::FillRect(const Rect& rect, Colour colour) {
  CanvasOp& op = Add(CanvasOp::Kind::kFillRect);
  op.rect = rect;
  op.colour = colour;
}

void RecordingCanvas::RoundRect(const Rect& rect, int cornerDiameter, Colour pen, std::optional<Colour> brush) {
  CanvasOp& op = Add(CanvasOp::Kind::kRoundRect);
  op.rect = rect;
  op.corner = cornerDiameter;
  op.colour = pen;
  op.brush = brush;
}

void RecordingCanvas::Polygon(std::span<const Point> points, Colour pen, std::optional<Colour> brush) {
  CanvasOp& op = Add(CanvasOp::Kind::kPolygon);
  op.points.assign(points.begin(), points.end());
  op.colour = pen;
  op.brush = brush;
}

void RecordingCanvas::Line(Point from, Point to, Colour pen) {
  CanvasOp& op = Add(CanvasOp::Kind::kLine);
  op.points = {from, to};
  op.colour = pen;
}

void RecordingCanvas::SetPixel(Point at, Colour colour) {
  CanvasOp& op = Add(CanvasOp::Kind::kSetPixel);
  op.points = {at};
  op.colour = colour;
}

void RecordingCanvas::SetFont(const FontSpec& font) {
  font_ = font;
  Add(CanvasOp::Kind::kSetFont);
}

Size RecordingCanvas::MeasureText(std::u16string_view text) {
  return Size{FixedTextWidth(text, font_), FixedLineHeight(font_)};
}

void RecordingCanvas::TextOut(Point at, std::u16string_view text, Colour colour) {
  CanvasOp& op = Add(CanvasOp::Kind::kTextOut);
  op.text = text;
  op.lines = {TextLine{at, std::u16string(text)}};
  op.colour = colour;
}

Rect RecordingCanvas::DrawText(std::u16string_view text, const Rect& rect, unsigned flags, Colour colour) {
  TextLayout layout = LayOutText(text, rect, flags, font_);
  if (flags & kCalcRect) return layout.bounds;
  CanvasOp& op = Add(CanvasOp::Kind::kDrawText);
  op.rect = rect;
  op.flags = flags;
  op.text = text;
  op.lines = std::move(layout.lines);
  op.colour = colour;
  return layout.bounds;
}

void RecordingCanvas::DrawFrameControl(const Rect& rect, unsigned type, unsigned state) {
  CanvasOp& op = Add(CanvasOp::Kind::kFrameControl);
  op.rect = rect;
  op.type = type;
  op.flags = state;
}

void RecordingCanvas::DrawEdge(const Rect& rect, unsigned edgeKind, unsigned sides) {
  CanvasOp& op = Add(CanvasOp::Kind::kEdge);
  op.rect = rect;
  op.flags = edgeKind;
  op.type = sides;
}

void RecordingCanvas::DrawFocusRect(const Rect& rect) { Add(CanvasOp::Kind::kFocusRect).rect = rect; }

std::vector<std::string> RecordingCanvas::Dump() const {
  std::vector<std::string> lines;
  for (const CanvasOp& op : ops_) lines.push_back(op.Dump());
  return lines;
}

std::string RecordingCanvas::DumpText() const {
  std::string out;
  for (const CanvasOp& op : ops_) out += (out.empty() ? "" : "\n") + op.Dump();
  return out;
}

std::vector<CanvasOp> RecordingCanvas::OpsOf(CanvasOp::Kind kind) const {
  std::vector<CanvasOp> found;
  std::copy_if(ops_.begin(), ops_.end(), std::back_inserter(found), [&](const CanvasOp& op) { return op.kind == kind; });
  return found;
}

std::vector<TextLine> RecordingCanvas::TextLines() const {
  std::vector<TextLine> lines;
  for (const CanvasOp& op : ops_) lines.insert(lines.end(), op.lines.begin(), op.lines.end());
  return lines;
}

}  // namespace lanternfly
