#include "players/WinAmp.h"

#include <gtest/gtest.h>

#include "PlayersWorld.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

TEST(WinampTitle, ArtistAndSong) {
  struct Case {
    std::string_view title;
    std::u16string_view artist, song;
  } cases[] = {
      {"3. Some Artist - Some Song - Winamp", u"Some Artist", u"Some Song"},
      {"3. A - B - C - Winamp", u"A", u"B - C"},
      {"3. Some Artist - Some Song - Winamp [Paused]", u"Some Artist", u"Some Song [Paused]"},
      // Only a real playlist number is dropped, however many digits it has.
      {"12. Some Artist - Some Song - Winamp", u"Some Artist", u"Some Song"},
      {"Some Artist - Some Song - Winamp", u"Some Artist", u"Some Song"},
      {"2Pac - Changes - Winamp", u"2Pac", u"Changes"},
      {"3. Instrumental - Winamp", u"Instrumental", u""},
      {"ab", u"ab", u""},
      {"", u"", u""},
  };
  test::PlayersWorld world;
  FakeWinamp winamp(world.sim);
  for (const Case& c : cases) {
    winamp.SetTitle(std::string(c.title));
    EXPECT_EQ(world.readers.Winamp().GetTitleArtist(), c.artist) << c.title;
    EXPECT_EQ(world.readers.Winamp().GetTitleSong(), c.song) << c.title;
  }
}

TEST(WinAmp, SampleRateFallsBackToKilohertzAndReportsHertz) {
  test::PlayersWorld world;
  FakeWinamp fake(world.sim);
  WinAmp& winamp = world.readers.Winamp();
  winamp.IsWinampOpen();
  EXPECT_EQ(winamp.GetSampleRate(), 44'100);

  // A player that knows only whole kHz: the MPEG rates come back exact.
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {8, 8'000},   {11, 11'025}, {12, 12'000}, {16, 16'000},   {22, 22'050}, {24, 24'000}, {32, 32'000},
      {44, 44'100}, {48, 48'000}, {96, 96'000}, {999, 999'000}, {0, 0},       {1'000, 1'000}, {-1, -1}};
  fake.sampleRateHz = 0;
  for (const auto& [kilohertz, hertz] : cases) {
    fake.sampleRateKHz = kilohertz;
    EXPECT_EQ(winamp.GetSampleRate(), hertz) << kilohertz;
  }
}

TEST(WinAmp, FilePathIsCutAt260BytesAndNeedsAReadableProcess) {
  test::PlayersWorld world;
  FakeWinamp fake(world.sim);
  std::string longPath = "C:\\" + std::string(300, 'x');
  fake.Play({{longPath, "A - B"}}, 0);
  WinAmp& winamp = world.readers.Winamp();
  EXPECT_EQ(winamp.GetCurrentFileName(), Utf8ToUtf16(longPath.substr(0, 260)));
  world.sim.ProcessById(fake.ProcessId()).readable = false;
  EXPECT_EQ(winamp.GetCurrentFileName(), u"");
}

TEST(WinAmp, HungPlayerCostsOneUnansweredMessagePerRead) {
  test::PlayersWorld world;
  FakeWinamp fake(world.sim);
  fake.Play({{"C:\\a.mp3", "A - B"}}, 0);
  world.sim.SetHung(fake.ProcessId(), true);
  SongInformation song = world.readers.ReadWinampSong();
  EXPECT_TRUE(song.Active && song.Artist == u"A" && song.Bitrate == u"0");
  EXPECT_EQ(world.sim.Unanswered(), 1);
}

}  // namespace
}  // namespace lanternfly
