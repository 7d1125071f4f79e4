#pragma once

// The settings window's behaviour, apart from its drawing: the five pages,
// the working copies of the patterns and word lists, the live preview of the
// display message, saving into the settings and the close rules. Its window
// (real or headless) shows what is here and passes on clicks, edits and the
// preview timer's ticks.

#include <cstdint>
#include <functional>
#include <string>

#include "app/MainForm.h"
#include "app/PatternEditor.h"
#include "app/SettingsWindowView.h"
#include "app/WordLists.h"
#include "platform/System.h"
#include "platform/Timers.h"

namespace lanternfly {

inline constexpr int kPreviewInterval = 500;  // ms
// Shown, and saved, when no default pattern is named.
inline constexpr std::u16string_view kNoDefaultPattern = u"None Avaliable!";

// A check box shows as an option box does: a caption and a value.
using CheckBox = OptionBox;

// What the settings window needs of the main window.
struct MainWindowLink {
  WindowHandle handle;
  std::uint64_t icon = 0;
  TrayIconData& trayIcon;
  // The main window shows again: normal and visible.
  std::function<void()> comeBack;
};

class SettingsForm {
 public:
  SettingsForm(System& system, Timers& timers, SettingsWindowView& view, AppState& state, MainWindowLink mainWindow);
  ~SettingsForm();
  SettingsForm(const SettingsForm&) = delete;
  SettingsForm& operator=(const SettingsForm&) = delete;

  // Opening: shows the window, loads it, starts the preview timer.
  void Form_Load();
  // The controls and the working copies from the settings.
  void LoadWindow();
  // The controls and the working copies into the settings; the tray icon
  // follows its box.
  void SaveAndApply();
  // Any attempt to close the window (its close box too): discarding asks
  // first; the main window comes back, then the window goes.
  void Form_QueryUnload();
  bool IsOpen() const { return open_; }

  void ButtonSave_Click() {
    DiscardOnClose = false;
    Form_QueryUnload();
  }
  void ButtonCancel_Click() {
    DiscardOnClose = true;
    Form_QueryUnload();
  }

  void CatGeneral_Click() { ShowPage(0); }
  void CatChannelList_Click() { ShowPage(1); }
  void CatDisplayMessage_Click();
  void CatPatterns_Click() { ShowPage(3); }
  void CatDisplayExtras_Click() { ShowPage(4); }

  void TextBoxDisplayMessage_Change() { RefreshPreview(); }
  void UpdaterDisplayMessage_Timer() { RefreshPreview(); }
  // Another default pattern was picked.
  void ListDefaultPattern_Click() { RefreshPreview(); }
  void TextBoxDisplayMessage_MouseMove() { view_.FocusTextBox(SettingsTextBox::kDisplayMessage); }

  // True while closing is to drop the changes; the save button clears it.
  bool DiscardOnClose = true;

  Label CatGeneral{u"General"};
  Label CatChannelList{u"ChannelList"};
  Label CatDisplayMessage{u"Display Message"};
  Label CatPatterns{u"Color Patterns"};
  Label CatDisplayExtras{u"Display Extras"};

  Frame FrameGeneral{u"General Settings:"};
  CheckBox SelectShowTrayIcon{u"Show a Tray Icon"};
  CheckBox SelectHideOnMinimize{u"Hide to tray on minimize"};
  CheckBox SelectAutoDisplay{u"Enable Auto Display"};
  CheckBox SelectInterruptionProtection{u"Enable Interruption Protection"};

  Frame FrameChannelList{u"Channel List Settings:"};
  CheckBox SelectAutoRefresh{u"Auto Refresh List"};
  CheckBox SelectScanWinMX{u"Scan WinMX"};
  CheckBox SelectScanRobo{u"Scan RoboMX"};
  CheckBox SelectScanMetis{u"Scan Metis"};
  CheckBox SelectScanNushi{u"Scan Nushi"};
  CheckBox SelectScanOuka{u"Scan Ouka"};
  CheckBox SelectScanRabbit{u"Scan Rabbit"};
  CheckBox SelectScanZCB{u"Scan Zenar Chat Box"};

  Frame FrameDisplayMessage{u"Display Message Settings:"};
  std::u16string TextBoxDisplayMessage;
  std::u16string TextPreview;  // markup
  DropDown ListDefaultPattern;
  Label VariableArtistSong{u"%ARTISTSONG% - Artist + Song"};
  Label VariableArtist{u"%ARTIST% - Arist"};
  Label VariableSongName{u"%SONG% - Song Name"};
  Label VariableBitrate{u"%BITRATE% - Bitrate"};
  Label VariableChannels{u"%CHANNELS% - # of Channels (1,2)"};
  Label VariableChannelMode{u"%CHANNELMODE% - (Mono/Stereo)"};
  Label VariableFrequency{u"%FREQUENCY% - (44000Hz)"};
  Label VariablePlayListLength{u"%PLYLSTLEN% - # of Songs in Playlist"};
  Label VariablePlayListPosition{u"%PLYLSTPOS% - Current track #"};
  Label VariableSongLength{u"%SONGLEN% - Song Length"};
  Label VariableSongPosition{u"%SONGPOS% - Song Position"};
  Label VariableSongRemaining{u"%SONGREM% - Remaining Time"};
  Label VariableFileSize{u"%FILESIZE% - Size of MP3"};
  Label VariableAlbum{u"%ALBUM% - Album of song"};
  Label VariableYear{u"%YEAR% - Year of song"};
  Label VariableGenre{u"%GENRE% - Type of genre "};
  Label VariableTrackNumber{u"%TRACKNUM% - Track # (on cd)"};
  Label VariableRand{u"%RAND% - Word from Random Word List"};

  Frame FrameSavedPatterns{u"Add/Edit/Delete Your Color Patterns:"};
  PatternEditor Editor;  // the page's list and editor, and WorkingPatterns

  Frame FrameDisplayExtra{u"Display Extras Settings:"};
  WordLists Words;  // the page's lists, WorkingRandomWords and WorkingFilterWords

 private:
  // 0 General, 1 Channel list, 2 Display message, 3 Patterns, 4 Display extras.
  void ShowPage(int page);
  // The template's blocks expanded, default blocks with the working pattern
  // the drop-down names, as preview markup.
  void RefreshPreview();
  void StopTimer();

  Desktop& desktop_;
  Shell& shell_;
  Timers& timers_;
  SettingsWindowView& view_;
  AppState& state_;
  MainWindowLink main_;
  int timer_ = 0;
  bool open_ = false;
};

}  // namespace lanternfly
