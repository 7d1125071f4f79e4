#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimShell.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr char kPath[] = "C:\\Lanternfly\\settings.ini";

class SettingsFileTest : public ::testing::Test {
 protected:
  void Load(std::string_view content) {
    files.Put(kPath, std::vector<std::uint8_t>(content.begin(), content.end()));
    Load();
  }
  void Load() {
    file.LoadSettings(settings, patterns, random, [this] { ++selectionsApplied; });
  }
  std::string Written() { return files.Content(kPath).value_or("<none>"); }

  struct Saved {
    Settings settings;
    PatternDatabase patterns;
    std::string bytes;
  };
  // A fresh start on `content`, then the save at its end.
  Saved LoadAndSave(std::string_view content) {
    files.Put(kPath, std::vector<std::uint8_t>(content.begin(), content.end()));
    Saved saved;
    file.LoadSettings(saved.settings, saved.patterns, random, [] {});
    file.SaveSettings(saved.settings, saved.patterns);
    saved.bytes = Written();
    return saved;
  }
  // What one start reads, the next start reads again, and its save repeats
  // the first byte for byte.
  void ExpectStable(std::string_view content) {
    SCOPED_TRACE(content);
    Saved first = LoadAndSave(content);
    Saved second = LoadAndSave(first.bytes);
    EXPECT_EQ(second.settings, first.settings);
    EXPECT_EQ(second.bytes, first.bytes);
  }

  SimDesktop sim;
  std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
  Desktop desktop{sim, *codePage};
  MemoryFiles files;
  SimShell shell;
  SettingsFile file{files, shell, desktop, Utf8ToUtf16(kPath)};
  Settings settings;
  PatternDatabase patterns;
  Random random{5};
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
  EXPECT_EQ(patterns.Slot(1), RainbowLightPattern());
  EXPECT_EQ(selectionsApplied, 1);
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
  ExpectStable(Written());
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

  Saved reread = LoadAndSave(Written());
  EXPECT_TRUE(shell.messages.empty());
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
  ExpectStable(reread.bytes);
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

}  // namespace
}  // namespace lanternfly
