// The colour block language: expansion, the first block, the editor's check
// and the script reader. Malformed blocks never fail, never grow the text
// beyond one code per character, and every pattern read is one the colouring
// can use.

#include <algorithm>

#include "FuzzTarget.h"
#include "message/ColorPatternParser.h"
#include "message/WinMXColorText.h"
#include "text/Text.h"

namespace lanternfly::fuzz {
namespace {

std::u16string Describe(const ColorPattern& pattern) {
  std::u16string text = u"skip " + ToDecimal(pattern.Skip) + u", colours";
  for (std::int32_t color : pattern.Colors) text += u" " + ToDecimal(color);
  return text + u", count " + ToDecimal(pattern.ColorCount);
}

void CheckPattern(const ColorPattern& pattern, std::int32_t fewestColors) {
  bool holds = pattern.Skip >= 1 && pattern.Skip <= 10 && pattern.ColorCount >= fewestColors &&
               pattern.ColorCount <= ColorPattern::kMaxColors && pattern.Name.empty();
  for (std::int32_t i = 0; holds && i < ColorPattern::kMaxColors; ++i) {
    std::int32_t color = pattern.Colors[static_cast<std::size_t>(i)];
    holds = i < pattern.ColorCount ? color >= 0 && color <= 255 : color == 0;
  }
  Expect(holds, "a script reads as skip 1 to 10 and colours 0 to 255, unused slots 0", Describe(pattern));
}

// Colouring only inserts codes: taking them out gives the text back.
void CheckColoring(std::u16string_view text, const ColorPattern& pattern) {
  std::u16string plain(text);
  std::erase(plain, u'#');
  std::u16string colored = ApplyPattern(plain, pattern);
  Expect(WinMXToPlainText(colored) == plain, "colouring only inserts colour codes", colored);
}

}  // namespace

void FuzzColor(Input data) {
  static const PatternDatabase noDefault;
  auto only = [](const ColorPattern& pattern) {
    PatternDatabase patterns;
    patterns.AddPattern(pattern);
    patterns.DefaultPattern = pattern.Name;
    return patterns;
  };
  static const PatternDatabase rainbow = only(RainbowLightPattern());
  // A saved pattern without colours ("Mine=2" in settings.ini) as the default.
  static const PatternDatabase colorless = only(ColorPattern{.Name = u"Mine", .Colors = {}, .ColorCount = 0, .Skip = 2});
  const std::u16string text = Text(data);
  // At most a code of six characters before each character, for a default
  // block and again for a colour block around it; "Invalid Format" is
  // shorter than twice the smallest block it replaces.
  const std::size_t bound = 49 * text.size() + 14;
  for (const PatternDatabase* patterns : {&noDefault, &rainbow, &colorless}) {
    std::u16string expanded = ExpandPatterns(text, *patterns);
    Expect(expanded.size() <= bound, "expansion adds at most one code per character", expanded);
    if (!Contains(text, u"[d]") && !Contains(text, u"[c,")) {
      Expect(expanded == text, "a text without blocks stays as it is", expanded);
    }
  }
  std::u16string first = ExpandFirstColorBlock(text);
  Expect(first.size() <= 7 * text.size() + 14, "the first block adds at most one code per character", first);

  std::u16string verdict = ValidateColorScript(text);
  Expect(verdict == u"Valid" || verdict == u"No beginning script id was found [c]" ||
             verdict == u"Invalid Color Script Format",
         "the check answers one of its three messages", verdict);
  // The pattern editor stores what a valid entry's first script reads as.
  ColorPattern accepted = ParseColorScript(FirstColorScript(text));
  CheckPattern(accepted, verdict == u"Valid" ? 1 : 0);
  CheckColoring(text, accepted);

  ColorPattern whole = ParseColorScript(text);
  CheckPattern(whole, 0);
  CheckColoring(text, whole);
}

}  // namespace lanternfly::fuzz
