#pragma once

// Winamp's main window, or any program's window that imitates it (class
// "Winamp v1.x"), asked through Winamp's inter-process messages: WM_USER with
// the query number in lParam and its argument in wParam. Every message is
// bounded; one that goes unanswered counts as the answer 0.

#include <cstdint>
#include <string>

#include "platform/Desktop.h"

namespace lanternfly {

class WinAmp {
 public:
  explicit WinAmp(Desktop& desktop) : desktop_(desktop) {}

  // 1 when a "Winamp v1.x" window exists, else 0; keeps the window found
  // (or none) as the one the numeric queries ask.
  int IsWinampOpen();
  WindowHandle FindWinampWindow();

  // The numeric queries, sent to the window the last IsWinampOpen kept.
  std::int32_t GetSongLength();     // seconds; -1 when the player does not know
  double GetSongPosition();         // milliseconds
  std::int32_t GetPlaylistLength();
  std::int32_t GetPlaylistPosition();  // counted from 0
  std::int32_t GetBitrate();           // kbit/s
  std::int32_t GetChannels();
  std::u16string GetChannelMode();     // "Mono" for one channel, else "Stereo"
  std::int32_t GetSampleRate();        // Hz

  // Artist and song from the window title "3. Artist - Song - Winamp";
  // each reads the title afresh.
  std::u16string GetTitleArtist();
  std::u16string GetTitleSong();
  // The title read once, as WinampWorkingTitle leaves it: "Artist - Song".
  std::u16string GetWorkingTitle();

  // The full path of the playing file, read from the player's memory; empty
  // when there is none or it cannot be read.
  std::u16string GetCurrentFileName();

 private:
  // Sends one query; unanswered counts as 0. Inside a Desktop::Round a
  // player that left one query unanswered is not waited for again.
  std::uint32_t Ask(WindowHandle window, std::uint64_t wParam, std::int64_t query);

  Desktop& desktop_;
  WindowHandle queryWindow_{};
  WindowHandle fileNameWindow_{};
};

// The rate in Hz behind a sample rate in whole kHz: the exact MPEG rate
// (44 is 44,100), else x 1000; a value of 1000 or more, or none, is kept.
std::int32_t KilohertzToHertz(std::int32_t kilohertz);

// The working text of a Winamp title: every " - Winamp" removed, then a
// leading playlist number ("12. ") dropped.
std::u16string WinampWorkingTitle(std::u16string_view title);

}  // namespace lanternfly
