#pragma once

// Expansion of the template's blocks into WinMX colour codes:
//   default block  "[d]" text "[/d]"          coloured with the default pattern
//   colour block   "[c," script "]" text "[/c]" coloured with the script's pattern
// Malformed blocks never fail: their markers are dropped or the block becomes
// "Invalid Format", so whatever the user typed still produces a line.

#include <optional>
#include <string>
#include <string_view>

#include "message/PatternDatabase.h"

namespace lanternfly {

// Every default block, then every colour block. When that leaves nothing, the
// text is returned as it was.
std::u16string ExpandPatterns(std::u16string_view text, const PatternDatabase& patterns);

// Only the first complete colour block is expanded, and whatever follows the
// next "[c," after it is dropped; default blocks stay as written.
std::u16string ExpandFirstColorBlock(std::u16string_view text);

// The script of the first complete colour block, or nothing when there is none.
std::optional<std::u16string> FirstColorBlockScript(std::u16string_view text);

// The script of the first complete colour block, or "c,1,1" when there is none.
std::u16string FirstColorScript(std::u16string_view text);

// The pattern editor's check of an entry: "Valid" or the message to show.
std::u16string ValidateColorScript(std::u16string_view text);

}  // namespace lanternfly
