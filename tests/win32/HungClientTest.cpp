// Chat clients that stop answering or are slow, as real processes on the
// real Win32 API.

#include <gtest/gtest.h>

#include <chrono>

#include "FakeProgram.h"
#include "platform/Desktop.h"
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

TEST_F(HungClientTest, ATickWaitsForAHungClientOnce) {
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

  hung.Hang(4000);
  Clock::time_point start = Clock::now();
  {
    // The poll's announcement and a click on the song during the same tick.
    Desktop::Round tick(desktop);
    sender.SendDisplayMessage(u"song", list);
    sender.SendDisplayMessage(u"again", list);
  }
  milliseconds waited = Since(start);

  EXPECT_GE(waited, milliseconds(1500));  // it did hang
  EXPECT_LT(waited, milliseconds(3500));  // one wait, not one per room or announcement
  EXPECT_EQ(fine.Sent("Lobby", 2), (Lines{"song", "again"}));

  // Awake again (it answers once it is), the client is served by the next tick.
  DWORD_PTR answer = 0;
  ASSERT_NE(SendMessageTimeoutA(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(hung.main)), WM_NULL, 0, 0,
                                SMTO_NORMAL, 10000, &answer), 0);
  Desktop::Round next(desktop);
  sender.SendDisplayMessage(u"later", list);
  EXPECT_EQ(hung.Sent("A", 1), Lines{"later"});
  EXPECT_EQ(hung.Sent("B", 1), Lines{"later"});
}

// A client busy when our Enter arrives takes it after what we send next:
// two lines close together (a poll's and a click on the song) both arrive,
// in order, and our own line still in the box is no draft of the user's.
TEST_F(HungClientTest, TwoLinesIntoASlowClientsBoxBothArriveInOrder) {
  for (bool protection : {true, false}) {
    FakeProgram slow("chat nushi --room Lobby --slow-keys 300");
    ASSERT_TRUE(slow.Started());
    settings.SendToAll = true;
    settings.InterruptionProtection = protection;
    ListModel list;
    RoomScanner scanner(desktop, list, settings);
    RoomSender sender(desktop, settings, scanner.Rooms());
    scanner.RefreshRoomList();
    sender.SendDisplayMessage(u"one", list);
    sender.SendDisplayMessage(u"two", list);
    EXPECT_EQ(slow.Sent("Lobby", 2), (Lines{"one", "two"})) << "protection " << protection;
  }
}

}  // namespace
}  // namespace lanternfly
