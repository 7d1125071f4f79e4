// The rooms of the seven chat clients: scanning and sending on the simulated desktop.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/HeadlessMainWindow.h"
#include "app/MainForm.h"
#include "platform/sim/FakeChatClients.h"
#include "platform/sim/FakePlayers.h"
#include "platform/sim/SimSystem.h"
#include "rooms/RoomScanner.h"
#include "rooms/RoomSender.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

using Kind = FakeChatClient::Kind;
using Lines = std::vector<std::string>;

// A desktop with the scanner and the sender on it, sending to every listed
// room with protection on.
struct RoomsWorld {
  RoomsWorld() {
    settings.SendToAll = true;
    settings.InterruptionProtection = true;
    list.Mode = ListModel::SelectMode::kMultiple;
  }

  std::vector<std::u16string> Entries() {
    std::vector<std::u16string> entries;
    for (int i = 0; i < list.ListCount(); ++i) entries.push_back(list.ItemText(i));
    return entries;
  }

  void Send(std::u16string_view message) { sender.SendDisplayMessage(message, list); }

  // Only these entries selected, and only the selected rooms served.
  void SelectOnly(std::initializer_list<std::u16string_view> entries) {
    settings.SendToAll = false;
    for (int i = 0; i < list.ListCount(); ++i) {
      list.SetItemSelected(i, std::find(entries.begin(), entries.end(), list.ItemText(i)) != entries.end());
    }
  }

  SimDesktop sim;
  std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
  Desktop desktop{sim, *codePage};
  Settings settings;
  ListModel list;
  RoomScanner scanner{desktop, list, settings};
  RoomSender sender{desktop, settings, scanner.Rooms()};
};

class RoomsTest : public ::testing::Test, public RoomsWorld {};

TEST_F(RoomsTest, EveryClientIsListedAndServedInWalkOrder) {
  struct Client {
    Kind kind;
    std::u16string_view entry;
  } clients[] = {
      {Kind::kZCB, u"[ZCB] Zenar Chat Bot"},  {Kind::kNushi, u"[Nushi] Lobby"},  {Kind::kRabbit, u"[Rabbit] Lobby"},
      {Kind::kOuka, u"[Ouka] Lobby"},         {Kind::kRoboMX, u"[RoboMX] Lobby"}, {Kind::kMetis, u"[Metis] Lobby"},
      {Kind::kWinMX, u"[WinMX] Lobby"},
  };
  std::vector<std::unique_ptr<FakeChatClient>> fakes;
  std::vector<WindowHandle> boxes;
  for (const Client& client : clients) {
    fakes.push_back(std::make_unique<FakeChatClient>(sim, client.kind));
    boxes.push_back(fakes.back()->OpenRoom("Lobby"));
  }
  scanner.RefreshRoomList();
  EXPECT_EQ(Entries(), (std::vector<std::u16string>{u"[WinMX] Lobby", u"[Metis] Lobby", u"[RoboMX] Lobby",
                                                    u"[Ouka] Lobby", u"[Rabbit] Lobby", u"[Nushi] Lobby",
                                                    u"[ZCB] Zenar Chat Bot"}));
  EXPECT_EQ(scanner.Rooms()[1], (RoomRecord{u"Lobby", u"Metis"}));

  Send(u"#c1#is listening to caf\u00e9");
  for (std::size_t i = 0; i < fakes.size(); ++i) {
    EXPECT_EQ(fakes[i]->Received(boxes[i]), Lines{"#c1#is listening to caf\xe9"}) << Utf16ToUtf8(clients[i].entry);
    EXPECT_EQ(sim.Get(boxes[i]).posted.size(), 1u);
  }
}

TEST_F(RoomsTest, RoomNamesAndWhichWindowsAreRooms) {
  FakeChatClient metis(sim, Kind::kMetis);
  sim.AddWindow(sim.Get(metis.RoomOf(metis.OpenRoom("x"))).parent, "Afx", "Lobby(2)", metis.ProcessId());
  sim.AddWindow(sim.Get(metis.RoomOf(metis.OpenRoom("y"))).parent, "Afx", "No brackets", metis.ProcessId());
  FakeChatClient winmx(sim, Kind::kWinMX);
  sim.AddWindow(winmx.MainWindow(), "Afx", "on WinMX Peer Network", winmx.ProcessId());  // too short to name
  FakeChatClient nushi(sim, Kind::kNushi);
  nushi.OpenChannelList();
  FakeChatClient ouka(sim, Kind::kOuka);
  ouka.OpenChannelList();
  scanner.RefreshRoomList();
  // MDI children come newest first.
  EXPECT_EQ(Entries(), (std::vector<std::u16string>{u"[Metis] y", u"[Metis] x", u"[Metis] Lobby(2)",
                                                    u"[Ouka] Channel List"}));
}

TEST_F(RoomsTest, SelectionSurvivesARefreshAndGoneRoomsAreDropped) {
  FakeChatClient rabbit(sim, Kind::kRabbit);
  rabbit.OpenRoom("Stays");
  WindowHandle goes = rabbit.RoomOf(rabbit.OpenRoom("Goes"));
  rabbit.OpenRoom("Stays");
  scanner.RefreshRoomList();
  list.SetItemSelected(0, true);
  list.SetItemSelected(1, true);
  sim.CloseWindow(goes);
  scanner.RefreshRoomList();
  EXPECT_EQ(Entries(), (std::vector<std::u16string>{u"[Rabbit] Stays", u"[Rabbit] Stays"}));
  EXPECT_EQ(list.SelectedCount(), 2);  // one remembered text selects both identical entries
}

// A click on "Refresh" or a timer tick can run while a refresh lets
// messages run between clearing the list and walking the windows.
TEST_F(RoomsTest, ARefreshStartedDuringARefreshListsEachRoomOnce) {
  FakeChatClient nushi(sim, Kind::kNushi);
  nushi.OpenRoom("A");
  nushi.OpenRoom("B");
  scanner.RefreshRoomList();
  list.SetItemSelected(1, true);
  sim.DuringNextPump([&] { scanner.RefreshRoomList(); });
  scanner.RefreshRoomList();
  EXPECT_EQ(Entries(), (std::vector<std::u16string>{u"[Nushi] B", u"[Nushi] A"}));
  EXPECT_TRUE(list.ItemSelected(1));
  EXPECT_TRUE(scanner.Rooms()[2].RoomName.empty());
}

TEST_F(RoomsTest, OnlySelectedRoomsWhenNotSendingToAll) {
  FakeChatClient rabbit(sim, Kind::kRabbit);
  WindowHandle a = rabbit.OpenRoom("A");
  WindowHandle b = rabbit.OpenRoom("B");
  scanner.RefreshRoomList();
  settings.SendToAll = false;
  Send(u"hi");
  EXPECT_EQ(rabbit.Received(a), Lines{});
  list.SetItemSelected(list.FindFirst(u"[Rabbit] B"), true);
  Send(u"hi");
  EXPECT_EQ(rabbit.Received(a), Lines{});
  EXPECT_EQ(rabbit.Received(b), Lines{"hi"});
}

TEST_F(RoomsTest, EachBoxGetsAnAnnouncementOnce) {
  FakeChatClient metis(sim, Kind::kMetis);
  WindowHandle chat = metis.OpenRoom("Chat");
  WindowHandle chat2 = metis.OpenRoom("Chat 2");
  FakeChatClient zcb1(sim, Kind::kZCB);
  FakeChatClient zcb2(sim, Kind::kZCB);
  scanner.RefreshRoomList();
  scanner.AddRoom(u"Chat", u"Metis");  // the same room listed twice
  Send(u"once");
  EXPECT_EQ(metis.Received(chat), Lines{"once"});
  EXPECT_EQ(metis.Received(chat2), Lines{"once"});
  EXPECT_EQ(zcb1.Received(zcb1.OpenRoom("")), Lines{"once"});
  EXPECT_EQ(zcb2.Received(zcb2.OpenRoom("")), Lines{"once"});
  Send(u"twice");
  EXPECT_EQ(metis.Received(chat), (Lines{"once", "twice"}));
}

TEST_F(RoomsTest, InterruptionProtectionSparesTheUsersDraft) {
  FakeChatClient ouka(sim, Kind::kOuka);
  WindowHandle box = ouka.OpenRoom("Lobby");
  WindowHandle second = ouka.AddInputBox(ouka.RoomOf(box));
  scanner.RefreshRoomList();
  sim.Get(box).inputText = "h";
  sim.Get(second).inputText = "   \r\n";
  Send(u"song");
  EXPECT_EQ(sim.Get(box).inputText, "h");
  EXPECT_EQ(ouka.Received(box), Lines{});
  EXPECT_EQ(ouka.Received(second), Lines{"song"});
  settings.InterruptionProtection = false;
  Send(u"song");
  EXPECT_EQ(ouka.Received(box), Lines{"song"});
}

TEST_F(RoomsTest, LongMessagesAreCutTo400CharactersAndEmptyOnesStillSent) {
  FakeChatClient nushi(sim, Kind::kNushi);
  WindowHandle box = nushi.OpenRoom("Lobby");
  scanner.RefreshRoomList();
  Send(std::u16string(450, u'x'));
  Send(u"");
  EXPECT_EQ(nushi.Received(box), (Lines{std::string(400, 'x'), ""}));
}

TEST_F(RoomsTest, AClientThatDoesNotAnswerIsSkippedAndTheOthersServed) {
  FakeChatClient hung(sim, Kind::kRabbit);
  WindowHandle a = hung.OpenRoom("A");
  WindowHandle b = hung.OpenRoom("B");
  FakeChatClient fine(sim, Kind::kNushi);
  WindowHandle c = fine.OpenRoom("C");
  scanner.RefreshRoomList();
  sim.SetHung(hung.ProcessId(), true);
  sim.Get(a).inputText = "draft";
  Send(u"song");
  EXPECT_EQ(fine.Received(c), Lines{"song"});
  EXPECT_EQ(sim.Unanswered(), 1);  // one bounded wait for the whole client
  settings.InterruptionProtection = false;
  Send(u"again");
  EXPECT_EQ(sim.Unanswered(), 2);
  sim.SetHung(hung.ProcessId(), false);
  EXPECT_EQ(hung.Received(a), Lines{});  // no Enter followed a text it never took
  EXPECT_EQ(hung.Received(b), Lines{});
  EXPECT_EQ(sim.Get(a).inputText, "draft");
}

TEST_F(RoomsTest, TheHundredAndFirstRoomIsListedButNotStored) {
  FakeChatClient rabbit(sim, Kind::kRabbit);
  // Opened first, listed last: MDI children come newest first.
  WindowHandle first = rabbit.OpenRoom("Room 1001");
  for (int i = 2; i <= 101; ++i) rabbit.OpenRoom("Room " + std::to_string(1000 + i));
  scanner.RefreshRoomList();
  EXPECT_EQ(list.ListCount(), 101);
  EXPECT_EQ(list.ItemText(100), u"[Rabbit] Room 1001");
  EXPECT_EQ(scanner.Rooms()[99].RoomName, u"Room 1002");
  sender.SendToRoom(u"[Rabbit] Room 1001", u"x");
  EXPECT_EQ(rabbit.Received(first), Lines{});
}

TEST_F(RoomsTest, AnEntryIsRoutedByThePrefixItStartsWith) {
  FakeChatClient metis(sim, Kind::kMetis);
  WindowHandle tagged = metis.OpenRoom("[WinMX] Lobby");
  FakeChatClient winmx(sim, Kind::kWinMX);
  WindowHandle lobby = winmx.OpenRoom("Lobby");
  scanner.RefreshRoomList();
  EXPECT_EQ(Entries(), (std::vector<std::u16string>{u"[WinMX] Lobby", u"[Metis] [WinMX] Lobby"}));
  SelectOnly({u"[Metis] [WinMX] Lobby"});
  Send(u"one");
  SelectOnly({u"[WinMX] Lobby"});
  Send(u"two");
  EXPECT_EQ(metis.Received(tagged), Lines{"one"});
  EXPECT_EQ(winmx.Received(lobby), Lines{"two"});
}

// Which rooms a selected entry reaches: those of exactly its name; only
// when none has that name any more, those whose names hold it.
TEST_F(RoomsTest, ASelectedEntryReachesTheRoomsOfItsNameOnly) {
  struct Case {
    const char* what;
    Kind kind;
    std::vector<std::string> rooms;  // opened in this order, listed newest first
    std::u16string_view selected;
    std::vector<std::string> renamed;  // the rooms' titles after the scan ("": unchanged, "-": closed)
    std::vector<bool> reached;
  } cases[] = {
      {"a longer name holding the selected one", Kind::kMetis, {"Chat", "Chat 2"}, u"[Metis] Chat", {}, {true, false}},
      {"a shorter name inside the selected one", Kind::kMetis, {"Chat", "Chat 2"}, u"[Metis] Chat 2", {}, {false, true}},
      {"the title changed since the scan", Kind::kRabbit, {"Lobby", "Chat"}, u"[Rabbit] Lobby",
       {"Lobby - new topic", ""}, {true, false}},
      {"renamed, but another room still has the name", Kind::kNushi, {"Lobby", "Lobby"}, u"[Nushi] Lobby",
       {"Lobby - new topic", ""}, {false, true}},
      {"a room without a name that has closed", Kind::kRabbit, {"", "A"}, u"[Rabbit] ", {"-", ""}, {false, false}},
      {"a room without a name", Kind::kOuka, {"", "A"}, u"[Ouka] ", {}, {true, false}},
  };
  for (const Case& test : cases) {
    RoomsWorld world;
    FakeChatClient client(world.sim, test.kind);
    std::vector<WindowHandle> boxes;
    for (const std::string& room : test.rooms) boxes.push_back(client.OpenRoom(room));
    world.scanner.RefreshRoomList();
    world.SelectOnly({test.selected});
    ASSERT_GE(world.list.SelectedCount(), 1) << test.what;
    for (std::size_t i = 0; i < test.renamed.size(); ++i) {
      WindowHandle room = client.RoomOf(boxes[i]);
      if (test.renamed[i] == "-") world.sim.CloseWindow(room);
      else if (!test.renamed[i].empty()) world.sim.SetTitle(room, test.renamed[i]);
    }
    world.Send(u"x");
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (!world.sim.Exists(boxes[i])) continue;
      EXPECT_EQ(client.Received(boxes[i]).size(), test.reached[i] ? 1u : 0u) << test.what << ", room " << i;
    }
  }
}

TEST_F(RoomsTest, TwoInstancesOfAClientWithTheRoomBothReceiveIt) {
  FakeChatClient first(sim, Kind::kRoboMX);
  FakeChatClient second(sim, Kind::kRoboMX);
  WindowHandle a = first.OpenRoom("Lobby");
  WindowHandle b = second.OpenRoom("Lobby");
  second.OpenRoom("Lobby 2");
  scanner.RefreshRoomList();
  SelectOnly({u"[RoboMX] Lobby"});
  Send(u"x");
  EXPECT_EQ(first.Received(a), Lines{"x"});
  EXPECT_EQ(second.Received(b), Lines{"x"});
  EXPECT_EQ(sim.Get(b).posted.size(), 1u);
}

// Each client reads main-window titles into a buffer of its own size: a
// title read once for all of them must still be cut where each one's is.
TEST_F(RoomsTest, MainWindowTitlesAreCutWhereEachClientCutsThem) {
  FakeChatClient winmx(sim, Kind::kWinMX);
  winmx.OpenRoom("Lobby");
  FakeChatClient metis(sim, Kind::kMetis);
  metis.OpenRoom("Chat");
  FakeChatClient late(sim, Kind::kWinMX);
  late.OpenRoom("Late");
  sim.SetTitle(winmx.MainWindow(), std::string(89, '.') + "WinMX v3.");  // 98 bytes: fits WinMX's 99
  sim.SetTitle(late.MainWindow(), std::string(90, '.') + "WinMX v3.");   // its last byte is cut off
  sim.SetTitle(metis.MainWindow(), std::string(290, '.') + "Metis");     // fits Metis' 300
  scanner.RefreshRoomList();
  EXPECT_EQ(Entries(), (std::vector<std::u16string>{u"[WinMX] Lobby", u"[Metis] Chat"}));
}

// What one announcement and one scan cost in window calls: a fixed amount
// per running client and a fixed amount per room, with protection on. On
// Windows each call may cross into the client's process.
TEST_F(RoomsTest, WindowCallsGrowByAFixedAmountPerRoom) {
  struct Budget {
    Kind kind;
    int sendBase, sendPerRoom, scanBase, scanPerRoom;
  } budgets[] = {
      // Per room: finding the window and reading its title (and class), then
      // finding the box, reading it (protection), setting the text, posting Enter.
      {Kind::kWinMX, 6, 6, 8, 2},  {Kind::kMetis, 9, 8, 11, 2},  {Kind::kRoboMX, 9, 8, 11, 2},
      {Kind::kOuka, 9, 12, 11, 3}, {Kind::kRabbit, 9, 6, 11, 2}, {Kind::kNushi, 9, 12, 11, 3},
      {Kind::kZCB, 1, 9, 3, 2},  // each room a bot of its own
  };
  for (const Budget& budget : budgets) {
    for (int rooms : {1, 4, 20}) {
      RoomsWorld world;
      std::vector<std::unique_ptr<FakeChatClient>> clients;
      for (int i = 0; i < rooms; ++i) {
        if (clients.empty() || budget.kind == Kind::kZCB) {
          clients.push_back(std::make_unique<FakeChatClient>(world.sim, budget.kind));
        }
        clients.back()->OpenRoom("Room " + std::to_string(i));
      }
      int before = world.sim.Calls();
      world.scanner.RefreshRoomList();
      int scan = world.sim.Calls() - before;
      ASSERT_EQ(world.list.ListCount(), rooms);
      before = world.sim.Calls();
      world.Send(u"x");
      int send = world.sim.Calls() - before;
      std::string what = Utf16ToUtf8(world.list.ItemText(0)) + ", rooms: " + std::to_string(rooms);
      EXPECT_EQ(send, budget.sendBase + budget.sendPerRoom * rooms) << what;
      EXPECT_EQ(scan, budget.scanBase + budget.scanPerRoom * rooms) << what;
    }
  }
}

TEST_F(RoomsTest, ClearedScanSwitchLeavesTheClientAlone) {
  FakeChatClient winmx(sim, Kind::kWinMX);
  WindowHandle box = winmx.OpenRoom("Lobby");
  scanner.RefreshRoomList();
  settings.ScanWinMX = false;
  Send(u"x");
  EXPECT_EQ(winmx.Received(box), Lines{});
  scanner.RefreshRoomList();
  EXPECT_EQ(list.ListCount(), 0);
}

// A program that hangs makes each message sent to it wait out the 2-s bound
// (TimedOut counts those waits), and the main window with it. Two song-poll
// ticks and a click on the song, each announcing (the list rebuilt on every
// tick), then a tick once every program answers again.
TEST(HungPrograms, EachCostsATickOneWaitAndTheOthersAreServed) {
  struct Case {
    const char* what;
    bool playerHangs, clientHangs, protection;
    int waits;  // per tick and per click
  } cases[] = {
      {"client, protection on", false, true, true, 1},
      {"client, protection off", false, true, false, 1},
      {"player", true, false, true, 1},
      {"player and client", true, true, false, 2},
  };
  for (const Case& test : cases) {
    SimSystem machine;
    SimDesktop& sim = machine.sim;
    FakeWinamp winamp{sim};
    std::vector<WinampTrack> playlist = {{"C:\\a.mp3", "Artist - One"}, {"C:\\b.mp3", "Artist - Two"}};
    winamp.Play(playlist, 0);
    FakeChatClient hung(sim, Kind::kRabbit), winmx(sim, Kind::kWinMX), nushi(sim, Kind::kNushi);
    std::vector<WindowHandle> hungBoxes = {hung.OpenRoom("A"), hung.OpenRoom("B"), hung.OpenRoom("C")};
    std::vector<WindowHandle> fineBoxes = {winmx.OpenRoom("Lobby"), nushi.OpenRoom("Lobby")};
    HeadlessMainWindow window;
    AppState state;
    Random random{3};
    MainForm form(machine.system, window, state, u"C:\\settings.ini", random);
    form.Form_Load();
    state.settings.AutoRefresh = true;
    state.settings.InterruptionProtection = test.protection;
    sim.SetHung(winamp.ProcessId(), test.playerHangs);
    sim.SetHung(hung.ProcessId(), test.clientHangs);

    for (std::size_t tick = 1; tick <= 4; ++tick) {
      if (tick == 4) {
        sim.SetHung(winamp.ProcessId(), false);
        sim.SetHung(hung.ProcessId(), false);
      }
      winamp.Play(playlist, tick == 2 ? 0 : 1);  // new on every tick; the click announces song 0 again
      int timedOut = sim.TimedOut();
      if (tick == 3) form.CurrentlyPlayingLabel_Click();
      else form.CheckSong_Timer();
      std::string what = std::string(test.what) + ", tick " + std::to_string(tick);
      EXPECT_EQ(sim.TimedOut() - timedOut, tick == 4 ? 0 : test.waits) << what;
      for (WindowHandle box : fineBoxes) EXPECT_EQ(sim.Get(box).sentLines.size(), tick) << what;
      std::size_t hungLines = !test.clientHangs ? tick : tick == 4 ? 1 : 0;
      for (WindowHandle box : hungBoxes) EXPECT_EQ(sim.Get(box).sentLines.size(), hungLines) << what;
    }
    EXPECT_EQ(form.channellist.ListCount(), 5) << test.what;
  }
}

}  // namespace
}  // namespace lanternfly
