#include <gtest/gtest.h>

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

// "x,y text", then " b", " u", " #RRGGBB" or " sym" where the run differs
// from white plain text.
std::vector<std::string> Runs(const MarkupLayout& layout) {
  std::vector<std::string> runs;
  for (const MarkupRun& run : layout.runs) {
    std::string text = std::to_string(run.at.x) + "," + std::to_string(run.at.y) + " " + Utf16ToUtf8(run.text);
    if (run.style.bold) text += " b";
    if (run.style.underline) text += " u";
    if (run.style.colour != kWhite)
      text += " " + Utf16ToUtf8(ConvertWinColor(static_cast<std::int32_t>(run.style.colour)));
    if (run.symbol) text += " sym";
    runs.push_back(text);
  }
  return runs;
}

// The settings window's preview: white on black, AutoSize.
struct Preview {
  explicit Preview(int width = 300) : host(label, Size{width, 20}) {
    label.SetBackColor(0);
    label.SetForeColor(kWhite);
    label.SetFont(PreviewFont());
    label.SetAutoSize(true);
  }
  std::vector<std::string> Show(std::u16string caption) {
    label.SetCaption(std::move(caption));
    host.Paint();
    return Runs(label.Layout());
  }
  HyperLabel label;
  SimControlHost host;
};

TEST(HyperLabel, LaysOutTagsAtExactPenPositions) {
  struct {
    const char16_t* caption;
    int width;
    std::vector<std::string> runs;
    const char16_t* plain;
  } const cases[] = {
      {u"a[b]b[/b]c", 200, {"0,0 a", "6,0 b b", "13,0 c"}, u"abc"},
      // Colours do not nest: [/color] goes back to ForeColor.
      {u"[COLOR=Red]x[color=blue]y[/color]z", 200, {"0,0 x #FF0000", "6,0 y #0000FF", "12,0 z"}, u"xyz"},
      // An unmatched "[" hides the rest; unknown tags vanish; "[[" is a "[".
      {u"a[what]b[/what]c[d", 200, {"0,0 a", "6,0 b", "12,0 c"}, u"abc"},
      {u"[[np]] [[[b]x", 200, {"0,0 [", "6,0 np]] ", "36,0 [", "42,0 x b"}, u"[np]] [x"},
      // Word wrap leaves the separator out: a word ending at the edge moves down,
      // and wrapped lines of a list item start at its indent.
      {u"abcd efgh", 54, {"0,0 abcd ", "0,16 efgh"}, u"abcd efgh"},
      {u"[list][*]aaaa bbbb", 50, {"0,0  l sym", "12,0  ", "18,0 aaaa ", "18,16 bbbb"}, u"\r\naaaa bbbb"},
      // A link ignores tags inside it and gives back the style it interrupted.
      {u"[b][url=x]g[i]o[/url]x", 200, {"0,0 g u #0000FF", "6,0 o u #0000FF", "12,0 x b"}, u"gox"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.caption));
    RecordingCanvas measure(Size{c.width, 100});
    MarkupInput input{PreviewFont(), {kWhite}, {kWhite}, kWhite, c.width, true};
    MarkupLayout layout = LayOutMarkup(c.caption, input, measure);
    EXPECT_EQ(Runs(layout), c.runs);
    EXPECT_EQ(layout.plainCaption, c.plain);
  }
}

TEST(HyperLabel, AStrayClosingLinkLeavesTheClosedLinkAlone) {
  Preview preview;
  preview.Show(u"[url=a]x[/url]yyyy[/url]");
  ASSERT_EQ(preview.label.Links().size(), 1u);
  EXPECT_EQ(preview.label.Links()[0].X2, 6);
  EXPECT_FALSE(preview.label.Links()[0].PosInside(20, 5));
}

TEST(HyperLabel, TheLookDependsOnlyOnCaptionAndSize) {
  Preview preview;
  preview.Show(u"[b][url=x]a[/url]");
  EXPECT_EQ(preview.Show(u"[/url]plain[b][url=x]a[/url]").front(), "0,0 plain");
  preview.host.SetSize(Size{200, 20});  // a resize alone lays it out again
  preview.host.Paint();
  EXPECT_EQ(Runs(preview.label.Layout()).front(), "0,0 plain");
}

TEST(HyperLabel, PreviewShowsEveryCharacterTheRoomGets) {
  for (std::u16string_view text : {u"[np] %SONG%", u"Intro [Live]", u"#c1#[c]x", u"[[b]]#c8#[", u"[url=x]y"}) {
    SCOPED_TRACE(Utf16ToUtf8(text));
    Preview preview;
    preview.Show(WinMXToMarkup(text));
    EXPECT_EQ(preview.host.caption, u" " + WinMXToPlainText(text));  // its window text, the plain caption
  }
}

TEST(HyperLabel, PreviewDrawsColouredLettersAndSizesItself) {
  Preview preview;
  EXPECT_EQ(preview.Show(WinMXToMarkup(u"#c8#R#c1#i")), (std::vector<std::string>{"0,0  ", "6,0 R #FF0000", "12,0 i"}));
  // Word wrap keeps the width; the height is one line and the 2-pixel margin.
  EXPECT_EQ(preview.host.resizeRequests, (std::vector<Size>{{300, 18}}));

}

TEST(HyperLabel, ALinkOpensItsAddressOrRaisesItsEvent) {
  for (bool autoNavigate : {true, false}) {
    Preview preview;
    preview.label.SetAutoNavigate(autoNavigate);
    std::vector<std::string> events;
    preview.label.Click = [&] { events.push_back("Click"); };
    preview.label.HyperlinkClick = [&](const std::u16string& address) { events.push_back(Utf16ToUtf8(address)); };
    preview.Show(u"go [url=Http://A.example/]here[/url]");
    for (Point at : {Point{30, 8}, Point{5, 8}}) {
      preview.host.MouseMove(at);
      preview.host.Click(at);
    }
    EXPECT_EQ(preview.host.openedUrls.size(), autoNavigate ? 1u : 0u);
    EXPECT_EQ(events, (std::vector<std::string>{autoNavigate ? "Click" : "http://a.example/", "Click"}));
  }
}

}  // namespace
}  // namespace lanternfly
