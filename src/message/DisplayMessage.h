#pragma once

// The display message: the one line typed into the chat rooms for a song.

#include <string_view>

namespace lanternfly {

// The template a fresh setup starts with.
inline constexpr std::u16string_view kDefaultDisplayFormat = u"#c1#is listening to [d]%ARTISTSONG%[/d]";

}  // namespace lanternfly
