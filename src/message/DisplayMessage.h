#pragma once

// The display message: the one line typed into the chat rooms for a song,
// built from the user's template.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "message/PatternDatabase.h"
#include "message/Random.h"
#include "platform/Desktop.h"
#include "players/PlayerReaders.h"
#include "players/SongInformation.h"

namespace lanternfly {

// The template a fresh setup starts with.
inline constexpr std::u16string_view kDefaultDisplayFormat = u"#c1#is listening to [d]%ARTISTSONG%[/d]";

// A word list's slots (empty slots are unused).
using WordList = std::span<const std::u16string>;

// %RAND%'s word: drawn from the random word list, never the same twice in a row.
class RandomWordPicker {
 public:
  explicit RandomWordPicker(Random& random) : random_(random) {}

  // A word of the list, or "No Words Loaded!" when the list is empty. With
  // two or more words it differs from the last one returned, unless every
  // word equals that one.
  std::u16string GetRandomWord(WordList words, Desktop& desktop);

  std::u16string LastRandomWord;

 private:
  Random& random_;
};

// The user's choices a composition reads.
struct DisplaySettings {
  std::u16string_view displayFormat;  // the template
  std::u16string_view selectedPlayer;
  std::u16string_view radioCutoffText;
  WordList randomWords;
};

// What one composition reads.
struct DisplayContext {
  DisplaySettings settings;
  const PatternDatabase& patterns;
  const SongInformation& currentSong;  // the song last taken as new
  PlayerReaders& players;              // for a fresh read of the time and playlist
  RandomWordPicker& randomWords;
  Desktop& desktop;                    // lets window messages run along the way
};

// Song texts come from players, files and radio streams that anyone controls,
// and a value that holds a later variable is substituted again: a title full
// of variables nests into a text of gigabytes. The substituted text is cut at
// this length, or at the template's own when that is longer; a room takes 400
// characters of it.
inline constexpr std::size_t kMaxComposedLength = 65536;

// The template with the radio cut-off applied to the title, the 19
// variables substituted in order, and the colour blocks expanded. When the
// substitutions would outgrow kMaxComposedLength, the text is the start of
// theirs, cut there, before the colour blocks are expanded.
std::u16string GetFormattedText(DisplayContext& context);

// True when a filter word occurs, ignoring case, in the song's artist or
// title: such a song is not announced.
bool IsFiltered(const SongInformation& song, WordList filterWords);

}  // namespace lanternfly
