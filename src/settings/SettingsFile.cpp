#include "settings/SettingsFile.h"

#include "message/DisplayMessage.h"
#include "message/PatternText.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
// Neither begins another key nor is begun by one, so files of earlier
// versions read as before, and those versions pass over its lines.
constexpr std::u16string_view kSelectedRoomKey = u"SelectedRoom=";

struct BooleanKey {
  std::u16string_view key;
  bool Settings::*field;
};

// The Boolean settings, in the order their lines are written and their keys
// are tried.
constexpr BooleanKey kMainBooleans[] = {{u"SendToAll=", &Settings::SendToAll}};
constexpr BooleanKey kGeneralBooleans[] = {
    {u"ShowTrayIcon=", &Settings::ShowTrayIcon},
    {u"HideOnMinimize=", &Settings::HideOnMinimize},
    {u"AutoDisplay=", &Settings::AutoDisplay},
    {u"InterruptionProtection=", &Settings::InterruptionProtection},
};
constexpr BooleanKey kChannelBooleans[] = {
    {u"AutoRefresh=", &Settings::AutoRefresh}, {u"ScanWinMX=", &Settings::ScanWinMX},
    {u"ScanRobo=", &Settings::ScanRobo},       {u"ScanMetis=", &Settings::ScanMetis},
    {u"ScanNushi=", &Settings::ScanNushi},     {u"ScanOuka=", &Settings::ScanOuka},
    {u"ScanRabbit=", &Settings::ScanRabbit},   {u"ScanZCB=", &Settings::ScanZCB},
};

std::u16string_view TrueFalse(bool value) { return value ? u"True" : u"False"; }

// "True" and "False" in any case, or a number: zero is false, any other true.
std::optional<bool> ReadBoolean(std::u16string_view value) {
  std::u16string word = FoldCase(TrimBlanks(value));
  if (word == u"true") return true;
  if (word == u"false") return false;
  if (std::optional<double> number = ReadNumber(value)) return *number != 0;
  return std::nullopt;
}

// The settings text cut into fields: at commas and at line ends (CR LF, or a
// lone CR or LF); an empty line is an empty field.
std::vector<std::u16string_view> Fields(std::u16string_view text) {
  std::vector<std::u16string_view> fields;
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char16_t c = text[at];
    if (c != u',' && c != u'\r' && c != u'\n') continue;
    fields.push_back(text.substr(start, at - start));
    if (c == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') ++at;
    start = at + 1;
  }
  if (start < text.size()) fields.push_back(text.substr(start));
  return fields;
}

void ReadField(std::u16string_view field, Settings& settings, PatternDatabase& patterns, Random& random) {
  static const Settings defaults = DefaultSettings();
  auto begins = [&](std::u16string_view key) { return field.substr(0, key.size()) == key; };
  // The value is all that follows the key: a pattern named "My SavedPattern"
  // keeps its name.
  auto value = [&](std::u16string_view key) { return std::u16string(field.substr(key.size())); };

  // No key begins another, so at most one key matches a field.
  using Keys = std::span<const BooleanKey>;
  for (Keys keys : {Keys(kMainBooleans), Keys(kGeneralBooleans), Keys(kChannelBooleans)}) {
    for (const BooleanKey& entry : keys) {
      // A value that does not convert leaves the setting at its default, and
      // the rest of the file is read on.
      if (begins(entry.key)) {
        settings.*entry.field = ReadBoolean(value(entry.key)).value_or(defaults.*entry.field);
        return;
      }
    }
  }
  if (begins(u"SelectedPlayer=")) {
    settings.SelectedPlayer = value(u"SelectedPlayer=");
    return;
  }
  if (begins(u"DisplayFormat=")) {
    settings.DisplayFormat = ReplaceAll(value(u"DisplayFormat="), u"./.", u",");
  } else if (begins(u"DefaultPattern=")) {
    patterns.DefaultPattern = value(u"DefaultPattern=");
  } else if (begins(u"SavedPattern=")) {
    // A value without "=" is no pattern; it is passed over.
    if (std::optional<ColorPattern> pattern = ParsePatternText(value(u"SavedPattern="), random)) {
      patterns.AddPattern(*pattern);
    }
  } else if (begins(u"RadioCutoffText=")) {
    settings.RadioCutoffText = value(u"RadioCutoffText=");
  } else if (begins(u"RandomWord=")) {
    AddRandomWord(settings, value(u"RandomWord="));
  } else if (begins(u"FilterWord=")) {
    AddFilterWord(settings, value(u"FilterWord="));
  } else if (begins(kSelectedRoomKey)) {
    if (settings.SelectedRooms.size() < kChosenRooms)
      settings.SelectedRooms.push_back(RoomFromField(value(kSelectedRoomKey)));
  }
}

// The default pattern's name is cleaned as its pattern's is, so it still
// names it; a name that matches no pattern keeps its "=".
std::u16string StorableDefaultPattern(const PatternDatabase& patterns) {
  for (int slot = 1; slot <= PatternDatabase::kSlots; ++slot) {
    const std::u16string& name = patterns.Slot(slot).Name;
    if (!name.empty() && name == patterns.DefaultPattern) return StorableName(name);
  }
  return StorableText(patterns.DefaultPattern);
}

// Names a default pattern when the file named none: the first stored one,
// else the built-in one.
void FixDefaultPattern(PatternDatabase& patterns) {
  if (!patterns.DefaultPattern.empty()) return;
  for (int slot = 1; slot <= PatternDatabase::kSlots; ++slot) {
    if (!patterns.Slot(slot).Name.empty()) {
      patterns.DefaultPattern = patterns.Slot(slot).Name;
      return;
    }
  }
  patterns.AddPattern(RainbowLightPattern());
  patterns.DefaultPattern = kRainbowLightName;
}

}  // namespace

Settings DefaultSettings() {
  Settings settings;
  settings.SendToAll = true;
  settings.SelectedPlayer = u"Winamp";
  settings.ShowTrayIcon = true;
  settings.HideOnMinimize = true;
  settings.AutoDisplay = true;
  settings.InterruptionProtection = true;
  settings.AutoRefresh = true;
  settings.ScanWinMX = settings.ScanRobo = settings.ScanMetis = settings.ScanNushi = true;
  settings.ScanOuka = settings.ScanRabbit = settings.ScanZCB = true;
  settings.DisplayFormat = kDefaultDisplayFormat;
  return settings;
}

bool AddWord(WordSlots& slots, std::u16string word) {
  for (std::u16string& slot : slots) {
    if (slot.empty()) {
      slot = std::move(word);
      return true;
    }
  }
  return false;
}

bool AddRandomWord(Settings& settings, std::u16string word) { return AddWord(settings.RandomWords, std::move(word)); }
bool AddFilterWord(Settings& settings, std::u16string word) { return AddWord(settings.FilterWords, std::move(word)); }

std::u16string StorableText(std::u16string_view text) {
  std::u16string kept;
  kept.reserve(text.size());
  for (char16_t c : text) {
    if (c != u',' && c != u'\r' && c != u'\n') kept += c;
  }
  return kept;
}

std::u16string StorableName(std::u16string_view name) { return ReplaceAll(StorableText(name), u"=", u""); }

std::u16string RoomField(std::u16string_view entry) {
  constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string field;
  for (char16_t c : entry) {
    if (c >= u' ' && c <= u'~' && c != u',' && c != u'%') {
      field += c;
      continue;
    }
    field += u'%';
    for (int shift = 12; shift >= 0; shift -= 4) field += kHex[(c >> shift) & 0xF];
  }
  return field;
}

std::u16string RoomFromField(std::u16string_view field) {
  auto digit = [](char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
  };
  std::u16string entry;
  for (std::size_t at = 0; at < field.size(); ++at) {
    int unit = field[at] == u'%' && at + 4 < field.size() ? 0 : -1;
    for (std::size_t i = 1; i <= 4 && unit >= 0; ++i) unit = digit(field[at + i]) < 0 ? -1 : unit * 16 + digit(field[at + i]);
    if (unit < 0) {
      entry += field[at];
    } else {
      entry += static_cast<char16_t>(unit);
      at += 4;
    }
  }
  return entry;
}

std::u16string SettingsText(const Settings& settings, const PatternDatabase& patterns) {
  std::u16string text;
  auto line = [&](std::u16string_view content) {
    text += content;
    text += kLineEnd;
  };
  auto booleans = [&](std::span<const BooleanKey> keys) {
    for (const BooleanKey& entry : keys) line(std::u16string(entry.key) + std::u16string(TrueFalse(settings.*entry.field)));
  };
  line(u"//Main Settings");
  line(u"");
  booleans(kMainBooleans);
  line(u"SelectedPlayer=" + StorableText(settings.SelectedPlayer));
  line(u"");
  line(u"//General Settings");
  line(u"");
  booleans(kGeneralBooleans);
  line(u"");
  line(u"//Channel List");
  line(u"");
  booleans(kChannelBooleans);
  line(u"");
  line(u"//Display Message");
  line(u"");
  // The template keeps its commas, written "./."; its line breaks go.
  line(u"DisplayFormat=" + StorableText(ReplaceAll(settings.DisplayFormat, u",", u"./.")));
  line(u"DefaultPattern=" + StorableDefaultPattern(patterns));
  for (int slot = 1; slot <= PatternDatabase::kSlots; ++slot) {
    ColorPattern pattern = patterns.Slot(slot);
    if (pattern.Name.empty()) continue;
    pattern.Name = StorableName(pattern.Name);
    line(u"SavedPattern=" + PatternToText(pattern));
  }
  line(u"");
  line(u"//Extra Display Settings");
  line(u"");
  line(u"RadioCutoffText=" + StorableText(settings.RadioCutoffText));
  auto words = [&](std::u16string_view key, const WordSlots& slots) {
    for (const std::u16string& word : slots) {
      // A word of commas alone has nothing left to store.
      std::u16string stored = StorableText(word);
      if (!stored.empty()) line(std::u16string(key) + stored);
    }
  };
  words(u"RandomWord=", settings.RandomWords);
  words(u"FilterWord=", settings.FilterWords);
  // Only the mode that sends to them keeps the chosen rooms.
  if (!settings.SendToAll) {
    for (const std::u16string& room : settings.SelectedRooms) line(std::u16string(kSelectedRoomKey) + RoomField(room));
  }
  return text;
}

void ReadSettingsText(std::u16string_view text, Settings& settings, PatternDatabase& patterns, Random& random,
                      const std::function<void()>& eachField) {
  for (std::u16string_view field : Fields(text)) {
    ReadField(field, settings, patterns, random);
    eachField();
  }
}

void SettingsFile::LoadSettings(Settings& settings, PatternDatabase& patterns, Random& random,
                                const std::function<void()>& applySelections) {
  std::optional<std::string> path = EncodeExactly(desktop_.Text(), path_);
  WholeFile found = path ? ReadSharedFile(files_, *path) : WholeFile{};
  if (found.outcome == ReadOutcome::kRead) {
    ReadSettingsText(desktop_.Text().Decode(found.bytes), settings, patterns, random, [&] { desktop_.PumpMessages(); });
    applySelections();
    FixDefaultPattern(patterns);
    return;
  }
  if (found.outcome == ReadOutcome::kMissing) {
    shell_.ShowMessage(u"There was no settings file found. The default settings will now be applied.",
                       u"No Settings Found", MessageButtons::kOk, MessageIcon::kNone);
  } else {
    unreadFile_ = true;
    std::u16string backup = BackupPath().substr(path_.find_last_of(u"\\/") + 1);
    std::u16string notice =
        MoveUnreadFileAside()
            ? u"The settings file could not be read. It was kept as " + backup +
                  u", and the default settings will now be applied."
            : u"The settings file could not be read, nor renamed to " + backup +
                  u". It is left as it is, and the default settings will now be applied; they will be saved once the "
                  u"file can be renamed.";
    shell_.ShowMessage(notice, u"Settings Not Read", MessageButtons::kOk, MessageIcon::kNone);
  }
  ApplyDefaultSettings(settings, patterns, applySelections);
}

void SettingsFile::SaveSettings(const Settings& settings, const PatternDatabase& patterns) {
  std::string bytes = desktop_.Text().Encode(SettingsText(settings, patterns));
  desktop_.PumpMessages();
  if (!MoveUnreadFileAside()) return;
  if (std::optional<std::string> path = EncodeExactly(desktop_.Text(), path_)) files_.Replace(*path, bytes);
}

bool SettingsFile::MoveUnreadFileAside() {
  if (!unreadFile_) return true;
  std::optional<std::string> path = EncodeExactly(desktop_.Text(), path_);
  std::optional<std::string> backup = EncodeExactly(desktop_.Text(), BackupPath());
  if (path && backup && (files_.Rename(*path, *backup) || !files_.Exists(*path))) unreadFile_ = false;
  return !unreadFile_;
}

void SettingsFile::ApplyDefaultSettings(Settings& settings, PatternDatabase& patterns,
                                        const std::function<void()>& applySelections) {
  Settings defaults = DefaultSettings();
  defaults.RadioCutoffText = std::move(settings.RadioCutoffText);
  defaults.RandomWords = std::move(settings.RandomWords);
  defaults.FilterWords = std::move(settings.FilterWords);
  settings = std::move(defaults);
  patterns.AddPattern(RainbowLightPattern());
  patterns.DefaultPattern = kRainbowLightName;
  desktop_.PumpMessages();
  applySelections();
  SaveSettings(settings, patterns);
}

}  // namespace lanternfly
