#include <gtest/gtest.h>

#include "controls/PanelFrame.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {
namespace {

TEST(PanelFrame, AGradientHeaderOfForm0RunsTopToBottom) {
  PanelFrame frame;
  SimControlHost host(frame, Size{200, 100});
  frame.SetStyle(3);
  frame.SetHeaderStyle(1);
  frame.SetGradientHeaderStyle(0);
  RecordingCanvas canvas = host.Paint();
  std::vector<CanvasOp> lines = canvas.OpsOf(CanvasOp::Kind::kLine);
  ASSERT_EQ(lines.size(), 22u);
  for (int y = 0; y < 22; ++y) {
    EXPECT_EQ(lines[y].points.at(0), (Point{0, y}));
    EXPECT_EQ(lines[y].points.at(1), (Point{199, y}));
  }
  EXPECT_EQ(lines.front().colour, Rgb(221, 236, 254));
  EXPECT_EQ(lines.back().colour, Rgb(129, 169, 226));
  EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kRoundRect).at(0).rect, (Rect{0, 11, 199, 99}));  // from half the header
}

TEST(PanelFrame, ALongCaptionIsShortenedWithDotsOrDropped) {
  struct {
    std::u16string_view caption;
    int width;
    std::u16string_view shown;
  } const cases[] = {
      {u"Short", 30, u"Short"},
      {u"Currently Playing:", 60, u"Current..."},  // 6 pixels a unit
      {u"Currently Playing:", 24, u"C..."},
      {u"Currently Playing:", 23, u""},
      {u"a\U0001F600\U0001F600\U0001F600", 30, u"a..."},  // never half a character
      {u"\U0001F600\U0001F600\U0001F600", 29, u""},
  };
  RecordingCanvas canvas(Size{100, 20});
  canvas.SetFont(FontSpec{u"Tahoma", 8.25});
  for (const auto& c : cases) EXPECT_EQ(FitCaption(canvas, c.caption, c.width), c.shown) << c.width;
}

TEST(PanelFrame, DisablingPassesOnAndDrawsInSystemColours) {
  PanelFrame frame;
  SimControlHost host(frame, Size{200, 100});
  frame.SetStyle(3);
  frame.SetCaption(u"Choose Rooms:");
  frame.SetEnabled(false);
  EXPECT_EQ(host.childrenEnabled, false);
  RecordingCanvas canvas = host.Paint();
  EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kRoundRect).at(0).colour, SystemColour(11));
  for (const CanvasOp& line : canvas.OpsOf(CanvasOp::Kind::kLine)) EXPECT_EQ(line.colour, SystemColour(15));
  EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kDrawText).at(0).colour, SystemColour(17));
  host.Enable(true);  // by Windows, as a parent frame does
  EXPECT_TRUE(frame.Enabled());
  EXPECT_EQ(host.childrenEnabled, true);
}

}  // namespace
}  // namespace lanternfly
