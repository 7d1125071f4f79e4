#include "app/SettingsForm.h"

#include <span>

#include "app/TrayIcon.h"
#include "message/ColorPatternParser.h"
#include "message/WinMXColorText.h"

namespace lanternfly {
namespace {

constexpr std::u16string_view kDiscardQuestion =
    u"You are about to lose any changes you made. Are you sure you want to exit?";

struct BoxSetting {
  CheckBox SettingsForm::*box;
  bool Settings::*setting;
};

// The tray icon's box first: saving treats it apart.
constexpr BoxSetting kBoxes[] = {
    {&SettingsForm::SelectShowTrayIcon, &Settings::ShowTrayIcon},
    {&SettingsForm::SelectHideOnMinimize, &Settings::HideOnMinimize},
    {&SettingsForm::SelectAutoDisplay, &Settings::AutoDisplay},
    {&SettingsForm::SelectInterruptionProtection, &Settings::InterruptionProtection},
    {&SettingsForm::SelectAutoRefresh, &Settings::AutoRefresh},
    {&SettingsForm::SelectScanWinMX, &Settings::ScanWinMX},
    {&SettingsForm::SelectScanRobo, &Settings::ScanRobo},
    {&SettingsForm::SelectScanMetis, &Settings::ScanMetis},
    {&SettingsForm::SelectScanNushi, &Settings::ScanNushi},
    {&SettingsForm::SelectScanOuka, &Settings::ScanOuka},
    {&SettingsForm::SelectScanRabbit, &Settings::ScanRabbit},
    {&SettingsForm::SelectScanZCB, &Settings::ScanZCB},
};

struct Page {
  Label SettingsForm::*category;
  Frame SettingsForm::*frame;
};

constexpr Page kPages[] = {
    {&SettingsForm::CatGeneral, &SettingsForm::FrameGeneral},
    {&SettingsForm::CatChannelList, &SettingsForm::FrameChannelList},
    {&SettingsForm::CatDisplayMessage, &SettingsForm::FrameDisplayMessage},
    {&SettingsForm::CatPatterns, &SettingsForm::FrameSavedPatterns},
    {&SettingsForm::CatDisplayExtras, &SettingsForm::FrameDisplayExtra},
};

// Which variables each player's reader leaves empty.
struct Variable {
  Label SettingsForm::*label;
  bool iTunesLacks;
  bool vlcLacks;
};

constexpr Variable kVariables[] = {
    {&SettingsForm::VariableArtistSong, false, false},
    {&SettingsForm::VariableArtist, false, false},
    {&SettingsForm::VariableSongName, false, false},
    {&SettingsForm::VariableBitrate, false, true},
    {&SettingsForm::VariableChannels, true, true},
    {&SettingsForm::VariableChannelMode, true, true},
    {&SettingsForm::VariableFrequency, false, true},
    {&SettingsForm::VariablePlayListLength, true, true},
    {&SettingsForm::VariablePlayListPosition, true, true},
    {&SettingsForm::VariableSongLength, false, true},
    {&SettingsForm::VariableSongPosition, true, true},
    {&SettingsForm::VariableSongRemaining, true, true},
    {&SettingsForm::VariableFileSize, false, true},
    {&SettingsForm::VariableAlbum, false, true},
    {&SettingsForm::VariableYear, false, true},
    {&SettingsForm::VariableGenre, false, true},
    {&SettingsForm::VariableTrackNumber, true, true},
    {&SettingsForm::VariableRand, false, false},
};

}  // namespace

SettingsForm::SettingsForm(System& system, Timers& timers, SettingsWindowView& view, AppState& state,
                           MainWindowLink mainWindow)
    : Editor(system.shell, view, ListDefaultPattern),
      Words(system.shell, view),
      desktop_(system.desktop),
      shell_(system.shell),
      timers_(timers),
      view_(view),
      state_(state),
      main_(std::move(mainWindow)) {}

SettingsForm::~SettingsForm() { StopTimer(); }

void SettingsForm::StopTimer() {
  if (timer_ != 0) timers_.Stop(timer_);
  timer_ = 0;
}

void SettingsForm::Form_Load() {
  open_ = true;
  // As a new window: the General page, nothing struck out.
  ShowPage(0);
  for (const Variable& variable : kVariables) (this->*variable.label).Strikethrough = false;
  LoadWindow();
  DiscardOnClose = true;
  // Shown once loaded: the load lets messages run, and would overwrite
  // what the user typed meanwhile.
  view_.ShowWindow();
  desktop_.PumpMessages();
  StopTimer();
  timer_ = timers_.Start(kPreviewInterval, [this] { UpdaterDisplayMessage_Timer(); });
}

void SettingsForm::LoadWindow() {
  const Settings& settings = state_.settings;
  for (const BoxSetting& entry : kBoxes) (this->*entry.box).SelectValue = settings.*entry.setting;
  desktop_.PumpMessages();
  Editor.Load(state_.patterns);
  desktop_.PumpMessages();
  Words.Load(settings);
  TextBoxDisplayMessage = settings.DisplayFormat;
  desktop_.PumpMessages();
  if (state_.patterns.DefaultPattern.empty()) state_.patterns.DefaultPattern = kNoDefaultPattern;
  ListDefaultPattern.Text = state_.patterns.DefaultPattern;
  RefreshPreview();
}

void SettingsForm::SaveAndApply() {
  Settings& settings = state_.settings;
  bool iconWas = settings.ShowTrayIcon;
  settings.ShowTrayIcon = SelectShowTrayIcon.SelectValue;
  if (settings.ShowTrayIcon != iconWas) {
    RemoveTrayIcon(shell_, main_.trayIcon);
    if (settings.ShowTrayIcon) {
      AddTrayIcon(shell_, main_.trayIcon, desktop_.Text(), main_.handle, main_.icon, kTrayTip, kTrayCallbackMessage);
    }
    desktop_.PumpMessages();
  }
  for (const BoxSetting& entry : std::span(kBoxes).subspan(1)) {
    settings.*entry.setting = (this->*entry.box).SelectValue;
  }
  desktop_.PumpMessages();
  settings.DisplayFormat = TextBoxDisplayMessage;
  state_.patterns.DefaultPattern = ListDefaultPattern.Text;
  Words.Save(settings);
  for (int slot = 1; slot <= PatternDatabase::kSlots; ++slot) {
    state_.patterns.Slot(slot) = Editor.WorkingPatterns.Slot(slot);
  }
  desktop_.PumpMessages();
}

void SettingsForm::Form_QueryUnload() {
  if (!open_) return;
  if (DiscardOnClose) {
    MessageAnswer answer = shell_.ShowMessage(kDiscardQuestion, u"Wait!", MessageButtons::kYesNo, MessageIcon::kNone);
    if (answer != MessageAnswer::kYes) return;
  }
  // A click that the yields below let through finds the window closing.
  open_ = false;
  StopTimer();
  if (!DiscardOnClose) {
    SaveAndApply();
    desktop_.PumpMessages();
  }
  desktop_.PumpMessages();
  main_.comeBack();
  view_.CloseWindow();
}

void SettingsForm::ShowPage(int page) {
  for (int index = 0; index < static_cast<int>(std::size(kPages)); ++index) {
    (this->*kPages[index].frame).Visible = index == page;
    (this->*kPages[index].category).Underline = index == page;
  }
  view_.Repaint();
}

void SettingsForm::CatDisplayMessage_Click() {
  ShowPage(2);
  // The same preview as the timer's, so that it does not show the saved
  // default pattern for half a second.
  RefreshPreview();
  const std::u16string& player = state_.settings.SelectedPlayer;
  bool all = player == u"Winamp" || player == u"Foobar";
  bool iTunes = player == u"iTunes";
  for (const Variable& variable : kVariables) {
    Label& label = this->*variable.label;
    label.Visible = true;
    if (!all && (iTunes ? variable.iTunesLacks : variable.vlcLacks)) label.Strikethrough = true;
  }
  view_.Repaint();
}

void SettingsForm::RefreshPreview() {
  Editor.WorkingPatterns.DefaultPattern = ListDefaultPattern.Text;
  TextPreview = WinMXToMarkup(ExpandPatterns(TextBoxDisplayMessage, Editor.WorkingPatterns));
  view_.Repaint();
  desktop_.PumpMessages();
}

}  // namespace lanternfly
