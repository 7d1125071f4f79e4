#include "players/iTunesReader.h"

#include "text/Text.h"

namespace lanternfly {
namespace {

std::u16string Digits(const std::optional<std::int32_t>& number) {
  return number ? ToDecimal(*number) : std::u16string();
}

}  // namespace

SongInformation ReadiTunesSong(ITunesAutomation& iTunes, Desktop& desktop) {
  SongInformation song;
  if (!iTunes.Connect()) return song;
  std::unique_ptr<ITunesTrack> track = iTunes.CurrentTrack();
  if (!track) return song;
  song.Active = true;
  song.Album = track->Album().value_or(u"");
  song.Artist = track->Artist().value_or(u"");
  song.Bitrate = Digits(track->BitRate());
  if (std::optional<std::int32_t> duration = track->Duration()) song.SongLength = ClockText(*duration);
  song.Song = track->Name().value_or(u"");
  song.Frequency = Digits(track->SampleRate());
  if (std::optional<std::int32_t> size = track->Size()) song.FileSize = FormatByteSize(desktop, *size);
  song.Year = Digits(track->Year());
  song.Genre = track->Genre().value_or(u"");
  song.ArtistSong = JoinArtistSong(song);
  return song;
}

}  // namespace lanternfly
