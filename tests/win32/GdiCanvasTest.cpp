// The drawing seam on GDI: the shapes keep the seam's edge rules, text goes
// through the W entry points, and DrawText reports where it drew.

#include <gtest/gtest.h>

#include "platform/win32/GdiCanvas.h"

namespace lanternfly {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255), kPen = Rgb(10, 20, 30), kFill = Rgb(222, 236, 245);

TEST(GdiCanvas, ShapesLeaveOutTheirRightAndBottomEdges) {
  GdiCanvas canvas({40, 30});
  ASSERT_TRUE(canvas.Valid());
  canvas.FillRect({2, 2, 6, 5}, kFill);
  canvas.RoundRect({10, 2, 20, 12}, 0, kPen, kFill);
  canvas.RoundRect({22, 2, 32, 12}, 0, kPen, std::nullopt);
  canvas.Line({0, 20}, {10, 20}, kPen);
  canvas.SetPixel({39, 0}, kPen);
  const std::pair<Point, Colour> cases[] = {
      {{5, 4}, kFill},  {{6, 4}, kWhite}, {{5, 5}, kWhite},   // fill: right and bottom out
      {{19, 11}, kPen}, {{20, 11}, kWhite}, {{15, 7}, kFill}, {{26, 7}, kWhite},  // outline inside; hollow
      {{9, 20}, kPen},  {{10, 20}, kWhite}, {{39, 0}, kPen},  {{40, 0}, 0},       // line: end out; outside
  };
  for (const auto& [at, colour] : cases) EXPECT_EQ(canvas.Pixel(at), colour) << at.x << "," << at.y;
}

TEST(GdiCanvas, TextLayoutReportsWhereItDrew) {
  GdiCanvas canvas({200, 60});
  canvas.SetFont(FontSpec{u"Tahoma", 8.25});
  const Size ok = canvas.MeasureText(u"OK");
  EXPECT_EQ(canvas.MeasureText(u"\u4e2d\u6587").height, ok.height);  // UTF-16, no code page in between

  using namespace text_flags;
  const Rect rect{10, 0, 110, 21};
  EXPECT_EQ(canvas.DrawText(u"OK", rect, kSingleLine | kCalcRect, 0), (Rect{10, 0, 10 + ok.width, ok.height}));
  const Rect centred = canvas.DrawText(u"OK", rect, kSingleLine | kCenter | kVCenter, kPen);
  EXPECT_EQ(centred, (Rect{(120 - ok.width) / 2, 10 - ok.height / 2, (120 - ok.width) / 2 + ok.width,
                           10 - ok.height / 2 + ok.height}));
  int inked = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 120; ++x) inked += canvas.Pixel({x, y}) != kWhite && !centred.Contains({x, y});
  EXPECT_EQ(inked, 0);  // nothing drawn outside the reported place
}

}  // namespace
}  // namespace lanternfly
