#include <gtest/gtest.h>

#include "controls/CntrlBox.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {
namespace {

TEST(CntrlBox, DrawsTheImageWithItsStateAndTheCaptionBeside) {
  const std::tuple<std::int32_t, bool, unsigned> cases[] = {
      {CntrlBox::kCheckBox, false, 0x0},   {CntrlBox::kCheckBox, true, 0x400},
      {CntrlBox::kOptionBox, false, 0x4},  {CntrlBox::kOptionBox, true, 0x404},
      {CntrlBox::kOptionBox | 0x100, true, 0x504}};
  for (const auto& [type, value, state] : cases) {
    CntrlBox box;
    SimControlHost host(box, Size{120, 17});
    box.SetCaption(u"Winamp");
    box.SetCntrlType(type);
    box.SetSelectValue(value);
    RecordingCanvas canvas = host.Paint();
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kFrameControl).at(0).flags, state);
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kTextOut).at(0).Dump(), "TextOut 19,0 000000 \"Winamp\"");
    EXPECT_TRUE(host.resizeRequests.empty());  // never sized to its caption
  }
}

TEST(CntrlBox, ClickTicksACheckBoxAndLeavesAnOptionBoxToItsHandler) {
  for (std::int32_t type : {CntrlBox::kCheckBox, CntrlBox::kOptionBox}) {
    CntrlBox box;
    SimControlHost host(box, Size{100, 17});
    box.SetCntrlType(type);
    std::vector<std::string> order;
    host.onPump = [&] { order.push_back("pump"); };
    box.Click = [&] { order.push_back(box.SelectValue() ? "Click ticked" : "Click clear"); };
    host.Click({50, 3});
    host.Click({3, 3}, MouseButton::kRight);
    // The value is set before the handler runs; its own read lets messages run too.
    std::string seen = type == CntrlBox::kCheckBox ? "Click ticked" : "Click clear";
    EXPECT_EQ(order, (std::vector<std::string>{"pump", "pump", seen}));
  }
}

}  // namespace
}  // namespace lanternfly
