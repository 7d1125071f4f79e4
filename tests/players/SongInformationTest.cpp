#include "players/SongInformation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lanternfly {
namespace {

TEST(ClockText, MinutesAndRoundedSecondsOfTheTimeOfDay) {
  struct Case {
    double seconds;
    std::u16string_view text;
  } cases[] = {{0, u"00:00"},      {59.4, u"00:59"},   {59.6, u"01:00"},   {3'600, u"00:00"},
               {3'725, u"02:05"},  {125.0, u"02:05"},  {187.655, u"03:08"}, {-1, u"00:01"},
               {-187.655, u"03:08"}, {86'399.6, u"00:00"}, {NAN, u"00:00"}};
  for (const Case& c : cases) EXPECT_EQ(ClockText(c.seconds), c.text) << c.seconds;
}

}  // namespace
}  // namespace lanternfly
