#pragma once

// What a player reader hands over about the song its player plays: a flag
// and ready-made display texts, so the display message only substitutes text.

#include <cstdint>
#include <string>

#include "platform/Desktop.h"

namespace lanternfly {

struct SongInformation {
  bool Active = false;  // the player was found and read; otherwise the texts carry nothing
  std::u16string ArtistSong;  // Artist + " - " + Song
  std::u16string Artist;
  std::u16string Song;
  std::u16string Bitrate;           // kbit/s
  std::u16string Channels;
  std::u16string ChannelMode;       // "Mono" or "Stereo"
  std::u16string Frequency;         // sample rate; "44100Hz" from the Winamp readers
  std::u16string PlaylistLength;
  std::u16string PlaylistPosition;  // counted from 1
  std::u16string SongLength;        // clock texts "mm:ss"
  std::u16string SongPosition;
  std::u16string SongRemaining;
  std::u16string FileSize;          // "3.52 MB"
  std::u16string Album;
  std::u16string Year;
  std::u16string Genre;
  std::u16string TrackNumber;

  bool operator==(const SongInformation&) const = default;
};

// A title line "Artist - Song" split at its first " - ": the artist before
// it (the whole text when there is none), the song after it (else empty).
void SplitArtistSong(std::u16string_view text, std::u16string& artist, std::u16string& song);

// The title line of the record: Artist + " - " + Song, also when one is empty.
inline std::u16string JoinArtistSong(const SongInformation& song) { return song.Artist + u" - " + song.Song; }

// Minutes and seconds of the time of day `seconds` after midnight, the
// seconds rounded: "02:05" for 3,725. Hours are not written; a negative
// value shows its magnitude.
std::u16string ClockText(double seconds);

// The system's size text for a byte count ("4.76 MB").
std::u16string FormatByteSize(Desktop& desktop, std::int32_t bytes);

// What the Winamp readers show for a field that the song's file left empty.
void ApplySongDefaults(SongInformation& song);

}  // namespace lanternfly
