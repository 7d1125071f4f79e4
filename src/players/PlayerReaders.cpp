#include "players/PlayerReaders.h"

#include "metadata/ID3Tag.h"
#include "metadata/MPEGInfo.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

// Window titles are read into a buffer of 100 bytes.
constexpr int kTitleLimit = 100;

std::u16string Digits(std::int64_t number) { return ToDecimal(number); }

}  // namespace

std::optional<std::u16string> PlayerReaders::FindTitled(std::u16string_view part) {
  for (WindowHandle window : desktop_.Windows()) {
    std::u16string title = desktop_.Title(window, kTitleLimit);
    if (Contains(title, part)) return title;
  }
  return std::nullopt;
}

std::u16string PlayerReaders::FindVLCTitle() {
  // The title that matched is the one split: read again, it may already
  // belong to the next song, or to no song at all.
  std::optional<std::u16string> title = FindTitled(u" - VLC media player");
  if (!title) return u"NULL";
  return title->substr(0, title->find(u" - VLC media"));
}

bool PlayerReaders::IsFoobarOpen() { return FindTitled(u"foobar2000").has_value(); }

bool PlayerReaders::IsiTunesOpen() {
  for (WindowHandle window : desktop_.Windows()) {
    if (!Contains(desktop_.Title(window, kTitleLimit), u"iTunes")) continue;
    for (WindowHandle child : desktop_.Windows(window)) {
      if (Contains(desktop_.Title(child, kTitleLimit), u"cover flow")) return true;
    }
  }
  return false;
}

const PlayerReaders::SongFile& PlayerReaders::ReadSongFile(std::u16string path) {
  if (keepDepth_ > 0 && kept_ && kept_->path == path) return *kept_;
  // Its size and its ID3v1 tag, from one opening of the file.
  SongFile file;
  file.path = std::move(path);
  if (std::unique_ptr<ReadableFile> opened = OpenSongFile(files_, desktop_.Text(), file.path)) {
    ReadMPEGInfoAndID3v1(*opened, desktop_.Text(), file.info, file.tag);
  }
  kept_ = std::move(file);
  return *kept_;
}

// Only what was read while one lives is kept: a file read before may have
// changed since.
PlayerReaders::KeepSongFile::KeepSongFile(PlayerReaders& readers) : readers_(readers), round_(readers.desktop_) {
  if (readers_.keepDepth_++ == 0) readers_.kept_.reset();
}

PlayerReaders::KeepSongFile::~KeepSongFile() {
  if (--readers_.keepDepth_ == 0) readers_.kept_.reset();
}

SongInformation PlayerReaders::ReadWinampSong() {
  // A player that hangs costs one bounded wait for the whole read.
  Desktop::Round round(desktop_);
  SongInformation song;
  song.Active = winamp_.IsWinampOpen() == 1;
  if (!song.Active) return song;

  // Artist and song from one reading of the title, so that a song change
  // between two readings cannot pair one song's artist with another's title.
  SplitArtistSong(winamp_.GetWorkingTitle(), song.Artist, song.Song);
  song.Bitrate = Digits(winamp_.GetBitrate());
  std::int32_t frequency = winamp_.GetSampleRate();
  song.Channels = Digits(winamp_.GetChannels());
  song.ChannelMode = winamp_.GetChannelMode();
  song.PlaylistLength = Digits(winamp_.GetPlaylistLength());
  std::int32_t position = winamp_.GetPlaylistPosition();
  std::int32_t lengthSeconds = winamp_.GetSongLength();
  double positionMilliseconds = winamp_.GetSongPosition();

  const SongFile& file = ReadSongFile(winamp_.GetCurrentFileName());
  const MPEGInfo& info = file.info;
  const ID3Tag& tag = file.tag;
  song.Album = tag.Album;
  song.Genre = tag.Genre;
  song.TrackNumber = tag.Track;
  song.Year = tag.Year;
  if (song.Artist.empty()) song.Artist = tag.Artist;
  if (song.Song.empty()) song.Song = tag.Title;
  song.FileSize = FormatByteSize(desktop_, info.FileSize);

  double remainingSeconds = lengthSeconds - positionMilliseconds / 1000;
  song.SongLength = ClockText(lengthSeconds);
  song.SongRemaining = ClockText(remainingSeconds);
  song.SongPosition = ClockText(positionMilliseconds / 1000);
  song.Frequency = Digits(frequency) + u"Hz";
  song.PlaylistPosition = Digits(std::int64_t{position} + 1);
  ApplySongDefaults(song);
  song.ArtistSong = JoinArtistSong(song);
  return song;
}

SongInformation PlayerReaders::ReadFoobarSong() {
  if (!IsFoobarOpen()) return SongInformation();
  return ReadWinampSong();
}

SongInformation PlayerReaders::ReadVLCSong() {
  std::u16string title = FindVLCTitle();
  SongInformation song;
  if (title == u"NULL") return song;
  song.Active = true;
  SplitArtistSong(title, song.Artist, song.Song);
  song.ArtistSong = JoinArtistSong(song);
  return song;
}

}  // namespace lanternfly
