#pragma once

// The two text forms of a colour pattern:
//   saved form   "Rainbow Light=2.51.52.53"  (the value of a "SavedPattern=" line)
//   editor form  "[c,2,51,52,53]testing 1234567890[/c]"

#include <optional>
#include <string>
#include <string_view>

#include "message/ColorPattern.h"
#include "message/Random.h"

namespace lanternfly {

std::u16string PatternToText(const ColorPattern& pattern);

std::u16string PatternTestText(const ColorPattern& pattern);

// Reads the saved form. Nothing when the text has no "=". A name that is
// empty becomes "Nameless" and a random number from 0 to 65534; a name that
// holds "=" is cut there and its rest read as the skip.
std::optional<ColorPattern> ParsePatternText(std::u16string_view saved, Random& random);

}  // namespace lanternfly
