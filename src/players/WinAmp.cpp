#include "players/WinAmp.h"

#include <array>

#include "players/SongInformation.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr std::u16string_view kWinampClass = u"Winamp v1.x";

// Winamp's query numbers.
constexpr std::int64_t kGetOutputTime = 105;
constexpr std::int64_t kGetListLength = 124;
constexpr std::int64_t kGetListPosition = 125;
constexpr std::int64_t kGetInfo = 126;
constexpr std::int64_t kGetPlaylistFile = 211;

// Windows' longest path, and the bytes read for it.
constexpr std::size_t kMaxPath = 260;

}  // namespace

std::u16string WinampWorkingTitle(std::u16string_view title) {
  std::u16string text = ReplaceAll(title, u" - Winamp", u"");
  // Only a real playlist number goes: digits, a full stop and a blank.
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9') ++digits;
  if (digits > 0 && text.compare(digits, 2, u". ") == 0) text.erase(0, digits + 2);
  return text;
}

std::int32_t KilohertzToHertz(std::int32_t kilohertz) {
  // The MPEG sample rates, by their whole kHz: 44 stands for 44,100 Hz.
  struct Rate {
    std::int32_t kilohertz, hertz;
  };
  static constexpr Rate kRates[] = {{8, 8'000},   {11, 11'025}, {12, 12'000}, {16, 16'000}, {22, 22'050},
                                    {24, 24'000}, {32, 32'000}, {44, 44'100}, {48, 48'000}};
  for (const Rate& rate : kRates) {
    if (rate.kilohertz == kilohertz) return rate.hertz;
  }
  // Anything else that can be kHz at all; a larger number already is Hz.
  return kilohertz > 0 && kilohertz < 1000 ? kilohertz * 1000 : kilohertz;
}

int WinAmp::IsWinampOpen() {
  queryWindow_ = FindWinampWindow();
  return queryWindow_ != kNoWindow ? 1 : 0;
}

WindowHandle WinAmp::FindWinampWindow() { return desktop_.FindByClass(kWinampClass); }

std::uint32_t WinAmp::Ask(WindowHandle window, std::uint64_t wParam, std::int64_t query) {
  if (window == kNoWindow) return 0;
  return desktop_.Api().Send(window, kWmUser, wParam, query).value_or(0);
}

std::int32_t WinAmp::GetSongLength() { return static_cast<std::int32_t>(Ask(queryWindow_, 1, kGetOutputTime)); }
double WinAmp::GetSongPosition() { return static_cast<std::int32_t>(Ask(queryWindow_, 0, kGetOutputTime)); }
std::int32_t WinAmp::GetPlaylistLength() { return static_cast<std::int32_t>(Ask(queryWindow_, 0, kGetListLength)); }
std::int32_t WinAmp::GetPlaylistPosition() {
  return static_cast<std::int32_t>(Ask(queryWindow_, 0, kGetListPosition));
}
std::int32_t WinAmp::GetBitrate() { return static_cast<std::int32_t>(Ask(queryWindow_, 1, kGetInfo)); }
std::int32_t WinAmp::GetChannels() { return static_cast<std::int32_t>(Ask(queryWindow_, 2, kGetInfo)); }

std::u16string WinAmp::GetChannelMode() { return GetChannels() == 1 ? u"Mono" : u"Stereo"; }

std::int32_t WinAmp::GetSampleRate() {
  auto hertz = static_cast<std::int32_t>(Ask(queryWindow_, 5, kGetInfo));
  if (hertz != 0) return hertz;
  // Older players know only this mode, which answers in whole kHz.
  return KilohertzToHertz(static_cast<std::int32_t>(Ask(queryWindow_, 0, kGetInfo)));
}

std::u16string WinAmp::GetWorkingTitle() { return WinampWorkingTitle(desktop_.FullTitle(FindWinampWindow())); }

std::u16string WinAmp::GetTitleArtist() {
  std::u16string artist, song;
  SplitArtistSong(GetWorkingTitle(), artist, song);
  return artist;
}

std::u16string WinAmp::GetTitleSong() {
  std::u16string artist, song;
  SplitArtistSong(GetWorkingTitle(), artist, song);
  return song;
}

std::u16string WinAmp::GetCurrentFileName() {
  fileNameWindow_ = FindWinampWindow();
  if (fileNameWindow_ == kNoWindow) return {};
  std::uint32_t position = Ask(fileNameWindow_, 0, kGetListPosition);
  // A 32-bit player's address: unsigned, never sign-extended.
  std::uint32_t address = Ask(fileNameWindow_, position, kGetPlaylistFile);
  if (address == 0) return {};
  std::unique_ptr<ProcessMemory> memory = desktop_.Api().OpenProcessMemory(desktop_.ProcessOf(fileNameWindow_));
  if (!memory) return {};
  std::array<std::uint8_t, kMaxPath + 1> path{};
  memory->Read(address, std::span(path).first<kMaxPath>());
  std::string_view bytes(reinterpret_cast<const char*>(path.data()));
  return desktop_.Text().Decode(bytes);
}

}  // namespace lanternfly
