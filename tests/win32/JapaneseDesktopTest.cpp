// The program on a Japanese system, whose ANSI code page is 932: the 8-bit
// texts of other programs' windows mix one-byte characters with two-byte
// ones, and the second byte of many of these is an ASCII "[", "\" or "c".
// Wine takes its code page from the locale, so CTest runs these tests with
// LANG=ja_JP.UTF-8 (tests/win32/CMakeLists.txt), the fakes included.

#include <gtest/gtest.h>

#include <shlwapi.h>

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

namespace lanternfly {
namespace {

using test::FakeProgram;
using Lines = std::vector<std::string>;

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

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

bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc); }
bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xfc && byte != 0x7f; }

// A line as it arrived, cut into colour codes ("#c12#", "#c?#") and whole
// characters; nothing when a lead byte lacks its trail byte. A code put
// between the two bytes of a character shows here, since "#" is never a
// trail byte.
std::optional<Lines> WirePieces(std::string_view bytes) {
  Lines pieces;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (bytes.substr(i, 2) == "#c") {
      std::size_t end = i + 2;
      if (end < bytes.size() && bytes[end] == '?') {
        ++end;
      } else {
        while (end < bytes.size() && bytes[end] >= '0' && bytes[end] <= '9') ++end;
      }
      if (end > i + 2 && end < bytes.size() && bytes[end] == '#') {
        pieces.emplace_back(bytes.substr(i, end + 1 - i));
        i = end + 1;
        continue;
      }
    }
    std::size_t size = IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    if (size == 2 && (i + 1 >= bytes.size() || !IsTrailByte(static_cast<unsigned char>(bytes[i + 1])))) {
      return std::nullopt;
    }
    pieces.emplace_back(bytes.substr(i, size));
    i += size;
  }
  return pieces;
}

TEST(JapaneseWirePieces, FindsCodesBetweenWholeCharactersOnly) {
  EXPECT_EQ(WirePieces("#c4#\x83\x41#c?#\xb1 #c12"), (Lines{"#c4#", "\x83\x41", "#c?#", "\xb1", " ", "#", "c", "1", "2"}));
  EXPECT_EQ(WirePieces("\x83#c4#\x41"), std::nullopt);  // a code inside "ア"
  EXPECT_EQ(WirePieces("\x83\x41\x83"), std::nullopt);
}

class JapaneseDesktop : public ::testing::Test {
 protected:
  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  Desktop desktop{*api, *codePage};
};

TEST_F(JapaneseDesktop, TextsCrossTheBoundaryIn932HereAndInTheOtherPrograms) {
  EXPECT_EQ(GetACP(), 932u);
  EXPECT_EQ(codePage->Number(), 932);
  for (const Sample& sample : kSamples) {
    EXPECT_EQ(codePage->Encode(sample.text), sample.bytes);
    EXPECT_EQ(codePage->Decode(sample.bytes), sample.text);
  }
  FakeProgram vlc("vlc --title VLC");
  ASSERT_TRUE(vlc.Started());
  EXPECT_EQ(vlc.codePage, 932u);
}

// Text written in another code page, a tag from a Western system say: a
// byte that would begin a two-byte character, before one that can end none.
TEST_F(JapaneseDesktop, AStrayLeadByteNeverSwallowsTheCharacterAfterIt) {
  const struct {
    std::string_view bytes;
    std::u16string_view text;
  } cases[] = {
      {"Caf\xe9 Tacvba", u"Caf\u30fb Tacvba"},
      {"\x81" "1999", u"\u30fb" "1999"},
      {"x\x93", u"x\u30fb"},
      {"\x83\x41\x81", u"ア\u30fb"},
  };
  for (const auto& each : cases) EXPECT_EQ(codePage->Decode(each.bytes), each.text) << each.bytes;
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
  ASSERT_EQ(list.ListCount(), 7);
  std::u16string message = ExpandPatterns(u"[c,1,4,12]アーティスト - 曲名[/c] #c1#ｱﾆﾒ[c,2,7]表示ツール[/c]", PatternDatabase());
  EXPECT_EQ(message, u"#c4#ア#c12#ー#c4#テ#c12#ィ#c4#ス#c12#ト #c4#- #c12#曲#c4#名 #c1#ｱﾆﾒ#c7#表示#c7#ツー#c7#ル");
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

TEST_F(JapaneseRooms, ALongLineIsCutAfter400CharactersAndADraftIsSpared) {
  for (const FakeProgram* client : all) ASSERT_TRUE(client->Started());
  const std::string draft = "\x89\xba\x8f\x91\x82\xab";  // 下書き
  SendMessageA(Hwnd(winmx.rooms[0].box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(draft.c_str()));
  scanner.RefreshRoomList();
  // 5 characters in front, 35 pairs "#c4#曲#c12#曲", then "#c4#曲#c12#": 400
  // characters are 471 bytes, and the first 400 bytes end inside a "曲".
  std::u16string message = u"#c1#:" + ExpandPatterns(u"[c,1,4,12]" + std::u16string(200, u'曲') + u"[/c]",
                                                      PatternDatabase());
  settings.SendToAll = true;
  settings.InterruptionProtection = true;
  sender.SendDisplayMessage(message, list);

  for (const FakeProgram* client : {&rabbit, &nushi, &zcb}) {
    std::string line = Received(*client);
    EXPECT_EQ(line.size(), 471u);
    EXPECT_TRUE(WirePieces(line).has_value()) << line;
    EXPECT_EQ(codePage->Decode(line), message.substr(0, 400));
  }
  char box[64] = {};
  SendMessageA(Hwnd(winmx.rooms[0].box), WM_GETTEXT, sizeof box, reinterpret_cast<LPARAM>(box));
  EXPECT_EQ(box, draft);
  EXPECT_TRUE(winmx.Sent(winmx.rooms[0].name).empty());
}

// Winamp playing a file with a Japanese name and a Japanese album in its tag.
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
    // The ID3v1 tag's album, 30 bytes from the 63rd of its 128.
    HANDLE handle = CreateFileW(file_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    size_ = GetFileSize(handle, nullptr);
    char album[30] = "\x83\x41\x83\x8b\x83\x6f\x83\x80";  // アルバム; "バ" ends in "o"
    DWORD written = 0;
    SetFilePointer(handle, static_cast<LONG>(size_ - 128 + 63), nullptr, FILE_BEGIN);
    WriteFile(handle, album, sizeof album, &written, nullptr);
    CloseHandle(handle);
    ASSERT_EQ(written, sizeof album);
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
  DWORD size_ = 0;

 private:
  std::wstring folder_;
  std::wstring file_;
};

TEST_F(JapaneseWinamp, TitleFileAndTagGiveTheSongInUtf16) {
  FakeProgram winamp("winamp --title \"1. " + std::string(kArtistSong.bytes) + " - Winamp\" --path \"" + path_ + "\"");
  ASSERT_TRUE(winamp.Started() && winamp.codePage == 932);
  SongInformation song = readers.ReadWinampSong();
  EXPECT_TRUE(song.Active);
  EXPECT_EQ(song.ArtistSong, kArtistSong.text);
  EXPECT_EQ(song.Artist, u"アーティスト");
  EXPECT_EQ(song.Song, u"曲名");
  // Read from the file, so it was found by its Japanese name.
  EXPECT_EQ(song.Album, u"アルバム");
  EXPECT_EQ(song.Year, u"1999");
  EXPECT_EQ(song.TrackNumber, u"7");
  wchar_t size[64] = {};
  StrFormatByteSizeW(size_, size, 64);
  EXPECT_EQ(song.FileSize, std::u16string(size, size + wcslen(size)));

  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"song", "Winamp"}, out, err), 0) << err.str();
  EXPECT_NE(out.str().find("\nArtistSong=アーティスト - 曲名\nArtist=アーティスト\nSong=曲名\n"), std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("\nAlbum=アルバム\n"), std::string::npos);
}

}  // namespace
}  // namespace lanternfly
