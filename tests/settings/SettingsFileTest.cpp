#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimShell.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr char kPath[] = "C:\\Lanternfly\\settings.ini";
constexpr char kBackup[] = "C:\\Lanternfly\\settings.ini.bak";
constexpr std::string_view kUsersFile = "SendToAll=False\r\nSavedPattern=Mine=1.4\r\nRandomWord=mine\r\n";

// One start of the program on the file it finds, and the save at its end.
struct Start {
  explicit Start(const CodePage& codePage) : desktop(sim, codePage) {}

  std::string LoadAndSave(std::string_view found) {
    files.Put(kPath, std::vector<std::uint8_t>(found.begin(), found.end()));
    file.LoadSettings(settings, patterns, random, [] {});
    file.SaveSettings(settings, patterns);
    return Written();
  }
  std::string Written() { return files.Content(kPath).value_or("<none>"); }

  SimDesktop sim;
  Desktop desktop;
  MemoryFiles files;
  SimShell shell;
  SettingsFile file{files, shell, desktop, Utf8ToUtf16(kPath)};
  Settings settings;
  PatternDatabase patterns;
  Random random{5};
};

std::string Escaped(std::string_view bytes) {
  std::string shown;
  for (unsigned char c : bytes) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    shown += c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c)) : std::string(hex);
  }
  return shown;
}

// Whatever the first start finds, the next start reads what it saved as the
// same settings and saves it again byte for byte: nothing drifts from one run
// to the next.
void ExpectStable(const CodePage& codePage, std::string_view found) {
  SCOPED_TRACE(Escaped(found));
  Start first(codePage), second(codePage);
  const std::string written = first.LoadAndSave(found);
  const std::string rewritten = second.LoadAndSave(written);
  EXPECT_TRUE(second.shell.messages.empty());
  EXPECT_EQ(second.settings, first.settings);
  EXPECT_EQ(Utf16ToUtf8(second.patterns.DefaultPattern), Utf16ToUtf8(first.patterns.DefaultPattern));
  for (int slot = 1; slot <= PatternDatabase::kSlots; ++slot) {
    if (second.patterns.Slot(slot) == first.patterns.Slot(slot)) continue;
    ADD_FAILURE() << "pattern slot " << slot << " differs";
    break;
  }
  EXPECT_EQ(Escaped(rewritten), Escaped(written));
}

struct Western {
  std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
};

class SettingsFileTest : public ::testing::Test, protected Western, protected Start {
 protected:
  SettingsFileTest() : Start(*codePage) {}

  void Load(std::string_view content) {
    files.Put(kPath, std::vector<std::uint8_t>(content.begin(), content.end()));
    Load();
  }
  void Load() {
    file.LoadSettings(settings, patterns, random, [this] { ++selectionsApplied; });
  }

  int selectionsApplied = 0;
};

constexpr std::string_view kDefaultFile =
    "//Main Settings\r\n\r\nSendToAll=True\r\nSelectedPlayer=Winamp\r\n\r\n"
    "//General Settings\r\n\r\nShowTrayIcon=True\r\nHideOnMinimize=True\r\nAutoDisplay=True\r\n"
    "InterruptionProtection=True\r\n\r\n"
    "//Channel List\r\n\r\nAutoRefresh=True\r\nScanWinMX=True\r\nScanRobo=True\r\nScanMetis=True\r\n"
    "ScanNushi=True\r\nScanOuka=True\r\nScanRabbit=True\r\nScanZCB=True\r\n\r\n"
    "//Display Message\r\n\r\nDisplayFormat=#c1#is listening to [d]%ARTISTSONG%[/d]\r\n"
    "DefaultPattern=Rainbow Light\r\nSavedPattern=Rainbow Light=2.51.52.53.54.55.56.57.58.59\r\n\r\n"
    "//Extra Display Settings\r\n\r\nRadioCutoffText=\r\n";

TEST_F(SettingsFileTest, MissingFileBringsTheNoticeTheDefaultsAndAFreshFile) {
  Load();
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].text, u"There was no settings file found. The default settings will now be applied.");
  EXPECT_EQ(shell.messages[0].title, u"No Settings Found");
  EXPECT_EQ(shell.messages[0].buttons, MessageButtons::kOk);
  EXPECT_EQ(Written(), kDefaultFile);
  EXPECT_FALSE(files.Exists(kBackup));
  EXPECT_EQ(patterns.Slot(1), RainbowLightPattern());
  EXPECT_EQ(selectionsApplied, 1);
}

// A file that is there but does not open (no read permission, locked by
// another program) holds the user's patterns and words: it is never
// replaced by the defaults, only moved aside first.
TEST_F(SettingsFileTest, AnUnreadableFileIsKeptAsTheBackup) {
  files.Put(kBackup, {'o', 'l', 'd'});
  files.Put(kPath, std::vector<std::uint8_t>(kUsersFile.begin(), kUsersFile.end()));
  files.MakeUnreadable(kPath);
  Load();
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].text,
            u"The settings file could not be read. It was kept as settings.ini.bak, and the default settings will "
            u"now be applied.");
  EXPECT_EQ(shell.messages[0].title, u"Settings Not Read");
  EXPECT_EQ(files.Content(kBackup), kUsersFile);
  EXPECT_EQ(Written(), kDefaultFile);
  EXPECT_EQ(settings, DefaultSettings());
}

TEST_F(SettingsFileTest, AnUnreadableFileThatCannotBeMovedIsNotReplaced) {
  files.Put(kPath, std::vector<std::uint8_t>(kUsersFile.begin(), kUsersFile.end()));
  files.MakeUnreadable(kPath);
  files.failRenames = true;
  Load();
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].text,
            u"The settings file could not be read, nor renamed to settings.ini.bak. It is left as it is, and the "
            u"default settings will now be applied; they will be saved once the file can be renamed.");
  EXPECT_EQ(settings, DefaultSettings());
  settings.SelectedPlayer = u"VLC";
  file.SaveSettings(settings, patterns);
  EXPECT_EQ(Written(), kUsersFile);
  EXPECT_FALSE(files.Exists(kBackup));

  // At the exit, say, the other program has let go of it.
  files.failRenames = false;
  file.SaveSettings(settings, patterns);
  EXPECT_EQ(files.Content(kBackup), kUsersFile);
  EXPECT_NE(Written().find("SelectedPlayer=VLC\r\n"), std::string::npos);
  // Moved once: later saves replace the file as usual and keep the backup.
  file.SaveSettings(DefaultSettings(), patterns);
  EXPECT_EQ(Written(), kDefaultFile);
  EXPECT_EQ(files.Content(kBackup), kUsersFile);
}

TEST_F(SettingsFileTest, AnUnmovableFileThatWentAwayNoLongerStopsTheSave) {
  files.Put(kPath, {'x'});
  files.MakeUnreadable(kPath);
  files.failRenames = true;
  Load();
  files.Remove(kPath);
  file.SaveSettings(settings, patterns);
  EXPECT_EQ(Written(), kDefaultFile);
}

TEST_F(SettingsFileTest, ReadsBackWhatItWrote) {
  settings = DefaultSettings();
  settings.SendToAll = false;
  settings.DisplayFormat = u"a, b [c,1,2,3]x[/c] %RAND%";
  settings.RadioCutoffText = u" - TOP40";
  AddRandomWord(settings, u"caf\u00e9");
  AddFilterWord(settings, u"bad");
  patterns.AddPattern(RainbowLightPattern());
  ColorPattern warm = ParseColorScript(u"3,8,57");
  warm.Name = u"Warm";
  patterns.AddPattern(warm);
  patterns.DefaultPattern = u"Warm";
  file.SaveSettings(settings, patterns);

  Settings reread;
  PatternDatabase rereadPatterns;
  file.LoadSettings(reread, rereadPatterns, random, [] {});
  EXPECT_EQ(reread, settings);
  EXPECT_EQ(rereadPatterns.DefaultPattern, u"Warm");
  EXPECT_EQ(rereadPatterns.Slot(2), warm);
  EXPECT_TRUE(shell.messages.empty());
  EXPECT_NE(Written().find("DisplayFormat=a./. b [c./.1./.2./.3]x[/c] %RAND%\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, FieldsKeysAndValues) {
  Load("SendToAll=True\r\nDisplayFormat=a,b\r\nRandomWord=x\r\nRadioCutoffText=cut, rest\r\n"
       "SelectedPlayer=VLC\r\nSelectedPlayer=Foobar\r\nRandomWord=y\r\nScanOuka=0\r\nScanZCB=2\r\n"
       "AutoRefresh=false");
  EXPECT_TRUE(settings.SendToAll);
  EXPECT_EQ(settings.DisplayFormat, u"a");
  EXPECT_EQ(settings.RandomWords[0], u"x");
  EXPECT_EQ(settings.RandomWords[1], u"y");
  EXPECT_EQ(settings.RadioCutoffText, u"cut");
  EXPECT_EQ(settings.SelectedPlayer, u"Foobar");
  EXPECT_FALSE(settings.ScanOuka);
  EXPECT_TRUE(settings.ScanZCB);
  EXPECT_FALSE(settings.AutoRefresh);
  // Keys the file lacks keep the values from before reading.
  EXPECT_FALSE(settings.AutoDisplay);
  EXPECT_TRUE(settings.ScanWinMX);
  Load("DisplayFormat=a./.b");
  EXPECT_EQ(settings.DisplayFormat, u"a,b");
}

// The value is all that follows the key at the start of the field; copies of
// the key further on are part of it.
TEST_F(SettingsFileTest, AValueMayHoldItsOwnKey) {
  Load("SavedPattern=My SavedPattern=2.7\r\nRandomWord=RandomWord=x\r\n"
       "RandomWord=RandomRandomWord=Word=y\r\nFilterWord=a FilterWord=\r\n"
       "DisplayFormat=DisplayFormat=%TITLE%\r\nSelectedPlayer=SelectedPlayer=\r\n"
       "RadioCutoffText= RadioCutoffText=\r\nDefaultPattern=My SavedPattern\r\n");
  EXPECT_EQ(patterns.Slot(1).Name, u"My SavedPattern");
  EXPECT_EQ(patterns.Slot(1).Colors[0], 7);
  EXPECT_EQ(settings.RandomWords[0], u"RandomWord=x");
  EXPECT_EQ(settings.RandomWords[1], u"RandomRandomWord=Word=y");
  EXPECT_EQ(settings.FilterWords[0], u"a FilterWord=");
  EXPECT_EQ(settings.DisplayFormat, u"DisplayFormat=%TITLE%");
  EXPECT_EQ(settings.SelectedPlayer, u"SelectedPlayer=");
  EXPECT_EQ(settings.RadioCutoffText, u" RadioCutoffText=");
  EXPECT_EQ(patterns.DefaultPattern, u"My SavedPattern");
  ExpectStable(*codePage, Written());
}

TEST(StorableText, DropsWhatWouldEndAField) {
  const struct {
    std::u16string_view typed, stored;
  } cases[] = {
      {u"Hello, world", u"Hello world"},
      {u"fun,DisplayFormat=hijacked", u"funDisplayFormat=hijacked"},
      {u"a\r\nb\rc\nd", u"abcd"},
      {u",,", u""},
      {u" plain = text ", u" plain = text "},
  };
  for (const auto& c : cases) EXPECT_EQ(StorableText(c.typed), c.stored) << Utf16ToUtf8(c.typed);
}

// Values the settings window may hold that the file cannot: each is saved
// without what would end its field, and nothing else changes at the next start.
TEST_F(SettingsFileTest, AValueCannotWriteAnotherSetting) {
  settings = DefaultSettings();
  settings.DisplayFormat = u"a,b\r\nSendToAll=False";
  settings.RadioCutoffText = u"x,RandomWord=y";
  AddRandomWord(settings, u"fun,DisplayFormat=hijacked");
  AddRandomWord(settings, u"Hello, world");
  AddRandomWord(settings, u",");
  AddRandomWord(settings, u"last");
  AddFilterWord(settings, u"Rock,FilterWord=Metal");
  ColorPattern warm = ParseColorScript(u"3,8,57");
  warm.Name = u"Warm,FilterWord=z";
  patterns.AddPattern(warm);
  ColorPattern equals = ParseColorScript(u"1,4");
  equals.Name = u"a=b";
  patterns.AddPattern(equals);
  patterns.DefaultPattern = u"a=b";
  file.SaveSettings(settings, patterns);

  Start reread(*codePage);
  const std::string saved = reread.LoadAndSave(Written());
  EXPECT_TRUE(reread.shell.messages.empty());
  EXPECT_TRUE(reread.settings.SendToAll);
  EXPECT_EQ(reread.settings.DisplayFormat, u"a,bSendToAll=False");
  EXPECT_EQ(reread.settings.RadioCutoffText, u"xRandomWord=y");
  const WordSlots randomWords{u"funDisplayFormat=hijacked", u"Hello world", u"last"};
  EXPECT_EQ(reread.settings.RandomWords, randomWords);
  const WordSlots filterWords{u"RockFilterWord=Metal"};
  EXPECT_EQ(reread.settings.FilterWords, filterWords);
  warm.Name = u"WarmFilterWordz";
  EXPECT_EQ(reread.patterns.Slot(1), warm);
  equals.Name = u"ab";
  EXPECT_EQ(reread.patterns.Slot(2), equals);
  EXPECT_TRUE(PatternDatabase::IsFree(reread.patterns.Slot(3)));
  EXPECT_EQ(reread.patterns.DefaultPattern, u"ab");
  ExpectStable(*codePage, saved);
}

TEST_F(SettingsFileTest, ABadFieldIsPassedOverAndTheRestStillRead) {
  Load("SendToAll=maybe\r\nAutoDisplay=perhaps\r\nSavedPattern=NoEquals\r\nSavedPattern=Kept=1.4\r\n"
       "RandomWord=after\r\n");
  EXPECT_TRUE(shell.messages.empty());
  EXPECT_TRUE(settings.SendToAll);    // its default
  EXPECT_TRUE(settings.AutoDisplay);  // its default
  EXPECT_EQ(patterns.Slot(1).Name, u"Kept");
  EXPECT_EQ(patterns.DefaultPattern, u"Kept");  // the lowest stored pattern
  EXPECT_EQ(settings.RandomWords[0], u"after");
  EXPECT_EQ(files.Content(kPath)->substr(0, 15), "SendToAll=maybe");  // not rewritten
}

TEST_F(SettingsFileTest, DefaultPatternFixUpAndDuplicates) {
  Load("SavedPattern=Same=1.1\r\nSavedPattern=Same=1.2\r\n");
  EXPECT_EQ(patterns.Slot(2).Colors[0], 2);
  EXPECT_EQ(patterns.DefaultPattern, u"Same");
  PatternDatabase empty;
  patterns = empty;
  Load("SendToAll=False\r\n");
  EXPECT_EQ(patterns.DefaultPattern, u"Rainbow Light");
  EXPECT_EQ(patterns.Slot(1), RainbowLightPattern());
  EXPECT_EQ(files.Content(kPath), "SendToAll=False\r\n");  // the fix-up waits for the next save
}

TEST_F(SettingsFileTest, TheHundredAndFirstWordIsDropped) {
  std::string content;
  for (int i = 1; i <= 101; ++i) content += "RandomWord=w" + std::to_string(i) + "\r\n";
  Load(content);
  EXPECT_EQ(settings.RandomWords[99], u"w100");
  EXPECT_FALSE(AddRandomWord(settings, u"more"));
}

TEST_F(SettingsFileTest, AFailedSaveLeavesThePreviousFile) {
  files.Put(kPath, {'o', 'l', 'd'});
  files.failWrites = true;
  file.SaveSettings(DefaultSettings(), patterns);
  EXPECT_EQ(Written(), "old");
}

TEST(SettingsRoundTrip, OddFilesReadBackTheSame) {
  std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
  for (std::string_view found : {
           "DefaultPattern=a=b\r\nSavedPattern=a=2.1",  // "=" in a name no pattern has
           "DisplayFormat=././.,x./.\r\nDisplayFormat=.//..//.",
           "SavedPattern==1.4\r\nSavedPattern=Warm=12.8.57\r\nSavedPattern=Mixed=3.x..300\r\nSavedPattern=Mine=",
           "RandomWord=\r\nRandomWord= \r\nFilterWord=\"q\"\r\nRadioCutoffText= - a=b",
           "SendToAll=maybe\rSelectedPlayer=VLC\n\xE9\x81\x9D=\r\n",
       }) {
    ExpectStable(*codePage, found);
  }
  std::string nul = "RandomWord=a";
  nul += '\0';
  ExpectStable(*codePage, nul + "b");
}

// Files made at random of keys, the characters the reader cares about and
// any bytes, in a single-byte and a double-byte code page.
TEST(SettingsRoundTrip, RandomFilesReadBackTheSame) {
  static constexpr std::string_view kPieces[] = {
      "SendToAll=", "SelectedPlayer=", "DisplayFormat=", "DefaultPattern=", "SavedPattern=", "RadioCutoffText=",
      "RandomWord=", "FilterWord=",     "ScanZCB=",       "True",           "0",             "1e400",
      "=",          ",",               "./.",            ".",              "\r\n",          "\r",
      "\n",         " ",               "Rainbow Light",  "12",             "-3",            "300",
      "\x81",       "\x82\xA0",        "\xE9",           "\xFF",
  };
  for (int number : {1252, 932}) {
    std::unique_ptr<CodePage> codePage = OpenCodePage(number);
    std::mt19937 generator(static_cast<std::uint32_t>(number));
    for (int round = 0; round < 600 && !::testing::Test::HasFailure(); ++round) {
      std::string found;
      for (std::uint32_t piece = generator() % 40; piece > 0; --piece) {
        std::uint32_t pick = generator();
        if (pick % 4 == 0) {
          found += static_cast<char>(pick >> 8);
        } else {
          found += kPieces[(pick >> 8) % std::size(kPieces)];
        }
      }
      ExpectStable(*codePage, found);
    }
  }
}

}  // namespace
}  // namespace lanternfly
