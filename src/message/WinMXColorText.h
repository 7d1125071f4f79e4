#pragma once

// WinMX colour codes ("#c4#") turned into the markup label's colour tags
// ("[color=#80FF00]") for the settings window's previews. Nothing that is
// sent to a chat room passes through here.

#include <string>
#include <string_view>

namespace lanternfly {

// A blank, then the text with every code of the colour table replaced by its
// tag. Codes the table lacks ("#c?#", 0, 37 to 50, above 255, "#c01#") stay.
// Every "[" of the text is doubled, so the label shows the room's text as it
// is ("[np]", "[Live]") instead of reading it as markup.
std::u16string WinMXToMarkup(std::u16string_view text);

// The text as a chat room shows it: every colour code ("#c" with one to
// three digits or "?", then "#") taken out.
std::u16string WinMXToPlainText(std::u16string_view text);

}  // namespace lanternfly
