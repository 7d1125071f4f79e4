#include "message/PatternText.h"

#include <gtest/gtest.h>

#include "message/PatternDatabase.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

TEST(PatternText, ReadsAndWritesBackTheSavedForm) {
  std::u16string hundredFifty = u"Long=1";
  for (int i = 1; i <= 150; ++i) hundredFifty += u"." + ToDecimal(i);
  std::u16string hundred = u"Long=1";
  for (int i = 1; i <= 100; ++i) hundred += u"." + ToDecimal(i);
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"Rainbow Light=2.51.52.53.54.55.56.57.58.59", u"Rainbow Light=2.51.52.53.54.55.56.57.58.59"},
      {u"Warm=12.8.57", u"Warm=2.8.57"},  // out of range or not numbers: replaced
      {u"Mixed=3.x..300", u"Mixed=3.1.1.1"},
      {u"a=b=2.1", u"a=1"},
      {hundredFifty, hundred},  // the first 100 colours
      {u"Mine=2", u"Mine=2"},  // no colours: still written back
      {u"Bare=", u"Bare=1"},
  };
  Random random(42);
  for (const auto& [saved, written] : cases) {
    std::optional<ColorPattern> pattern = ParsePatternText(saved, random);
    ASSERT_TRUE(pattern) << Utf16ToUtf8(saved);
    EXPECT_EQ(PatternToText(*pattern), written);
  }
  EXPECT_EQ(ParsePatternText(u"Rainbow Light=2.51.52.53.54.55.56.57.58.59", random), RainbowLightPattern());
  EXPECT_FALSE(ParsePatternText(u"Rainbow Light", random));
}

}  // namespace
}  // namespace lanternfly
