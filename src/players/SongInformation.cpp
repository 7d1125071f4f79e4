#include "players/SongInformation.h"

#include <cmath>

namespace lanternfly {
namespace {

std::u16string TwoDigits(int value) {
  return {static_cast<char16_t>(u'0' + value / 10), static_cast<char16_t>(u'0' + value % 10)};
}

}  // namespace

void SplitArtistSong(std::u16string_view text, std::u16string& artist, std::u16string& song) {
  constexpr std::u16string_view kSeparator = u" - ";
  std::size_t separator = text.find(kSeparator);
  artist = text.substr(0, separator);
  song = separator == std::u16string_view::npos ? u"" : text.substr(separator + kSeparator.size());
}

std::u16string ClockText(double seconds) {
  if (!std::isfinite(seconds)) return u"00:00";
  double timeOfDay = std::fmod(std::fabs(seconds), 86'400.0);
  auto whole = static_cast<long long>(std::round(timeOfDay));
  return TwoDigits(static_cast<int>(whole / 60 % 60)) + u":" + TwoDigits(static_cast<int>(whole % 60));
}

std::u16string FormatByteSize(Desktop& desktop, std::int32_t bytes) {
  return desktop.FormatByteSize(static_cast<std::uint32_t>(bytes));
}

void ApplySongDefaults(SongInformation& song) {
  if (song.Genre.empty()) song.Genre = u"Unknown";
  if (song.Year.empty()) song.Year = u"Unknown";
  if (song.Album.empty()) song.Album = u"Unknown Album";
  if (song.TrackNumber.empty()) song.TrackNumber = u"1";
}

}  // namespace lanternfly
