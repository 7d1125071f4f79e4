#include "platform/sim/FakePlayers.h"

namespace lanternfly {

FakeWinamp::FakeWinamp(SimDesktop& desktop, std::uint32_t processId)
    : desktop_(desktop),
      processId_(processId != 0 ? processId : desktop.AddProcess()),
      window_(desktop.AddWindow(kNoWindow, "Winamp v1.x", "Winamp 5.9", processId_)) {
  desktop_.Get(window_).onMessage = [this](std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
    return Answer(message, wParam, lParam);
  };
}

void FakeWinamp::Play(std::vector<WinampTrack> playlist, int position) {
  playlist_ = std::move(playlist);
  position_ = position;
  auto& memory = desktop_.ProcessById(processId_).memory;
  for (std::size_t i = 0; i < playlist_.size(); ++i) {
    const std::string& path = playlist_[i].path;
    std::vector<std::uint8_t> bytes(path.begin(), path.end());
    bytes.resize(kPathStride, 0);
    memory[kPathAddress + i * kPathStride] = std::move(bytes);
  }
  ShowTitle();
}

void FakeWinamp::SetState(State state) {
  state_ = state;
  ShowTitle();
}

void FakeWinamp::ShowTitle() {
  if (position_ < 0 || static_cast<std::size_t>(position_) >= playlist_.size()) return;
  std::string title = std::to_string(position_ + 1) + ". " + playlist_[position_].title + " - Winamp";
  if (state_ == State::kPaused) title += " [Paused]";
  if (state_ == State::kStopped) title += " [Stopped]";
  desktop_.SetTitle(window_, title);
}

std::optional<std::uint32_t> FakeWinamp::Answer(std::uint32_t message, std::uint64_t wParam,
                                                std::int64_t lParam) const {
  if (message != kWmUser) return 0;
  auto number = [](std::int32_t value) { return static_cast<std::uint32_t>(value); };
  switch (lParam) {
    case 105:
      if (wParam == 1) return number(lengthSeconds);
      return number(state_ == State::kStopped ? 0 : positionMilliseconds);
    case 124:
      return number(static_cast<std::int32_t>(playlist_.size()));
    case 125:
      return number(position_);
    case 126:
      switch (wParam) {
        case 0: return number(sampleRateKHz);
        case 1: return number(bitrate);
        case 2: return number(channels);
        case 5: return number(sampleRateHz);
        default: return 0;
      }
    case 211:
      if (wParam >= playlist_.size()) return 0;
      return static_cast<std::uint32_t>(kPathAddress + wParam * kPathStride);
    default:
      return 0;
  }
}

FakeFoobar::FakeFoobar(SimDesktop& desktop, bool withPlugin) : desktop_(desktop) {
  std::uint32_t process = desktop.AddProcess();
  window_ = desktop.AddWindow(kNoWindow, "{97E27FAA-C0B3-4b8e-A693-ED7881E99FC1}", "foobar2000 v1.6", process);
  if (withPlugin) plugin_ = std::make_unique<FakeWinamp>(desktop, process);
}

void FakeFoobar::ShowSong(const std::string& artistSong) {
  desktop_.SetTitle(window_, artistSong + "  [foobar2000 v1.6]");
}

WindowHandle AddFakeVlc(SimDesktop& desktop, const std::string& titlePart) {
  return desktop.AddWindow(kNoWindow, "Qt5QWindowIcon", titlePart + " - VLC media player", desktop.AddProcess());
}

WindowHandle AddFakeiTunes(SimDesktop& desktop, bool withCoverFlow) {
  std::uint32_t process = desktop.AddProcess();
  WindowHandle main = desktop.AddWindow(kNoWindow, "iTunes", "iTunes", process);
  desktop.AddWindow(main, "iTunesSources", "Sources", process);
  if (withCoverFlow) desktop.AddWindow(main, "iTunesCoverFlow", "iTunes cover flow", process);
  return main;
}

}  // namespace lanternfly
