#include "controls/PlainLabel.h"

#include <gtest/gtest.h>

#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {
namespace {

// Song titles carry brackets and ampersands; the label shows them as they are.
TEST(PlainLabel, ShowsItsCaptionAsItIsWordWrapped) {
  const std::pair<std::u16string, std::vector<TextLine>> cases[] = {
      {u"Simon & Garfunkel - Mrs. Robinson", {{{0, 0}, u"Simon & Garfunkel -"}, {{0, 16}, u"Mrs. Robinson"}}},
      {u"A - B [Live] [b]", {{{0, 0}, u"A - B [Live] [b]"}}},
  };
  for (const auto& [caption, lines] : cases) {
    PlainLabel label;
    SimControlHost host(label, Size{120, 60});
    label.SetFont(FontSpec{u"Tahoma", 9.75});
    label.SetCaption(caption);
    EXPECT_EQ(host.Paint().OpsOf(CanvasOp::Kind::kDrawText).at(0).lines, lines);
    EXPECT_EQ(host.caption, caption);  // the window text, for screen readers and tests
  }
}

TEST(PlainLabel, AClickableLabelShowsTheHandAndTakesLeftClicks) {
  PlainLabel label;
  SimControlHost host(label, Size{120, 20});
  int clicks = 0;
  label.Click = [&] { ++clicks; };
  host.MouseMove(Point{6, 5});
  EXPECT_EQ(host.cursor, CursorKind::kHand);
  host.Click(Point{6, 5}, MouseButton::kRight);
  host.Click(Point{6, 5});
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace lanternfly
