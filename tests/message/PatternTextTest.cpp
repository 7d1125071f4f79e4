#include "message/PatternText.h"

#include <gtest/gtest.h>

#include "message/PatternDatabase.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

class PatternTextTest : public ::testing::Test {
 protected:
  ColorPattern Parse(std::u16string_view saved) {
    std::optional<ColorPattern> pattern = ParsePatternText(saved, random_);
    EXPECT_TRUE(pattern) << Utf16ToUtf8(saved);
    return pattern.value_or(ColorPattern());
  }

  Random random_{42};
};

TEST_F(PatternTextTest, RainbowLightReadsAndWritesBackIdentically) {
  ColorPattern pattern = Parse(u"Rainbow Light=2.51.52.53.54.55.56.57.58.59");
  EXPECT_EQ(pattern, RainbowLightPattern());
  EXPECT_EQ(PatternToText(pattern), u"Rainbow Light=2.51.52.53.54.55.56.57.58.59");
  EXPECT_EQ(PatternTestText(pattern), u"[c,2,51,52,53,54,55,56,57,58,59]testing 1234567890[/c]");
}

TEST_F(PatternTextTest, OutOfRangeAndNonNumbersAreReplaced) {
  EXPECT_EQ(PatternToText(Parse(u"Warm=12.8.57")), u"Warm=2.8.57");
  EXPECT_EQ(PatternToText(Parse(u"Mixed=3.x..300")), u"Mixed=3.1.1.1");
  EXPECT_EQ(PatternToText(Parse(u"a=b=2.1")), u"a=1");
}

TEST_F(PatternTextTest, MoreThan100ColoursReadAsTheFirst100) {
  std::u16string saved = u"Long=1";
  for (int i = 1; i <= 150; ++i) saved += u"." + ToDecimal(i);
  ColorPattern pattern = Parse(saved);
  EXPECT_EQ(pattern.ColorCount, 100);
  EXPECT_EQ(pattern.Colors[99], 100);
}

TEST_F(PatternTextTest, EmptyNameBecomesNamelessWithARandomNumber) {
  ColorPattern pattern = Parse(u"=1.4");
  ASSERT_EQ(pattern.Name.substr(0, 8), u"Nameless");
  EXPECT_TRUE(WholeInRange(ReadNumber(pattern.Name.substr(8)).value_or(-1), 0, 65534));
  EXPECT_EQ(PatternToText(pattern), pattern.Name + u"=1.4");
}

TEST_F(PatternTextTest, NoColoursGiveAPatternThatStillWritesBack) {
  ColorPattern mine = Parse(u"Mine=2");
  EXPECT_EQ(mine.ColorCount, 0);
  EXPECT_EQ(PatternToText(mine), u"Mine=2");
  ColorPattern bare = Parse(u"Bare=");
  EXPECT_EQ(bare.Skip, 1);
  EXPECT_EQ(bare.ColorCount, 0);
}

TEST_F(PatternTextTest, TextWithoutEqualsSignIsNoPattern) {
  EXPECT_FALSE(ParsePatternText(u"Rainbow Light", random_));
  EXPECT_FALSE(ParsePatternText(u"", random_));
  EXPECT_EQ(PatternTestText(Parse(u"R=1.0")), u"[c,1,0]testing 1234567890[/c]");
}

}  // namespace
}  // namespace lanternfly
