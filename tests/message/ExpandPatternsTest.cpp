#include "message/ColorPatternParser.h"

#include <gtest/gtest.h>

#include "text/Text.h"

namespace lanternfly {
namespace {

TEST(ExpandPatterns, ColoursBlocksAndLeavesBadOnesAsTheyRead) {
  PatternDatabase patterns;
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {u"[c,2,1,4]Hello[/c]", u"#c1#He#c4#ll#c1#o"},
      {u"[c,1,2]]x[/c]", u"#c2#]#c2#x"},  // only the first "]" ends the script
      {u"a[c,1]b[/c]c[c,1,2]d[/c]", u"aInvalid Formatc#c2#d"},  // each script counts its own commas
      {u"[c,1,2 abc[/c]x", u"x"},
      {u"a[c,1,5]bc", u"a1,5]bc"},
      {u"[c,1,2]x[/c]y[/c]z", u"#c2#xyz"},
      {u"[C,1,2]x[/C]", u"[C,1,2]x[/C]"},
      // Without a default pattern, [d] takes the temporary one: random colours.
      {u"[d]ab c[/d]", u"#c?#a#c?#b #c?#c"},
      {u"[d][/d]", u"[d][/d]"},
      {u"[c,1,5][d]a[/d][/c]", u"#c5###c5#c#c5#?#c5###c5#a"},  // coloured twice
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ExpandPatterns(in, patterns), out) << Utf16ToUtf8(in);
}

TEST(ExpandFirstColorBlock, ExpandsOneBlockAndDropsWhatFollowsTheNext) {
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {u"[c,2,1,4]ab[/c] [c,1,8]cd[/c]", u"#c1#ab "},
      {u"pre[c,1 x[/c]mid[c,1,3]ab[/c]post[c,1,4]z[/c]", u"premid#c3#a#c3#bpost"},
      {u"[c,1]x[/c]tail[c,1,2]y[/c]", u"Invalid Formattail"},
      {u"[d]x[/d]", u"[d]x[/d]"},
      {u"[c,1,2]", u"1,2]"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ExpandFirstColorBlock(in), out) << Utf16ToUtf8(in);
}

TEST(ValidateColorScript, ExaminesOnlyTheFirstCompleteBlock) {
  const std::tuple<std::u16string_view, std::u16string_view, std::u16string_view> cases[] = {
      // text, its verdict, the script the editor reads
      {u"[c,5]x[/c]", u"Invalid Color Script Format", u"5"},
      {u"hello", u"No beginning script id was found [c]", u"c,1,1"},
      {u"[c,1,2]x", u"Valid", u"c,1,1"},
      {u"[c,1,2]x[/c][c,5]y[/c]", u"Valid", u"1,2"},
      {u"[c,1 x[/c][c,5]y[/c]", u"Invalid Color Script Format", u"5"},
  };
  for (const auto& [text, verdict, script] : cases) {
    EXPECT_EQ(ValidateColorScript(text), verdict) << Utf16ToUtf8(text);
    EXPECT_EQ(FirstColorScript(text), script) << Utf16ToUtf8(text);
  }
}

}  // namespace
}  // namespace lanternfly
