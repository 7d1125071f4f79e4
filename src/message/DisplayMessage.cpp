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

// Where a `variable` that the end of `text` cut short would begin; the
// text's length when its end begins none.
std::size_t CutShortVariable(std::u16string_view text, std::u16string_view variable) {
  for (std::size_t length = std::min(text.size(), variable.size() - 1); length > 0; --length) {
    if (text.substr(text.size() - length) == variable.substr(0, length)) return text.size() - length;
  }
  return text.size();
}

// Every `variable` in `text` replaced by `value`, as ReplaceAll does, but no
// longer than `limit`: the result is then the start of the whole result, and
// `cut` is set. In a text that is already cut, a variable cut short at its
// end is dropped rather than kept as if it were plain text.
void Substitute(std::u16string& text, std::u16string_view variable, std::u16string_view value, std::size_t limit,
                bool& cut) {
  std::u16string_view in = text;
  std::size_t plainEnd = cut ? CutShortVariable(in, variable) : in.size();
  if (plainEnd == in.size() && in.find(variable) == std::u16string_view::npos) return;
  std::u16string out;
  out.reserve(std::min(limit, in.size()));
  auto append = [&](std::u16string_view piece) {
    if (out.size() + piece.size() <= limit) {
      out.append(piece);
      return true;
    }
    out.append(piece.substr(0, limit - out.size()));
    cut = true;
    return false;
  };
  for (std::size_t start = 0;;) {
    std::size_t at = in.find(variable, start);
    if (at == std::u16string_view::npos) {
      if (start < plainEnd) append(in.substr(start, plainEnd - start));
      break;
    }
    if (!append(in.substr(start, at - start)) || !append(value)) break;
    start = at + variable.size();
  }
  text = std::move(out);
}

}  // namespace

std::u16string RandomWordPicker::GetRandomWord(WordList words, Desktop& desktop) {
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
  const DisplaySettings& settings = context.settings;
  std::u16string text(settings.displayFormat);
  const std::u16string player(settings.selectedPlayer);
  SongInformation fresh = ReadSelectedPlayer(context.players, player);
  const SongInformation& current = context.currentSong;
  std::u16string song = CutAt(current.Song, settings.radioCutoffText);
  std::u16string artistSong = CutAt(current.ArtistSong, settings.radioCutoffText);
  context.desktop.PumpMessages();

  std::u16string word = context.randomWords.GetRandomWord(settings.randomWords, context.desktop);
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
      {u"%PLAYER%", &player},
  };
  std::size_t limit = std::max(kMaxComposedLength, text.size());
  bool cut = false;
  for (const auto& [variable, value] : variables) Substitute(text, variable, *value, limit, cut);
  // A character of two units cut in half is no character.
  if (cut && !text.empty() && IsHighSurrogate(text.back())) text.pop_back();
  return ExpandPatterns(text, context.patterns);
}

bool IsFiltered(const SongInformation& song, WordList filterWords) {
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
