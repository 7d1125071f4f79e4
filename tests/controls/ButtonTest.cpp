#include <gtest/gtest.h>

#include "controls/Shading.h"
#include "controls/iButton.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {
namespace {

// The refresh button as the main window sets it up.
void SetUpAsTheWindowsDo(iButton& button) {
  button.SetStyle(8);
  button.SetIconAlign(0);
  button.SetNonThemeStyle(0);
  button.SetToolTipType(0);
  button.SetToolTipForeColor(0);
  button.SetFont(FontSpec{u"Tahoma", 9.75});
  button.SetCaption(u"Refresh Channel List");
}

TEST(iButton, ShadesStyle8LineByLineInEachState) {
  const Colour face = SystemColour(15);
  const Colour hot = Lighten(face, 15);
  struct {
    iButton::State state;
    Colour base, first, last, caption;
  } const cases[] = {
      {iButton::State::kNormal, face, Lighten(face, 15), Lighten(face, -15), SystemColour(18)},
      {iButton::State::kHot, hot, Lighten(hot, 15), Lighten(hot, -15), SystemColour(18)},
      {iButton::State::kPressed, hot, Lighten(hot, -15), Lighten(hot, 15), SystemColour(18)},
      {iButton::State::kDisabled, hot, Lighten(hot, 15), Lighten(hot, -15), SystemColour(17)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.state));
    iButton button;
    SimControlHost host(button, Size{120, 25});
    SetUpAsTheWindowsDo(button);
    if (c.state == iButton::State::kHot) host.MouseMove({5, 5});
    if (c.state == iButton::State::kPressed) host.MouseDown({5, 5});
    if (c.state == iButton::State::kDisabled) button.SetEnabled(false);
    ASSERT_EQ(button.DrawnState(), c.state);
    RecordingCanvas canvas = host.Paint();

    std::vector<CanvasOp> fills = canvas.OpsOf(CanvasOp::Kind::kFillRect);
    EXPECT_EQ(fills.back().rect, (Rect{0, 0, 120, 25}));
    EXPECT_EQ(fills.back().colour, c.base);
    // Lines y = 2 .. 21, from x = 2 to x = 117 inclusive, then four border lines.
    std::vector<CanvasOp> lines = canvas.OpsOf(CanvasOp::Kind::kLine);
    ASSERT_EQ(lines.size(), 20u + 4u);
    for (int i = 0; i < 20; ++i) {
      EXPECT_EQ(lines[i].points.at(0), (Point{2, 2 + i}));
      EXPECT_EQ(lines[i].points.at(1), (Point{118, 2 + i}));
    }
    EXPECT_EQ(lines[0].colour, c.first);
    EXPECT_EQ(lines[19].colour, c.last);
    EXPECT_EQ(lines[10].colour, GradientLineColour(c.first, c.last, 10, 20));

    std::vector<CanvasOp> texts = canvas.OpsOf(CanvasOp::Kind::kDrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rect, (Rect{4, 4, 116, 21}));
    EXPECT_EQ(texts[0].flags, 37u);
    EXPECT_EQ(texts[0].colour, c.caption);
    EXPECT_EQ(texts[0].font, (FontSpec{u"Tahoma", 9.75}));
  }
}

TEST(iButton, ShadingClampsAtTheEndsOfEachChannel) {
  EXPECT_EQ(Lighten(Rgb(250, 5, 100), 15), Rgb(255, 20, 115));
  EXPECT_EQ(Lighten(Rgb(250, 5, 100), -15), Rgb(235, 0, 85));
  iButton button;
  SimControlHost host(button, Size{40, 25});
  button.SetStyle(8);
  button.SetUseCustomColors(true);
  button.SetBackColor(Rgb(250, 5, 128));
  std::vector<CanvasOp> lines = host.Paint().OpsOf(CanvasOp::Kind::kLine);
  EXPECT_EQ(lines.front().colour, Rgb(255, 20, 143));
  EXPECT_EQ(lines[19].colour, Rgb(235, 0, 113));
}

TEST(iButton, ClicksFollowTheButtonAndTheType) {
  struct {
    const char* name;
    iButton::ButtonKind kind;
    bool enabled;
    std::function<void(SimControlHost&)> act;
    int clicks;
    bool value;
  } const cases[] = {
      {"left click", iButton::ButtonKind::kPush, true, [](SimControlHost& h) { h.Click({5, 5}); }, 1, false},
      {"right click", iButton::ButtonKind::kPush, true,
       [](SimControlHost& h) { h.Click({5, 5}, MouseButton::kRight); }, 0, false},
      {"Space twice", iButton::ButtonKind::kPush, true,
       [](SimControlHost& h) {
         for (int i = 0; i < 2; ++i) {
           h.Key(keys::kSpace);
           h.Char(u' ');
         }
       },
       2, false},
      {"toggle once", iButton::ButtonKind::kToggle, true, [](SimControlHost& h) { h.Click({5, 5}); }, 1, true},
      {"toggle twice", iButton::ButtonKind::kToggle, true,
       [](SimControlHost& h) {
         h.Click({5, 5});
         h.Click({5, 5});
       },
       2, false},
      {"disabled", iButton::ButtonKind::kToggle, false,
       [](SimControlHost& h) {
         h.Click({5, 5});
         h.Key(keys::kSpace);
         h.Char(u' ');
       },
       0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    iButton button;
    SimControlHost host(button, Size{80, 25});
    button.SetButtonType(c.kind);
    button.SetEnabled(c.enabled);
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    c.act(host);
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(button.Value(), c.value);
    // A toggle button that is on stays drawn pressed.
    if (c.value) {
      EXPECT_EQ(button.DrawnState(), iButton::State::kPressed);
    }
  }
}

TEST(iButton, HotTrackingNeedsTheLeaveNotice) {
  iButton button;
  SimControlHost host(button, Size{80, 25});
  SetUpAsTheWindowsDo(button);
  button.SetToolTip(u"Scan for rooms");
  std::vector<std::string> events;
  button.MouseEnter = [&] { events.push_back("enter"); };
  button.MouseLeave = [&] { events.push_back("leave"); };
  host.MouseMove({5, 5});
  host.MouseMove({6, 5});
  EXPECT_EQ(button.DrawnState(), iButton::State::kHot);
  ASSERT_TRUE(host.toolTip.has_value());
  EXPECT_EQ(host.toolTip->text, u"Scan for rooms");
  EXPECT_FALSE(host.toolTip->balloon);
  // A fore colour of 0 keeps the system's; the background is the tooltip's own.
  EXPECT_EQ(host.toolTip->fore, std::nullopt);
  EXPECT_EQ(host.toolTip->back, SystemColour(24));
  host.MouseLeave();
  EXPECT_EQ(button.DrawnState(), iButton::State::kNormal);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));

  iButton untracked;
  SimControlHost plain(untracked, Size{80, 25});
  plain.canTrackLeave = false;
  untracked.MouseEnter = [&] { events.push_back("enter"); };
  plain.MouseMove({5, 5});
  EXPECT_EQ(untracked.DrawnState(), iButton::State::kNormal);
  EXPECT_EQ(events.size(), 2u);
}

TEST(iButton, SizeVersionAboutAndTheThemedStyle) {
  iButton button;
  SimControlHost host(button, Size{80, 25});
  host.SetSize(Size{200 / 15, 150 / 15});
  EXPECT_EQ(host.ClientSize(), (Size{20, 20}));
  EXPECT_EQ(button.Version(), u"3.0");
  button.About();
  EXPECT_EQ(host.about, u"iButton 3.0");
  button.SetNonThemeStyle(5);
  button.SetStyle(6);
  EXPECT_EQ(button.Style(), 5);
  const unsigned flags[] = {37, 36, 38, 33, 41};
  for (int align = 0; align < 5; ++align) {
    button.SetCaptionAlign(align);
    EXPECT_EQ(button.CaptionFlags(), flags[align]);
  }
}

TEST(iButton, EveryStyleDrawsItsCaptionInEveryState) {
  for (int style = 0; style <= 10; ++style) {
    SCOPED_TRACE(style);
    iButton button;
    SimControlHost host(button, Size{60, 24});
    button.SetStyle(style);
    button.SetCaption(u"OK");
    host.MouseDown({3, 3});
    EXPECT_EQ(host.Paint().OpsOf(CanvasOp::Kind::kDrawText).size(), 1u);
    button.SetEnabled(false);
    RecordingCanvas disabled = host.Paint();
    EXPECT_EQ(disabled.OpsOf(CanvasOp::Kind::kDrawText).at(0).colour, SystemColour(17));
  }
}

}  // namespace
}  // namespace lanternfly
