#include "app/win32/MainWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "app/win32/SettingsWindow.h"
#include "controls/iButton.h"

namespace lanternfly {
namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

constexpr int kIconResource = 1;

}  // namespace

const WindowRoute<MainWindow> MainWindow::kRoutes[] = {
    {WM_COMMAND, &MainWindow::OnCommand},
    {WM_CLOSE, &MainWindow::OnClose},
    {WM_SIZE, &MainWindow::OnSize},
    {WM_MOUSEMOVE, &MainWindow::OnMouseMove},
    {WM_ENDSESSION, &MainWindow::OnEndSession},
    {WM_DPICHANGED, &MainWindow::OnDpiChanged},
};

MainWindow::MainWindow(System& system, AppState& state, std::u16string settingsPath, Random& random)
    : system_(system),
      state_(state),
      shell_(std::make_unique<OwnedShell>(system.shell, window_)),
      owned_{system.desktop, system.files, *shell_, system.iTunes},
      form_(owned_, *this, state, std::move(settingsPath), random),
      built_(MainWindowLayout(), ScreenDpi(), {{u"channellist", &form_.channellist}}) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  icon_ = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  if (!icon_) icon_ = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  showRunningCopy_ = RegisterWindowMessageW(kShowRunningCopyMessage);
  Bind();
  created_ = CreateTopWindow() && built_.Build(window_);
  MakeTrayMenu();
  Repaint();
}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
  if (trayMenu_) DestroyMenu(trayMenu_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

bool MainWindow::CreateTopWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterProgramClass(kMainWindowClass, &ProgramWindowProcedure<MainWindow>, icon_,
                            smallIcon_ ? smallIcon_ : icon_))
    return false;

  // A fixed border and a minimise button, as a window of a fixed size has.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const Size client{built_.Scaled(MainWindowLayout().client.width), built_.Scaled(MainWindowLayout().client.height)};
  RECT frame{0, 0, client.width, client.height};
  AdjustWindowRectEx(&frame, style, TRUE, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + std::max(0, static_cast<int>(work.right - work.left - width) / 2);
  const int y = work.top + std::max(0, static_cast<int>(work.bottom - work.top - height) / 2);

  HMENU bar = MakeMenuBar();
  const std::u16string caption(kMainCaption);
  CreateWindowExW(WS_EX_CONTROLPARENT, kMainWindowClass, Wide(caption), style, x, y, width, height, nullptr, bar,
                  instance, this);
  if (!window_) {
    DestroyMenu(bar);
    return false;
  }
  // A menu bar may be of another height than the one reckoned with.
  RECT made{};
  GetClientRect(window_, &made);
  const int moreWidth = client.width - made.right, moreHeight = client.height - made.bottom;
  if (moreWidth != 0 || moreHeight != 0)
    SetWindowPos(window_, nullptr, 0, 0, width + moreWidth, height + moreHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

HMENU MainWindow::MakeMenuBar() const {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kCommandExit, L"Exit");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");
  AppendMenuW(bar, MF_STRING, kCommandSettings, L"Settings");
  HMENU help = CreatePopupMenu();
  AppendMenuW(help, MF_STRING, kCommandVisitHomepage, L"Visit Homepage");
  AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(help, MF_STRING, kCommandAbout, L"About");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"Help");
  return bar;
}

void MainWindow::MakeTrayMenu() {
  trayMenu_ = CreatePopupMenu();
  AppendMenuW(trayMenu_, MF_STRING, kCommandShow, L"Show");
  AppendMenuW(trayMenu_, MF_STRING, kCommandHide, L"Hide");
  AppendMenuW(trayMenu_, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(trayMenu_, MF_STRING, kCommandExitTray, L"Exit");
}

// Where the controls' clicks go, and which of the form's options each box shows.
void MainWindow::Bind() {
  const struct {
    const char16_t* name;
    OptionBox MainForm::*source;
    void (MainForm::*click)();
  } options[] = {{u"SelectSendAll", &MainForm::SelectSendAll, &MainForm::SelectSendAll_Click},
                 {u"SelectSendSelected", &MainForm::SelectSendSelected, &MainForm::SelectSendSelected_Click},
                 {u"SelectWinamp", &MainForm::SelectWinamp, &MainForm::SelectWinamp_Click},
                 {u"SelectiTunes", &MainForm::SelectiTunes, &MainForm::SelectiTunes_Click},
                 {u"SelectFoobar", &MainForm::SelectFoobar, &MainForm::SelectFoobar_Click},
                 {u"SelectVLC", &MainForm::SelectVLC, &MainForm::SelectVLC_Click}};
  for (const auto& [name, source, click] : options) {
    CntrlBox& box = built_.Get<CntrlBox>(name);
    box.Click = [this, click = click] { (form_.*click)(); };
    options_.push_back({&box, source, false});
  }
  built_.Get<iButton>(u"ButtonRefresh").Click = [this] { form_.ButtonRefresh_Click(); };
  currentlyPlaying_ = &built_.Get<PlainLabel>(u"CurrentlyPlayingLabel");
  currentlyPlaying_->Click = [this] { form_.CurrentlyPlayingLabel_Click(); };
  chooseRooms_ = &built_.Get<PanelFrame>(u"FrameChoose");
}

// The window procedure: the window's object from its user data, one
// handler per message.

LRESULT MainWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    try {
      form_.TaskbarCreated();
    } catch (...) {
      // Nothing may unwind through the system's window code.
    }
    return 0;
  }
  if (message == showRunningCopy_ && showRunningCopy_ != 0) {
    try {
      form_.mnushow_Click();
    } catch (...) {
    }
    return 0;
  }
  return RouteMessage(*this, window_, kRoutes, message, wParam, lParam);
}

LRESULT MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  // While a box of this window is up, no second command starts here: the
  // tray's menu and posted commands still reach the disabled window.
  if (shell_->Asking()) return 0;
  // Enter on a button, from the dialog keys.
  if (HIWORD(wParam) == BN_CLICKED && lParam != 0) SendMessageW(reinterpret_cast<HWND>(lParam), BM_CLICK, 0, 0);
  if (HIWORD(wParam) != 0 || lParam != 0) return 0;  // menus only
  switch (LOWORD(wParam)) {
    case kCommandExit: form_.mnuexit_Click(); break;
    case kCommandSettings:
      form_.mnusettings_Click();
      break;
    case kCommandVisitHomepage: form_.mnuvisit_Click(); break;
    case kCommandAbout: form_.mnuabout_Click(); break;
    case kCommandShow: form_.mnushow_Click(); break;
    case kCommandHide: form_.mnuhide_Click(); break;
    case kCommandExitTray: form_.mnuexittray_Click(); break;
    default: break;
  }
  return 0;
}

LRESULT MainWindow::OnClose(WPARAM, LPARAM) {
  // Asks; on Yes the program ends there. The close itself never goes on.
  if (!shell_->Asking()) form_.Form_QueryUnload();
  return 0;
}

LRESULT MainWindow::OnSize(WPARAM kind, LPARAM) {
  if (applying_ > 0) return 0;
  if (kind == SIZE_MINIMIZED && form_.State != WindowState::kMinimized) {
    form_.Form_Resize(WindowState::kMinimized);
  } else if ((kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) && form_.State != WindowState::kNormal) {
    form_.Form_Resize(WindowState::kNormal);
  }
  return 0;
}

LRESULT MainWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  built_.DpiChanged(window_, wParam, lParam);
  return 0;
}

LRESULT MainWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  // A hidden window gets no real mouse moves: all that come are the icon's.
  const bool pointerThere = IsWindowVisible(window_) && PointerAt(lParam);
  form_.Form_MouseMove(wParam, lParam, pointerThere);
  return 0;
}

bool MainWindow::PointerAt(LPARAM lParam) const {
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const DWORD made = GetMessagePos();
  POINT pointers[2] = {{GET_X_LPARAM(made), GET_Y_LPARAM(made)}, {}};
  const int count = GetCursorPos(&pointers[1]) ? 2 : 1;
  for (int i = 0; i < count; ++i) {
    POINT client = pointers[i];
    if (ScreenToClient(window_, &client) && client.x == at.x && client.y == at.y) return true;
  }
  return false;
}

LRESULT MainWindow::OnEndSession(WPARAM ending, LPARAM) {
  if (ending) form_.Form_EndSession();
  return 0;
}

// MainWindowView.

WindowHandle MainWindow::Handle() { return WindowHandle{reinterpret_cast<std::uintptr_t>(window_)}; }

std::uint64_t MainWindow::Icon() {
  // The tray shows the small picture of the window's icon.
  return reinterpret_cast<std::uintptr_t>(smallIcon_ ? smallIcon_ : icon_);
}

void MainWindow::ShowWindowState(WindowState state, bool visible) {
  if (!window_) return;
  ++applying_;
  if (!visible) {
    ShowWindow(window_, SW_HIDE);
  } else if (state == WindowState::kNormal) {
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_);
  } else if (!IsIconic(window_)) {
    ShowWindow(window_, SW_MINIMIZE);
  } else if (!IsWindowVisible(window_)) {
    ShowWindow(window_, SW_SHOWMINNOACTIVE);
  }
  --applying_;
}

void MainWindow::Repaint() {
  // Setting a box lets messages run, so only what changed is set.
  for (OptionBinding& option : options_) {
    const OptionBox& source = form_.*option.source;
    if (option.box->Caption() != source.Caption) option.box->SetCaption(source.Caption);
    if (option.shown != source.SelectValue) {
      option.shown = source.SelectValue;
      // Tab enters a group of option boxes at the chosen one.
      const HWND shown = built_.Handle(*option.box);
      const LONG style = GetWindowLongW(shown, GWL_STYLE);
      SetWindowLongW(shown, GWL_STYLE, option.shown ? style | WS_TABSTOP : style & ~WS_TABSTOP);
      option.box->SetSelectValue(option.shown);
    }
  }
  if (currentlyPlaying_ && currentlyPlaying_->Caption() != form_.CurrentlyPlayingLabel)
    currentlyPlaying_->SetCaption(form_.CurrentlyPlayingLabel);
  if (chooseRooms_ && chooseRooms_->Caption() != form_.ChooseRoomsCaption())
    chooseRooms_->SetCaption(std::u16string(form_.ChooseRoomsCaption()));
}

void MainWindow::PopupTrayMenu(const TrayMenuItems& items) {
  if (!window_ || !trayMenu_) return;
  const auto state = [](bool enabled) { return MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED); };
  EnableMenuItem(trayMenu_, kCommandShow, state(items.showEnabled));
  EnableMenuItem(trayMenu_, kCommandHide, state(items.hideEnabled));
  EnableMenuItem(trayMenu_, kCommandExitTray, state(items.exitEnabled));
  POINT at{};
  GetCursorPos(&at);
  // Without the window in front, a click elsewhere would not close the
  // menu; the posted message lets the next right click open it again.
  SetForegroundWindow(window_);
  TrackPopupMenu(trayMenu_, TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  PostMessageW(window_, WM_NULL, 0, 0);
}

void MainWindow::ShowSettingsWindow() {
  const HWND opened = OpenSettingsWindow(
      window_, system_, state_, MainWindowLink{Handle(), Icon(), form_.TrayIcon, [this] { form_.SettingsWindow_Closed(); }});
  // No settings window, then none to come back from: this one stays shown.
  if (!opened) form_.SettingsWindow_Closed();
}

}  // namespace lanternfly
