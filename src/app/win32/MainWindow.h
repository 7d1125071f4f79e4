#pragma once

// Lanternfly's main window on Windows: a fixed-size top-level window of its
// own class with the three frames and their controls, the menu bar and the
// tray icon's menu. It shows what MainForm holds and hands MainForm the
// user's clicks, the menu commands, minimising, closing and the tray icon's
// callbacks; what they do is MainForm's business.
//
// Its controls are described in app/WindowLayout.cpp, drawn up for 96 DPI and
// scaled to the screen's DPI when the window is made (the program is system
// DPI aware).

#include <windows.h>

#include <memory>
#include <vector>

#include "app/MainForm.h"
#include "app/win32/OwnedShell.h"
#include "app/win32/ProgramWindow.h"
#include "app/win32/WindowBuilder.h"
#include "controls/CntrlBox.h"
#include "controls/PanelFrame.h"
#include "controls/PlainLabel.h"

namespace lanternfly {

inline constexpr wchar_t kMainWindowClass[] = L"LanternflyMainForm";
// Registered, sent by a second start to the running copy's main window: come
// forward, back from the tray if hidden.
inline constexpr wchar_t kShowRunningCopyMessage[] = L"Lanternfly.ShowRunningCopy";

// The menus' commands, as WM_COMMAND's low word.
enum MainCommand : UINT {
  kCommandExit = 100,
  kCommandSettings = 101,
  kCommandVisitHomepage = 102,
  kCommandAbout = 103,
  kCommandShow = 110,  // the tray icon's menu
  kCommandHide = 111,
  kCommandExitTray = 112,
};

class MainWindow final : public MainWindowView {
 public:
  // Makes the window, hidden, with its controls and menus; see Created().
  MainWindow(System& system, AppState& state, std::u16string settingsPath, Random& random);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // False when Windows refused the window or one of its controls.
  bool Created() const { return created_; }
  MainForm& Form() { return form_; }
  HWND Window() const { return window_; }

  // MainWindowView.
  WindowHandle Handle() override;
  std::uint64_t Icon() override;
  void ShowWindowState(WindowState state, bool visible) override;
  void Repaint() override;
  void PopupTrayMenu(const TrayMenuItems& items) override;
  void ShowSettingsWindow() override;

 private:
  friend LRESULT CALLBACK ProgramWindowProcedure<MainWindow>(HWND, UINT, WPARAM, LPARAM);
  static const WindowRoute<MainWindow> kRoutes[];

  // An option box and the value of MainForm's that it shows.
  struct OptionBinding {
    CntrlBox* box;
    OptionBox MainForm::*source;
    bool shown;
  };

  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  bool CreateTopWindow();
  void Bind();
  HMENU MakeMenuBar() const;
  void MakeTrayMenu();
  // The mouse-move message's point is where the pointer is (or was when
  // the message was made): then it is no tray callback.
  bool PointerAt(LPARAM lParam) const;

  // Message handlers.
  LRESULT OnCommand(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnEndSession(WPARAM, LPARAM);
  LRESULT OnDpiChanged(WPARAM, LPARAM);

  System& system_;
  AppState& state_;
  // The form's boxes belong to this window (declared before the form).
  std::unique_ptr<OwnedShell> shell_;
  System owned_;
  MainForm form_;
  HWND window_ = nullptr;
  bool created_ = false;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HMENU trayMenu_ = nullptr;
  int applying_ = 0;  // inside our own ShowWindow calls: their WM_SIZE is no user's
  UINT taskbarCreated_ = 0;  // the message a new taskbar sends every top-level window
  UINT showRunningCopy_ = 0;

  BuiltWindow built_;
  PlainLabel* currentlyPlaying_ = nullptr;
  PanelFrame* chooseRooms_ = nullptr;
  std::vector<OptionBinding> options_;
};

}  // namespace lanternfly
