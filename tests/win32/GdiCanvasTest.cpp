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
  EXPECT_EQ(canvas.Pixel({39, 29}), kWhite);  // a new surface is white
  canvas.FillRect({2, 2, 6, 5}, kFill);
  canvas.RoundRect({10, 2, 20, 12}, 0, kPen, kFill);
  canvas.RoundRect({22, 2, 32, 12}, 0, kPen, std::nullopt);
  canvas.Line({0, 20}, {10, 20}, kPen);
  canvas.SetPixel({39, 0}, kPen);
  struct Case {
    Point at;
    Colour expected;
  } cases[] = {
      {{2, 2}, kFill},  {{5, 4}, kFill},   {{6, 4}, kWhite}, {{5, 5}, kWhite},  // fill: right/bottom out
      {{10, 2}, kPen},  {{19, 11}, kPen},  {{20, 11}, kWhite}, {{15, 7}, kFill},  // outline inside the rect
      {{26, 7}, kWhite},                                                          // hollow
      {{0, 20}, kPen},  {{9, 20}, kPen},   {{10, 20}, kWhite},                    // line: end point out
      {{39, 0}, kPen},  {{40, 0}, 0},                                             // outside: nothing
  };
  for (const Case& c : cases) EXPECT_EQ(canvas.Pixel(c.at), c.expected) << c.at.x << "," << c.at.y;
}

TEST(GdiCanvas, TextLayoutReportsWhereItDrew) {
  GdiCanvas canvas({200, 60});
  canvas.SetFont(FontSpec{u"Tahoma", 8.25});
  const Size ok = canvas.MeasureText(u"OK");
  EXPECT_GT(ok.width, 0);
  EXPECT_EQ(canvas.MeasureText(u"").height, ok.height);
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

  const Rect wrapped = canvas.DrawText(u"one two three four", {0, 30, 40, 60}, kWordBreak | kCalcRect, 0);
  EXPECT_GE(wrapped.Height(), 3 * ok.height);
  EXPECT_LE(wrapped.Width(), 40 + ok.width);
}

TEST(GdiCanvas, FontSizesFollowTheScreensResolution) {
  GdiCanvas canvas({10, 10});
  canvas.SetFont(FontSpec{u"Tahoma", 9.75});
  TEXTMETRICW metrics{};
  GetTextMetricsW(canvas.Dc(), &metrics);
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 13);  // 9.75 points at 96 dots per inch
  canvas.SetFont(FontSpec{u"Tahoma", 9.75, true});
  GetTextMetricsW(canvas.Dc(), &metrics);
  EXPECT_EQ(metrics.tmWeight, FW_BOLD);
}

}  // namespace
}  // namespace lanternfly
