#include "message/DisplayMessage.h"

#include <gtest/gtest.h>

#include "../players/PlayersWorld.h"

namespace lanternfly {
namespace {

class DisplayMessageTest : public ::testing::Test {
 protected:
  DisplayMessageTest() {
    settings.SelectedPlayer = u"Winamp";
    song.Active = true;
    song.Artist = u"Abc";
    song.Song = u"Hey";
    song.ArtistSong = u"Abc - Hey";
  }

  std::u16string Format(std::u16string_view format) {
    settings.DisplayFormat = format;
    DisplayContext context{settings, patterns, song, world.readers, words, world.desktop};
    return GetFormattedText(context);
  }

  test::PlayersWorld world;
  Random random{3};
  RandomWordPicker words{random};
  Settings settings;
  PatternDatabase patterns;
  SongInformation song;
};

TEST_F(DisplayMessageTest, DefaultTemplateWithoutTheNamedPattern) {
  EXPECT_EQ(Format(kDefaultDisplayFormat), u"#c1#is listening to #c?#A#c?#b#c?#c #c?#- #c?#H#c?#e#c?#y");
}

TEST_F(DisplayMessageTest, RadioCutOffShortensTitleAndTitleLineButNotTheArtist) {
  settings.RadioCutoffText = u" - TOP40";
  song.Song = u"Hey - TOP40 Hits";
  song.ArtistSong = u"Abc - Hey - TOP40 Hits";
  EXPECT_EQ(Format(u"%SONG%|%ARTISTSONG%|%ARTIST%"), u"Hey|Abc - Hey|Abc");
  settings.RadioCutoffText = u"y";
  EXPECT_EQ(Format(u"%SONG%"), u"He");
}

TEST_F(DisplayMessageTest, VariablesAreExactAndSubstitutedInOrder) {
  song.Song = u"Title with %RAND%";
  settings.RandomWords[4] = u"word";
  EXPECT_EQ(Format(u"%SONG% %artist% %PLAYER%"), u"Title with word %artist% Winamp");
  EXPECT_EQ(Format(u"plain [b]text[/b]"), u"plain [b]text[/b]");
  EXPECT_EQ(Format(u""), u"");
  settings.SelectedPlayer = u"Foobar";
  EXPECT_EQ(Format(u"%PLAYER%"), u"Foobar");
}

TEST_F(DisplayMessageTest, TimeAndPlaylistComeFromAFreshRead) {
  FakeWinamp winamp(world.sim);
  winamp.Play({{"C:\\a.mp3", "X - Y"}, {"C:\\b.mp3", "Abc - Hey"}}, 1);
  EXPECT_EQ(Format(u"%PLYLSTPOS%/%PLYLSTLEN% %SONGPOS% of %SONGLEN%, %SONGREM% left; %BITRATE%"),
            u"2/2 00:12 of 03:20, 03:08 left; ");
  settings.SelectedPlayer = u"Unknown";
  EXPECT_EQ(Format(u"[%SONGLEN%]"), u"[]");
}

TEST_F(DisplayMessageTest, RandomWordsNeverRepeatInARow) {
  EXPECT_EQ(Format(u"%RAND%"), u"No Words Loaded!");
  settings.RandomWords[0] = u"only";
  EXPECT_EQ(Format(u"%RAND% %RAND%"), u"only only");
  settings.RandomWords[7] = u"other";
  std::u16string last = Format(u"%RAND%");
  for (int i = 0; i < 20; ++i) {
    Format(u"no word here");
    EXPECT_NE(words.LastRandomWord, last);
    last = words.LastRandomWord;
  }
}

TEST_F(DisplayMessageTest, WordsThatAllEqualTheLastOneEndTheDraw) {
  settings.RandomWords[0] = u"same";
  settings.RandomWords[1] = u"same";
  words.LastRandomWord = u"same";
  EXPECT_EQ(Format(u"%RAND%"), u"same");
}

TEST(FilterWords, MatchArtistOrTitleIgnoringCase) {
  SongInformation song;
  song.Artist = u"Some Artist";
  song.Song = u"Caf\u00c9 Song";
  WordSlots filters;
  EXPECT_FALSE(IsFiltered(song, filters));
  filters[3] = u"caf\u00e9";
  EXPECT_TRUE(IsFiltered(song, filters));
  filters[3] = u"ARTIST";
  EXPECT_TRUE(IsFiltered(song, filters));
  filters[3] = u"Album";
  EXPECT_FALSE(IsFiltered(song, filters));
}

}  // namespace
}  // namespace lanternfly
