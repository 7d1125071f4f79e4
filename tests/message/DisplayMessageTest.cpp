#include "message/DisplayMessage.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "text/Text.h"

#include "../players/PlayersWorld.h"
#include "WorstSong.h"

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

// The three song variables substituted one after the other over the whole
// text, without any bound.
std::u16string SubstitutedWithoutBound(std::u16string_view format, const SongInformation& song) {
  std::u16string text = ReplaceAll(format, u"%ARTISTSONG%", song.ArtistSong);
  text = ReplaceAll(text, u"%ARTIST%", song.Artist);
  return ReplaceAll(text, u"%SONG%", song.Song);
}

std::u16string Times(int count, std::u16string_view text) {
  std::u16string repeated;
  for (int i = 0; i < count; ++i) repeated += text;
  return repeated;
}

// Song texts that hold variables are substituted again by the later steps;
// beyond the limit the message is the start of the whole text, cut there.
TEST_F(DisplayMessageTest, TitleFullOfVariablesIsCutAsTheStartOfTheWholeText) {
  struct Case {
    const char* what;
    std::u16string format, artistSong, artist, title;
  } cases[] = {
      // "Artist - Title" where the artist is %SONG%s and the title %ARTIST%s:
      // every step multiplies, to 8 x 20 x 20 x 40 units.
      {"nested", u"%ARTISTSONG%", Times(40, u"%SONG%") + u" - " + Times(20, u"%ARTIST%"), Times(40, u"%SONG%"),
       Times(20, u"%ARTIST%")},
      // Cut in the first step, in the middle of a %SONG%, which the cut text
      // must not keep.
      {"cut variable", Times(12, u"%ARTISTSONG%"), Times(1000, u"%SONG%"), u"a", u"s"},
      // Cut in the middle of a character of two units.
      {"cut pair", Times(20, u"x%SONG%"), u"", u"", Times(2000, u"\U0001F3B5")},
  };
  for (const Case& c : cases) {
    song.ArtistSong = c.artistSong;
    song.Artist = c.artist;
    song.Song = c.title;
    std::u16string whole = SubstitutedWithoutBound(c.format, song);
    std::u16string message = Format(c.format);
    EXPECT_LE(message.size(), kMaxComposedLength) << c.what;
    EXPECT_GE(message.size(), std::min(whole.size(), kMaxComposedLength) / 2) << c.what;
    EXPECT_TRUE(std::u16string_view(whole).starts_with(message))
        << c.what << ", ending in " << Utf16ToUtf8(message.substr(message.size() - std::min<std::size_t>(message.size(), 20)));
    EXPECT_FALSE(IsHighSurrogate(message.back())) << c.what;
  }
}

// Without a bound the message would grow by a factor of hundreds at each of
// the 19 steps.
TEST_F(DisplayMessageTest, WorstSongStillGivesABoundedMessage) {
  test::MakeWorstSong(song, settings);
  std::u16string message = Format(Times(100, kDefaultDisplayFormat));
  // Colouring writes at most a code of six units before each character.
  EXPECT_LE(message.size(), 7 * kMaxComposedLength);
  EXPECT_EQ(message.substr(0, 20), u"#c1#is listening to ");
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
  song.Artist = u"\u0178ES";  // 1252's byte 0x9F, upper case
  filters[3] = u"\u00FFes";
  EXPECT_TRUE(IsFiltered(song, filters));
}

}  // namespace
}  // namespace lanternfly
