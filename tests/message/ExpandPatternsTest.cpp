#include "message/ColorPatternParser.h"

#include <gtest/gtest.h>

#include "message/Random.h"
#include "message/WinMXColorText.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

struct Case {
  std::u16string_view in;
  std::u16string_view out;
};

void ExpectExpansions(const PatternDatabase& patterns, std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(ExpandPatterns(c.in, patterns), c.out) << Utf16ToUtf8(c.in);
}

TEST(ExpandPatterns, ColourBlocks) {
  ExpectExpansions(PatternDatabase(), {
      {u"[c,2,1,4]Hello[/c]", u"#c1#He#c4#ll#c1#o"},
      {u"[c,1,1,4]Hi you[/c]!", u"#c1#H#c4#i #c1#y#c4#o#c1#u!"},
      {u"[c,3,12]abcdefg[/c]", u"#c12#abc#c12#def#c12#g"},
      {u"[c,0,7,0]abcd[/c]", u"#c7#ab#c?#cd"},
      {u"x[c,1,2]a[/c]y[c,1,3]b[/c]z", u"x#c2#ay#c3#bz"},
      {u"[c,1,2]]x[/c]", u"#c2#]#c2#x"},  // only the first "]" ends the script
  });
}

TEST(ExpandPatterns, MalformedColourBlocks) {
  ExpectExpansions(PatternDatabase(), {
      {u"[c,1]abc[/c]", u"Invalid Format"},
      {u"a[c,1]b[/c]c[c,1,2]d[/c]", u"aInvalid Formatc#c2#d"},  // each script counts its own commas
      {u"[c,1,2 abc[/c]x", u"x"},
      {u"a[c,1,5]bc", u"a1,5]bc"},
      {u"[c,1,2]x[/c]y[/c]z", u"#c2#xyz"},
      {u"[C,1,2]x[/C]", u"[C,1,2]x[/C]"},
      {u"[c,", u"[c,"},  // nothing left: the text comes back as it was
  });
}

TEST(ExpandPatterns, DefaultBlocksUseTheTemporaryPatternWhenNoneMatches) {
  ExpectExpansions(PatternDatabase(), {
      {u"[d]ab c[/d]", u"#c?#a#c?#b #c?#c"},
      {u"#c1#is listening to [d]Abc - Hey[/d]", u"#c1#is listening to #c?#A#c?#b#c?#c #c?#- #c?#H#c?#e#c?#y"},
      {u"x[d]abc", u"xabc"},
      {u"[d][/d]", u"[d][/d]"},
      {u"[D]x[/D]", u"[D]x[/D]"},
      {u"", u""},
  });
}

TEST(ExpandPatterns, DefaultBlocksUseTheNamedPattern) {
  PatternDatabase patterns;
  ColorPattern warm = ParseColorScript(u"2,51,52,53,54,55,56,57,58,59");
  warm.Name = u"Warm";
  patterns.AddPattern(warm);
  patterns.DefaultPattern = u"Warm";
  ExpectExpansions(patterns, {
      {u"[d]Hello World[/d]", u"#c51#He#c52#ll#c53#o #c54#Wo#c55#rl#c56#d"},
      // The default template of a fresh setup.
      {u"#c1#is listening to [d]Abc - Hey[/d]", u"#c1#is listening to #c51#Ab#c52#c #c53#- #c54#He#c55#y"},
  });
}

TEST(ExpandPatterns, DefaultBlockInsideColourBlockIsColouredTwice) {
  PatternDatabase patterns;
  EXPECT_EQ(ExpandPatterns(u"[c,1,5][d]a[/d][/c]", patterns), u"#c5###c5#c#c5#?#c5###c5#a");
}

TEST(ExpandFirstColorBlock, ExpandsOneBlockAndDropsWhatFollowsTheNext) {
  EXPECT_EQ(ExpandFirstColorBlock(u"[c,2,1,4]ab[/c] [c,1,8]cd[/c]"), u"#c1#ab ");
  EXPECT_EQ(ExpandPatterns(u"[c,2,1,4]ab[/c] [c,1,8]cd[/c]", PatternDatabase()), u"#c1#ab #c8#c#c8#d");
  EXPECT_EQ(ExpandFirstColorBlock(u"pre[c,1 x[/c]mid[c,1,3]ab[/c]post[c,1,4]z[/c]"), u"premid#c3#a#c3#bpost");
  EXPECT_EQ(ExpandFirstColorBlock(u"[c,1]x[/c]tail[c,1,2]y[/c]"), u"Invalid Formattail");
  EXPECT_EQ(ExpandFirstColorBlock(u"[d]x[/d]"), u"[d]x[/d]");
  EXPECT_EQ(ExpandFirstColorBlock(u"[c,1,2]"), u"1,2]");
}

TEST(FirstColorScript, ScriptOfTheFirstCompleteBlockOrTheFallback) {
  EXPECT_EQ(FirstColorScript(u"[c,1,4,6]Test[/c][c,2,9]x[/c]"), u"1,4,6");
  EXPECT_EQ(FirstColorScript(u"[c,1 x[/c][c,2,9]x[/c]"), u"2,9");
  EXPECT_EQ(FirstColorScript(u"[c,1,2]x"), u"c,1,1");
}

TEST(ValidateColorScript, ExaminesOnlyTheFirstCompleteBlock) {
  EXPECT_EQ(ValidateColorScript(u"[c,5]x[/c]"), u"Invalid Color Script Format");
  EXPECT_EQ(ValidateColorScript(u"hello"), u"No beginning script id was found [c]");
  EXPECT_EQ(ValidateColorScript(u"[c,1,2]x"), u"Valid");
  EXPECT_EQ(ValidateColorScript(u"[c,1,2]x[/c][c,5]y[/c]"), u"Valid");
  EXPECT_EQ(ValidateColorScript(u"[c,1 x[/c][c,5]y[/c]"), u"Invalid Color Script Format");
}

// Whatever the user types, every operation on it ends with a text and touches
// nothing outside it (the sanitizer build watches the second half).
TEST(ExpandPatterns, ArbitraryMarkerSoupNeverFails) {
  const std::u16string_view tokens[] = {u"[d]", u"[/d]", u"[c,", u"[/c]", u"]", u",", u"1", u"0", u"a", u" ",
                                        u"#c", u"#", u"\U0001F3B5", u"\xD800"};
  Random random(7);
  PatternDatabase patterns;
  patterns.AddPattern(RainbowLightPattern());
  patterns.DefaultPattern = kRainbowLightName;
  for (int round = 0; round < 3000; ++round) {
    std::u16string text;
    for (int n = random.Below(12); n > 0; --n) text += tokens[random.Below(std::size(tokens))];
    std::u16string expanded = ExpandPatterns(text, patterns);
    EXPECT_EQ(expanded.empty(), text.empty());
    ExpandFirstColorBlock(text);
    FirstColorScript(text);
    ValidateColorScript(text);
    WinMXToMarkup(expanded);
  }
}

}  // namespace
}  // namespace lanternfly
