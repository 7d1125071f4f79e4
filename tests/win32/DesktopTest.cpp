// The program's players and rooms on the real Win32 API, against fake
// players and chat clients that are real processes (32-bit, as the real
// ones are, whatever this build is).

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "FakeProgram.h"
#include "app/Cli.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/sim/FakeiTunes.h"
#include "players/PlayerDetection.h"
#include "players/PlayerReaders.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

using test::FakeProgram;
using Lines = std::vector<std::string>;

std::string Cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCli(args, out, err), 0) << err.str();
  return out.str();
}

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

std::string BoxText(WindowHandle box) {
  char text[512] = {};
  SendMessageA(Hwnd(box), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

class DesktopTest : public ::testing::Test {
 protected:
  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  Desktop desktop{*api, *codePage};
  std::unique_ptr<Files> files = SystemFiles();
  FakeiTunes iTunes;
  PlayerReaders readers{desktop, *files, iTunes};
};

TEST_F(DesktopTest, WinampGivesTitleNumbersAndThePlayingFilesTagAndSize) {
  FakeProgram winamp("winamp --title \"3. Some Artist - Some Song - Winamp\" --path \"" LANTERNFLY_FIXTURES
                     "/tagged-v1v2.mp3\"");
  ASSERT_TRUE(winamp.Started());
  EXPECT_GE(winamp.address, 0x80000000u);  // where a sign-extended address would miss it
  SongInformation expected{true,      u"Some Artist - Some Song", u"Some Artist", u"Some Song", u"128",
                           u"2",      u"Stereo",                  u"44100Hz",     u"3",         u"3",
                           u"03:20",  u"00:12",                   u"03:08",       u"8.91 KB",   u"Album X",
                           u"1999",   u"Rock",                    u"7"};
  EXPECT_EQ(readers.ReadWinampSong(), expected);
  std::string printed = Cli({"song", "Winamp"});
  EXPECT_EQ(printed.substr(0, 56), "Active=true\nArtistSong=Some Artist - Some Song\nArtist=So");
  EXPECT_NE(printed.find("\nFileSize=8.91 KB\nAlbum=Album X\nYear=1999\nGenre=Rock\nTrackNumber=7\n"),
            std::string::npos);
}

TEST_F(DesktopTest, KilohertzAnswerIsReportedInHertz) {
  FakeProgram winamp("winamp --title \"1. A - B - Winamp\" --path Z:/nowhere.mp3 --hz 0 --khz 44");
  ASSERT_TRUE(winamp.Started());
  SongInformation song = readers.ReadWinampSong();
  EXPECT_EQ(song.Frequency, u"44100Hz");  // whole kilohertz stand for the MPEG rate
  EXPECT_EQ(song.FileSize, u"0 bytes");
  EXPECT_EQ(song.Album, u"Unknown Album");
}

TEST_F(DesktopTest, PlayersAreDetectedByTheirWindows) {
  EXPECT_EQ(Cli({"detect"}), "VLC (OFF)\nFoobar (OFF)\nWinamp (OFF)\niTunes (OFF)\n");
  {
    FakeProgram foobar("foobar --title \"A - B  [foobar2000 v1.6]\" --plugin --winamp-title \"1. A - B - Winamp\"");
    FakeProgram vlc("vlc --title \"Some Artist - Some Song - VLC media player\"");
    FakeProgram itunes("itunes --coverflow");
    ASSERT_TRUE(foobar.Started() && vlc.Started() && itunes.Started());
    EXPECT_EQ(Cli({"detect"}), "VLC (ON)\nFoobar (ON)\nWinamp (OFF: Clone)\niTunes (ON)\n");
    EXPECT_EQ(readers.ReadVLCSong().ArtistSong, u"Some Artist - Some Song");
    EXPECT_EQ(readers.ReadFoobarSong().Artist, u"A");
  }
  FakeProgram foobar("foobar --title \"foobar2000 v1.6\"");
  FakeProgram itunes("itunes");
  ASSERT_TRUE(foobar.Started() && itunes.Started());
  EXPECT_EQ(Cli({"detect"}), "VLC (OFF)\nFoobar (No Plugin)\nWinamp (OFF)\niTunes (OFF)\n");
}

class RoomsOnDesktop : public DesktopTest {
 protected:
  FakeProgram winmx{"chat winmx --room Lobby"};
  FakeProgram metis{"chat metis --room Lobby --room Chat"};
  FakeProgram robomx{"chat robomx --room Lobby"};
  FakeProgram ouka{"chat ouka --room Lobby --channel-list"};
  FakeProgram rabbit{"chat rabbit --room Lobby"};
  FakeProgram nushi{"chat nushi --room Lobby --channel-list"};
  FakeProgram zcb{"chat zcb"};
  const FakeProgram* all[7] = {&winmx, &metis, &robomx, &ouka, &rabbit, &nushi, &zcb};
};

TEST_F(RoomsOnDesktop, EveryRoomOfEveryClientIsListedAndServedOnce) {
  for (const FakeProgram* client : all) ASSERT_TRUE(client->Started());
  // MDI children come newest first; Ouka lists its channel list too.
  EXPECT_EQ(Cli({"rooms"}),
            "[WinMX] Lobby\n[Metis] Chat\n[Metis] Lobby\n[RoboMX] Lobby\n[Ouka] Lobby\n[Ouka] Channel List\n"
            "[Rabbit] Lobby\n[Nushi] Lobby\n[ZCB] Zenar Chat Bot\n");
  Cli({"send", "#c1#is listening to caf\xc3\xa9 \xe2\x80\x94 x"});
  const Lines expected{"#c1#is listening to caf\xe9 \x97 x"};
  for (const FakeProgram* client : {&winmx, &robomx, &ouka, &rabbit, &nushi}) {
    EXPECT_EQ(client->Sent("Lobby", 1), expected);
  }
  EXPECT_EQ(metis.Sent("Lobby", 1), expected);
  EXPECT_EQ(metis.Sent("Chat", 1), expected);
  EXPECT_EQ(zcb.Sent("Zenar Chat Bot", 1), expected);
  EXPECT_TRUE(ouka.Sent("Channel List").empty());

  Cli({"send", "--entry", "[Rabbit] Lobby", "only rabbit"});
  EXPECT_EQ(rabbit.Sent("Lobby", 2).back(), "only rabbit");
  EXPECT_EQ(winmx.Sent("Lobby").size(), 1u);
}

TEST_F(RoomsOnDesktop, ProtectionSparesADraftButNotBlanks) {
  for (const FakeProgram* client : all) ASSERT_TRUE(client->Started());
  SendMessageA(Hwnd(winmx.rooms[0].box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("half typed"));
  SendMessageA(Hwnd(rabbit.rooms[0].box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("   "));
  Cli({"send", "--protect", "song"});
  EXPECT_TRUE(winmx.Sent("Lobby").empty());
  EXPECT_EQ(BoxText(winmx.rooms[0].box), "half typed");
  EXPECT_EQ(rabbit.Sent("Lobby", 1), Lines{"song"});
}

TEST_F(RoomsOnDesktop, AHungClientCostsOneBoundedWaitAndNeverSendsTheDraft) {
  for (const FakeProgram* client : all) ASSERT_TRUE(client->Started());
  SendMessageA(Hwnd(rabbit.rooms[0].box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("half"));
  rabbit.Hang(9000);
  auto start = std::chrono::steady_clock::now();
  EXPECT_NE(Cli({"rooms"}).find("[Rabbit] Lobby\n"), std::string::npos);  // titles are read without waiting
  Cli({"send", "--protect", "first"});
  Cli({"send", "second"});
  auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::milliseconds(6500));
  EXPECT_EQ(nushi.Sent("Lobby", 2), (Lines{"first", "second"}));

  // Once it answers again: a text it never took is not followed by an Enter,
  // so the user's half-typed line was never sent.
  Sleep(static_cast<DWORD>(std::max<long long>(0, 9500 - std::chrono::duration_cast<std::chrono::milliseconds>(
                                                             std::chrono::steady_clock::now() - start).count())));
  EXPECT_EQ(BoxText(rabbit.rooms[0].box), "half");
  EXPECT_TRUE(rabbit.Sent("Lobby").empty());
}

// Why the Enter must wait for the text: a WM_SETTEXT that timed out is
// dropped, while an Enter posted after it is still handled once the program
// wakes, and sends whatever the user had half typed.
TEST_F(DesktopTest, AnEnterAfterATimedOutTextSendsTheUsersDraft) {
  FakeProgram rabbit("chat rabbit --room Lobby");
  ASSERT_TRUE(rabbit.Started());
  WindowHandle box = rabbit.rooms[0].box;
  SendMessageA(Hwnd(box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("half"));
  rabbit.Hang(3500);
  EXPECT_FALSE(api->SendSetText(box, 400, "announcement"));
  EXPECT_TRUE(api->Post(box, kWmKeyDown, kVkReturn, 0));
  EXPECT_EQ(rabbit.Sent("Lobby", 1), Lines{"half"});
}

}  // namespace
}  // namespace lanternfly
