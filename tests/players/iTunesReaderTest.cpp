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
  SongInformation expected{true, u"A - B", u"A", u"B", u"256", u"", u"", u"44100", u"", u"",
                           u"04:05", u"", u"", u"4.76 MB", u"C", u"1999", u"D", u""};
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
  world.iTunes.track.reset();
  EXPECT_EQ(Read(), SongInformation());
}

}  // namespace
}  // namespace lanternfly
