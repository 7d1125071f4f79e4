#include "players/iTunesReader.h"

#include <gtest/gtest.h>

#include "PlayersWorld.h"

namespace lanternfly {
namespace {

class ITunesReaderTest : public ::testing::Test {
 protected:
  ITunesReaderTest() {
    world.iTunes.track = FakeiTunesTrack{u"C", u"A", u"B", u"D", 256, 245, 44'100, 5'000'000, 1999};
  }
  SongInformation Read() { return ReadiTunesSong(world.iTunes, world.desktop); }

  test::PlayersWorld world;
};

TEST_F(ITunesReaderTest, CurrentTrackGivesItsFieldsWithoutDefaults) {
  SongInformation expected;
  expected.Active = true;
  expected.ArtistSong = u"A - B";
  expected.Artist = u"A";
  expected.Song = u"B";
  expected.Album = u"C";
  expected.Genre = u"D";
  expected.Bitrate = u"256";
  expected.SongLength = u"04:05";
  expected.Frequency = u"44100";
  expected.FileSize = u"4.76 MB";
  expected.Year = u"1999";
  EXPECT_EQ(Read(), expected);
  world.iTunes.track->year = 0;
  world.iTunes.track->album.clear();
  EXPECT_EQ(Read().Year, u"0");
  EXPECT_EQ(Read().Album, u"");
  EXPECT_EQ(world.readers.ReadiTunesSong().ArtistSong, u"A - B");
}

TEST_F(ITunesReaderTest, AFailingReadLeavesOnlyItsField) {
  world.iTunes.failing = {"Album", "Duration"};
  SongInformation song = Read();
  EXPECT_TRUE(song.Active);
  EXPECT_EQ(song.Album, u"");
  EXPECT_EQ(song.SongLength, u"");
  EXPECT_EQ(song.Artist, u"A");
  EXPECT_EQ(song.Bitrate, u"256");
}

TEST_F(ITunesReaderTest, NoTrackOrNoITunesIsInactiveAndCreationIsRetried) {
  world.iTunes.track.reset();
  EXPECT_EQ(Read(), SongInformation());
  world.iTunes.connected = false;
  world.iTunes.installed = false;
  EXPECT_EQ(Read(), SongInformation());
  EXPECT_EQ(Read(), SongInformation());
  world.iTunes.installed = true;
  world.iTunes.track = FakeiTunesTrack{u"", u"X", u"Y", u"", 0, 0, 0, 0, 0};
  EXPECT_EQ(Read().ArtistSong, u"X - Y");
  EXPECT_EQ(Read().ArtistSong, u"X - Y");
  EXPECT_EQ(world.iTunes.creations, 2);  // once at the start, once after the failures; then kept
}

}  // namespace
}  // namespace lanternfly
