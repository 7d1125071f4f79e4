#pragma once

// Which players run, as the captions of the main window's four player choices.

#include <string>

#include "players/PlayerReaders.h"

namespace lanternfly {

struct PlayerCaptions {
  std::u16string Winamp = u"Winamp";
  std::u16string iTunes = u"iTunes";
  std::u16string Foobar = u"Foobar";
  std::u16string VLC = u"VLC";

  bool operator==(const PlayerCaptions&) const = default;
};

// The caption that makes the song poll leave Winamp alone: the "Winamp v1.x"
// window belongs to foobar2000's plug-in.
inline constexpr std::u16string_view kWinampCloneCaption = u"Winamp (OFF: Clone)";

// One detection tick: VLC, foobar2000 (whose song is read), Winamp, iTunes.
PlayerCaptions DetectPlayers(PlayerReaders& readers);

}  // namespace lanternfly
