// The display message's costs: composing it from an ordinary song and from the
// worst song (every text full of the variables substituted after it), the
// settings window's preview markup of a coloured message, and case folding.
//   build/native/benchmarks/lanternfly_benchmarks --benchmark_filter='Message|Markup|Fold'
// Instructions per character of the markup: collect inside WinMXToMarkup
// only, and divide what callgrind collected by Iterations times units:
//   valgrind --tool=callgrind --toggle-collect='*WinMXToMarkup*'
//     build/native/benchmarks/lanternfly_benchmarks --benchmark_filter=MarkupOf --benchmark_min_time=0.01

#include <benchmark/benchmark.h>

#include <string>

#include "message/ColorPattern.h"
#include "message/ColorPatternParser.h"
#include "message/DisplayMessage.h"
#include "message/WinMXColorText.h"
#include "settings/Settings.h"
#include "text/Text.h"

#include "WorstSong.h"
#include "../tests/players/PlayersWorld.h"

namespace {

using namespace lanternfly;

// A desktop without players: the fresh read finds nothing.
struct Composer {
  test::PlayersWorld world;
  Random random{1};
  RandomWordPicker words{random};
  Settings settings;
  PatternDatabase patterns;
  SongInformation song;

  std::u16string Compose() {
    DisplaySettings chosen{settings.DisplayFormat, settings.SelectedPlayer, settings.RadioCutoffText,
                           settings.RandomWords};
    DisplayContext context{chosen, patterns, song, world.readers, words, world.desktop};
    return GetFormattedText(context);
  }
};

void Report(benchmark::State& state, std::size_t units) {
  state.counters["units"] = static_cast<double>(units);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

void ComposeOrdinaryMessage(benchmark::State& state) {
  Composer composer;
  composer.settings.SelectedPlayer = u"Winamp";
  composer.settings.DisplayFormat = u"#c1#is listening to [d]%ARTISTSONG%[/d] #c9#(%ALBUM%, %YEAR%) [%RAND%]";
  composer.settings.RandomWords[0] = u"groovy";
  composer.song.Artist = u"Some Artist";
  composer.song.Song = u"A Song With An Ordinary Title";
  composer.song.ArtistSong = composer.song.Artist + u" - " + composer.song.Song;
  composer.song.Album = u"An Album";
  composer.song.Year = u"1999";
  std::size_t units = 0;
  for (auto _ : state) units = composer.Compose().size();
  Report(state, units);
}

void ComposeWorstSongMessage(benchmark::State& state) {
  Composer composer;
  test::MakeWorstSong(composer.song, composer.settings);
  composer.settings.DisplayFormat = kDefaultDisplayFormat;
  std::size_t units = 0;
  for (auto _ : state) units = composer.Compose().size();
  Report(state, units);
}

// A message as the default template colours it, with numbered codes from
// every row of the colour table: what the settings window previews.
std::u16string ColouredMessage() {
  std::u16string text;
  for (int i = 0; i < 8; ++i) text += u"Some Artist - A Song With An Ordinary Title, and a little more ";
  ColorPattern pattern = ParseColorScript(u"1,1,4,8,12,35,36,51,75,100,221,237,255,0");
  return u"#c1#is listening to " + ApplyPattern(text, pattern);
}

void MarkupOfColouredMessage(benchmark::State& state) {
  const std::u16string message = ColouredMessage();
  for (auto _ : state) benchmark::DoNotOptimize(WinMXToMarkup(message));
  state.counters["units"] = static_cast<double>(message.size());
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * message.size()));
}

void FoldCaseOfMixedText(benchmark::State& state) {
  std::u16string text;
  for (int i = 0; i < 20; ++i) text += u"Some ARTIST - \u00C9t\u00C9 \u0178ES \u0391\u0392\u0393 \u041F\u0420\u0418 ";
  for (auto _ : state) benchmark::DoNotOptimize(FoldCase(text));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK(ComposeOrdinaryMessage);
BENCHMARK(ComposeWorstSongMessage)->Unit(benchmark::kMillisecond);
BENCHMARK(MarkupOfColouredMessage);
BENCHMARK(FoldCaseOfMixedText);
