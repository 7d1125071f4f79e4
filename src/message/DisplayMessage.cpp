#include "message/DisplayMessage.h"

#include <algorithm>
#include <vector>

#include "message/ColorPatternParser.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

SongInformation ReadSelectedPlayer(PlayerReaders& players, std::u16string_view selected) {
  if (selected == u"Winamp") return players.ReadWinampSong();
  if (selected == u"iTunes") return players.ReadiTunesSong();
  if (selected == u"Foobar") return players.ReadFoobarSong();
  if (selected == u"VLC") return players.ReadVLCSong();
  return SongInformation();
}

// The text before the first occurrence of `cut`, when it occurs.
std::u16string CutAt(const std::u16string& text, std::u16string_view cut) {
  if (cut.empty()) return text;
  return text.substr(0, text.find(cut));
}

}  // namespace

std::u16string RandomWordPicker::GetRandomWord(const WordSlots& words, Desktop& desktop) {
  std::vector<std::u16string> list;
  for (const std::u16string& word : words) {
    if (!word.empty()) list.push_back(word);
    desktop.PumpMessages();
  }
  if (list.empty()) return u"No Words Loaded!";
  std::u16string word = list.front();
  bool anotherExists = std::any_of(list.begin(), list.end(), [&](const auto& w) { return w != LastRandomWord; });
  if (list.size() >= 2 && anotherExists) {
    do {
      word = list[static_cast<std::size_t>(random_.Below(static_cast<std::int32_t>(list.size())))];
    } while (word == LastRandomWord);
  }
  LastRandomWord = word;
  return word;
}

std::u16string GetFormattedText(DisplayContext& context) {
  const Settings& settings = context.settings;
  std::u16string text = settings.DisplayFormat;
  SongInformation fresh = ReadSelectedPlayer(context.players, settings.SelectedPlayer);
  const SongInformation& current = context.currentSong;
  std::u16string song = CutAt(current.Song, settings.RadioCutoffText);
  std::u16string artistSong = CutAt(current.ArtistSong, settings.RadioCutoffText);
  context.desktop.PumpMessages();

  std::u16string word = context.randomWords.GetRandomWord(settings.RandomWords, context.desktop);
  // In this order: a value that holds a later variable is substituted again.
  const std::pair<std::u16string_view, const std::u16string*> variables[] = {
      {u"%ARTISTSONG%", &artistSong},
      {u"%ARTIST%", &current.Artist},
      {u"%SONG%", &song},
      {u"%BITRATE%", &current.Bitrate},
      {u"%CHANNELS%", &current.Channels},
      {u"%CHANNELMODE%", &current.ChannelMode},
      {u"%FREQUENCY%", &current.Frequency},
      {u"%PLYLSTLEN%", &fresh.PlaylistLength},
      {u"%PLYLSTPOS%", &fresh.PlaylistPosition},
      {u"%SONGLEN%", &fresh.SongLength},
      {u"%SONGPOS%", &fresh.SongPosition},
      {u"%SONGREM%", &fresh.SongRemaining},
      {u"%FILESIZE%", &current.FileSize},
      {u"%ALBUM%", &current.Album},
      {u"%YEAR%", &current.Year},
      {u"%GENRE%", &current.Genre},
      {u"%TRACKNUM%", &current.TrackNumber},
      {u"%RAND%", &word},
      {u"%PLAYER%", &settings.SelectedPlayer},
  };
  for (const auto& [variable, value] : variables) text = ReplaceAll(text, variable, *value);
  return ExpandPatterns(text, context.patterns);
}

bool IsFiltered(const SongInformation& song, const WordSlots& filterWords) {
  std::u16string artist = FoldCase(song.Artist);
  std::u16string title = FoldCase(song.Song);
  for (const std::u16string& word : filterWords) {
    if (word.empty()) continue;
    std::u16string folded = FoldCase(word);
    if (Contains(artist, folded) || Contains(title, folded)) return true;
  }
  return false;
}

}  // namespace lanternfly
