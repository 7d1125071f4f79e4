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
using std::chrono::milliseconds;

class HungClientTest : public ::testing::Test {
 protected:
  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  Desktop desktop{*api, *codePage};
  Settings settings;
  ListModel list;
  RoomScanner scanner{desktop, list, settings};
  RoomSender sender{desktop, settings, scanner.Rooms()};
};

TEST_F(HungClientTest, ATickWaitsForAHungClientOnce) {
  FakeProgram hung("chat rabbit --room A --room B");
  FakeProgram fine("chat nushi --room Lobby");
  ASSERT_TRUE(hung.Started() && fine.Started());
  settings.SendToAll = true;
  settings.InterruptionProtection = false;
  scanner.RefreshRoomList();

  hung.Hang(4000);
  auto start = std::chrono::steady_clock::now();
  {
    // The poll's announcement and a click on the song during the same tick.
    Desktop::Round tick(desktop);
    sender.SendDisplayMessage(u"song", list);
    sender.SendDisplayMessage(u"again", list);
  }
  auto waited = std::chrono::steady_clock::now() - start;

  EXPECT_GE(waited, milliseconds(1500));  // it did hang
  EXPECT_LT(waited, milliseconds(3500));  // one wait, not one per room or announcement
  EXPECT_EQ(fine.Sent("Lobby", 2), (Lines{"song", "again"}));
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
    scanner.RefreshRoomList();
    sender.SendDisplayMessage(u"one", list);
    sender.SendDisplayMessage(u"two", list);
    EXPECT_EQ(slow.Sent("Lobby", 2), (Lines{"one", "two"})) << "protection " << protection;
  }
}

}  // namespace
}  // namespace lanternfly
