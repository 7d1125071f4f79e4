// settings.ini on files in memory. That every file the program wrote loads
// and saves again byte for byte is checked by the settings fuzz target and
// its replay of the committed files.

#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include "message/ColorPatternParser.h"
#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimShell.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr char kPath[] = "C:\\Lanternfly\\settings.ini";
constexpr char kBackup[] = "C:\\Lanternfly\\settings.ini.bak";
constexpr std::string_view kUsersFile = "SendToAll=False\r\nSavedPattern=Mine=1.4\r\nRandomWord=mine\r\n";
constexpr std::string_view kDefaultFile =
    "//Main Settings\r\n\r\nSendToAll=True\r\nSelectedPlayer=Winamp\r\n\r\n"
    "//General Settings\r\n\r\nShowTrayIcon=True\r\nHideOnMinimize=True\r\nAutoDisplay=True\r\n"
    "InterruptionProtection=True\r\n\r\n"
    "//Channel List\r\n\r\nAutoRefresh=True\r\nScanWinMX=True\r\nScanRobo=True\r\nScanMetis=True\r\n"
    "ScanNushi=True\r\nScanOuka=True\r\nScanRabbit=True\r\nScanZCB=True\r\n\r\n"
    "//Display Message\r\n\r\nDisplayFormat=#c1#is listening to [d]%ARTISTSONG%[/d]\r\n"
    "DefaultPattern=Rainbow Light\r\nSavedPattern=Rainbow Light=2.51.52.53.54.55.56.57.58.59\r\n\r\n"
    "//Extra Display Settings\r\n\r\nRadioCutoffText=\r\n";

class SettingsFileTest : public ::testing::Test {
 protected:
  void Load(std::string_view content) {
    files.Put(kPath, std::vector<std::uint8_t>(content.begin(), content.end()));
    Load();
  }
  void Load() { file.LoadSettings(settings, patterns, random, [] {}); }
  void Save() { file.SaveSettings(settings, patterns); }
  std::string Written() { return files.Content(kPath).value_or("<none>"); }

  SimDesktop sim;
  std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
  Desktop desktop{sim, *codePage};
  MemoryFiles files;
  SimShell shell;
  SettingsFile file{files, shell, desktop, Utf8ToUtf16(kPath)};
  Settings settings;
  PatternDatabase patterns;
  Random random{5};
};

// A file that is there but does not open (no read permission, locked by
// another program) holds the user's patterns and words: it is never
// replaced by the defaults, only moved aside first.
TEST_F(SettingsFileTest, AnUnreadableFileIsKeptAsTheBackup) {
  files.Put(kBackup, {'o', 'l', 'd'});
  files.Put(kPath, std::vector<std::uint8_t>(kUsersFile.begin(), kUsersFile.end()));
  files.MakeUnreadable(kPath);
  Load();
  ASSERT_EQ(shell.messages.size(), 1u);
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
  EXPECT_EQ(shell.messages[0].text.substr(0, 71),
            u"The settings file could not be read, nor renamed to settings.ini.bak. I");
  settings.SelectedPlayer = u"VLC";
  Save();
  EXPECT_EQ(Written(), kUsersFile);
  EXPECT_FALSE(files.Exists(kBackup));
  // At the exit, say, the other program has let go of it; once moved, later
  // saves replace the file as usual and keep the backup.
  files.failRenames = false;
  Save();
  EXPECT_EQ(files.Content(kBackup), kUsersFile);
  EXPECT_NE(Written().find("SelectedPlayer=VLC\r\n"), std::string::npos);
  file.SaveSettings(DefaultSettings(), patterns);
  EXPECT_EQ(files.Content(kBackup), kUsersFile);

  // A file that could not be moved and then went away no longer stops the save.
  Load("x");
  files.MakeUnreadable(kPath);
  files.failRenames = true;
  Load();
  files.Remove(kPath);
  Save();
  EXPECT_TRUE(files.Exists(kPath));
}

TEST_F(SettingsFileTest, FieldsEndAtCommasAndTheValueIsAllAfterTheOneKey) {
  Load("SendToAll=True\r\nDisplayFormat=a,b\r\nRandomWord=x\r\nRadioCutoffText=cut, rest\r\n"
       "SelectedPlayer=VLC\r\nSelectedPlayer=Foobar\r\nRandomWord=y\r\nScanOuka=0\r\nScanZCB=2\r\n"
       "AutoRefresh=false\r\nSelectedRoom=[Ouka] %zz%002C%41");
  EXPECT_EQ(settings.DisplayFormat + settings.RandomWords[0] + settings.RandomWords[1], u"axy");
  EXPECT_EQ(settings.RadioCutoffText + settings.SelectedPlayer, u"cutFoobar");
  EXPECT_TRUE(settings.SendToAll && settings.ScanZCB && !settings.ScanOuka && !settings.AutoRefresh);
  EXPECT_EQ(settings.SelectedRooms, std::vector<std::u16string>{u"[Ouka] %zz,%41"});
  // Keys the file lacks keep the values from before reading.
  EXPECT_TRUE(!settings.AutoDisplay && settings.ScanWinMX);

  patterns = PatternDatabase();
  Load("SavedPattern=My SavedPattern=2.7\r\nRandomWord=RandomWord=x\r\n"
       "RandomWord=RandomRandomWord=Word=y\r\nFilterWord=a FilterWord=\r\n"
       "DisplayFormat=DisplayFormat=%TITLE%\r\nSelectedPlayer=SelectedPlayer=\r\n"
       "RadioCutoffText= RadioCutoffText=\r\nDefaultPattern=My SavedPattern\r\n");
  EXPECT_EQ(patterns.Slot(1).Name + u"|" + patterns.DefaultPattern, u"My SavedPattern|My SavedPattern");
  EXPECT_EQ(settings.RandomWords[2] + u"|" + settings.RandomWords[3] + u"|" + settings.FilterWords[0],
            u"RandomWord=x|RandomRandomWord=Word=y|a FilterWord=");
  EXPECT_EQ(settings.DisplayFormat + u"|" + settings.SelectedPlayer + u"|" + settings.RadioCutoffText,
            u"DisplayFormat=%TITLE%|SelectedPlayer=| RadioCutoffText=");
}

// Values the settings window may hold that the file cannot: each is saved
// without what would end its field, and nothing else changes at the next start.
TEST_F(SettingsFileTest, AValueCannotWriteAnotherSetting) {
  settings = DefaultSettings();
  settings.SendToAll = false;
  settings.DisplayFormat = u"a,b\r\nSendToAll=True";
  settings.RadioCutoffText = u"x,RandomWord=y";
  for (auto word : {u"fun,DisplayFormat=hijacked", u"Hello, world", u",", u"last"}) AddRandomWord(settings, word);
  AddFilterWord(settings, u"Rock,FilterWord=Metal");
  ColorPattern warm = ParseColorScript(u"3,8,57");
  warm.Name = u"Warm,FilterWord=z";
  patterns.AddPattern(warm);
  patterns.DefaultPattern = warm.Name;
  // Rooms come back exactly, whatever their names hold and the code page.
  settings.SelectedRooms = {u"[WinMX] a,FilterWord=b", u"[Nushi] [x] 100%0041 \u65e5\u672c \U0001F600",
                            u"[ZCB] \r\nSendToAll=True"};
  Save();

  Settings reread;
  PatternDatabase rereadPatterns;
  file.LoadSettings(reread, rereadPatterns, random, [] {});
  EXPECT_TRUE(shell.messages.empty());
  EXPECT_FALSE(reread.SendToAll);
  EXPECT_EQ(reread.DisplayFormat, u"a,bSendToAll=True");
  EXPECT_EQ(reread.SelectedRooms, settings.SelectedRooms);
  EXPECT_EQ(reread.RadioCutoffText, u"xRandomWord=y");
  EXPECT_EQ(reread.RandomWords, (WordSlots{u"funDisplayFormat=hijacked", u"Hello world", u"last"}));
  EXPECT_EQ(reread.FilterWords, WordSlots{u"RockFilterWord=Metal"});
  warm.Name = u"WarmFilterWordz";
  EXPECT_EQ(rereadPatterns.Slot(1), warm);
  EXPECT_EQ(rereadPatterns.DefaultPattern, warm.Name);
  EXPECT_TRUE(PatternDatabase::IsFree(rereadPatterns.Slot(2)));
  // Sending to every room, the choice is not kept.
  settings.SendToAll = true;
  EXPECT_EQ(SettingsText(settings, patterns).find(u"SelectedRoom"), std::u16string::npos);
}

TEST_F(SettingsFileTest, ABadFieldIsPassedOverAndAFailedSaveKeepsTheFile) {
  Load("SendToAll=maybe\r\nAutoDisplay=perhaps\r\nSavedPattern=NoEquals\r\nSavedPattern=Kept=1.4\r\n"
       "RandomWord=after\r\n");
  EXPECT_TRUE(shell.messages.empty());
  EXPECT_TRUE(settings.SendToAll && settings.AutoDisplay);  // their defaults
  EXPECT_EQ(patterns.Slot(1).Name, u"Kept");
  EXPECT_EQ(settings.RandomWords[0], u"after");
  EXPECT_EQ(Written().substr(0, 15), "SendToAll=maybe");  // not rewritten
  files.failWrites = true;
  Save();
  EXPECT_EQ(Written().substr(0, 15), "SendToAll=maybe");
}

}  // namespace
}  // namespace lanternfly
