#pragma once

// The readers of the players that are followed through their windows:
// Winamp, foobar2000 (through the Winamp-compatible window its plug-in
// opens) and VLC (through its window title), and the window searches that
// tell which players run. Every call looks the players up afresh.

#include <optional>
#include <string>

#include "metadata/ID3Tag.h"
#include "metadata/MPEGInfo.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/ITunesAutomation.h"
#include "players/SongInformation.h"
#include "players/iTunesReader.h"
#include "players/WinAmp.h"

namespace lanternfly {

class PlayerReaders {
 public:
  PlayerReaders(Desktop& desktop, const Files& files, ITunesAutomation& iTunes)
      : desktop_(desktop), files_(files), iTunes_(iTunes), winamp_(desktop) {}

  SongInformation ReadWinampSong();
  SongInformation ReadFoobarSong();
  SongInformation ReadVLCSong();
  SongInformation ReadiTunesSong() { return lanternfly::ReadiTunesSong(iTunes_, desktop_); }

  // The part of the first VLC window's title in front of " - VLC media", or
  // "NULL" when no title (of its first 99 characters) holds " - VLC media player".
  std::u16string FindVLCTitle();
  // A top-level title holds "foobar2000".
  bool IsFoobarOpen();
  // A top-level window titled with "iTunes" has a direct child titled with "cover flow".
  bool IsiTunesOpen();

  WinAmp& Winamp() { return winamp_; }

  // One song poll's tick lives in one: the poll that finds a new song, the
  // announcement with its fresh read, and the room list. While one lives,
  // the Winamp and foobar2000 readers read a song file once and take it as
  // it was for every further read of the same path; without one, every read
  // looks at the file afresh. It is also a Desktop::Round, so a player or
  // chat client that hangs costs the tick one bounded wait, not one per read
  // or room; the next tick asks it again.
  class KeepSongFile {
   public:
    explicit KeepSongFile(PlayerReaders& readers);
    ~KeepSongFile();
    KeepSongFile(const KeepSongFile&) = delete;
    KeepSongFile& operator=(const KeepSongFile&) = delete;

   private:
    PlayerReaders& readers_;
    Desktop::Round round_;
  };

 private:
  // What a song file says: its header (for its size) and its ID3v1 tag.
  struct SongFile {
    std::u16string path;
    MPEGInfo info;
    ID3Tag tag;
  };
  const SongFile& ReadSongFile(std::u16string path);

  // The title (99 characters at most) of the first top-level window whose
  // title holds `part`, as it was read for that test.
  std::optional<std::u16string> FindTitled(std::u16string_view part);

  Desktop& desktop_;
  const Files& files_;
  ITunesAutomation& iTunes_;
  WinAmp winamp_;
  int keepDepth_ = 0;
  std::optional<SongFile> kept_;  // the last file read; reused only while one KeepSongFile lives
};

}  // namespace lanternfly
