#include <gtest/gtest.h>

#include "controls/Shading.h"
#include "controls/iButton.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {
namespace {

// Windows' order for one press of the Space bar.
void PressSpace(iButton& button, SimControlHost& host) {
  button.OnKeyDown(keys::kSpace, 0);
  host.Char(u' ');
  button.OnKeyUp(keys::kSpace, 0);
}

TEST(iButton, Style8ShadesEachStateFromItsBase) {
  const Colour face = SystemColour(15), hot = Lighten(face, 15);
  const struct {
    iButton::State state;
    Colour first, last, caption;
  } cases[] = {
      {iButton::State::kNormal, Lighten(face, 15), Lighten(face, -15), SystemColour(18)},
      {iButton::State::kHot, Lighten(hot, 15), Lighten(hot, -15), SystemColour(18)},
      {iButton::State::kPressed, Lighten(hot, -15), Lighten(hot, 15), SystemColour(18)},
      {iButton::State::kDisabled, Lighten(hot, 15), Lighten(hot, -15), SystemColour(17)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.state));
    iButton button;
    SimControlHost host(button, Size{120, 25});
    button.SetStyle(8);
    if (c.state == iButton::State::kHot) host.MouseMove({5, 5});
    if (c.state == iButton::State::kPressed) host.MouseDown({5, 5});
    if (c.state == iButton::State::kDisabled) button.SetEnabled(false);
    RecordingCanvas canvas = host.Paint();
    std::vector<CanvasOp> lines = canvas.OpsOf(CanvasOp::Kind::kLine);
    ASSERT_EQ(lines.size(), 20u + 4u);  // y = 2 .. 21, then the border
    EXPECT_EQ(lines[0].colour, c.first);
    EXPECT_EQ(lines[19].colour, c.last);
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kDrawText).at(0).colour, c.caption);
  }
  EXPECT_EQ(Lighten(Rgb(250, 5, 100), 15), Rgb(255, 20, 115));  // each channel clamped on its own
}

TEST(iButton, ClicksValueAndDrawnStateFollowTheInput) {
  using Kind = iButton::ButtonKind;
  using State = iButton::State;
  enum Act { kClick, kRightClick, kSpace, kClickAndSpace };
  struct {
    Kind kind;
    bool value, enabled;
    Act act;
    int clicks;
    bool valueAfter;
    State drawn;
  } const cases[] = {
      {Kind::kPush, false, true, kClick, 1, false, State::kHot},
      {Kind::kPush, false, true, kRightClick, 0, false, State::kNormal},
      {Kind::kPush, false, true, kClickAndSpace, 2, false, State::kHot},
      {Kind::kToggle, false, true, kClick, 1, true, State::kPressed},
      {Kind::kToggle, true, true, kClick, 1, false, State::kHot},
      {Kind::kToggle, false, true, kSpace, 1, true, State::kPressed},
      {Kind::kToggle, true, true, kSpace, 1, false, State::kHot},  // not drawn pressed after the key-up
      {Kind::kToggle, false, false, kClickAndSpace, 0, false, State::kDisabled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    iButton button;
    SimControlHost host(button, Size{80, 25});
    button.SetButtonType(c.kind);
    button.SetValue(c.value);
    button.SetEnabled(c.enabled);
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    if (c.act == kClick || c.act == kClickAndSpace) host.Click({5, 5});
    if (c.act == kRightClick) host.Click({5, 5}, MouseButton::kRight);
    if (c.act == kSpace || c.act == kClickAndSpace) PressSpace(button, host);
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(button.Value(), c.valueAfter);
    EXPECT_EQ(button.DrawnState(), c.drawn);
  }
}

TEST(iButton, HotTrackingNeedsTheLeaveNotice) {
  for (bool tracked : {true, false}) {
    iButton button;
    SimControlHost host(button, Size{80, 25});
    host.canTrackLeave = tracked;
    button.SetToolTip(u"Scan for rooms");
    button.SetToolTipForeColor(0);
    host.MouseMove({5, 5});
    EXPECT_EQ(button.DrawnState(), tracked ? iButton::State::kHot : iButton::State::kNormal);
    if (!tracked) continue;
    // A fore colour of 0 keeps the system's; the background is the tooltip's own.
    ASSERT_TRUE(host.toolTip);
    EXPECT_EQ(host.toolTip->fore, std::nullopt);
    EXPECT_EQ(host.toolTip->back, SystemColour(24));
    host.MouseLeave();
    EXPECT_EQ(button.DrawnState(), iButton::State::kNormal);
  }
}

}  // namespace
}  // namespace lanternfly
