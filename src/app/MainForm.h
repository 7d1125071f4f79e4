#pragma once

// The main window's behaviour, apart from its drawing: the two polls, the
// choices of player and rooms, the announcement, the menus, the tray icon
// and the window state. Its window (real or simulated) shows what is here
// and passes the user's clicks and the timers' ticks to the handlers.

#include <cstdint>
#include <string>

#include "controls/iList.h"
#include "message/DisplayMessage.h"
#include "message/PatternDatabase.h"
#include "message/Random.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/Timers.h"
#include "players/PlayerDetection.h"
#include "players/PlayerReaders.h"
#include "rooms/RoomScanner.h"
#include "rooms/RoomSender.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

namespace lanternfly {

inline constexpr std::u16string_view kMainCaption = u"Lanternfly v3.0.1 - Made by Tindervale";
inline constexpr int kCheckSongInterval = 5000;           // ms
inline constexpr int kDetectPlayersInterval = 3000;       // ms
// The maker's homepage, which "Visit Homepage" opens.
inline constexpr std::u16string_view kHomepage = u"https://tindervale.example/lanternfly/";
// The room frame's header, and the same when only selected rooms get the
// announcement and none is selected: the user sees why nothing is sent.
inline constexpr std::u16string_view kChooseRoomsCaption = u"Choose Rooms:";
inline constexpr std::u16string_view kNoRoomChosenCaption = u"Choose Rooms: none selected, nothing is sent";

enum class WindowState { kNormal, kMinimized };

// An option box as the window shows it.
struct OptionBox {
  std::u16string Caption;
  bool SelectValue = false;
};

struct TrayMenuItems {
  bool showEnabled = false;
  bool hideEnabled = false;
  bool exitEnabled = true;
};

// What the behaviour asks of its window.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual WindowHandle Handle() = 0;
  virtual std::uint64_t Icon() = 0;
  // Show the window in this state, shown or hidden.
  virtual void ShowWindowState(WindowState state, bool visible) = 0;
  // Captions, option values or the list changed.
  virtual void Repaint() = 0;
  // Pop up the tray menu ("Show", "Hide", separator, "Exit") at the mouse;
  // the item chosen arrives as its click handler.
  virtual void PopupTrayMenu(const TrayMenuItems& items) = 0;
  // Open the settings window without waiting for it.
  virtual void ShowSettingsWindow() = 0;
};

// The program-wide values that live for the whole run.
struct AppState {
  Settings settings;
  PatternDatabase patterns;
};

class MainForm {
 public:
  MainForm(System& system, MainWindowView& view, AppState& state, std::u16string settingsPath, Random& random);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // Start-up: the settings, the choices, the room list, the tray icon.
  void Form_Load();
  // The two polls run from here on, in every window state, until the end.
  void StartTimers(Timers& timers);
  // The song poll, every 5 s. A tick that comes while the poll lets
  // messages run is skipped: one poll at a time.
  void CheckSong_Timer();
  // Player detection, every 3 s.
  void TimerDetectActivePlayers_Timer();

  // The six option boxes show SendToAll and SelectedPlayer.
  void ApplySelections();
  // Builds the display message and types it into the chosen rooms, unless a
  // filter word occurs in the song's artist or title.
  void SendDisplayMessage();
  std::u16string GetFormattedText();
  // The header of the room list's frame.
  std::u16string_view ChooseRoomsCaption() const;

  void SelectWinamp_Click() { SelectPlayer(u"Winamp"); }
  void SelectiTunes_Click() { SelectPlayer(u"iTunes"); }
  void SelectFoobar_Click() { SelectPlayer(u"Foobar"); }
  void SelectVLC_Click() { SelectPlayer(u"VLC"); }
  void SelectSendAll_Click() { SelectSendToAll(true); }
  void SelectSendSelected_Click() { SelectSendToAll(false); }
  void ButtonRefresh_Click() { RefreshRooms(); }
  // The user changed the selection of the room list.
  void channellist_Click();
  // Announces at once, or, while the room list is being rebuilt, as soon as
  // it is whole again.
  void CurrentlyPlayingLabel_Click();
  void mnuexit_Click() { Form_QueryUnload(); }
  void mnusettings_Click();
  void mnuvisit_Click() { OpenURL(kHomepage); }
  void mnuabout_Click();
  void mnushow_Click() { SetWindowState(WindowState::kNormal, true); }
  void mnuhide_Click() { SetWindowState(WindowState::kMinimized, false); }
  void mnuexittray_Click() { Form_QueryUnload(); }

  // The user minimised or restored the window.
  void Form_Resize(WindowState state);
  // Any attempt to close the window: asks, and on Yes saves and ends.
  void Form_QueryUnload();
  // A mouse action on the tray icon, as its mouse message (0x0201 ...).
  void TrayIcon_MouseMessage(std::uint32_t mouseMessage);
  // The window's mouse-move message, which also brings the icon's callbacks:
  // then wParam is the icon's id and lParam the mouse message alone. With
  // `pointerThere` the pointer really is at that point of the window, so
  // the message is the mouse moving over it and not the icon's.
  void Form_MouseMove(std::uint64_t wParam, std::int64_t lParam, bool pointerThere);
  // The taskbar was made anew (its program restarted) without the icons it
  // had: the icon goes back in, or a hidden window could not come back.
  void TaskbarCreated();
  // The user's session ends and the program with it, unasked: the settings
  // are saved as a confirmed close saves them.
  void Form_EndSession();
  // The settings window closed: the main window comes back.
  void SettingsWindow_Closed();

  void OpenURL(std::u16string_view address) { shell_.OpenUrl(address); }

  // What the window shows.
  SongInformation CurrentSong;
  OptionBox SelectSendAll{u"Send to All Channels"};
  OptionBox SelectSendSelected{u"Send to Selected Channels Only"};
  OptionBox SelectWinamp{u"Winamp"};
  OptionBox SelectiTunes{u"iTunes"};
  OptionBox SelectFoobar{u"Foobar"};
  OptionBox SelectVLC{u"VLC"};
  iList channellist;
  std::u16string CurrentlyPlayingLabel = u"Artist - Song Name";
  WindowState State = WindowState::kNormal;
  bool Visible = true;

  TrayIconData TrayIcon;
  const RoomTable& Rooms() const { return scanner_.Rooms(); }
  RandomWordPicker& RandomWords() { return randomWords_; }

 private:
  void SelectPlayer(std::u16string_view player);
  void SelectSendToAll(bool all);
  void SetWindowState(WindowState state, bool visible);
  SongInformation ReadSelectedPlayer();
  void PollSong();
  void RefreshRooms();
  // The list's selection becomes the rooms kept in the settings.
  void KeepSelectedRooms();

  Desktop& desktop_;
  Shell& shell_;
  MainWindowView& view_;
  AppState& state_;
  Random& random_;
  PlayerReaders players_;
  RoomScanner scanner_;
  RoomSender sender_;
  RandomWordPicker randomWords_;
  SettingsFile settingsFile_;
  bool polling_ = false;  // a song poll runs (and lets messages run)
  bool refreshing_ = false;          // the room list is being rebuilt
  bool announceAfterRefresh_ = false;  // the label was clicked meanwhile
  int settingsWindowsClosed_ = 0;
  // The rooms read from the file stay chosen, selected whenever a refresh
  // lists them, until the user changes the selection: a chat client started
  // after this program still gets its rooms back.
  bool roomsFromFile_ = true;
};

}  // namespace lanternfly
