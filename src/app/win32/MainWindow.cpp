#include "app/win32/MainWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "app/win32/SettingsWindow.h"

namespace lanternfly {
namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

constexpr int kIconResource = 1;

// The client area and the controls' places at 96 DPI: frames in the
// window's client area, the other controls in their frame's.
constexpr Size kClient{524, 336};
constexpr Rect kFrameChoose{8, 8, 344, 328};
constexpr Rect kFramePlayer{352, 8, 516, 164};
constexpr Rect kFramePlaying{352, 172, 516, 328};
constexpr Rect kChannelList{10, 32, 326, 201};  // eleven rows of 15 inside the border
constexpr Rect kButtonRefresh{10, 209, 326, 237};
constexpr Rect kLabel1{10, 248, 326, 264};
constexpr Rect kSelectSendAll{18, 268, 326, 286};
constexpr Rect kSelectSendSelected{18, 290, 326, 308};
constexpr int kPlayerLeft = 12, kPlayerRight = 156, kPlayerTop = 40, kPlayerStep = 27, kOptionHeight = 18;
constexpr Rect kCurrentlyPlaying{12, 34, 152, 144};
constexpr int kHeaderHeight = 22;
constexpr int kItemHeight = 15;

constexpr Colour kFrameFill = Rgb(222, 236, 245);

Rect PlayerBox(int index) {
  const int top = kPlayerTop + kPlayerStep * index;
  return Rect{kPlayerLeft, top, kPlayerRight, top + kOptionHeight};
}

const FontSpec kFrameFont{u"Tahoma", 8.25, true};
const FontSpec kSmallFont{u"MS Sans Serif", 8.25};
const FontSpec kTahoma{u"Tahoma", 9.75};

}  // namespace

const WindowRoute<MainWindow> MainWindow::kRoutes[] = {
    {WM_COMMAND, &MainWindow::OnCommand},
    {WM_CLOSE, &MainWindow::OnClose},
    {WM_SIZE, &MainWindow::OnSize},
    {WM_MOUSEMOVE, &MainWindow::OnMouseMove},
    {WM_ENDSESSION, &MainWindow::OnEndSession},
};

MainWindow::MainWindow(System& system, AppState& state, std::u16string settingsPath, Random& random)
    : system_(system), state_(state), form_(system, *this, state, std::move(settingsPath), random) {
  HDC screen = GetDC(nullptr);
  if (screen) {
    dpi_ = std::max(96, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  icon_ = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  if (!icon_) icon_ = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  SetDesignValues();
  created_ = CreateTopWindow() && PlaceControls();
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
  const Size client{Scaled(kClient.width), Scaled(kClient.height)};
  RECT frame{0, 0, client.width, client.height};
  AdjustWindowRectEx(&frame, style, TRUE, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + std::max(0, static_cast<int>(work.right - work.left - width) / 2);
  const int y = work.top + std::max(0, static_cast<int>(work.bottom - work.top - height) / 2);

  HMENU bar = MakeMenuBar();
  const std::u16string caption(kMainCaption);
  CreateWindowExW(0, kMainWindowClass, Wide(caption), style, x, y, width, height, nullptr, bar, instance, this);
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

void MainWindow::SetDesignValues() {
  const struct {
    PanelFrame* frame;
    const char16_t* caption;
  } frames[] = {{&frameChoose_, u"Choose Rooms:"},
                {&framePlayer_, u"Choose Your Player:"},
                {&framePlaying_, u"Currently Playing:"}};
  for (const auto& [frame, caption] : frames) {
    frame->SetStyle(3);  // first: the style brings its own colours
    frame->SetHeaderStyle(1);
    frame->SetRoundedCorner(false);
    frame->SetAlignment(0);
    frame->SetFillColor(kFrameFill);
    frame->SetTextBoxColor(Rgb(240, 239, 176));
    frame->SetTextBoxHeight(Scaled(kHeaderHeight));
    frame->SetFont(kFrameFont);
    frame->SetCaption(caption);
  }

  iList& list = form_.channellist;
  list.SetFont(FontSpec{u"Verdana", 9});
  list.SetBackNormal(Rgb(255, 255, 255));
  list.SetBackSelected(Rgb(204, 236, 245));
  list.SetBackSelectedG1(Rgb(222, 236, 245));
  list.SetBackSelectedG2(Rgb(160, 191, 235));
  list.SetFontNormal(Rgb(0, 0, 0));
  list.SetFontSelected(Rgb(64, 64, 64));
  list.SetItemHeight(Scaled(kItemHeight));
  list.SetItemHeightAuto(false);
  list.Mode = ListModel::SelectMode::kMultiple;
  list.SetSelectModeStyle(iList::kStyleVerticalGradient);

  buttonRefresh_.SetStyle(8);
  buttonRefresh_.SetIconAlign(0);
  buttonRefresh_.SetFont(kTahoma);
  buttonRefresh_.SetCaption(u"Refresh Channel List");
  buttonRefresh_.Click = [this] { form_.ButtonRefresh_Click(); };

  for (PlainLabel* label : {&label1_, &currentlyPlaying_}) label->SetBackColor(kFrameFill);
  label1_.SetFont(kSmallFont);
  label1_.SetWordWrap(false);
  label1_.SetCaption(u"Send Display To:");
  currentlyPlaying_.SetFont(kTahoma);
  currentlyPlaying_.Click = [this] { form_.CurrentlyPlayingLabel_Click(); };

  options_ = {{&selectSendAll_, &MainForm::SelectSendAll, false},
              {&selectSendSelected_, &MainForm::SelectSendSelected, false},
              {&selectWinamp_, &MainForm::SelectWinamp, false},
              {&selectiTunes_, &MainForm::SelectiTunes, false},
              {&selectFoobar_, &MainForm::SelectFoobar, false},
              {&selectVLC_, &MainForm::SelectVLC, false}};
  for (OptionBinding& option : options_) {
    option.box->SetFont(kSmallFont);
    option.box->SetCntrlType(CntrlBox::kOptionBox);
    option.box->SetBackColor(kFrameFill);
  }
  selectSendAll_.Click = [this] { form_.SelectSendAll_Click(); };
  selectSendSelected_.Click = [this] { form_.SelectSendSelected_Click(); };
  selectWinamp_.Click = [this] { form_.SelectWinamp_Click(); };
  selectiTunes_.Click = [this] { form_.SelectiTunes_Click(); };
  selectFoobar_.Click = [this] { form_.SelectFoobar_Click(); };
  selectVLC_.Click = [this] { form_.SelectVLC_Click(); };
}

bool MainWindow::PlaceControls() {
  const struct {
    Control* control;
    const PanelFrame* frame;  // nullptr: the window itself
    Rect place;
    const char16_t* kind;
  } placements[] = {
      {&frameChoose_, nullptr, kFrameChoose, u"PanelFrame"},
      {&framePlayer_, nullptr, kFramePlayer, u"PanelFrame"},
      {&framePlaying_, nullptr, kFramePlaying, u"PanelFrame"},
      {&form_.channellist, &frameChoose_, kChannelList, u"iList"},
      {&buttonRefresh_, &frameChoose_, kButtonRefresh, u"iButton"},
      {&label1_, &frameChoose_, kLabel1, u"PlainLabel"},
      {&selectSendAll_, &frameChoose_, kSelectSendAll, u"CntrlBox"},
      {&selectSendSelected_, &frameChoose_, kSelectSendSelected, u"CntrlBox"},
      {&selectWinamp_, &framePlayer_, PlayerBox(0), u"CntrlBox"},
      {&selectiTunes_, &framePlayer_, PlayerBox(1), u"CntrlBox"},
      {&selectFoobar_, &framePlayer_, PlayerBox(2), u"CntrlBox"},
      {&selectVLC_, &framePlayer_, PlayerBox(3), u"CntrlBox"},
      {&currentlyPlaying_, &framePlaying_, kCurrentlyPlaying, u"PlainLabel"},
  };
  for (const auto& placement : placements) {
    HWND parent = window_;
    for (const auto& shown : shown_)
      if (&shown->Shown() == placement.frame) parent = shown->Handle();
    std::unique_ptr<Win32ControlWindow> shown =
        Win32ControlWindow::Create(*placement.control, parent, Scaled(placement.place), placement.kind);
    if (!shown) return false;
    shown_.push_back(std::move(shown));
  }
  return true;
}

Rect MainWindow::Scaled(const Rect& rect) const {
  return Rect{Scaled(rect.left), Scaled(rect.top), Scaled(rect.right), Scaled(rect.bottom)};
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
  return RouteMessage(*this, window_, kRoutes, message, wParam, lParam);
}

LRESULT MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
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
  form_.Form_QueryUnload();
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
      option.box->SetSelectValue(option.shown);
    }
  }
  currentlyPlaying_.SetCaption(form_.CurrentlyPlayingLabel);
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
  OpenSettingsWindow(window_, system_, state_,
                     MainWindowLink{Handle(), Icon(), form_.TrayIcon, [this] { form_.SettingsWindow_Closed(); }});
}

}  // namespace lanternfly
