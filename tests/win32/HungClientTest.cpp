// A chat client or player that stops answering, as real processes on the
// real Win32 API: a song-poll tick waits for it once, and the program's own
// windows keep answering while it waits.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "FakeProgram.h"
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
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

class HungClientTest : public ::testing::Test {
 protected:
  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  Desktop desktop{*api, *codePage};
  Settings settings;
};

TEST_F(HungClientTest, ATickWaitsForAHungClientOnceAndTheProgramKeepsAnswering) {
  FakeProgram hung("chat rabbit --room A --room B");
  FakeProgram fine("chat nushi --room Lobby");
  ASSERT_TRUE(hung.Started() && fine.Started());
  settings.SendToAll = true;
  settings.InterruptionProtection = false;
  ListModel list;
  list.Mode = ListModel::SelectMode::kMultiple;
  RoomScanner scanner(desktop, list, settings);
  RoomSender sender(desktop, settings, scanner.Rooms());
  scanner.RefreshRoomList();
  ASSERT_EQ(list.ListCount(), 3);

  // A window of this thread, asked from another thread while the tick waits.
  HWND own = CreateWindowExA(0, "STATIC", "own", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(own, nullptr);
  bool answered = false;
  milliseconds answeredIn{};
  std::thread asker([&] {
    Sleep(700);  // well inside the first wait
    Clock::time_point start = Clock::now();
    DWORD_PTR result = 0;
    answered = SendMessageTimeoutA(own, WM_NULL, 0, 0, SMTO_NORMAL, 2500, &result) != 0;
    answeredIn = Since(start);
  });

  hung.Hang(4000);
  Clock::time_point start = Clock::now();
  {
    // The poll's announcement and a click on the song during the same tick.
    Desktop::Round tick(desktop);
    sender.SendDisplayMessage(u"song", list);
    sender.SendDisplayMessage(u"again", list);
  }
  milliseconds waited = Since(start);
  asker.join();
  DestroyWindow(own);

  EXPECT_GE(waited, milliseconds(1500));  // it did hang
  EXPECT_LT(waited, milliseconds(2500));  // one wait, not one per room or announcement
  EXPECT_EQ(fine.Sent("Lobby", 2), (Lines{"song", "again"}));
  EXPECT_TRUE(answered);
  EXPECT_LT(answeredIn, milliseconds(1000));  // answered during the wait, not after it

  // Awake again, the client is served by the next tick.
  Sleep(static_cast<DWORD>(std::max<long long>(0, 4500 - Since(start).count())));
  Desktop::Round next(desktop);
  sender.SendDisplayMessage(u"later", list);
  EXPECT_EQ(hung.Sent("A", 1), Lines{"later"});
  EXPECT_EQ(hung.Sent("B", 1), Lines{"later"});
}

TEST_F(HungClientTest, ATickWaitsForAHungPlayerOnce) {
  FakeProgram winamp("winamp --title \"1. Artist - Song - Winamp\" --path Z:/nowhere.mp3");
  ASSERT_TRUE(winamp.Started());
  std::unique_ptr<Files> files = SystemFiles();
  FakeiTunes iTunes;
  PlayerReaders readers(desktop, *files, iTunes);
  winamp.Hang(4000);
  Clock::time_point start = Clock::now();
  {
    // The poll's read and the announcement's fresh read.
    PlayerReaders::KeepSongFile tick(readers);
    EXPECT_EQ(readers.ReadWinampSong().ArtistSong, u"Artist - Song");  // from the title, which never waits
    EXPECT_EQ(readers.ReadWinampSong().Bitrate, u"0");
  }
  EXPECT_LT(Since(start), milliseconds(2500));
}

}  // namespace
}  // namespace lanternfly
