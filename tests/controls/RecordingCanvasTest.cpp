#include "platform/sim/RecordingCanvas.h"

#include <gtest/gtest.h>

#include "platform/SystemColours.h"
#include "platform/sim/SimControlHost.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

using namespace text_flags;

const FontSpec kTahoma{u"Tahoma", 8.25};  // 6 x 14

std::vector<TextLine> Lines(std::u16string_view text, Rect rect, unsigned flags) {
  return LayOutText(text, rect, flags, kTahoma).lines;
}

TEST(RecordingCanvas, FixedMetricsOfTheProgramsFonts) {
  EXPECT_EQ(FixedLineHeight(FontSpec{u"System", 9.75}), 16);
  EXPECT_EQ(FixedLineHeight(kTahoma), 14);
  EXPECT_EQ(FixedLineHeight(FontSpec{u"Verdana", 9}), 15);
  EXPECT_EQ(FixedTextWidth(u"abc", FontSpec{u"Tahoma", 8.25, true}), 21);
  EXPECT_EQ(FixedTextWidth(u"\U0001F600", kTahoma), 12);  // two code units
}

TEST(RecordingCanvas, SingleLinePlacement) {
  const Rect rect{10, 0, 110, 21};  // 100 wide, 21 high; "OK" is 12 x 14
  struct Case {
    unsigned flags;
    Point at;
  } cases[] = {
      {kSingleLine, {10, 0}},
      {kSingleLine | kVCenter, {10, 3}},  // 0 + 21 / 2 - 14 / 2
      {kSingleLine | kBottom, {10, 7}},
      {kSingleLine | kCenter | kVCenter, {54, 3}},
      {kSingleLine | kRight, {98, 0}},
      {kVCenter | kRight, {98, 0}},  // vertical placement needs a single line
  };
  for (const Case& c : cases)
    EXPECT_EQ(Lines(u"OK", rect, c.flags), (std::vector<TextLine>{{c.at, u"OK"}})) << c.flags;
}

TEST(RecordingCanvas, LineBreaks) {
  const Rect rect{0, 0, 36, 100};  // six characters
  struct Case {
    std::u16string text;
    unsigned flags;
    std::vector<std::u16string> lines;
  } cases[] = {
      {u"aa bb cc", kWordBreak, {u"aa bb", u"cc"}},
      {u"aa bbbb", kWordBreak, {u"aa", u"bbbb"}},
      {u"aaaaaaaaa bb", kWordBreak, {u"aaaaaaaaa", u"bb"}},  // too wide: alone, unbroken
      {u"aa    bb", kWordBreak, {u"aa", u"bb"}},              // spaces vanish at the break
      {u"  aa", kWordBreak, {u"  aa"}},                       // leading spaces stay
      {u"a\r\nb\rc\nd", kWordBreak, {u"a", u"b", u"c", u"d"}},
      {u"a\n\nb", 0, {u"a", u"", u"b"}},
      {u"aa bb cc dd", 0, {u"aa bb cc dd"}},  // no word break: one line per paragraph
      {u"a\nb", kSingleLine | kWordBreak, {u"a\nb"}},
      {u"", kWordBreak, {u""}},
      {u"&File && more", kSingleLine, {u"File & more"}},
      {u"&File", kSingleLine | kNoPrefix, {u"&File"}},
  };
  for (const Case& c : cases) {
    std::vector<std::u16string> texts;
    for (const TextLine& line : Lines(c.text, rect, c.flags)) texts.push_back(line.text);
    EXPECT_EQ(texts, c.lines) << Utf16ToUtf8(c.text);
  }
}

TEST(RecordingCanvas, CalcRectMeasuresWithoutDrawing) {
  RecordingCanvas canvas({200, 100});
  canvas.SetFont(kTahoma);
  EXPECT_EQ(canvas.DrawText(u"aa bb cc", {5, 7, 41, 8}, kWordBreak | kCalcRect, 0), (Rect{5, 7, 35, 35}));
  EXPECT_EQ(canvas.DrawText(u"aaaaaaaaa", {0, 0, 36, 8}, kWordBreak | kCalcRect, 0), (Rect{0, 0, 54, 14}));
  EXPECT_EQ(canvas.DrawText(u"ab cd", {0, 0, 100, 30}, kWordBreak | kCenter, 0), (Rect{35, 0, 65, 14}));
  EXPECT_EQ(canvas.Dump(), (std::vector<std::string>{"SetFont Tahoma 8.25",
                                                     "DrawText 0,0-100,30 17 000000 \"ab cd\" -> 35,0 \"ab cd\""}));
}

TEST(RecordingCanvas, DumpsEveryOperationOnOneLine) {
  RecordingCanvas canvas({100, 22});
  const Point triangle[] = {{0, 0}, {4, 0}, {0, 4}};
  canvas.FillRect({0, 0, 100, 22}, Rgb(222, 236, 245));
  canvas.RoundRect({0, 0, 80, 24}, 6, 0, std::nullopt);
  canvas.Polygon(triangle, 0xFF, Rgb(1, 2, 3));
  canvas.Line({0, 1}, {9, 1}, 0x808080);
  canvas.SetPixel({3, 4}, 0xFF);
  canvas.SetFont(FontSpec{u"Tahoma", 9.75, true, true, true});
  canvas.TextOut({19, 0}, u"Tick \u00e9", 0);
  canvas.DrawText(u"a b", {0, 0, 7, 40}, kWordBreak, 0xFFFFFF);
  canvas.DrawFrameControl({0, 0, 13, 13}, frame_control::kButton, frame_control::kRadio | frame_control::kChecked);
  canvas.DrawEdge({0, 0, 10, 10}, edge::kSunken, edge::kRect);
  canvas.DrawFocusRect({2, 2, 98, 20});
  EXPECT_EQ(canvas.DumpText(),
            "FillRect 0,0-100,22 F5ECDE\n"
            "RoundRect 0,0-80,24 r6 pen 000000 brush none\n"
            "Polygon 0,0 4,0 0,4 pen 0000FF brush 030201\n"
            "Line 0,1-9,1 808080\n"
            "SetPixel 3,4 0000FF\n"
            "SetFont Tahoma 9.75 bold italic underline\n"
            "TextOut 19,0 000000 \"Tick \u00e9\"\n"
            "DrawText 0,0-7,40 16 FFFFFF \"a b\" -> 0,0 \"a\"; 0,16 \"b\"\n"
            "FrameControl 0,0-13,13 type 4 state 0x404\n"
            "Edge 0,0-10,10 edge 0xA sides 0xF\n"
            "FocusRect 2,2-98,20");
  EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kTextOut).at(0).font.points, 9.75);
}

TEST(SystemColours, StandardSchemeAndTranslation) {
  EXPECT_EQ(SystemColour(31), 0u);
  EXPECT_EQ(SystemColour(-1), 0u);
  EXPECT_EQ(TranslateOleColour(0xF5ECDE), 0xF5ECDEu);
  EXPECT_EQ(TranslateOleColour(SystemColourOf(15)), SystemColour(15));
#ifndef _WIN32
  // The native build answers with Windows' standard scheme and
  // OleTranslateColor's rules; Windows answers with the user's scheme.
  EXPECT_EQ(SystemColour(15), Rgb(212, 208, 200));
  EXPECT_EQ(TranslateOleColour(0x0200FF00), 0x00FF00u);
  EXPECT_EQ(TranslateOleColour(SystemColourOf(31)), std::nullopt);
  EXPECT_EQ(TranslateOleColour(0xFFFFFFFF), std::nullopt);
  EXPECT_EQ(TranslateOleColour(0x01000001), std::nullopt);
#endif
}

// A control that writes down the events it gets.
class EventLog final : public Control {
 public:
  void Paint(Canvas& canvas) override { canvas.FillRect({0, 0, 1, 1}, 0); }
  void OnMouseDown(MouseButton, int, Point p) override { Log("down", p); }
  void OnMouseUp(MouseButton, int, Point p) override { Log("up", p); }
  void OnClick(MouseButton) override { events += "click "; }
  void OnDoubleClick(MouseButton, Point p) override { Log("double", p); }
  void OnFocus(bool gained) override { events += gained ? "focus " : "blur "; }
  void OnTimer(int id) override {
    events += "timer" + std::to_string(id) + " ";
    if (id == 2) Host()->StopTimer(2);
  }
  void OnResize(Size size) override {
    events += "size" + std::to_string(size.width) + " ";
    if (size.width < 20) Host()->Resize({20, size.height});  // a minimum width
  }
  bool OnEditBoxKey(int key, int) override {
    if (key == keys::kEnter) Host()->CloseEditBox();
    return key == keys::kEnter;
  }
  std::string events;

 private:
  void Log(const char* what, Point p) { events += std::string(what) + std::to_string(p.x) + " "; }
};

TEST(SimControlHost, ClickNeedsTheDownAndTheUpInside) {
  EventLog control;
  SimControlHost host(control, {50, 20});
  host.Click({5, 5});
  host.MouseDown({5, 5});
  host.MouseUp({60, 5});  // released outside
  host.MouseDown({-1, 5});
  host.MouseUp({5, 5});  // pressed outside (captured)
  host.DoubleClick({7, 7});
  EXPECT_EQ(control.events, "down5 up5 click down5 up60 down-1 up5 down7 up7 click double7 up7 ");
}

TEST(SimControlHost, TimersResizesAndTheEditBoxFollowWindowsOrder) {
  EventLog control;
  SimControlHost host(control, {50, 20});
  host.StartTimer(1, 100);
  host.StartTimer(2, 30);
  host.Advance(250);  // timer 2 stops itself after its first tick
  EXPECT_EQ(control.events, "timer2 timer1 timer1 ");
  EXPECT_EQ(host.TimerInterval(2), std::nullopt);
  EXPECT_FALSE(host.FireTimer(2));

  control.events.clear();
  host.SetSize({10, 20});
  EXPECT_EQ(control.events, "size10 size20 ");
  EXPECT_EQ(host.ClientSize(), (Size{20, 20}));

  control.events.clear();
  host.TakeFocus();
  EditBoxSpec box;
  box.text = u"old";
  host.OpenEditBox(box);
  host.TypeInEditBox(u"new");
  EXPECT_EQ(host.EditBoxText(), u"new");
  EXPECT_FALSE(host.EditBoxKey(keys::kEscape));
  EXPECT_TRUE(host.EditBoxKey(keys::kEnter));
  EXPECT_FALSE(host.editBox);
  EXPECT_EQ(control.events, "focus blur focus ");
}

}  // namespace
}  // namespace lanternfly
