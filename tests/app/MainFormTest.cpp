// The program's logic from start-up to exit on the simulated desktop.

#include "app/MainForm.h"

#include <gtest/gtest.h>

#include "../metadata/CountingFile.h"
#include "app/HeadlessMainWindow.h"
#include "message/ColorPatternParser.h"
#include "platform/sim/FakeChatClients.h"
#include "platform/sim/FakePlayers.h"
#include "platform/sim/FakeiTunes.h"
#include "platform/sim/MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimTimers.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

using Lines = std::vector<std::string>;
constexpr char kSettingsPath[] = "C:\\Lanternfly\\settings.ini";

std::vector<std::uint8_t> TaggedFile() {
  std::vector<std::uint8_t> bytes(20'000, 0);
  bytes[0] = 0xFF, bytes[1] = 0xFB, bytes[2] = 0x90, bytes[3] = 0x44;
  const std::string tag = "TAGTitle";
  std::copy(tag.begin(), tag.end(), bytes.end() - 128);
  return bytes;
}

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() {
    files.Put("C:\\Music\\artist-title.mp3", TaggedFile());
    winamp.Play({{"C:\\Music\\artist-title.mp3", "Artist - Title"}, {"C:\\Music\\next.mp3", "Other - Song"}}, 0);
    winmxBox = winmx.OpenRoom("Lobby");
    metisBox = metis.OpenRoom("Chat");
  }

  // The announcement of a song with the settings of a fresh setup.
  static std::string Announcement(std::u16string_view artistSong) {
    PatternDatabase patterns;
    patterns.AddPattern(RainbowLightPattern());
    patterns.DefaultPattern = kRainbowLightName;
    return Utf16ToUtf8(u"#c1#is listening to " + ExpandPatterns(u"[d]" + std::u16string(artistSong) + u"[/d]", patterns));
  }

  SimDesktop sim;
  std::unique_ptr<CodePage> codePage = OpenCodePage(1252);
  Desktop desktop{sim, *codePage};
  MemoryFiles files;
  SimShell shell;
  HeadlessMainWindow window;
  AppState state;
  Random random{9};
  FakeWinamp winamp{sim};
  FakeChatClient winmx{sim, FakeChatClient::Kind::kWinMX};
  FakeChatClient metis{sim, FakeChatClient::Kind::kMetis};
  WindowHandle winmxBox{}, metisBox{};
  FakeiTunes iTunes;
  System system{desktop, files, shell, iTunes};
  MainForm form{system, window, state, Utf8ToUtf16(kSettingsPath), random};
};

TEST_F(MainFormTest, FirstStartWithoutSettings) {
  form.Form_Load();
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].title, u"No Settings Found");
  EXPECT_TRUE(files.Content(kSettingsPath).has_value());
  EXPECT_TRUE(form.SelectSendAll.SelectValue);
  EXPECT_FALSE(form.SelectSendSelected.SelectValue);
  EXPECT_TRUE(form.SelectWinamp.SelectValue);
  EXPECT_EQ(form.channellist.ListCount(), 2);
  ASSERT_TRUE(shell.iconShown);
  const TrayIconData& icon = shell.trayCalls.back().second;
  EXPECT_EQ(icon.cbSize, 88u);
  EXPECT_EQ(icon.uFlags, 7u);
  EXPECT_EQ(icon.uCallbackMessage, 512u);
  EXPECT_EQ(std::string(icon.szTip.data(), 16), std::string("Lanternfly 3.0\0 ", 16));
  EXPECT_EQ(icon.szTip[63], ' ');
}

TEST_F(MainFormTest, ANewSongIsAnnouncedOnceInEveryRoom) {
  form.Form_Load();
  form.CheckSong_Timer();
  EXPECT_EQ(form.CurrentlyPlayingLabel, u"Artist - Title");
  const Lines expected{Announcement(u"Artist - Title")};
  EXPECT_EQ(winmx.Received(winmxBox), expected);
  EXPECT_EQ(metis.Received(metisBox), expected);
  EXPECT_EQ(expected[0], "#c1#is listening to #c51#Ar#c52#ti#c53#st - T#c54#it#c55#le");

  form.CheckSong_Timer();  // the same song
  winamp.SetState(FakeWinamp::State::kPaused);
  form.CheckSong_Timer();
  winamp.SetState(FakeWinamp::State::kPlaying);
  form.CheckSong_Timer();
  EXPECT_EQ(winmx.Received(winmxBox).size(), 1u);

  winamp.Play({{"C:\\Music\\artist-title.mp3", "Artist - Title"}, {"C:\\Music\\next.mp3", "Other - Song"}}, 1);
  form.CheckSong_Timer();
  EXPECT_EQ(metis.Received(metisBox).back(), Announcement(u"Other - Song"));
}

TEST_F(MainFormTest, ANewSongsFileIsReadOnceForThePollAndTheAnnouncement) {
  test::CountingFiles counting(files);
  System countingSystem{desktop, counting, shell, iTunes};
  MainForm counted{countingSystem, window, state, Utf8ToUtf16(kSettingsPath), random};
  counted.Form_Load();
  ASSERT_TRUE(state.settings.AutoDisplay);
  *counting.log = {};
  counted.CheckSong_Timer();
  EXPECT_EQ(sim.Get(winmxBox).sentLines.size(), 1u);
  EXPECT_EQ(counting.log->opens, 1);
  counted.CheckSong_Timer();  // no new song: the file is looked at afresh
  EXPECT_EQ(counting.log->opens, 2);
}

TEST_F(MainFormTest, TimersDetectAfterThreeSecondsAndPollAfterFive) {
  SimTimers timers;
  form.Form_Load();
  form.StartTimers(timers);
  timers.Advance(2'999);
  EXPECT_EQ(form.SelectWinamp.Caption, u"Winamp");
  timers.Advance(1);
  EXPECT_EQ(form.SelectWinamp.Caption, u"Winamp (ON)");
  EXPECT_EQ(form.CurrentlyPlayingLabel, u"Artist - Song Name");
  timers.Advance(2'000);
  EXPECT_EQ(form.CurrentlyPlayingLabel, u"Artist - Title");
  EXPECT_EQ(winmx.Received(winmxBox).size(), 1u);
}

TEST_F(MainFormTest, ClickingTheLabelAnnouncesAtOnce) {
  form.Form_Load();
  state.settings.AutoDisplay = false;
  form.CheckSong_Timer();
  EXPECT_TRUE(winmx.Received(winmxBox).empty());
  form.CurrentlyPlayingLabel_Click();
  EXPECT_EQ(winmx.Received(winmxBox), Lines{Announcement(u"Artist - Title")});
}

TEST_F(MainFormTest, SendingOnlyToSelectedRoomsWithNoneSelectedSendsNothing) {
  form.Form_Load();
  form.SelectSendSelected_Click();
  EXPECT_FALSE(state.settings.SendToAll);
  EXPECT_TRUE(form.SelectSendSelected.SelectValue);
  form.CheckSong_Timer();
  EXPECT_TRUE(winmx.Received(winmxBox).empty());
  EXPECT_TRUE(metis.Received(metisBox).empty());
}

TEST_F(MainFormTest, FilterWordsKeepASongUnannounced) {
  form.Form_Load();
  state.settings.FilterWords[0] = u"TITLE";
  form.CheckSong_Timer();
  EXPECT_EQ(form.CurrentlyPlayingLabel, u"Artist - Title");
  EXPECT_TRUE(winmx.Received(winmxBox).empty());
  form.CurrentlyPlayingLabel_Click();
  EXPECT_TRUE(winmx.Received(winmxBox).empty());
}

TEST_F(MainFormTest, AWinampCloneIsNotPolled) {
  FakeFoobar foobar(sim, false);
  form.Form_Load();
  form.TimerDetectActivePlayers_Timer();
  EXPECT_EQ(form.SelectWinamp.Caption, u"Winamp (OFF: Clone)");
  metis.OpenRoom("New");
  form.CheckSong_Timer();
  EXPECT_EQ(form.CurrentlyPlayingLabel, u"Artist - Song Name");
  EXPECT_EQ(form.channellist.ListCount(), 2);  // not even refreshed
}

TEST_F(MainFormTest, RoomListIsRefreshedOnlyOnTicksWithAnActivePlayer) {
  form.Form_Load();
  form.CheckSong_Timer();
  metis.OpenRoom("New");
  form.CheckSong_Timer();
  EXPECT_EQ(form.channellist.ListCount(), 3);
  metis.OpenRoom("Newer");
  winamp.Close();
  form.CheckSong_Timer();
  EXPECT_EQ(form.channellist.ListCount(), 3);
}

TEST_F(MainFormTest, ClosingAsksAndOnlyYesSavesAndEnds) {
  form.Form_Load();
  state.settings.SelectedPlayer = u"VLC";
  form.mnuexit_Click();
  EXPECT_EQ(shell.messages.back().text, u"Are you sure you want to exit?");
  EXPECT_EQ(shell.messages.back().title, u"Confirm Exit Request");
  EXPECT_FALSE(shell.ended);
  EXPECT_TRUE(shell.iconShown);
  EXPECT_EQ(files.Content(kSettingsPath)->find("SelectedPlayer=VLC"), std::string::npos);

  shell.answers.push_back(MessageAnswer::kYes);
  form.mnuexittray_Click();
  EXPECT_TRUE(shell.ended);
  EXPECT_FALSE(shell.iconShown);
  EXPECT_NE(files.Content(kSettingsPath)->find("SelectedPlayer=VLC\r\n"), std::string::npos);
}

TEST_F(MainFormTest, TrayIconAndWindowState) {
  form.Form_Load();
  form.TrayIcon_MouseMessage(0x0205);
  ASSERT_TRUE(window.trayMenu);
  EXPECT_FALSE(window.trayMenu->showEnabled);
  EXPECT_TRUE(window.trayMenu->hideEnabled);
  form.mnuhide_Click();
  EXPECT_FALSE(window.shownVisible);
  form.TrayIcon_MouseMessage(0x0205);
  EXPECT_TRUE(window.trayMenu->showEnabled);
  EXPECT_FALSE(window.trayMenu->hideEnabled);
  form.TrayIcon_MouseMessage(0x0201);  // a left click does nothing
  EXPECT_FALSE(window.shownVisible);
  form.TrayIcon_MouseMessage(0x0203);
  EXPECT_EQ(window.shownState, WindowState::kNormal);
  EXPECT_TRUE(window.shownVisible);

  form.Form_Resize(WindowState::kMinimized);  // HideOnMinimize is on
  EXPECT_FALSE(window.shownVisible);
  // Kept on the taskbar, minimised: without hiding, or without an icon to come back by.
  for (auto [hideOnMinimize, showTrayIcon] : {std::pair{false, true}, std::pair{true, false}}) {
    form.mnushow_Click();
    state.settings.HideOnMinimize = hideOnMinimize;
    state.settings.ShowTrayIcon = showTrayIcon;
    form.Form_Resize(WindowState::kMinimized);
    EXPECT_TRUE(window.shownVisible);
    EXPECT_EQ(window.shownState, WindowState::kMinimized);
  }
}

TEST_F(MainFormTest, TheIconGoesBackIntoANewTaskbarAndTheSessionsEndSaves) {
  form.Form_Load();
  const TrayIconData added = shell.trayCalls.back().second;
  shell.trayCalls.clear();
  form.TaskbarCreated();
  ASSERT_EQ(shell.trayCalls.size(), 1u);
  EXPECT_EQ(shell.trayCalls[0].first, TrayCommand::kAdd);
  EXPECT_EQ(shell.trayCalls[0].second, added);

  state.settings.SelectedPlayer = u"VLC";
  form.Form_EndSession();
  EXPECT_NE(files.Content(kSettingsPath)->find("SelectedPlayer=VLC\r\n"), std::string::npos);
  EXPECT_FALSE(shell.iconShown);
  EXPECT_TRUE(shell.messages.size() == 1u && !shell.ended);  // not asked, not ended by us

  state.settings.ShowTrayIcon = false;  // turned off meanwhile: no icon to put back
  shell.trayCalls.clear();
  form.TaskbarCreated();
  EXPECT_TRUE(shell.trayCalls.empty());
}

TEST_F(MainFormTest, APollThatLetsMessagesRunIsNotStartedAgainMeanwhile) {
  form.Form_Load();
  int nestedCalls = -1;
  sim.DuringNextPump([&] {
    const int before = sim.Calls();
    form.CheckSong_Timer();
    nestedCalls = sim.Calls() - before;
  });
  form.CheckSong_Timer();
  EXPECT_EQ(nestedCalls, 0);
  EXPECT_EQ(winmx.Received(winmxBox).size(), 1u);
  winamp.Play({{"C:\\Music\\artist-title.mp3", "Artist - Title"}, {"C:\\Music\\next.mp3", "Other - Song"}}, 1);
  form.CheckSong_Timer();  // the next tick polls again
  EXPECT_EQ(winmx.Received(winmxBox).size(), 2u);
}

TEST_F(MainFormTest, OnlyTheIconsCallbacksAreTakenFromTheMouseMoveMessage) {
  form.Form_Load();
  const struct {
    std::uint64_t wParam;
    std::int64_t lParam;
    bool pointerThere;
    bool shown;
    bool menu;
  } cases[] = {
      {1, 0x0203, false, true, false},       // the icon's double click
      {1, 0x0205, false, false, true},       // its right button
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

TEST_F(MainFormTest, MenuCommands) {
  form.Form_Load();
  form.mnuvisit_Click();
  EXPECT_EQ(shell.openedUrls, std::vector<std::u16string>{std::u16string(kHomepage)});
  form.mnuabout_Click();
  EXPECT_EQ(shell.messages.back().title, u"About Lanternfly");
  EXPECT_EQ(shell.messages.back().text.substr(0, 29), u"Thanks to everyone that has h");
  form.mnusettings_Click();
  EXPECT_EQ(window.settingsWindowsOpened, 1);
  EXPECT_FALSE(window.shownVisible);
  form.SettingsWindow_Closed();
  EXPECT_TRUE(window.shownVisible);
  // Closed again while the command still lets messages run: the window stays.
  sim.DuringNextPump([&] { form.SettingsWindow_Closed(); });
  form.mnusettings_Click();
  EXPECT_TRUE(window.shownVisible);
  EXPECT_EQ(window.shownState, WindowState::kNormal);
  form.SelectVLC_Click();
  EXPECT_TRUE(form.SelectVLC.SelectValue);
  EXPECT_FALSE(form.SelectWinamp.SelectValue);
}

}  // namespace
}  // namespace lanternfly
