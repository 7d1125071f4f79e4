#include <gtest/gtest.h>

#include "controls/CntrlBox.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {
namespace {

TEST(CntrlBox, DrawsTheImageWithItsStateAndTheCaptionBeside) {
  struct {
    std::int32_t type;
    bool value;
    const char* image;
  } const cases[] = {
      {CntrlBox::kCheckBox, false, "FrameControl 0,0-13,13 type 4 state 0x0"},
      {CntrlBox::kCheckBox, true, "FrameControl 0,0-13,13 type 4 state 0x400"},
      {CntrlBox::kOptionBox, false, "FrameControl 0,0-13,13 type 4 state 0x4"},
      {CntrlBox::kOptionBox, true, "FrameControl 0,0-13,13 type 4 state 0x404"},
      {CntrlBox::kOptionBox | 0x100, true, "FrameControl 0,0-13,13 type 4 state 0x504"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.image);
    CntrlBox box;
    SimControlHost host(box, Size{120, 17});
    box.SetBackColor(0xDEECF5);
    box.SetForeColor(0x0000FF);
    box.SetCaption(u"Winamp");
    box.SetCntrlType(c.type);
    box.SetSelectValue(c.value);
    RecordingCanvas canvas = host.Paint();
    std::vector<std::string> drawn;
    for (const CanvasOp& op : canvas.Ops()) {
      if (op.kind != CanvasOp::Kind::kSetFont) drawn.push_back(op.Dump());
    }
    EXPECT_EQ(drawn,
              (std::vector<std::string>{"FillRect 0,0-120,17 DEECF5", c.image, "TextOut 19,0 0000FF \"Winamp\""}));
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kTextOut).at(0).font, (FontSpec{u"MS Sans Serif", 8.25}));
    EXPECT_EQ(host.caption, u"Winamp");
    EXPECT_TRUE(host.resizeRequests.empty());  // never sized to its caption
  }
}

TEST(CntrlBox, ClickTicksACheckBoxBeforeItsHandlerRuns) {
  CntrlBox box;
  SimControlHost host(box, Size{100, 17});
  std::vector<std::string> order;
  host.onPump = [&] { order.push_back("pump"); };
  box.Click = [&] { order.push_back(box.SelectValue() ? "Click ticked" : "Click clear"); };
  host.Click({3, 3});
  host.Click({50, 3});
  host.Click({3, 3}, MouseButton::kRight);
  // The handler's own read lets messages run too.
  EXPECT_EQ(order, (std::vector<std::string>{"pump", "pump", "Click ticked", "pump", "pump", "Click clear"}));
  EXPECT_GT(host.invalidations, 0);
}

TEST(CntrlBox, ClickLeavesAnOptionBoxToItsHandler) {
  for (bool value : {false, true}) {
    CntrlBox box;
    SimControlHost host(box, Size{100, 17});
    box.SetCntrlType(CntrlBox::kOptionBox);
    box.SetSelectValue(value);
    int clicks = 0;
    box.Click = [&] { ++clicks; };
    host.Click({3, 3});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(box.SelectValue(), value);
  }
}

TEST(CntrlBox, SelectValueReadsWhatPendingMessagesLeft) {
  CntrlBox box;
  SimControlHost host(box, Size{100, 17});
  box.SetSelectValue(true);
  EXPECT_EQ(host.pumps, 1);
  host.onPump = [&] {
    host.onPump = nullptr;
    host.Click({3, 3});  // a click waiting in the queue
  };
  EXPECT_FALSE(box.SelectValue());
}

}  // namespace
}  // namespace lanternfly
