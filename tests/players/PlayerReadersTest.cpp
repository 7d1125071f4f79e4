#include "players/PlayerReaders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "PlayersWorld.h"
#include "players/PlayerDetection.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

class PlayerReadersTest : public ::testing::Test {
 protected:
  test::PlayersWorld world;
};

TEST_F(PlayerReadersTest, WinampGivesTheWholeRecordWithTheFilesTagAndDefaultsForAStream) {
  world.files.Put("C:\\song.mp3", test::TaggedSong(4'000'000, "Tag Title", "Tag Artist"));
  world.files.Put("C:\\tune.mp3", test::TaggedSong(1000, "Tune", "Tag Artist"));
  FakeWinamp winamp(world.sim);
  const std::vector<WinampTrack> playlist = {
      {"C:\\tune.mp3", "Instrumental"}, {"http://radio.example/", "Radio - Live"}, {"C:\\song.mp3", "Artist - Song"}};
  winamp.Play(playlist, 2);
  SongInformation expected{true,    u"Artist - Song", u"Artist", u"Song",    u"128", u"2", u"Stereo", u"44100Hz", u"3",
                           u"3",    u"03:20",         u"00:12",  u"03:08",   u"3.81 MB", u"X", u"Y", u"Rock", u"7"};
  EXPECT_EQ(world.readers.ReadWinampSong(), expected);
  winamp.Play(playlist, 0);  // the tag fills the song only where the title has none
  EXPECT_EQ(world.readers.ReadWinampSong().ArtistSong, u"Instrumental - Tune");
  winamp.Play(playlist, 1);
  winamp.lengthSeconds = -1;
  SongInformation song = world.readers.ReadWinampSong();
  EXPECT_EQ(song.FileSize + u"|" + song.Album + u"|" + song.Year + u"|" + song.Genre + u"|" + song.TrackNumber,
            u"0 bytes|Unknown Album|Unknown|Unknown|1");
  EXPECT_EQ(song.SongLength + u" " + song.SongRemaining, u"00:01 00:13");  // -1 - 12.345 s, by magnitude
}

TEST_F(PlayerReadersTest, ITunesGivesTheCurrentTracksFieldsWithoutDefaults) {
  world.iTunes.track = FakeiTunesTrack{u"C", u"A", u"B", u"D", 256, 245, 44'100, 5'000'000, 1999};
  SongInformation expected{true,     u"A - B", u"A", u"B",       u"256", u"",     u"",  u"44100", u"",
                           u"",      u"04:05", u"",  u"",        u"4.76 MB", u"C", u"1999", u"D", u""};
  EXPECT_EQ(world.readers.ReadiTunesSong(), expected);
  world.iTunes.failing = {"Album", "Duration"};  // a failing read leaves only its field empty
  expected.Album = expected.SongLength = u"";
  EXPECT_EQ(world.readers.ReadiTunesSong(), expected);
  world.iTunes.track.reset();
  EXPECT_EQ(world.readers.ReadiTunesSong(), SongInformation());
}

TEST(VlcTitles, ArtistAndSong) {
  const struct {
    std::string title;
    bool active;
    std::u16string_view artistSong, song;
  } cases[] = {
      {"Some Artist - Some Song", true, u"Some Artist - Some Song", u"Some Song"},
      {"track01.mp3", true, u"track01.mp3 - ", u""},
      {"NULL", false, u"", u""},
      {std::string(85, 'x'), false, u"", u""},  // " - VLC media player" beyond the 99th character is not seen
  };
  for (const auto& c : cases) {
    test::PlayersWorld world;
    AddFakeVlc(world.sim, c.title);
    SongInformation song = world.readers.ReadVLCSong();
    EXPECT_EQ(song.Active, c.active) << c.title;
    EXPECT_EQ(song.ArtistSong, c.artistSong) << c.title;
    EXPECT_EQ(song.Song, c.song) << c.title;
  }
}

// The song changes, or the player stops or closes, before each window call of
// a read: the artist and the song always come from one title, and nothing
// crashes.
TEST(PlayerReadersSongChange, ArtistAndSongComeFromOneTitle) {
  const std::vector<WinampTrack> playlist = {{"C:\\1.mp3", "Artist One - Song One"},
                                             {"C:\\2.mp3", "Artist Two - Song Two"}};
  const std::set<std::u16string> whole = {u"Artist One - Song One", u"Artist Two - Song Two"};
  for (const char* player : {"Winamp", "foobar", "VLC", "closing Winamp"}) {
    for (int call = 1; call <= 40; ++call) {
      test::PlayersWorld world;
      std::unique_ptr<FakeFoobar> foobar;
      std::unique_ptr<FakeWinamp> winamp;
      if (player[0] == 'f') foobar = std::make_unique<FakeFoobar>(world.sim, true);
      else winamp = std::make_unique<FakeWinamp>(world.sim);
      FakeWinamp& playing = foobar ? *foobar->Plugin() : *winamp;
      playing.Play(playlist, 0);
      SongInformation song;
      if (player[0] == 'V') {
        WindowHandle vlc = AddFakeVlc(world.sim, "Artist One - Song One");
        world.sim.BeforeCall(call, [&] { world.sim.SetTitle(vlc, "VLC media player"); });  // stopped
        song = world.readers.ReadVLCSong();
        if (!song.Active) {
          EXPECT_EQ(song, SongInformation()) << call;
        }
      } else if (player[0] == 'c') {
        world.sim.BeforeCall(call, [&] { winamp->Close(); });
        song = world.readers.ReadWinampSong();
      } else {
        world.sim.BeforeCall(call, [&] { playing.Play(playlist, 1); });
        song = player[0] == 'f' ? world.readers.ReadFoobarSong() : world.readers.ReadWinampSong();
      }
      if (song.Active && player[0] != 'c') {
        EXPECT_TRUE(whole.contains(song.ArtistSong)) << Utf16ToUtf8(song.ArtistSong) << player << call;
      }
    }
  }
}

TEST(PlayerDetection, CaptionsForEachDesktop) {
  const struct {
    bool winamp, foobar, foobarPlugin, vlc, iTunes, coverFlow, webPageAboutFoobar;
    std::u16string_view captions;
  } cases[] = {
      {0, 0, 0, 0, 0, 0, 0, u"Winamp (OFF)|iTunes (OFF)|Foobar (OFF)|VLC (OFF)"},
      {1, 0, 0, 1, 1, 1, 0, u"Winamp (ON)|iTunes (ON)|Foobar (OFF)|VLC (ON)"},
      {0, 1, 1, 0, 0, 0, 0, u"Winamp (OFF: Clone)|iTunes (OFF)|Foobar (ON)|VLC (OFF)"},
      {0, 1, 0, 0, 1, 0, 0, u"Winamp (OFF)|iTunes (OFF)|Foobar (No Plugin)|VLC (OFF)"},
      // A page about foobar2000 in a browser is taken for it, and Winamp for its plug-in.
      {1, 0, 0, 0, 0, 0, 1, u"Winamp (OFF: Clone)|iTunes (OFF)|Foobar (ON)|VLC (OFF)"},
  };
  for (const auto& c : cases) {
    test::PlayersWorld world;
    std::unique_ptr<FakeWinamp> winamp;
    std::unique_ptr<FakeFoobar> foobar;
    if (c.winamp) winamp = std::make_unique<FakeWinamp>(world.sim);
    if (c.foobar) foobar = std::make_unique<FakeFoobar>(world.sim, c.foobarPlugin);
    if (c.vlc) AddFakeVlc(world.sim, "A - B");
    if (c.iTunes) AddFakeiTunes(world.sim, c.coverFlow);
    if (c.webPageAboutFoobar) world.sim.AddWindow(kNoWindow, "Browser", "foobar2000 - Web", world.sim.AddProcess());
    const PlayerCaptions found = DetectPlayers(world.readers);
    EXPECT_EQ(found.Winamp + u"|" + found.iTunes + u"|" + found.Foobar + u"|" + found.VLC, c.captions);
  }
}

TEST(ClockText, MinutesAndRoundedSecondsOfTheTimeOfDay) {
  const std::pair<double, std::u16string_view> cases[] = {
      {59.6, u"01:00"}, {3'725, u"02:05"}, {-187.655, u"03:08"}, {86'399.6, u"00:00"}, {NAN, u"00:00"}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(ClockText(seconds), text) << seconds;
}

}  // namespace
}  // namespace lanternfly
