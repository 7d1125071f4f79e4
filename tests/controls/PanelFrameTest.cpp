#include <gtest/gtest.h>

#include "controls/PanelFrame.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {
namespace {

const FontSpec kCaptionFont{u"Tahoma", 8.25, true};

// A frame as the program's windows set theirs up.
void SetUpAsTheWindowsDo(PanelFrame& frame, std::u16string caption) {
  frame.SetStyle(3);
  frame.SetHeaderStyle(1);
  frame.SetGradientHeaderStyle(0);
  frame.SetRoundedCorner(false);
  frame.SetAlignment(0);
  frame.SetFillColor(Rgb(222, 236, 245));
  frame.SetTextBoxColor(Rgb(240, 239, 176));
  frame.SetFont(kCaptionFont);
  frame.SetCaption(std::move(caption));
}

TEST(PanelFrame, DrawsTheProgramsFrameExactly) {
  PanelFrame frame;
  SimControlHost host(frame, Size{200, 100});
  SetUpAsTheWindowsDo(frame, u"Choose Rooms:");
  RecordingCanvas canvas = host.Paint();
  const std::vector<CanvasOp>& ops = canvas.Ops();

  // Body: square corners, black border, from half the header's height down.
  std::vector<CanvasOp> boxes = canvas.OpsOf(CanvasOp::Kind::kRoundRect);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].rect, (Rect{0, 11, 199, 99}));
  EXPECT_EQ(boxes[0].corner, 0);
  EXPECT_EQ(boxes[0].colour, 0u);
  EXPECT_EQ(boxes[0].brush, Rgb(222, 236, 245));
  // Header: 22 lines from RGB(221,236,254) to RGB(129,169,226), then its outline.
  std::vector<CanvasOp> lines = canvas.OpsOf(CanvasOp::Kind::kLine);
  ASSERT_EQ(lines.size(), 22u);
  for (int y = 0; y < 22; ++y) {
    EXPECT_EQ(lines[y].points.at(0), (Point{0, y}));
    EXPECT_EQ(lines[y].points.at(1), (Point{199, y}));
  }
  EXPECT_EQ(lines.front().colour, Rgb(221, 236, 254));
  EXPECT_EQ(lines.back().colour, Rgb(129, 169, 226));
  EXPECT_EQ(lines[11].colour, GradientLineColour(Rgb(221, 236, 254), Rgb(129, 169, 226), 11, 22));
  EXPECT_EQ(boxes[1].rect, (Rect{0, 0, 199, 22}));
  EXPECT_EQ(boxes[1].colour, 0u);
  EXPECT_EQ(boxes[1].brush, std::nullopt);
  // The caption: black, 6 pixels in, one line centred vertically, left-aligned.
  std::vector<CanvasOp> texts = canvas.OpsOf(CanvasOp::Kind::kDrawText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rect, (Rect{6, 0, 194, 22}));
  EXPECT_EQ(texts[0].flags & ~text_flags::kNoPrefix, 36u);
  EXPECT_EQ(texts[0].colour, 0u);
  EXPECT_EQ(texts[0].text, u"Choose Rooms:");
  EXPECT_EQ(texts[0].font, kCaptionFont);
  // The body comes first, the caption last, over the header.
  EXPECT_EQ(ops.front().kind, CanvasOp::Kind::kFillRect);
  EXPECT_EQ(ops.back().kind, CanvasOp::Kind::kDrawText);
  EXPECT_EQ(host.caption, u"Choose Rooms:");
}

TEST(PanelFrame, StylePresetsOverwriteWhatCameBeforeAndNotAfter) {
  struct {
    int style;
    Colour text, frame, textBox;
    int alignment;
  } const presets[] = {
      {0, 13579779, Rgb(195, 195, 195), 0xFFFFFF, 0}, {1, 0, 0, 0xFFFFFF, 2},         {2, 0, 0x6A6A6A, 0xB0EFF0, 2},
      {3, 0, 0, 0xB0EFF0, 2},                         {4, 0, 0, 0xFFFFFF, 2},         {5, 0xFFFFFF, 192, 192, 0},
      {6, 0xFFFFFF, 0xA60000, 0xA60000, 0},           {7, 13579779, Rgb(195, 195, 195), 0xFFFFFF, 0},
      {8, 0, 0, 0xFFFFFF, 2},
  };
  for (const auto& preset : presets) {
    SCOPED_TRACE(preset.style);
    PanelFrame frame;
    frame.SetTextColor(0x123456);
    frame.SetTextBoxHeight(30);
    frame.SetStyle(preset.style);
    EXPECT_EQ(frame.TextColor(), preset.text);
    EXPECT_EQ(frame.FrameColor(), preset.frame);
    EXPECT_EQ(frame.TextBoxColor(), preset.textBox);
    EXPECT_EQ(frame.Alignment(), preset.alignment);
    EXPECT_EQ(frame.TextBoxHeight(), 22);
    frame.SetFrameColor(0x00FF00);
    EXPECT_EQ(frame.FrameColor(), 0x00FF00u);
  }
  PanelFrame three;
  three.SetStyle(3);
  EXPECT_TRUE(three.RoundedCorner());
  EXPECT_EQ(three.FillColor(), 0xE0FFFFu);
  EXPECT_EQ(three.HeaderStyle(), 0);
  EXPECT_EQ(three.GradientHeaderStyle(), 1);
}

TEST(PanelFrame, CaptionFlagsFollowAlignmentAndStyle) {
  PanelFrame frame;
  const unsigned expected[2][3] = {{36, 38, 37}, {20, 22, 21}};
  for (int style8 = 0; style8 < 2; ++style8) {
    frame.SetStyle(style8 ? 8 : 3);
    for (int alignment = 0; alignment < 3; ++alignment) {
      frame.SetAlignment(alignment);
      EXPECT_EQ(frame.CaptionFlags(), expected[style8][alignment]) << style8 << " " << alignment;
    }
  }
}

TEST(PanelFrame, ALongCaptionIsShortenedWithDotsOrDropped) {
  RecordingCanvas canvas(Size{100, 20});
  canvas.SetFont(FontSpec{u"Tahoma", 8.25});  // 6 pixels a character
  EXPECT_EQ(FitCaption(canvas, u"Short", 30), u"Short");
  EXPECT_EQ(FitCaption(canvas, u"Currently Playing:", 60), u"Current...");  // 10 characters, 60 pixels
  EXPECT_EQ(FitCaption(canvas, u"Currently Playing:", 23), u"");           // "C..." needs 24
  EXPECT_EQ(FitCaption(canvas, u"Currently Playing:", 24), u"C...");

  PanelFrame frame;
  SimControlHost host(frame, Size{60, 60});
  SetUpAsTheWindowsDo(frame, u"Choose Your Player:");
  std::vector<CanvasOp> texts = host.Paint().OpsOf(CanvasOp::Kind::kDrawText);
  ASSERT_EQ(texts.size(), 1u);
  // 48 pixels of room, 7 a bold character: "Cho..." is 42, "Choo..." 49.
  EXPECT_EQ(texts[0].text, u"Cho...");
}

TEST(PanelFrame, AGroupBoxCutsItsBorderOnlyBehindACaption) {
  PanelFrame frame;
  SimControlHost host(frame, Size{120, 60});
  frame.SetStyle(0);
  frame.SetFont(FontSpec{u"Tahoma", 8.25});
  frame.SetCaption(u"Group");
  RecordingCanvas withCaption = host.Paint();
  std::vector<CanvasOp> cut = withCaption.OpsOf(CanvasOp::Kind::kLine);
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].points.at(0), (Point{15, 7}));  // half of 14
  EXPECT_EQ(cut[0].points.at(1), (Point{15 + 30 + 6, 7}));
  EXPECT_EQ(withCaption.OpsOf(CanvasOp::Kind::kDrawText).at(0).rect, (Rect{18, 0, 48, 14}));

  frame.SetCaption(u"");
  RecordingCanvas empty = host.Paint();
  EXPECT_TRUE(empty.OpsOf(CanvasOp::Kind::kLine).empty());
  EXPECT_TRUE(empty.OpsOf(CanvasOp::Kind::kDrawText).empty());
}

TEST(PanelFrame, DisablingPassesOnAndDrawsInSystemColours) {
  PanelFrame frame;
  SimControlHost host(frame, Size{200, 100});
  SetUpAsTheWindowsDo(frame, u"Choose Rooms:");
  frame.SetEnabled(false);
  EXPECT_EQ(host.childrenEnabled, false);
  RecordingCanvas canvas = host.Paint();
  Colour face = SystemColour(15), inactiveBorder = SystemColour(11);
  EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kRoundRect).at(0).colour, inactiveBorder);
  for (const CanvasOp& line : canvas.OpsOf(CanvasOp::Kind::kLine)) EXPECT_EQ(line.colour, face);
  EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kDrawText).at(0).colour, SystemColour(17));
  frame.SetEnabled(true);
  EXPECT_EQ(host.childrenEnabled, true);
}

TEST(PanelFrame, ThemesAndTheirChanges) {
  PanelFrame frame;
  SimControlHost host(frame, Size{200, 100});
  host.Paint();
  frame.SetThemeColor(0);  // the value it has: nothing to redraw
  EXPECT_EQ(host.invalidations, 0);
  frame.SetThemeColor(2);
  EXPECT_EQ(host.invalidations, 1);
  EXPECT_EQ(frame.ThemeColour1(), Rgb(181, 197, 143));
  frame.SetThemeColor(42);  // not listed: as theme 1
  EXPECT_EQ(frame.ThemeColour1(), Rgb(153, 151, 180));
  frame.SetThemeColor(5);
  frame.SetColorFrom(0x112233);
  frame.SetFrameColor(0x445566);
  EXPECT_EQ(frame.ThemeColour1(), 0x112233u);
  EXPECT_EQ(frame.ThemeColour2(), 0xF0F0FFu);
  EXPECT_EQ(frame.ThemeDark(), 0x445566u);
}

TEST(PanelFrame, NeverSmallerThanItsMinimum) {
  PanelFrame frame;
  SimControlHost host(frame, Size{200, 100});
  host.SetSize(Size{500 / 15, 300 / 15});
  EXPECT_EQ(host.ClientSize(), (Size{47, 27}));
  host.SetSize(Size{100, 10});
  EXPECT_EQ(host.ClientSize(), (Size{100, 27}));
}

TEST(PanelFrame, EveryStyleDrawsWithoutGoingOutside) {
  for (int style = 0; style <= 8; ++style) {
    for (Size size : {Size{47, 27}, Size{300, 200}}) {
      SCOPED_TRACE(style);
      PanelFrame frame;
      SimControlHost host(frame, size);
      frame.SetStyle(style);
      frame.SetTxtBoxShadow(1);
      frame.SetCaption(u"A caption that is rather long for a small frame");
      RecordingCanvas canvas = host.Paint();
      for (const CanvasOp& op : canvas.Ops()) {
        for (Point p : op.points) {
          EXPECT_GE(p.x, 0);
          EXPECT_GE(p.y, 0);
          EXPECT_LE(p.x, size.width + 2);
          EXPECT_LE(p.y, size.height + 2);
        }
      }
    }
  }
}

}  // namespace
}  // namespace lanternfly
