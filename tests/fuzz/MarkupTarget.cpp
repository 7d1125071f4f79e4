// The preview markup, against the conversion at its plainest, and the two
// text forms of a pattern.

#include "../message/MarkupByReplacing.h"
#include "FuzzTarget.h"
#include "message/ColorPatternParser.h"
#include "message/PatternText.h"
#include "message/WinMXColorText.h"
#include "text/Text.h"

namespace lanternfly::fuzz {
namespace {

void CheckSavedForm(std::u16string_view saved) {
  Random random(7);
  std::optional<ColorPattern> pattern = ParsePatternText(saved, random);
  Expect(pattern.has_value() == Contains(saved, u"="), "a saved form reads as a pattern exactly when it holds =");
  if (!pattern) return;
  Expect(!pattern->Name.empty() && !Contains(pattern->Name, u"="), "a pattern read has a name without =",
         pattern->Name);
  // What was read is written and read back unchanged: the settings file
  // keeps a pattern through any number of saves.
  std::u16string written = PatternToText(*pattern);
  std::optional<ColorPattern> reread = ParsePatternText(written, random);
  Expect(reread == pattern, "a pattern read back from its saved form is the same pattern", written);
  if (pattern->ColorCount == 0) return;
  // The editor form is a colour block that the editor accepts and reads as
  // the same skip and colours.
  std::u16string editor = PatternTestText(*pattern);
  Expect(ValidateColorScript(editor) == u"Valid", "the editor form passes the editor's check", editor);
  ColorPattern edited = ParseColorScript(FirstColorScript(editor));
  edited.Name = pattern->Name;
  Expect(edited == *pattern, "the editor form reads as the same pattern", editor);
}

}  // namespace

void FuzzMarkup(Input data) {
  const std::u16string text = Text(data);
  std::u16string markup = WinMXToMarkup(text);
  std::u16string expected = test::MarkupByReplacing(text);
  Expect(markup == expected, "the markup equals the replacement passes", markup + u"\nexpected\n" + expected);
  std::u16string plain = WinMXToPlainText(text);
  Expect(plain.size() <= text.size(), "taking codes out never adds text", plain);
  CheckSavedForm(text);
}

}  // namespace lanternfly::fuzz
