// The program's logic from start-up to exit on the simulated desktop.

#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "app/HeadlessMainWindow.h"
#include "message/ColorPatternParser.h"
#include "platform/sim/FakeChatClients.h"
#include "platform/sim/FakePlayers.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimTimers.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr char kSettingsPath[] = "C:\\Lanternfly\\settings.ini";
const std::vector<WinampTrack> kPlaylist = {{"C:\\title.mp3", "Artist - Title"}, {"C:\\next.mp3", "Other - Song"}};

class MainFormTest : public ::testing::Test, protected SimSystem {
 protected:
  MainFormTest() { winamp.Play(kPlaylist, 0); }

  std::size_t Lobby() { return winmx.Received(winmxBox).size(); }
  std::size_t Chat() { return metis.Received(metisBox).size(); }

  HeadlessMainWindow window;
  AppState state;
  Random random{9};
  FakeWinamp winamp{sim};
  FakeChatClient winmx{sim, FakeChatClient::Kind::kWinMX};
  FakeChatClient metis{sim, FakeChatClient::Kind::kMetis};
  WindowHandle winmxBox = winmx.OpenRoom("Lobby"), metisBox = metis.OpenRoom("Chat");
  MainForm form{system, window, state, Utf8ToUtf16(kSettingsPath), random};
};

TEST_F(MainFormTest, ANewSongIsAnnouncedOnceInEveryRoom) {
  SimTimers timers;
  form.Form_Load();
  EXPECT_EQ(shell.messages.at(0).title, u"No Settings Found");
  EXPECT_TRUE(shell.iconShown && files.Content(kSettingsPath));
  form.StartTimers(timers);
  timers.Advance(2'999);
  EXPECT_EQ(form.SelectWinamp.Caption, u"Winamp");
  timers.Advance(1);
  EXPECT_EQ(form.SelectWinamp.Caption, u"Winamp (ON)");
  EXPECT_EQ(form.CurrentlyPlayingLabel, u"Artist - Song Name");
  timers.Advance(2'000);
  EXPECT_EQ(form.CurrentlyPlayingLabel, u"Artist - Title");
  const std::vector<std::string> expected{"#c1#is listening to #c51#Ar#c52#ti#c53#st - T#c54#it#c55#le"};
  EXPECT_EQ(winmx.Received(winmxBox), expected);
  EXPECT_EQ(metis.Received(metisBox), expected);

  form.CheckSong_Timer();  // the same song
  winamp.SetState(FakeWinamp::State::kPaused);
  form.CheckSong_Timer();
  winamp.SetState(FakeWinamp::State::kPlaying);
  form.CheckSong_Timer();
  EXPECT_EQ(Lobby(), 1u);
  winamp.Play(kPlaylist, 1);
  form.CheckSong_Timer();
  EXPECT_EQ(Chat(), 2u);
}

TEST_F(MainFormTest, WhatThePollAndTheLabelClickSend) {
  const struct {
    const char* title;
    bool autoDisplay, sendToAll;
    std::size_t polled, clicked;
  } cases[] = {
      {"Artist - AutoDisplay off", false, true, 0, 1},
      {"Artist - To selected rooms, none selected", true, false, 0, 0},
      {"Artist - Filtered", true, true, 0, 0},
  };
  form.Form_Load();
  for (const auto& c : cases) {
    state.settings.AutoDisplay = c.autoDisplay;
    state.settings.SendToAll = c.sendToAll;
    state.settings.FilterWords[0] = u"FILTERED";
    winamp.Play({{"C:\\next.mp3", c.title}}, 0);
    const std::size_t before = Lobby();
    form.CheckSong_Timer();
    EXPECT_EQ(Lobby() - before, c.polled) << c.title;
    form.CurrentlyPlayingLabel_Click();
    EXPECT_EQ(Lobby() - before, c.polled + c.clicked) << c.title;
  }
}

// The refresh lets messages run twice. A click on the song label then
// reaches the rooms of the finished refresh; a click on a row stays as the
// click left it.
TEST_F(MainFormTest, AClickWhileTheRoomListIsRebuiltCounts) {
  form.Form_Load();
  form.CheckSong_Timer();
  state.settings.AutoDisplay = false;
  auto duringPump = [&](int pump, std::function<void()> click) {
    if (pump == 1) sim.DuringNextPump(click);
    else sim.DuringNextPump([&, click] { sim.DuringNextPump(click); });
    form.ButtonRefresh_Click();
  };
  for (int pump : {1, 2}) {
    for (bool sendToAll : {true, false}) {
      state.settings.SendToAll = sendToAll;
      ASSERT_EQ(form.channellist.ItemText(0), u"[WinMX] Lobby");
      form.channellist.SetItemSelected(0, true);
      const std::size_t lobby = Lobby(), chat = Chat();
      duringPump(pump, [&] { form.CurrentlyPlayingLabel_Click(); });
      EXPECT_EQ(Lobby() - lobby, 1u) << pump << sendToAll;
      EXPECT_EQ(Chat() - chat, sendToAll ? 1u : 0u) << pump << sendToAll;
    }
    for (bool select : {true, false}) {
      form.channellist.SetItemSelected(1, !select);
      duringPump(pump, [&] {
        form.channellist.MouseDown(1);
        form.channellist.MouseUp();
        form.channellist.OnClick(MouseButton::kLeft);
      });
      EXPECT_EQ(form.channellist.ItemSelected(1), select) << pump << select;
      EXPECT_EQ(state.settings.SelectedRooms.size(), select ? 2u : 1u) << pump << select;
    }
  }
}

// The rooms chosen before the last exit are selected again when they are
// listed, also when their client starts later, until the user chooses anew.
TEST_F(MainFormTest, TheChosenRoomsAreKeptAcrossARestartAndEveryRefresh) {
  const std::string_view file = "SendToAll=False\r\nSelectedRoom=[Metis] Chat\r\nSelectedRoom=[Metis] Later\r\n";
  files.Put(kSettingsPath, std::vector<std::uint8_t>(file.begin(), file.end()));
  using Rooms = std::set<std::u16string>;
  auto selected = [&] {
    Rooms rooms;
    for (int i = 0; i < form.channellist.ListCount(); ++i)
      if (form.channellist.ItemSelected(i)) rooms.insert(form.channellist.ItemText(i));
    return rooms;
  };
  auto click = [&](std::u16string_view room) {
    for (int i = 0; i < form.channellist.ListCount(); ++i)
      if (form.channellist.ItemText(i) == room) form.channellist.SetItemSelected(i, !form.channellist.ItemSelected(i));
    form.channellist.OnClick(MouseButton::kLeft);
  };
  form.Form_Load();
  EXPECT_EQ(selected(), Rooms{u"[Metis] Chat"});
  const WindowHandle later = metis.OpenRoom("Later");
  form.ButtonRefresh_Click();
  EXPECT_EQ(selected(), (Rooms{u"[Metis] Chat", u"[Metis] Later"}));
  EXPECT_EQ(form.ChooseRoomsCaption(), kChooseRoomsCaption);

  // Chosen anew, a room that goes is dropped as before.
  click(u"[WinMX] Lobby");
  sim.CloseWindow(metis.RoomOf(later));
  form.ButtonRefresh_Click();
  metis.OpenRoom("Later");
  form.ButtonRefresh_Click();
  EXPECT_EQ(selected(), (Rooms{u"[WinMX] Lobby", u"[Metis] Chat"}));
  click(u"[WinMX] Lobby");
  click(u"[Metis] Chat");
  EXPECT_EQ(form.ChooseRoomsCaption(), kNoRoomChosenCaption);
  click(u"[Metis] Chat");
  shell.answers.push_back(MessageAnswer::kYes);
  form.mnuexit_Click();
  const std::string saved = files.Content(kSettingsPath).value_or("");
  EXPECT_EQ(saved.substr(saved.find("SelectedRoom")), "SelectedRoom=[Metis] Chat\r\n");
}

TEST_F(MainFormTest, RoomsAreRefreshedOnlyOnTicksWithAnActivePlayerThatIsNoClone) {
  form.Form_Load();
  metis.OpenRoom("New");
  form.CheckSong_Timer();
  EXPECT_EQ(form.channellist.ListCount(), 3);
  FakeFoobar foobar(sim, false);  // its "Winamp" window is a clone
  form.TimerDetectActivePlayers_Timer();
  metis.OpenRoom("Newer");
  winamp.Play(kPlaylist, 1);
  form.CheckSong_Timer();
  EXPECT_EQ(form.CurrentlyPlayingLabel, u"Artist - Title");
  EXPECT_EQ(form.channellist.ListCount(), 3);
}

TEST_F(MainFormTest, OnlyAConfirmedCloseOrTheSessionsEndSaves) {
  form.Form_Load();
  const TrayIconData added = shell.trayCalls.back().second;
  form.TaskbarCreated();  // a new taskbar gets the icon again
  EXPECT_EQ(shell.trayCalls.back(), std::pair(TrayCommand::kAdd, added));
  state.settings.SelectedPlayer = u"VLC";
  form.mnuexit_Click();
  EXPECT_EQ(shell.messages.back().title, u"Confirm Exit Request");
  EXPECT_TRUE(!shell.ended && shell.iconShown);
  EXPECT_EQ(files.Content(kSettingsPath)->find("SelectedPlayer=VLC"), std::string::npos);
  form.Form_EndSession();  // unasked, and not ended by us
  EXPECT_NE(files.Content(kSettingsPath)->find("SelectedPlayer=VLC\r\n"), std::string::npos);
  EXPECT_TRUE(!shell.iconShown && shell.messages.size() == 2u && !shell.ended);
  // Yes: saved, also a choice made while the save lets messages run.
  shell.answers.push_back(MessageAnswer::kYes);
  sim.DuringNextPump([&] { form.SelectFoobar_Click(); });
  form.mnuexittray_Click();
  EXPECT_TRUE(shell.ended);
  EXPECT_NE(files.Content(kSettingsPath)->find("SelectedPlayer=Foobar\r\n"), std::string::npos);
}

TEST_F(MainFormTest, MinimisingHidesOnlyWithAnIconToComeBackBy) {
  form.Form_Load();
  for (auto [hideOnMinimize, showTrayIcon] : {std::pair{true, true}, std::pair{false, true}, std::pair{true, false}}) {
    form.mnushow_Click();
    state.settings.HideOnMinimize = hideOnMinimize;
    state.settings.ShowTrayIcon = showTrayIcon;
    form.Form_Resize(WindowState::kMinimized);
    EXPECT_EQ(window.shownVisible, !(hideOnMinimize && showTrayIcon));
    EXPECT_EQ(window.shownState, WindowState::kMinimized);
  }
}

TEST_F(MainFormTest, OnlyTheIconsCallbacksAreTakenFromTheMouseMoveMessage) {
  form.Form_Load();
  const struct {
    std::uint64_t wParam;
    std::int64_t lParam;
    bool pointerThere, shown, menu;
  } cases[] = {
      {1, 0x0203, false, true, false},       // the icon's double click
      {1, 0x0205, false, false, true},       // its right button
      {1, 0x0201, false, false, false},      // its left click
      {0, 0x0203, false, false, false},      // a move at (515, 0)
      {1, 0x0203, true, false, false},       // the same with the left button held
      {1, 0x0205, true, false, false},       // at (517, 0)
      {1, 0x00140203, false, false, false},  // at (515, 20)
  };
  for (const auto& c : cases) {
    form.mnuhide_Click();
    window.trayMenu.reset();
    form.Form_MouseMove(c.wParam, c.lParam, c.pointerThere);
    EXPECT_EQ(window.shownVisible, c.shown) << std::hex << c.lParam;
    EXPECT_EQ(window.trayMenu.has_value(), c.menu) << std::hex << c.lParam;
  }
}

TEST_F(MainFormTest, OneAtATimeWhileMessagesRun) {
  form.Form_Load();
  int nestedCalls = -1;
  sim.DuringNextPump([&] {
    const int before = sim.Calls();
    form.CheckSong_Timer();
    nestedCalls = sim.Calls() - before;
  });
  form.CheckSong_Timer();
  EXPECT_EQ(nestedCalls, 0);
  EXPECT_EQ(Lobby(), 1u);

  // A settings window closed while the command still lets messages run.
  sim.DuringNextPump([&] { form.SettingsWindow_Closed(); });
  form.mnusettings_Click();
  EXPECT_EQ(window.settingsWindowsOpened, 1);
  EXPECT_TRUE(window.shownVisible);
  EXPECT_EQ(window.shownState, WindowState::kNormal);
}

}  // namespace
}  // namespace lanternfly
