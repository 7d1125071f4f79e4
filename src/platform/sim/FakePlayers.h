#pragma once

// The media players as the program sees them from outside, on the simulated
// desktop: their windows, titles, answers and memory. Test and demo support.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"

namespace lanternfly {

struct WinampTrack {
  std::string path;   // 8-bit, as the player keeps it in memory
  std::string title;  // "Artist - Song", as the player shows it
};

// A Winamp: a top-level window of class "Winamp v1.x" titled
// "3. Artist - Song - Winamp", answering the IPC queries 105, 124, 125, 126
// and 211, with the playlist's paths in its process memory.
class FakeWinamp {
 public:
  enum class State { kPlaying, kPaused, kStopped };

  // The path of playlist entry i lies at kPathAddress + i * kPathStride: above
  // 2 GiB, so an address read as a signed number would point elsewhere.
  static constexpr std::uint32_t kPathAddress = 0x8F001000;
  static constexpr std::uint32_t kPathStride = 0x1000;

  // A process of its own, unless one is given (a plug-in inside another player).
  explicit FakeWinamp(SimDesktop& desktop, std::uint32_t processId = 0);
  FakeWinamp(const FakeWinamp&) = delete;
  FakeWinamp& operator=(const FakeWinamp&) = delete;

  // The playlist and the playing entry, counted from 0; the title follows.
  void Play(std::vector<WinampTrack> playlist, int position);
  void SetState(State state);
  // Any title at all, for the title rules.
  void SetTitle(std::string title) { desktop_.SetTitle(window_, std::move(title)); }
  void Close() { desktop_.CloseWindow(window_); }

  WindowHandle Window() const { return window_; }
  std::uint32_t ProcessId() const { return processId_; }

  // What the player answers.
  std::int32_t lengthSeconds = 200;
  std::int32_t positionMilliseconds = 12'345;
  std::int32_t bitrate = 128;
  std::int32_t channels = 2;
  std::int32_t sampleRateHz = 44'100;  // IPC_GETINFO mode 5; 0 for players that do not know it
  std::int32_t sampleRateKHz = 44;     // mode 0

 private:
  std::optional<std::uint32_t> Answer(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) const;
  void ShowTitle();

  SimDesktop& desktop_;
  std::uint32_t processId_;
  WindowHandle window_;
  std::vector<WinampTrack> playlist_;
  int position_ = 0;
  State state_ = State::kPlaying;
};

// foobar2000: its own window, whose title holds "foobar2000", and with the
// Winamp-compatibility plug-in a FakeWinamp in the same process.
class FakeFoobar {
 public:
  FakeFoobar(SimDesktop& desktop, bool withPlugin);
  void ShowSong(const std::string& artistSong);
  FakeWinamp* Plugin() { return plugin_.get(); }
  WindowHandle Window() const { return window_; }

 private:
  SimDesktop& desktop_;
  WindowHandle window_;
  std::unique_ptr<FakeWinamp> plugin_;
};

// VLC: a window titled "<titlePart> - VLC media player".
WindowHandle AddFakeVlc(SimDesktop& desktop, const std::string& titlePart);

// iTunes' main window, titled "iTunes", with or without its "cover flow" child.
WindowHandle AddFakeiTunes(SimDesktop& desktop, bool withCoverFlow);

}  // namespace lanternfly
