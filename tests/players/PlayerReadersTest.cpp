#include "players/PlayerReaders.h"

#include <gtest/gtest.h>

#include <set>

#include "../metadata/Bytes.h"
#include "../metadata/CountingFile.h"
#include "PlayersWorld.h"
#include "players/PlayerDetection.h"
#include "text/Text.h"

namespace lanternfly {

// Found by the test framework through the type's namespace.
void PrintTo(const PlayerCaptions& captions, std::ostream* out);
void PrintTo(const PlayerCaptions& captions, std::ostream* out) {
  *out << Utf16ToUtf8(captions.Winamp + u", " + captions.iTunes + u", " + captions.Foobar + u", " + captions.VLC);
}

namespace {

class PlayerReadersTest : public ::testing::Test {
 protected:
  test::PlayersWorld world;
};

TEST_F(PlayerReadersTest, WinampWithATaggedFileGivesTheWholeRecord) {
  world.files.Put("C:\\Music\\song.mp3", test::TaggedSong(4'000'000, "Tag Title", "Tag Artist"));
  FakeWinamp winamp(world.sim);
  winamp.Play({{"C:\\a.mp3", "A - B"}, {"C:\\b.mp3", "C - D"}, {"C:\\Music\\song.mp3", "Some Artist - Some Song"}}, 2);

  SongInformation expected{true,        u"Some Artist - Some Song", u"Some Artist", u"Some Song", u"128",
                           u"2",        u"Stereo",                  u"44100Hz",     u"3",         u"3",
                           u"03:20",    u"00:12",                   u"03:08",       u"3.81 MB",   u"X",
                           u"Y",        u"Rock",                    u"7"};
  EXPECT_EQ(world.readers.ReadWinampSong(), expected);
}

TEST_F(PlayerReadersTest, TagFillsArtistOrSongOnlyWhenTheTitleHasNone) {
  world.files.Put("C:\\tune.mp3", test::TaggedSong(1000, "Tune", "Tag Artist"));
  FakeWinamp winamp(world.sim);
  winamp.Play({{"C:\\tune.mp3", "Instrumental"}}, 0);
  SongInformation song = world.readers.ReadWinampSong();
  EXPECT_EQ(song.Artist, u"Instrumental");
  EXPECT_EQ(song.Song, u"Tune");
  EXPECT_EQ(song.ArtistSong, u"Instrumental - Tune");
}

TEST_F(PlayerReadersTest, StreamGetsTheDefaults) {
  FakeWinamp winamp(world.sim);
  winamp.Play({{"http://radio.example/stream", "Radio - Live"}}, 0);
  winamp.lengthSeconds = -1;
  SongInformation song = world.readers.ReadWinampSong();
  EXPECT_EQ(song.FileSize, u"0 bytes");
  EXPECT_EQ(song.Album, u"Unknown Album");
  EXPECT_EQ(song.Year, u"Unknown");
  EXPECT_EQ(song.Genre, u"Unknown");
  EXPECT_EQ(song.TrackNumber, u"1");
  EXPECT_EQ(song.SongLength, u"00:01");
  EXPECT_EQ(song.SongRemaining, u"00:13");  // -1 - 12.345 seconds, by magnitude
}

TEST_F(PlayerReadersTest, PausedWinampShowsItInTheSong) {
  FakeWinamp winamp(world.sim);
  winamp.Play({{"C:\\a.mp3", "Some Artist - Some Song"}}, 0);
  winamp.SetState(FakeWinamp::State::kPaused);
  EXPECT_EQ(world.readers.ReadWinampSong().Song, u"Some Song [Paused]");
}

TEST_F(PlayerReadersTest, NoPlayerGivesAnInactiveEmptyRecord) {
  EXPECT_EQ(world.readers.ReadWinampSong(), SongInformation());
  EXPECT_EQ(world.readers.ReadFoobarSong(), SongInformation());
  EXPECT_EQ(world.readers.ReadVLCSong(), SongInformation());
}

TEST_F(PlayerReadersTest, FoobarIsReadThroughItsPlugin) {
  FakeFoobar withPlugin(world.sim, true);
  withPlugin.Plugin()->Play({{"C:\\a.mp3", "Some Artist - Some Song"}}, 0);
  SongInformation song = world.readers.ReadFoobarSong();
  EXPECT_TRUE(song.Active);
  EXPECT_EQ(song.ArtistSong, u"Some Artist - Some Song");

  test::PlayersWorld other;
  FakeFoobar withoutPlugin(other.sim, false);
  EXPECT_FALSE(other.readers.ReadFoobarSong().Active);
}

TEST_F(PlayerReadersTest, VlcTitles) {
  struct Case {
    std::string title;
    bool active;
    std::u16string_view artist, song, artistSong;
  } cases[] = {
      {"Some Artist - Some Song", true, u"Some Artist", u"Some Song", u"Some Artist - Some Song"},
      {"track01.mp3", true, u"track01.mp3", u"", u"track01.mp3 - "},
      {"NULL", false, u"", u"", u""},
      // " - VLC media player" beyond the 99th character is not seen.
      {std::string(85, 'x'), false, u"", u"", u""},
  };
  for (const Case& c : cases) {
    test::PlayersWorld fresh;
    AddFakeVlc(fresh.sim, c.title);
    SongInformation song = fresh.readers.ReadVLCSong();
    EXPECT_EQ(song.Active, c.active) << c.title;
    EXPECT_EQ(song.Artist, c.artist) << c.title;
    EXPECT_EQ(song.Song, c.song) << c.title;
    EXPECT_EQ(song.ArtistSong, c.artistSong) << c.title;
    EXPECT_EQ(song.Bitrate, u"") << c.title;
  }
}

TEST_F(PlayerReadersTest, ASongFileIsOpenedOnceAndReadInTwoSmallReads) {
  // A 4 MB song as encoders write it: a 2 KiB ID3v2 tag, the first frame
  // right after it, and an ID3v1 tag at the end.
  test::Bytes bytes = test::TaggedSong(4'000'000, "Tag Title", "Tag Artist");
  test::Put(bytes, 0, {'I', 'D', '3', 3, 0, 0, 0, 0, (2'048 - 10) >> 7, (2'048 - 10) & 0x7F});
  test::Put(bytes, 2'048, {0xFF, 0xFB, 0x90, 0x44});
  world.files.Put("C:\\song.mp3", bytes);
  test::CountingFiles files(world.files);
  PlayerReaders readers(world.desktop, files, world.iTunes);
  FakeWinamp winamp(world.sim);
  winamp.Play({{"C:\\song.mp3", "Some Artist - Some Song"}}, 0);

  SongInformation song = readers.ReadWinampSong();
  EXPECT_EQ(song.FileSize, u"3.81 MB");
  EXPECT_EQ(song.Album, u"X");
  EXPECT_EQ(files.log->opens, 1);
  EXPECT_LE(files.log->reads.size(), 2u);
  EXPECT_LE(files.log->Bytes(), 4'096u + 128u);
}

TEST_F(PlayerReadersTest, ASongFileIsKeptOnlyWhileAskedTo) {
  world.files.Put("C:\\1.mp3", test::TaggedSong(1'000, "One", "A"));
  world.files.Put("C:\\2.mp3", test::TaggedSong(1'000, "Two", "A"));
  test::CountingFiles files(world.files);
  PlayerReaders readers(world.desktop, files, world.iTunes);
  FakeWinamp winamp(world.sim);
  const std::vector<WinampTrack> playlist = {{"C:\\1.mp3", "A - One"}, {"C:\\2.mp3", "A - Two"}};
  winamp.Play(playlist, 0);
  {
    PlayerReaders::KeepSongFile keep(readers);
    readers.ReadWinampSong();
    EXPECT_EQ(readers.ReadWinampSong().Album, u"X");
    EXPECT_EQ(files.log->opens, 1);
    winamp.Play(playlist, 1);  // another file: read
    readers.ReadWinampSong();
    EXPECT_EQ(files.log->opens, 2);
  }
  // Retagged while it plays: without keeping, every read sees the file as it is.
  test::Bytes retagged = test::TaggedSong(1'000, "Two", "A");
  test::Put(retagged, 1'000 - 128 + 63, "Z");
  world.files.Put("C:\\2.mp3", retagged);
  EXPECT_EQ(readers.ReadWinampSong().Album, u"Z");
  PlayerReaders::KeepSongFile keep(readers);
  world.files.Put("C:\\2.mp3", test::TaggedSong(1'000, "Two", "A"));
  EXPECT_EQ(readers.ReadWinampSong().Album, u"X");  // what was read before keeping is not kept
}

// The next song starts at every possible moment of a read: the artist and
// the song always come from the same title.
TEST(PlayerReadersSongChange, ArtistAndSongComeFromOneTitle) {
  const std::vector<WinampTrack> playlist = {{"C:\\1.mp3", "Artist One - Song One"},
                                             {"C:\\2.mp3", "Artist Two - Song Two"}};
  const std::set<std::u16string> whole = {u"Artist One - Song One", u"Artist Two - Song Two"};
  for (bool foobar : {false, true}) {
    for (int call = 1; call <= 40; ++call) {
      test::PlayersWorld world;
      std::unique_ptr<FakeWinamp> winamp;
      std::unique_ptr<FakeFoobar> foobarPlayer;
      FakeWinamp* player;
      if (foobar) {
        foobarPlayer = std::make_unique<FakeFoobar>(world.sim, true);
        player = foobarPlayer->Plugin();
      } else {
        player = (winamp = std::make_unique<FakeWinamp>(world.sim)).get();
      }
      player->Play(playlist, 0);
      world.sim.BeforeCall(call, [&] { player->Play(playlist, 1); });
      SongInformation song = foobar ? world.readers.ReadFoobarSong() : world.readers.ReadWinampSong();
      EXPECT_TRUE(whole.contains(song.ArtistSong)) << Utf16ToUtf8(song.ArtistSong) << ", foobar " << foobar
                                                   << ", change before call " << call;
    }
  }
}

TEST(PlayerReadersSongChange, VlcStoppingMidReadIsNeverASongOfItsOwn) {
  for (int call = 1; call <= 10; ++call) {
    test::PlayersWorld world;
    WindowHandle vlc = AddFakeVlc(world.sim, "Some Artist - Some Song");
    // Stopped, VLC shows its name alone.
    world.sim.BeforeCall(call, [&] { world.sim.SetTitle(vlc, "VLC media player"); });
    SongInformation song = world.readers.ReadVLCSong();
    if (song.Active) {
      EXPECT_EQ(song.ArtistSong, u"Some Artist - Some Song") << "change before call " << call;
    } else {
      EXPECT_EQ(song, SongInformation()) << "change before call " << call;
    }
  }
}

TEST_F(PlayerReadersTest, WinampWindowVanishingMidReadGivesZerosNotACrash) {
  FakeWinamp winamp(world.sim);
  winamp.Play({{"C:\\a.mp3", "A - B"}}, 0);
  world.sim.BeforeCall(6, [&] { winamp.Close(); });
  SongInformation song = world.readers.ReadWinampSong();
  EXPECT_TRUE(song.Active);
  EXPECT_EQ(song.PlaylistPosition, u"1");
}

struct DetectionCase {
  bool winamp, foobar, foobarPlugin, vlc, iTunes, iTunesCoverFlow, webPageAboutFoobar;
  PlayerCaptions captions;
};

TEST(PlayerDetection, CaptionsForEachDesktop) {
  DetectionCase cases[] = {
      {false, false, false, false, false, false, false,
       {u"Winamp (OFF)", u"iTunes (OFF)", u"Foobar (OFF)", u"VLC (OFF)"}},
      {true, false, false, true, true, true, false,
       {u"Winamp (ON)", u"iTunes (ON)", u"Foobar (OFF)", u"VLC (ON)"}},
      {false, true, true, false, false, false, false,
       {u"Winamp (OFF: Clone)", u"iTunes (OFF)", u"Foobar (ON)", u"VLC (OFF)"}},
      {false, true, false, false, true, false, false,
       {u"Winamp (OFF)", u"iTunes (OFF)", u"Foobar (No Plugin)", u"VLC (OFF)"}},
      // A page about foobar2000 in a browser is taken for foobar2000, and
      // Winamp for its plug-in.
      {true, false, false, false, false, false, true,
       {u"Winamp (OFF: Clone)", u"iTunes (OFF)", u"Foobar (ON)", u"VLC (OFF)"}},
  };
  for (const DetectionCase& c : cases) {
    test::PlayersWorld world;
    std::unique_ptr<FakeWinamp> winamp;
    std::unique_ptr<FakeFoobar> foobar;
    if (c.winamp) winamp = std::make_unique<FakeWinamp>(world.sim);
    if (c.foobar) foobar = std::make_unique<FakeFoobar>(world.sim, c.foobarPlugin);
    if (c.vlc) AddFakeVlc(world.sim, "A - B");
    if (c.iTunes) AddFakeiTunes(world.sim, c.iTunesCoverFlow);
    if (c.webPageAboutFoobar) world.sim.AddWindow(kNoWindow, "Browser", "foobar2000 - Web", world.sim.AddProcess());
    EXPECT_EQ(DetectPlayers(world.readers), c.captions);
  }
}

TEST(PlayerDetection, TitleTestsAreCaseSensitive) {
  test::PlayersWorld world;
  std::uint32_t process = world.sim.AddProcess();
  world.sim.AddWindow(kNoWindow, "X", "FOOBAR2000", process);
  WindowHandle itunes = world.sim.AddWindow(kNoWindow, "X", "itunes", process);
  world.sim.AddWindow(itunes, "X", "cover flow", process);
  PlayerCaptions captions = DetectPlayers(world.readers);
  EXPECT_EQ(captions.Foobar, u"Foobar (OFF)");
  EXPECT_EQ(captions.iTunes, u"iTunes (OFF)");
}

}  // namespace
}  // namespace lanternfly
