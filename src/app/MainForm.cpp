#include "app/MainForm.h"

#include <algorithm>
#include <memory>

#include "app/TrayIcon.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr std::u16string_view kAboutText =
    u"Thanks to everyone that has helped at some point, and for all the users. :-)\r\n"
    u"\r\n"
    u"Note: If you are to experience any bugs, please contact me at the homepage "
    u"(Help, Visit Homepage) with the subject \"Lanternfly bug\" and some basic information "
    u"of how to trigger the error.";

// Mouse messages that reach the main window from the tray icon.
constexpr std::uint32_t kLeftDoubleClick = 0x0203;
constexpr std::uint32_t kRightButtonUp = 0x0205;

}  // namespace

MainForm::MainForm(System& system, MainWindowView& view, AppState& state, std::u16string settingsPath, Random& random)
    : desktop_(system.desktop),
      shell_(system.shell),
      view_(view),
      state_(state),
      random_(random),
      players_(system.desktop, system.files, system.iTunes),
      scanner_(system.desktop, channellist, state.settings),
      sender_(system.desktop, state.settings, scanner_.Rooms()),
      randomWords_(random),
      settingsFile_(system.files, system.shell, system.desktop, std::move(settingsPath)) {
  channellist.Mode = ListModel::SelectMode::kMultiple;
  // A click or Space toggles a row; a drag ends with the button's release.
  channellist.events.Click = [this] { channellist_Click(); };
  channellist.events.MouseUp = [this](MouseButton, int, Point) { channellist_Click(); };
}

void MainForm::Form_Load() {
  settingsFile_.LoadSettings(state_.settings, state_.patterns, random_, [this] { ApplySelections(); });
  desktop_.PumpMessages();
  RefreshRooms();
  if (state_.settings.ShowTrayIcon) {
    AddTrayIcon(shell_, TrayIcon, desktop_.Text(), view_.Handle(), view_.Icon(), kTrayTip, kTrayCallbackMessage);
  }
  view_.Repaint();
}

void MainForm::StartTimers(Timers& timers) {
  timers.Start(kCheckSongInterval, [this] { CheckSong_Timer(); });
  timers.Start(kDetectPlayersInterval, [this] { TimerDetectActivePlayers_Timer(); });
}

SongInformation MainForm::ReadSelectedPlayer() {
  const std::u16string& player = state_.settings.SelectedPlayer;
  if (player == u"Winamp") return players_.ReadWinampSong();
  if (player == u"iTunes") return players_.ReadiTunesSong();
  if (player == u"Foobar") return players_.ReadFoobarSong();
  return players_.ReadVLCSong();
}

void MainForm::CheckSong_Timer() {
  if (polling_) return;
  polling_ = true;
  const std::unique_ptr<bool, void (*)(bool*)> done(&polling_, [](bool* flag) { *flag = false; });
  // The announcement and the room list walk the same windows once a tick.
  Desktop::Round tick(desktop_);
  PollSong();
}

void MainForm::PollSong() {
  // The "Winamp v1.x" window belongs to foobar2000's plug-in: not Winamp.
  if (state_.settings.SelectedPlayer == u"Winamp" && SelectWinamp.Caption == kWinampCloneCaption) return;
  // A new song's file is read once, for the poll and the announcement.
  PlayerReaders::KeepSongFile once(players_);
  SongInformation song = ReadSelectedPlayer();
  desktop_.PumpMessages();
  if (!song.Active) return;

  bool isNew = song.ArtistSong != CurrentSong.ArtistSong && !Contains(song.Song, u"[Stopped]") &&
               !Contains(song.Song, u"[Paused]") && song.ArtistSong.size() >= 4;
  if (isNew) {
    CurrentSong = song;
    desktop_.PumpMessages();
    // The label first, then the announcement, then the room list.
    CurrentlyPlayingLabel = CurrentSong.ArtistSong;
    view_.Repaint();
    if (state_.settings.AutoDisplay) {
      SendDisplayMessage();
      desktop_.PumpMessages();
    }
    desktop_.PumpMessages();
  }
  if (state_.settings.AutoRefresh) RefreshRooms();  // which shows the new list
  desktop_.PumpMessages();
}

void MainForm::TimerDetectActivePlayers_Timer() {
  PlayerCaptions captions = DetectPlayers(players_);
  SelectVLC.Caption = captions.VLC;
  SelectFoobar.Caption = captions.Foobar;
  SelectWinamp.Caption = captions.Winamp;
  SelectiTunes.Caption = captions.iTunes;
  view_.Repaint();
}

void MainForm::ApplySelections() {
  SelectSendAll.SelectValue = state_.settings.SendToAll;
  SelectSendSelected.SelectValue = !state_.settings.SendToAll;
  desktop_.PumpMessages();
  const std::u16string& player = state_.settings.SelectedPlayer;
  OptionBox* chosen = player == u"Winamp" ? &SelectWinamp
                      : player == u"iTunes" ? &SelectiTunes
                      : player == u"VLC"    ? &SelectVLC
                      : player == u"Foobar" ? &SelectFoobar
                                            : nullptr;
  if (chosen != nullptr) {
    for (OptionBox* box : {&SelectWinamp, &SelectiTunes, &SelectFoobar, &SelectVLC}) box->SelectValue = box == chosen;
    desktop_.PumpMessages();
  }
  view_.Repaint();
}

std::u16string MainForm::GetFormattedText() {
  const Settings& settings = state_.settings;
  DisplaySettings chosen{settings.DisplayFormat, settings.SelectedPlayer, settings.RadioCutoffText,
                         settings.RandomWords};
  DisplayContext context{chosen, state_.patterns, CurrentSong, players_, randomWords_, desktop_};
  return lanternfly::GetFormattedText(context);
}

void MainForm::SendDisplayMessage() {
  if (IsFiltered(CurrentSong, state_.settings.FilterWords)) return;
  sender_.SendDisplayMessage(GetFormattedText(), channellist);
}

void MainForm::RefreshRooms() {
  if (refreshing_) return;  // the refresh under way lists the rooms open now anyway
  {
    refreshing_ = true;
    const std::unique_ptr<bool, void (*)(bool*)> done(&refreshing_, [](bool* flag) { *flag = false; });
    scanner_.RefreshRoomList(roomsFromFile_ ? state_.settings.SelectedRooms : std::vector<std::u16string>{});
    if (!roomsFromFile_) KeepSelectedRooms();
  }
  view_.Repaint();
  if (announceAfterRefresh_) {
    announceAfterRefresh_ = false;
    SendDisplayMessage();
  }
}

void MainForm::channellist_Click() {
  roomsFromFile_ = false;
  // A refresh under way keeps what its end selects.
  if (!refreshing_) KeepSelectedRooms();
  view_.Repaint();
}

void MainForm::KeepSelectedRooms() {
  std::vector<std::u16string>& kept = state_.settings.SelectedRooms;
  kept.clear();
  for (int index = 0; index < channellist.ListCount() && kept.size() < kChosenRooms; ++index) {
    const std::u16string& entry = channellist.ItemText(index);
    // Two windows of one room give two equal entries, which one entry selects.
    if (channellist.ItemSelected(index) && std::find(kept.begin(), kept.end(), entry) == kept.end())
      kept.push_back(entry);
  }
}

std::u16string_view MainForm::ChooseRoomsCaption() const {
  return !state_.settings.SendToAll && channellist.SelectedCount() == 0 ? kNoRoomChosenCaption : kChooseRoomsCaption;
}

void MainForm::CurrentlyPlayingLabel_Click() {
  // The refresh lets messages run while the list is empty or its selection
  // not yet restored: sent now, the line would reach no room.
  if (refreshing_) {
    announceAfterRefresh_ = true;
    return;
  }
  SendDisplayMessage();
}

void MainForm::SelectPlayer(std::u16string_view player) {
  state_.settings.SelectedPlayer = player;
  ApplySelections();
}

void MainForm::SelectSendToAll(bool all) {
  state_.settings.SendToAll = all;
  ApplySelections();
}

void MainForm::SetWindowState(WindowState state, bool visible) {
  State = state;
  Visible = visible;
  view_.ShowWindowState(State, Visible);
}

void MainForm::mnusettings_Click() {
  const int closedBefore = settingsWindowsClosed_;
  view_.ShowSettingsWindow();
  desktop_.PumpMessages();
  // A settings window already closed again has brought this one back; hiding
  // it now would leave no window to return by.
  if (settingsWindowsClosed_ == closedBefore) SetWindowState(WindowState::kMinimized, false);
}

void MainForm::SettingsWindow_Closed() {
  ++settingsWindowsClosed_;
  SetWindowState(WindowState::kNormal, true);
}

void MainForm::mnuabout_Click() {
  shell_.ShowMessage(kAboutText, u"About Lanternfly", MessageButtons::kOk, MessageIcon::kNone);
}

void MainForm::Form_Resize(WindowState state) {
  State = state;
  // Hidden without a tray icon, the window could never be brought back.
  if (state_.settings.HideOnMinimize && state_.settings.ShowTrayIcon && State == WindowState::kMinimized)
    Visible = false;
  view_.ShowWindowState(State, Visible);
}

void MainForm::Form_QueryUnload() {
  MessageAnswer answer = shell_.ShowMessage(u"Are you sure you want to exit?", u"Confirm Exit Request",
                                            MessageButtons::kYesNo, MessageIcon::kNone);
  if (answer != MessageAnswer::kYes) return;
  const Settings saved = state_.settings;
  settingsFile_.SaveSettings(state_.settings, state_.patterns);
  desktop_.PumpMessages();
  RemoveTrayIcon(shell_, TrayIcon);
  desktop_.PumpMessages();
  // A choice made while the save let messages run came after the file's text
  // was made: without a second save it would end with the program.
  if (!(state_.settings == saved)) settingsFile_.SaveSettings(state_.settings, state_.patterns);
  shell_.EndProgram();
}

void MainForm::TaskbarCreated() {
  if (state_.settings.ShowTrayIcon && TrayIcon.cbSize != 0) shell_.NotifyIcon(TrayCommand::kAdd, TrayIcon);
}

void MainForm::Form_EndSession() {
  settingsFile_.SaveSettings(state_.settings, state_.patterns);
  RemoveTrayIcon(shell_, TrayIcon);
}

void MainForm::TrayIcon_MouseMessage(std::uint32_t mouseMessage) {
  if (mouseMessage == kLeftDoubleClick) {
    SetWindowState(WindowState::kNormal, true);
  } else if (mouseMessage == kRightButtonUp) {
    bool minimized = State == WindowState::kMinimized;
    view_.PopupTrayMenu(TrayMenuItems{minimized, !minimized, true});
  }
}

void MainForm::Form_MouseMove(std::uint64_t wParam, std::int64_t lParam, bool pointerThere) {
  // The callback number is the mouse-move message's own, so a move over the
  // window at x = 515 would read as a double click on the icon, and with the
  // left button held (wParam 1) even the icon's id would match.
  if (pointerThere || TrayIcon.uID == 0 || wParam != TrayIcon.uID) return;
  if (lParam < 0 || lParam > 0xFFFF) return;  // a point below the window's top row
  TrayIcon_MouseMessage(static_cast<std::uint32_t>(lParam));
}

}  // namespace lanternfly
