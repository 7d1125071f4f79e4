#pragma once

// "settings.ini": every setting, the saved patterns and the word lists, as
// 8-bit text in the system code page, one item a line, CR LF line ends.

#include <functional>
#include <string>

#include "message/PatternDatabase.h"
#include "message/Random.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "settings/Settings.h"

namespace lanternfly {

// The values ApplyDefaultSettings gives.
Settings DefaultSettings();

// Stores the word in the lowest free slot; false, storing nothing, when all
// 100 slots are used.
bool AddWord(WordSlots& slots, std::u16string word);
bool AddRandomWord(Settings& settings, std::u16string word);
bool AddFilterWord(Settings& settings, std::u16string word);

// The text as settings.ini can hold it: without commas and line breaks, which
// would end its field and begin another. A word is cleaned with it before it
// is stored.
std::u16string StorableText(std::u16string_view text);

// A pattern name as the saved form can hold it: StorableText's, and no "=",
// which would end the name.
std::u16string StorableName(std::u16string_view name);

// A room's list entry as its field holds it, and back: commas, "%", line
// breaks and all that is not printable ASCII are written "%" and four hex
// digits of the UTF-16 code unit, so that no code page loses a character and
// no character ends the field. A "%" without four upper-case hex digits stays.
std::u16string RoomField(std::u16string_view entry);
std::u16string RoomFromField(std::u16string_view field);

// The file's text for these settings, exactly as it is written. Values lose
// what the file cannot hold: what StorableText removes (the template keeps
// its commas, written "./."), and "=" in pattern names, which would end the
// name; the default pattern's name is cleaned as its pattern's is, so it
// still names it.
std::u16string SettingsText(const Settings& settings, const PatternDatabase& patterns);

// Reads a settings text into the settings and the pattern database. A field
// ends at a comma or a line end; a field that begins with a key sets that
// key's value (all that follows the key). A value
// that does not convert is passed over and its setting takes the default;
// the rest is read on. `eachField` runs after each field.
void ReadSettingsText(std::u16string_view text, Settings& settings, PatternDatabase& patterns, Random& random,
                      const std::function<void()>& eachField = [] {});

class SettingsFile {
 public:
  SettingsFile(Files& files, Shell& shell, Desktop& desktop, std::u16string path)
      : files_(files), shell_(shell), desktop_(desktop), path_(std::move(path)) {}

  // Reads the file into the settings and the pattern database, then calls
  // applySelections and makes sure a default pattern is named. A missing file
  // brings the notice, the defaults and a fresh file. A file that is there
  // but cannot be read is renamed to the backup name (settings.ini.bak) first,
  // and the notice says so.
  void LoadSettings(Settings& settings, PatternDatabase& patterns, Random& random,
                    const std::function<void()>& applySelections);

  // Writes the whole file anew. A failure is not reported; the previous file
  // then stays as it was. A file that could not be read is never replaced:
  // while it cannot be renamed to the backup name, nothing is written.
  void SaveSettings(const Settings& settings, const PatternDatabase& patterns);

  // The defaults of the settings (word lists, radio cut-off text and stored
  // patterns stay), "Rainbow Light" stored and named default, then
  // applySelections and a save.
  void ApplyDefaultSettings(Settings& settings, PatternDatabase& patterns,
                            const std::function<void()>& applySelections);

  const std::u16string& Path() const { return path_; }
  // Where a file that could not be read is kept.
  std::u16string BackupPath() const { return path_ + u".bak"; }

 private:
  // Renames the file that could not be read to the backup name; true when
  // it is out of the way (or gone), so that writing may replace nothing of
  // the user's.
  bool MoveUnreadFileAside();

  Files& files_;
  Shell& shell_;
  Desktop& desktop_;
  std::u16string path_;
  bool unreadFile_ = false;  // the file is there, unread, and not yet moved aside
};

}  // namespace lanternfly
