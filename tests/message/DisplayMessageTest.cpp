#include "message/DisplayMessage.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "settings/Settings.h"
#include "text/Text.h"

#include "../players/PlayersWorld.h"

namespace lanternfly {
namespace {

class DisplayMessageTest : public ::testing::Test {
 protected:
  DisplayMessageTest() { song.Artist = u"Abc", song.Song = u"Hey", song.ArtistSong = u"Abc - Hey"; }

  std::u16string Format(std::u16string_view format) {
    DisplayContext context{{format, u"Winamp", cutoff, wordList}, patterns, song, world.readers, words, world.desktop};
    return GetFormattedText(context);
  }

  test::PlayersWorld world;
  Random random{3};
  RandomWordPicker words{random};
  std::u16string cutoff;
  WordSlots wordList;
  PatternDatabase patterns;
  SongInformation song;
};

TEST_F(DisplayMessageTest, VariablesAreExactAndSubstitutedInOrder) {
  cutoff = u" - TOP40";
  song.Song = u"Title with %RAND% - TOP40 Hits";
  song.ArtistSong = u"Abc - Hey - TOP40 Hits";
  wordList[4] = u"word";
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {kDefaultDisplayFormat, u"#c1#is listening to #c?#A#c?#b#c?#c #c?#- #c?#H#c?#e#c?#y"},
      {u"%SONG%|%artist%|%ARTIST% %PLAYER%", u"Title with word|%artist%|Abc Winamp"},  // the cut-off too
      {u"plain [b]text[/b]", u"plain [b]text[/b]"},
  };
  for (const auto& [format, text] : cases) EXPECT_EQ(Format(format), text) << Utf16ToUtf8(format);
}

std::u16string Times(int count, std::u16string_view text) {
  std::u16string repeated;
  for (int i = 0; i < count; ++i) repeated += text;
  return repeated;
}

// Song texts that hold variables are substituted again by the later steps;
// beyond the limit the message is the start of the whole text, cut there.
TEST_F(DisplayMessageTest, TitleFullOfVariablesIsCutAsTheStartOfTheWholeText) {
  struct {
    const char* what;
    std::u16string format, artistSong, artist, title;
  } const cases[] = {
      // The artist is %SONG%s and the title %ARTIST%s: every step multiplies.
      {"nested", u"%ARTISTSONG%", Times(40, u"%SONG%") + u" - " + Times(20, u"%ARTIST%"), Times(40, u"%SONG%"),
       Times(20, u"%ARTIST%")},
      {"cut variable", Times(12, u"%ARTISTSONG%"), Times(1000, u"%SONG%"), u"a", u"s"},
      {"cut pair", Times(20, u"x%SONG%"), u"", u"", Times(2000, u"\U0001F3B5")},
  };
  for (const auto& c : cases) {
    song.ArtistSong = c.artistSong;
    song.Artist = c.artist;
    song.Song = c.title;
    std::u16string whole = ReplaceAll(ReplaceAll(ReplaceAll(c.format, u"%ARTISTSONG%", song.ArtistSong),
                                                 u"%ARTIST%", song.Artist),
                                      u"%SONG%", song.Song);
    std::u16string message = Format(c.format);
    EXPECT_LE(message.size(), kMaxComposedLength) << c.what;
    EXPECT_GE(message.size(), std::min(whole.size(), kMaxComposedLength) / 2) << c.what;
    EXPECT_TRUE(std::u16string_view(whole).starts_with(message)) << c.what;
    EXPECT_FALSE(IsHighSurrogate(message.back())) << c.what;
  }
}

TEST_F(DisplayMessageTest, RandomWordsNeverRepeatInARowUnlessAllAreTheSame) {
  EXPECT_EQ(Format(u"%RAND%"), u"No Words Loaded!");
  wordList[0] = u"same";
  wordList[1] = u"same";
  EXPECT_EQ(Format(u"%RAND%"), u"same");
  EXPECT_EQ(Format(u"%RAND% %RAND%"), u"same same");  // though the last word was that one
  wordList[7] = u"other";
  for (int i = 0; i < 20; ++i) {
    std::u16string last = words.LastRandomWord;
    EXPECT_NE(Format(u"%RAND%"), last);
  }
}

TEST(FilterWords, MatchArtistOrTitleIgnoringCase) {
  SongInformation song;
  song.Artist = u"Some Artist \u0178ES";  // 1252's byte 0x9F, upper case
  song.Song = u"Caf\u00c9 Song";
  for (auto [word, filtered] : {std::pair{u"", false}, {u"caf\u00e9", true}, {u"ARTIST", true}, {u"Album", false},
                                {u"\u00FFes", true}}) {
    WordSlots filters;
    filters[3] = word;
    EXPECT_EQ(IsFiltered(song, filters), filtered) << Utf16ToUtf8(word);
  }
}

}  // namespace
}  // namespace lanternfly
