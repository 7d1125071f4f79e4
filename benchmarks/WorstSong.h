#pragma once

// The worst song for the display message: every text of it full of the
// variables that are substituted after it, and of colour blocks, so that
// without a bound each of the 19 steps multiplies the message.

#include <string>
#include <string_view>

#include "players/SongInformation.h"
#include "settings/Settings.h"

namespace lanternfly::test {

inline void MakeWorstSong(SongInformation& song, Settings& settings) {
  static constexpr std::u16string_view kVariables[] = {
      u"%ARTISTSONG%", u"%ARTIST%", u"%SONG%", u"%BITRATE%", u"%CHANNELS%", u"%CHANNELMODE%", u"%FREQUENCY%",
      u"%PLYLSTLEN%", u"%PLYLSTPOS%", u"%SONGLEN%", u"%SONGPOS%", u"%SONGREM%", u"%FILESIZE%", u"%ALBUM%",
      u"%YEAR%", u"%GENRE%", u"%TRACKNUM%", u"%RAND%", u"%PLAYER%"};
  // About 4,000 units of the variables after step `step`, over and over.
  auto later = [](std::size_t step) {
    std::u16string text;
    while (text.size() < 4000) {
      for (std::size_t next = step + 1; next < std::size(kVariables); ++next) text += kVariables[next];
      text += u"[d]x[/d][c,1,2]y[/c]";
    }
    return text;
  };
  std::u16string* fields[] = {&song.ArtistSong, &song.Artist,      &song.Song,     &song.Bitrate,
                              &song.Channels,   &song.ChannelMode, &song.Frequency};
  for (std::size_t i = 0; i < std::size(fields); ++i) *fields[i] = later(i);
  // The time and playlist (steps 8 to 12) come from a fresh read of the player.
  song.FileSize = later(12);
  song.Album = later(13);
  song.Year = later(14);
  song.Genre = later(15);
  song.TrackNumber = later(16);
  settings.RandomWords[0] = later(17);
  settings.SelectedPlayer = later(18);
}

}  // namespace lanternfly::test
