// The rooms of the seven chat clients: scanning and sending on the simulated desktop.

#include <gtest/gtest.h>

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

  // Only the entries of this text selected, and only the selected rooms served.
  void SelectOnly(std::u16string_view entry) {
    settings.SendToAll = false;
    for (int i = 0; i < list.ListCount(); ++i) list.SetItemSelected(i, list.ItemText(i) == entry);
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

// Which windows are rooms and under which names, in walk order (MDI children
// come newest first); each room's box gets the line in the system code page.
TEST_F(RoomsTest, EveryClientsRoomsAreListedAndServed) {
  std::vector<std::unique_ptr<FakeChatClient>> fakes;
  std::vector<WindowHandle> boxes;
  for (Kind kind : {Kind::kZCB, Kind::kNushi, Kind::kRabbit, Kind::kOuka, Kind::kRoboMX, Kind::kMetis, Kind::kWinMX,
                    Kind::kWinMX, Kind::kZCB}) {
    fakes.push_back(std::make_unique<FakeChatClient>(sim, kind));
    boxes.push_back(fakes.back()->OpenRoom("Lobby"));
  }
  FakeChatClient &nushi = *fakes[1], &ouka = *fakes[3], &metis = *fakes[5], &winmx = *fakes[6];
  nushi.OpenChannelList();
  ouka.OpenChannelList();  // listed, but never typed into
  WindowHandle secondBox = ouka.AddInputBox(ouka.RoomOf(boxes[3]));
  WindowHandle mdi = sim.Get(metis.RoomOf(boxes[5])).parent;
  sim.AddWindow(mdi, "Afx", "Lobby(2)", metis.ProcessId());
  sim.AddWindow(mdi, "Afx", "No brackets", metis.ProcessId());
  sim.AddWindow(winmx.MainWindow(), "Afx", "on WinMX Peer Network", winmx.ProcessId());  // too short to name
  // Each client reads main-window titles into a buffer of its own size.
  sim.SetTitle(winmx.MainWindow(), std::string(89, '.') + "WinMX v3.");         // 98 bytes: fits WinMX's 99
  sim.SetTitle(fakes[7]->MainWindow(), std::string(90, '.') + "WinMX v3.");     // its last byte is cut off
  sim.SetTitle(metis.MainWindow(), std::string(290, '.') + "Metis");            // fits Metis' 300
  scanner.RefreshRoomList();
  EXPECT_EQ(Entries(), (std::vector<std::u16string>{u"[WinMX] Lobby", u"[Metis] Lobby", u"[Metis] Lobby(2)",
                                                    u"[RoboMX] Lobby", u"[Ouka] Channel List", u"[Ouka] Lobby",
                                                    u"[Rabbit] Lobby", u"[Nushi] Lobby", u"[ZCB] Zenar Chat Bot",
                                                    u"[ZCB] Zenar Chat Bot"}));

  // Each box gets an announcement once, also when its room is listed twice.
  scanner.AddRoom(u"Lobby", u"Metis");
  Send(u"#c1#is listening to caf\u00e9");
  boxes.push_back(secondBox);
  for (std::size_t i : {0, 1, 2, 3, 4, 5, 6, 8, 9}) {
    EXPECT_EQ(sim.Get(boxes[i]).sentLines, Lines{"#c1#is listening to caf\xe9"}) << i;
  }

  // A cleared scan switch leaves the client alone.
  settings.ScanZCB = false;
  Send(u"x");
  EXPECT_EQ(fakes[0]->Received(boxes[0]).size(), 1u);
  scanner.RefreshRoomList();
  EXPECT_EQ(list.ListCount(), 8);
}

// A refresh asked for while another lets messages run (a click on Refresh,
// a timer tick) is skipped; entries selected before are selected again.
TEST_F(RoomsTest, ARefreshKeepsTheSelectionAndListsEachRoomOnce) {
  FakeChatClient rabbit(sim, Kind::kRabbit);
  rabbit.OpenRoom("Stays");
  WindowHandle goes = rabbit.RoomOf(rabbit.OpenRoom("Goes"));
  rabbit.OpenRoom("Stays");
  scanner.RefreshRoomList();
  list.SetItemSelected(0, true);
  list.SetItemSelected(1, true);
  sim.CloseWindow(goes);
  sim.DuringNextPump([&] { scanner.RefreshRoomList(); });
  scanner.RefreshRoomList();
  EXPECT_EQ(Entries(), (std::vector<std::u16string>{u"[Rabbit] Stays", u"[Rabbit] Stays"}));
  EXPECT_EQ(list.SelectedCount(), 2);  // one remembered text selects both identical entries
}

// What one room's box receives from announcements in a row: with protection
// on, a draft is spared but blanks and line breaks are no draft; a long line
// is cut to 400 characters, never in half a character; an empty one is sent
// too. A client busy when our Enter comes takes it after what we send next
// (a poll's line and a click on the song): both lines still arrive, in
// order, and our own line still in the box is no draft of the user's.
TEST(OneBox, ReceivesEachAnnouncementAsTheRulesSay) {
  const std::u16string longLine(450, u'x'), endsInAPair = std::u16string(399, u'x') + u"\U0001F3B5";
  struct Case {
    const char* what;
    bool protection, slow;
    std::string draft;
    std::vector<std::u16string> messages;
    Lines received;
  } cases[] = {
      {"a draft", true, false, "h", {u"song"}, {}},
      {"blanks and a line break", true, false, "   \r\n", {u"song"}, {"song"}},
      {"a draft, protection off", false, false, "h", {u"song"}, {"song"}},
      {"long, empty, a pair at 400", true, false, "", {longLine, u"", endsInAPair},
       {std::string(400, 'x'), "", std::string(399, 'x')}},
      {"a slow client", true, true, "", {u"one", u"two"}, {"one", "two"}},
      {"a slow client, protection off", false, true, "", {u"one", u"two"}, {"one", "two"}},
  };
  for (const Case& test : cases) {
    RoomsWorld world;
    world.settings.InterruptionProtection = test.protection;
    FakeChatClient ouka(world.sim, Kind::kOuka);
    WindowHandle box = ouka.OpenRoom("Lobby");
    world.scanner.RefreshRoomList();
    world.sim.Get(box).inputText = test.draft;
    world.sim.ProcessById(ouka.ProcessId()).slowToTakePosts = test.slow;
    for (const std::u16string& message : test.messages) world.Send(message);
    world.sim.LetOthersRun(0);
    EXPECT_EQ(ouka.Received(box), test.received) << test.what;
  }
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
      {"nothing selected", Kind::kRabbit, {"A"}, u"", {}, {false}},
      {"a name holding another client's tag", Kind::kMetis, {"[WinMX] Lobby", "Lobby"}, u"[Metis] [WinMX] Lobby", {},
       {true, false}},
  };
  for (const Case& test : cases) {
    RoomsWorld world;
    FakeChatClient client(world.sim, test.kind);
    std::vector<WindowHandle> boxes;
    for (const std::string& room : test.rooms) boxes.push_back(client.OpenRoom(room));
    world.scanner.RefreshRoomList();
    world.SelectOnly(test.selected);
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

// What a song-poll tick that announces and then lists the rooms again costs
// in window calls: a fixed amount per running client and a fixed amount per
// room, with protection on. The list walks nothing the announcement walked.
TEST_F(RoomsTest, WindowCallsGrowByAFixedAmountPerRoom) {
  struct Budget {
    Kind kind;
    int base, perRoom;
  } budgets[] = {
      // Per room: its title (and class), finding the box, reading it
      // (protection), setting the text, posting Enter.
      {Kind::kWinMX, 6, 5},  {Kind::kMetis, 8, 7}, {Kind::kRoboMX, 8, 7}, {Kind::kOuka, 8, 9},
      {Kind::kRabbit, 8, 6}, {Kind::kNushi, 8, 9}, {Kind::kZCB, 3, 8},  // each room a bot of its own
  };
  for (const Budget& budget : budgets) {
    for (int rooms : {1, 4, 20}) {
      RoomsWorld world;
      std::vector<std::unique_ptr<FakeChatClient>> clients;
      std::vector<WindowHandle> boxes;
      for (int i = 0; i < rooms; ++i) {
        if (clients.empty() || budget.kind == Kind::kZCB) {
          clients.push_back(std::make_unique<FakeChatClient>(world.sim, budget.kind));
        }
        boxes.push_back(clients.back()->OpenRoom("Room " + std::to_string(i)));
      }
      world.scanner.RefreshRoomList();
      int before = world.sim.Calls();
      {
        Desktop::Round tick(world.desktop);
        world.Send(u"x");
        world.scanner.RefreshRoomList();
      }
      std::string what = Utf16ToUtf8(world.list.ItemText(0)) + ", rooms: " + std::to_string(rooms);
      EXPECT_EQ(world.sim.Calls() - before, budget.base + budget.perRoom * rooms) << what;
      for (WindowHandle box : boxes) EXPECT_EQ(world.sim.Get(box).sentLines.size(), 1u) << what;
    }
  }
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
    WindowHandle hungBoxes[] = {hung.OpenRoom("A"), hung.OpenRoom("B"), hung.OpenRoom("C")};
    WindowHandle fineBoxes[] = {winmx.OpenRoom("Lobby"), nushi.OpenRoom("Lobby")};
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
      for (std::uint32_t process : {winamp.ProcessId(), hung.ProcessId()}) {
        if (tick == 4) sim.SetHung(process, false);
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
