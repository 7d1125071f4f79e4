#include <gtest/gtest.h>

#include <tuple>

#include "controls/HyperLabel.h"
#include "message/WinMXColorText.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

// The previews' font: 6 pixels a character (7 bold), lines 16 pixels high.
FontSpec PreviewFont() { return FontSpec{u"System", 9.75, true}; }

constexpr OleColour kWhite = 0xFFFFFF;

MarkupLayout LayOut(std::u16string_view caption, int width, bool wordWrap = true) {
  RecordingCanvas measure(Size{width, 100});
  MarkupInput input;
  input.font = PreviewFont();
  input.base.colour = kWhite;
  input.saved = input.base;
  input.foreColor = kWhite;
  input.width = width;
  input.wordWrap = wordWrap;
  return LayOutMarkup(caption, input, measure);
}

// "x,y text" with the flags and colour when they differ from the base
// style: " b", " i", " u", " #RRGGBB", " sym" for the bullet's face.
std::vector<std::string> Runs(const MarkupLayout& layout) {
  std::vector<std::string> runs;
  for (const MarkupRun& run : layout.runs) {
    std::string text = std::to_string(run.at.x) + "," + std::to_string(run.at.y) + " " + Utf16ToUtf8(run.text);
    if (run.style.bold) text += " b";
    if (run.style.italic) text += " i";
    if (run.style.underline) text += " u";
    if (run.style.colour != kWhite)
      text += " " + Utf16ToUtf8(ConvertWinColor(static_cast<std::int32_t>(run.style.colour)));
    if (run.symbol) text += " sym";
    runs.push_back(text);
  }
  return runs;
}

struct LayoutCase {
  const char16_t* caption;
  int width;
  bool wordWrap;
  std::vector<std::string> runs;
  const char16_t* plain;
};

TEST(HyperLabel, LaysOutTagsAtExactPenPositions) {
  const LayoutCase cases[] = {
      {u"a[b]b[/b]c", 200, true, {"0,0 a", "6,0 b b", "13,0 c"}, u"abc"},
      // Colours do not nest: [/color] goes back to ForeColor.
      {u"[color=#FF0000]x[color=blue]y[/color]z", 200, true, {"0,0 x #FF0000", "6,0 y #0000FF", "12,0 z"}, u"xyz"},
      {u"[COLOR=Red]x", 200, true, {"0,0 x #FF0000"}, u"x"},
      {u"[ color = red ]x[ b ]y", 200, true, {"0,0 x #FF0000", "6,0 y #FF0000"}, u"xy"},
      {u"[color=zz1122]x[color=#1]y", 200, true, {"0,0 x", "6,0 y #000001"}, u"xy"},
      {u"[color=#fff]x[color]y", 200, true, {"0,0 x #000FFF", "6,0 y #000000"}, u"xy"},
      // An unmatched "[" hides the rest; unknown tags vanish.
      {u"abc[def", 200, true, {"0,0 abc"}, u"abc"},
      {u"a[what]b[/what]c", 200, true, {"0,0 a", "6,0 b", "12,0 c"}, u"abc"},
      {u"ab[]cd", 200, true, {"0,0 ab", "0,16 cd"}, u"ab\r\ncd"},
      {u"ab\r\ncd", 200, true, {"0,0 ab", "0,16 cd"}, u"ab\r\ncd"},
      // The first item opens no new line; the word after the list follows a blank line.
      {u"[list][*]one[*]two[/list]end",
       200,
       true,
       {"0,0  l sym", "12,0  ", "18,0 one", "0,16  l sym", "12,16  ", "18,16 two", "0,48 end"},
       u"\r\none\r\n* two\r\n\r\nend"},
      {u"[*]x", 200, true, {"0,0 x"}, u"x"},
      // Word wrap: the separator's width is left out of the test, and a word
      // that would end exactly at the edge moves down.
      {u"abcd efgh", 55, true, {"0,0 abcd ", "30,0 efgh"}, u"abcd efgh"},
      {u"abcd efgh", 54, true, {"0,0 abcd ", "0,16 efgh"}, u"abcd efgh"},
      {u"ab-cdef", 40, true, {"0,0 ab-", "0,16 cdef"}, u"ab-cdef"},
      // A word wider than the area starts a new line even at the left edge.
      {u"abcdefgh", 24, true, {"0,16 abcdefgh"}, u"abcdefgh"},
      // Wrapped lines of a list item start at the item's indent.
      {u"[list][*]aaaa bbbb", 50, true, {"0,0  l sym", "12,0  ", "18,0 aaaa ", "18,16 bbbb"}, u"\r\naaaa bbbb"},
      // Without word wrap a run is drawn whole.
      {u"abcd efgh[]x", 20, false, {"0,0 abcd efgh", "0,16 x"}, u"abcd efgh\r\nx"},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.caption));
    MarkupLayout layout = LayOut(c.caption, c.width, c.wordWrap);
    EXPECT_EQ(Runs(layout), c.runs);
    EXPECT_EQ(layout.plainCaption, c.plain);
  }
}

TEST(HyperLabel, LinksAreBlueUnderlinedAndIgnoreTagsInside) {
  MarkupLayout layout = LayOut(u"[b][i][url=Some/Path]g[b]o[/b][/url]x", 200);
  EXPECT_EQ(Runs(layout), (std::vector<std::string>{"0,0 g u #0000FF", "6,0 o u #0000FF", "12,0 x b i"}));
  ASSERT_EQ(layout.links.size(), 1u);
  const CHyperlink& link = layout.links[0];
  EXPECT_EQ(link.HRef, u"some/path");
  EXPECT_EQ((std::vector<int>{link.X1, link.Y1, link.X2, link.Y2, link.TextHeight}),
            (std::vector<int>{0, 0, 12, 0, 16}));

  EXPECT_TRUE(LayOut(u"[url]a[/url][url=]b[/url]", 200).links.empty());
  // Never closed: no end, and the rest stays in the link's style.
  MarkupLayout open = LayOut(u"[url=x]a[color=red]b", 200);
  ASSERT_EQ(open.links.size(), 1u);
  EXPECT_EQ(open.links[0].X2, -1);
  EXPECT_EQ(Runs(open).back(), "6,0 b u #0000FF");
}

TEST(HyperLabel, StrayClosingLinkRestoresStyleButLeavesClosedLinkAlone) {
  MarkupLayout layout = LayOut(u"[url=a]x[/url]yyyy[/url]", 200);
  ASSERT_EQ(layout.links.size(), 1u);
  EXPECT_EQ(layout.links[0].X2, 6);
  EXPECT_FALSE(layout.links[0].PosInside(20, 5));
}

TEST(HyperLabel, LinkHitTestTakesFirstAndLastLinesOnly) {
  CHyperlink oneLine{10, 0, 30, 0, 16, u"a"};
  CHyperlink threeLines{40, 0, 20, 32, 16, u"b"};  // the middle line is 16 to 32
  for (auto [x, y, inside] : {std::tuple{10, 0, true}, {30, 16, true}, {9, 5, false}, {31, 5, false}, {20, 17, false}})
    EXPECT_EQ(oneLine.PosInside(x, y), inside) << x << "," << y;
  for (auto [x, y, inside] :
       {std::tuple{45, 16, true}, {39, 5, false}, {0, 48, true}, {21, 40, false}, {30, 24, false}})
    EXPECT_EQ(threeLines.PosInside(x, y), inside) << x << "," << y;
  EXPECT_FALSE((CHyperlink{0, 0, -1, -1, 16, u"c"}.PosInside(0, 0)));
}

TEST(HyperLabel, ConvertWinColorWritesRedFirstAndResolvesSystemColours) {
  EXPECT_EQ(ConvertWinColor(0x0000FF), u"#FF0000");
  EXPECT_EQ(ConvertWinColor(0x00123456), u"#563412");
  Colour face = SystemColour(15);
  char expected[8];
  std::snprintf(expected, sizeof expected, "#%02X%02X%02X", RedOf(face), GreenOf(face), BlueOf(face));
  EXPECT_EQ(ConvertWinColor(static_cast<std::int32_t>(SystemColourOf(15))), Utf8ToUtf16(expected));
}

TEST(HyperLabel, BadMarkupEndsWithTheTextItCouldRead) {
  struct {
    const char16_t* caption;
    const char16_t* plain;
  } const cases[] = {
      {u"[", u""},
      {u"[[[]]]", u"]]"},
      {u"[/]", u""},
      {u"[=]", u"\r\n"},
      {u"[url=a][url=b]c", u"c"},
      {u"[/list][/url][/b]", u"\r\n\r\n"},
      {u"\r\n\r", u"\r\n\r"},
      {u"[color==]x", u"x"},
      {u"[-]- -\t\t--", u"- -\t\t--"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.caption));
    for (int width : {0, 1, 200}) EXPECT_EQ(LayOut(c.caption, width).plainCaption, c.plain);
  }
  // Every word of a zero-wide area goes on a line of its own.
  EXPECT_EQ(Runs(LayOut(u"a b", 0)), (std::vector<std::string>{"0,16 a ", "0,32 b"}));
}

// The settings window's preview: black, white text, AutoSize, System 9.75
// stored as bold, which the markup's base style does not use.
struct Preview {
  Preview() : host(label, Size{300, 20}) {
    label.SetBackColor(0);
    label.SetForeColor(kWhite);
    label.SetFont(PreviewFont());
    label.SetAutoSize(true);
  }
  HyperLabel label;
  SimControlHost host;
};

TEST(HyperLabel, PreviewDrawsColouredLettersAndSizesItself) {
  Preview preview;
  preview.label.SetCaption(WinMXToMarkup(u"#c8#R#c1#i"));
  RecordingCanvas canvas = preview.host.Paint();
  std::vector<std::string> drawn;
  for (const CanvasOp& op : canvas.Ops()) {
    if (op.kind == CanvasOp::Kind::kFillRect || op.kind == CanvasOp::Kind::kTextOut) drawn.push_back(op.Dump());
    if (op.kind == CanvasOp::Kind::kTextOut) {
      EXPECT_FALSE(op.font.bold);
    }
  }
  EXPECT_EQ(drawn, (std::vector<std::string>{"FillRect 0,0-300,20 000000", "TextOut 0,0 FFFFFF \" \"",
                                             "TextOut 6,0 0000FF \"R\"", "TextOut 12,0 FFFFFF \"i\""}));
  // Word wrap keeps the width; the height is one line and the 2-pixel margin.
  EXPECT_EQ(preview.host.resizeRequests, (std::vector<Size>{{300, 18}}));
  EXPECT_EQ(preview.host.caption, u" Ri");
  EXPECT_EQ(preview.label.PlainCaption(), u" Ri");
}

TEST(HyperLabel, AutoSizeWithoutWrapFitsTheWidestLineWithItsMargin) {
  for (int border : {0, 1}) {
    Preview preview;
    preview.label.SetWordWrap(false);
    preview.label.SetBorderStyle(border);
    preview.label.SetCaption(u"abc[]abcdefgh[]x");
    preview.host.Paint();
    int margin = border == 1 ? 6 : 2;
    EXPECT_EQ(preview.host.ClientSize(), (Size{48 + margin, 48 + margin}));
    // Painting the new size lays out again and asks for nothing more.
    preview.host.Paint();
    EXPECT_EQ(preview.host.resizeRequests.size(), 1u);
  }
}

TEST(HyperLabel, HoverAndClickFollowTheLinks) {
  Preview preview;
  std::vector<std::string> events;
  preview.label.Click = [&] { events.push_back("Click"); };
  preview.label.HyperlinkClick = [&](const std::u16string& address) {
    events.push_back("HyperlinkClick " + Utf16ToUtf8(address));
  };
  preview.label.SetCaption(u"go [url=Http://A.example/]here[/url]");
  preview.host.Paint();
  struct {
    Point at;
    bool autoNavigate;
    CursorKind cursor;
    std::string event;
  } const steps[] = {
      {{30, 8}, true, CursorKind::kHand, "Click"},  // after the address opened
      {{30, 8}, false, CursorKind::kHand, "HyperlinkClick http://a.example/"},
      {{5, 8}, true, CursorKind::kArrow, "Click"},
  };
  for (const auto& step : steps) {
    preview.label.SetAutoNavigate(step.autoNavigate);
    events.clear();
    preview.host.MouseMove(step.at);
    EXPECT_EQ(preview.host.cursor, step.cursor);
    preview.host.Click(step.at);
    EXPECT_EQ(events, std::vector<std::string>{step.event});
  }
  EXPECT_EQ(preview.host.openedUrls, (std::vector<std::u16string>{u"http://a.example/"}));

  // A new render forgets the link under the mouse.
  preview.host.MouseMove({30, 8});
  preview.label.SetCaption(preview.label.Caption());
  preview.host.Paint();
  EXPECT_EQ(preview.label.HoveredLink(), nullptr);
  EXPECT_EQ(preview.host.cursor, CursorKind::kArrow);
}

}  // namespace
}  // namespace lanternfly
