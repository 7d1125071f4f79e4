// The display message from a template and a song that anyone may have
// written: a radio stream's title, a hand-edited settings file. Composing
// never crashes; while the plain substitutions stay within the length bound
// the message is exactly theirs, and beyond it the message stays bounded.

#include <algorithm>
#include <optional>

#include "FuzzTarget.h"
#include "message/ColorPatternParser.h"
#include "message/DisplayMessage.h"
#include "platform/sim/FakeiTunes.h"
#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "settings/SettingsFile.h"
#include "text/Text.h"

namespace lanternfly::fuzz {
namespace {

std::u16string CutAt(const std::u16string& text, const std::u16string& cut) {
  return cut.empty() ? text : text.substr(0, text.find(cut));
}

// The 19 substitutions one after the other over the whole text; nothing when
// a step would pass `limit` (the composition is then cut, not compared).
std::optional<std::u16string> SubstitutedPlainly(const Settings& settings, const SongInformation& song,
                                                  const std::u16string& word, std::size_t limit) {
  const std::u16string none;
  const std::u16string title = CutAt(song.Song, settings.RadioCutoffText);
  const std::u16string titleLine = CutAt(song.ArtistSong, settings.RadioCutoffText);
  // No player runs, so the time and playlist variables come out empty.
  const std::pair<std::u16string_view, const std::u16string*> steps[] = {
      {u"%ARTISTSONG%", &titleLine},  {u"%ARTIST%", &song.Artist},       {u"%SONG%", &title},
      {u"%BITRATE%", &song.Bitrate},  {u"%CHANNELS%", &song.Channels},   {u"%CHANNELMODE%", &song.ChannelMode},
      {u"%FREQUENCY%", &song.Frequency}, {u"%PLYLSTLEN%", &none},        {u"%PLYLSTPOS%", &none},
      {u"%SONGLEN%", &none},          {u"%SONGPOS%", &none},             {u"%SONGREM%", &none},
      {u"%FILESIZE%", &song.FileSize}, {u"%ALBUM%", &song.Album},        {u"%YEAR%", &song.Year},
      {u"%GENRE%", &song.Genre},      {u"%TRACKNUM%", &song.TrackNumber}, {u"%RAND%", &word},
      {u"%PLAYER%", &settings.SelectedPlayer}};
  std::u16string text = settings.DisplayFormat;
  for (const auto& [variable, value] : steps) {
    std::size_t count = 0;
    for (std::size_t at = text.find(variable); at != std::u16string::npos; at = text.find(variable, at + variable.size())) {
      ++count;
    }
    if (text.size() - count * variable.size() + count * value->size() > limit) return std::nullopt;
    text = ReplaceAll(text, variable, *value);
  }
  return text;
}

}  // namespace

// Lines: the template, the title line, the title, the artist, the album, the
// radio cut-off text, then the random words.
void FuzzDisplay(Input data) {
  static const std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
  static const PatternDatabase patterns = [] {
    PatternDatabase rainbow;
    rainbow.AddPattern(RainbowLightPattern());
    rainbow.DefaultPattern = kRainbowLightName;
    return rainbow;
  }();
  constexpr std::size_t kFixedLines = 6;
  std::vector<std::u16string> lines = Lines(data, kFixedLines + kWordSlots);
  lines.resize(std::max(lines.size(), kFixedLines));

  Settings settings;
  settings.SelectedPlayer = u"Winamp";
  settings.DisplayFormat = lines[0];
  settings.RadioCutoffText = lines[5];
  for (std::size_t i = kFixedLines; i < lines.size(); ++i) AddRandomWord(settings, lines[i]);
  SongInformation song;
  song.Active = true;
  song.ArtistSong = lines[1];
  song.Song = lines[2];
  song.Artist = lines[3];
  song.Album = lines[4];

  SimDesktop sim;
  Desktop desktop(sim, *codePage);
  MemoryFiles files;
  FakeiTunes iTunes;
  PlayerReaders players(desktop, files, iTunes);
  Random random(13);
  RandomWordPicker words(random);
  DisplaySettings chosen{settings.DisplayFormat, settings.SelectedPlayer, settings.RadioCutoffText,
                         settings.RandomWords};
  DisplayContext context{chosen, patterns, song, players, words, desktop};
  const std::u16string message = GetFormattedText(context);

  const std::size_t limit = std::max(kMaxComposedLength, settings.DisplayFormat.size());
  // Colouring writes at most a code of six units before each character, twice
  // for a default block inside a colour block.
  Expect(message.size() <= 49 * limit + 14, "the message stays bounded whatever the song says");
  const bool noWords = std::all_of(settings.RandomWords.begin(), settings.RandomWords.end(),
                                   [](const std::u16string& w) { return w.empty(); });
  const std::u16string word = noWords ? u"No Words Loaded!" : words.LastRandomWord;
  if (std::optional<std::u16string> plain = SubstitutedPlainly(settings, song, word, limit)) {
    Expect(message == ExpandPatterns(*plain, patterns), "within the bound the message is the plain substitutions'",
           message);
  }
  IsFiltered(song, settings.RandomWords);
}

}  // namespace lanternfly::fuzz
