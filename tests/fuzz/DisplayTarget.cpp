// The display message from a template and a song that anyone may have
// written: a radio stream's title, a hand-edited settings file. Composing
// never crashes, and the message stays bounded whatever the song says.

#include <algorithm>

#include "FuzzTarget.h"
#include "message/ColorPatternParser.h"
#include "message/DisplayMessage.h"
#include "platform/sim/FakeiTunes.h"
#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "settings/SettingsFile.h"

namespace lanternfly::fuzz {

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
  IsFiltered(song, settings.RandomWords);
}

}  // namespace lanternfly::fuzz
