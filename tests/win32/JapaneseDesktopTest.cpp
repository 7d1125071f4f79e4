// The program on a Japanese system, whose ANSI code page is 932: the 8-bit
// texts of other programs' windows mix one-byte characters with two-byte
// ones, and the second byte of many of these is an ASCII "[", "\" or "c".
// Wine takes its code page from the locale, so CTest runs these tests with
// LANG=ja_JP.UTF-8 (tests/win32/CMakeLists.txt), the fakes included.

#include <gtest/gtest.h>

#include <sstream>

#include "FakeProgram.h"
#include "app/Cli.h"
#include "message/ColorPatternParser.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/sim/FakeiTunes.h"
#include "players/PlayerReaders.h"
#include "rooms/RoomScanner.h"
#include "rooms/RoomSender.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

using test::FakeProgram;
using Lines = std::vector<std::string>;

// Texts as the program holds them and as code page 932 writes them.
struct Sample {
  std::u16string_view text;
  std::string_view bytes;
};
constexpr Sample kArtistSong{u"アーティスト - 曲名", "\x83\x41\x81\x5b\x83\x65\x83\x42\x83\x58\x83\x67 - \x8b\xc8\x96\xbc"};
constexpr Sample kSamples[] = {
    kArtistSong,                                                      // "ー" ends in "["
    {u"表示ツール", "\x95\x5c\x8e\xa6\x83\x63\x81\x5b\x83\x8b"},      // "表" ends in "\", "ツ" in "c"
    {u"ｱﾆﾒ館", "\xb1\xc6\xd2\x8a\xd9"},                              // half-width kana take one byte
    {u"音楽の部屋", "\x89\xb9\x8a\x79\x82\xcc\x95\x94\x89\xae"},
};

class JapaneseDesktop : public ::testing::Test {
 protected:
  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  Desktop desktop{*api, *codePage};
};

// Texts cross the boundary in 932, here and in the other programs. A byte
// that would begin a two-byte character before one that can end none (text
// written in another code page, a tag from a Western system say) never
// swallows the character after it.
TEST_F(JapaneseDesktop, TextsCrossTheBoundaryIn932) {
  for (const Sample& sample : kSamples) {
    EXPECT_EQ(codePage->Encode(sample.text), sample.bytes);
    EXPECT_EQ(codePage->Decode(sample.bytes), sample.text);
  }
  const Sample strays[] = {{u"Caf\u30fb Tacvba", "Caf\xe9 Tacvba"}, {u"\u30fb" "1999", "\x81" "1999"},
                           {u"x\u30fb", "x\x93"}, {u"ア\u30fb", "\x83\x41\x81"}};
  for (const Sample& stray : strays) EXPECT_EQ(codePage->Decode(stray.bytes), stray.text) << stray.bytes;
}

// The rooms of all seven clients, named in Japanese.
class JapaneseRooms : public JapaneseDesktop {
 protected:
  FakeProgram winmx{"chat winmx --room \x83\x41\x83\x6a\x83\x5c\x83\x93\x82\xcc\x95\x94\x89\xae"};  // アニソンの部屋
  FakeProgram metis{"chat metis --room \x83\x51\x81\x5b\x83\x80\x8e\x47\x92\x6b"};                  // ゲーム雑談
  FakeProgram robomx{"chat robomx --room \x83\x7b\x81\x5b\x83\x4a\x83\x8d\x83\x43\x83\x68"};        // ボーカロイド
  FakeProgram ouka{"chat ouka --room \x89\xb9\x8a\x79\x82\xcc\x95\x94\x89\xae"};                    // 音楽の部屋
  FakeProgram rabbit{"chat rabbit --room \x95\x5c\x8e\xa6\x83\x63\x81\x5b\x83\x8b"};                // 表示ツール
  FakeProgram nushi{"chat nushi --room \xb1\xc6\xd2\x8a\xd9"};                                      // ｱﾆﾒ館
  FakeProgram zcb{"chat zcb"};
  const FakeProgram* all[7] = {&winmx, &metis, &robomx, &ouka, &rabbit, &nushi, &zcb};

  Settings settings;
  ListModel list;
  RoomScanner scanner{desktop, list, settings};
  RoomSender sender{desktop, settings, scanner.Rooms()};

  // What a room received: the line its input box sent on Enter.
  static std::string Received(const FakeProgram& client) { return client.Sent(client.rooms.at(0).name, 1).at(0); }
};

TEST_F(JapaneseRooms, EveryRoomIsFoundAndTypedIntoWithWholeCharacters) {
  for (const FakeProgram* client : all) ASSERT_TRUE(client->Started() && client->codePage == 932);
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"rooms"}, out, err), 0) << err.str();
  EXPECT_EQ(out.str(),
            "[WinMX] アニソンの部屋\n[Metis] ゲーム雑談\n[RoboMX] ボーカロイド\n[Ouka] 音楽の部屋\n"
            "[Rabbit] 表示ツール\n[Nushi] ｱﾆﾒ館\n[ZCB] Zenar Chat Bot\n");

  scanner.RefreshRoomList();
  std::u16string message = ExpandPatterns(u"[c,1,4,12]アーティスト - 曲名[/c] #c1#ｱﾆﾒ[c,2,7]表示ツール[/c]", PatternDatabase());
  settings.SendToAll = true;
  sender.SendDisplayMessage(message, list);
  const std::string expected =
      "#c4#\x83\x41#c12#\x81\x5b#c4#\x83\x65#c12#\x83\x42#c4#\x83\x58#c12#\x83\x67 #c4#- #c12#\x8b\xc8#c4#\x96\xbc"
      " #c1#\xb1\xc6\xd2#c7#\x95\x5c\x8e\xa6#c7#\x83\x63\x81\x5b#c7#\x83\x8b";
  for (const FakeProgram* client : all) {
    std::string line = Received(*client);
    EXPECT_EQ(line, expected) << client->rooms.at(0).name;
    EXPECT_EQ(codePage->Decode(line), message);
  }
}

// Protection reads the real boxes: a draft is spared.
TEST_F(JapaneseRooms, ALongLineIsCutAfter400WholeCharactersAndADraftIsSpared) {
  for (const FakeProgram* client : all) ASSERT_TRUE(client->Started());
  const char* draft = "\x89\xba\x8f\x91\x82\xab";  // 下書き
  HWND winmxBox = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(winmx.rooms[0].box));
  SendMessageA(winmxBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(draft));
  // 5 characters in front, 35 pairs "#c4#曲#c12#曲", then "#c4#曲#c12#": 400
  // characters are 471 bytes, and the first 400 bytes end inside a "曲".
  std::u16string message = u"#c1#:" + ExpandPatterns(u"[c,1,4,12]" + std::u16string(200, u'曲') + u"[/c]",
                                                      PatternDatabase());
  std::ostringstream out, err;  // the command line's send, which protects drafts when told to
  ASSERT_EQ(RunCli({"send", "--protect", Utf16ToUtf8(message)}, out, err), 0) << err.str();
  for (const FakeProgram* client : {&rabbit, &nushi, &zcb}) {
    std::string line = Received(*client);
    EXPECT_EQ(line.size(), 471u);
    EXPECT_EQ(codePage->Decode(line), message.substr(0, 400));  // a split character would read "・"
  }
  char text[64] = {};
  SendMessageA(winmxBox, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, draft);
  EXPECT_TRUE(winmx.Sent(winmx.rooms[0].name).empty());
}

// Winamp playing a file with a Japanese name.
class JapaneseWinamp : public JapaneseDesktop {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"lanternfly-ja-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    file_ = folder_ + L"\\曲名.mp3";
    std::string fixture = LANTERNFLY_FIXTURES "/tagged-v1v2.mp3";
    ASSERT_TRUE(CopyFileW(std::wstring(fixture.begin(), fixture.end()).c_str(), file_.c_str(), FALSE));
    std::string folder = codePage->Encode(std::u16string(folder_.begin(), folder_.end()));
    path_ = folder + "\\\x8b\xc8\x96\xbc.mp3";
  }

  void TearDown() override {
    DeleteFileW(file_.c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  std::unique_ptr<Files> files = SystemFiles();
  FakeiTunes iTunes;
  PlayerReaders readers{desktop, *files, iTunes};
  std::string path_;

 private:
  std::wstring folder_;
  std::wstring file_;
};

TEST_F(JapaneseWinamp, TitleAndFileGiveTheSongInUtf16) {
  FakeProgram winamp("winamp --title \"1. " + std::string(kArtistSong.bytes) + " - Winamp\" --path \"" + path_ + "\"");
  ASSERT_TRUE(winamp.Started() && winamp.codePage == 932);
  SongInformation song = readers.ReadWinampSong();
  EXPECT_EQ(song.ArtistSong, kArtistSong.text);
  EXPECT_EQ(song.Song, u"曲名");
  EXPECT_EQ(song.Album, u"Album X");  // read from the file, so it was found by its Japanese name
}

}  // namespace
}  // namespace lanternfly
