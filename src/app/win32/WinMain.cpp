// Lanternfly.exe: the program on this machine's real system, its main
// window and the message loop. It ends only through the main window's
// confirmed close.

#include <windows.h>

#include <string>

#include "app/win32/MainWindow.h"
#include "app/win32/SettingsWindow.h"
#include "platform/CodePage.h"
#include "platform/Timers.h"
#include "platform/win32/MessagePump.h"

namespace lanternfly {
namespace {

// "settings.ini" in the program's own folder.
std::u16string SettingsPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return u"settings.ini";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // a long path: try again with room for it
  }
  path.erase(path.find_last_of(L"\\/") + 1);
  path += L"settings.ini";
  return std::u16string(path.begin(), path.end());
}

// One copy a user's session: the first start holds the named mutex and says
// when its main window exists; a later one brings that window forward and
// ends before it reads or writes anything. Names under Local\ are the
// session's own, so another user's copy does not count.
class OneCopy {
 public:
  OneCopy() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\Lanternfly.OneCopy")) {
    first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
    // Manual reset: set once, it stays set for every later start.
    ready_ = CreateEventW(nullptr, TRUE, FALSE, L"Local\\Lanternfly.MainWindowReady");
  }
  ~OneCopy() {
    if (ready_) CloseHandle(ready_);
    if (mutex_) CloseHandle(mutex_);
  }
  OneCopy(const OneCopy&) = delete;
  OneCopy& operator=(const OneCopy&) = delete;

  bool First() const { return first_; }
  void MainWindowMade() const {
    if (ready_) SetEvent(ready_);
  }
  // Started a moment after the first copy, this one waits for its window.
  void ShowFirstCopy() const {
    if (ready_) WaitForSingleObject(ready_, 10000);
    HWND main = FindWindowW(kMainWindowClass, nullptr);
    if (!main) return;
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    // Only the program the user just started may hand on the foreground.
    AllowSetForegroundWindow(process);
    PostMessageW(main, RegisterWindowMessageW(kShowRunningCopyMessage), 0, 0);
  }

 private:
  HANDLE mutex_ = nullptr;
  HANDLE ready_ = nullptr;
  bool first_ = true;
};

int Run() {
  const OneCopy oneCopy;
  if (!oneCopy.First()) {
    oneCopy.ShowFirstCopy();
    return 0;
  }
  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  std::unique_ptr<Files> files = SystemFiles();
  std::unique_ptr<Shell> shell = SystemShell();
  std::unique_ptr<ITunesAutomation> iTunes = SystemITunes();
  std::unique_ptr<Timers> timers = SystemTimers();
  if (!api || !codePage || !files || !shell || !iTunes || !timers) return 1;
  Desktop desktop(*api, *codePage);
  System system{desktop, *files, *shell, *iTunes};
  AppState state;
  Random random;

  MainWindow window(system, state, SettingsPath(), random);
  if (!window.Created()) return 1;
  oneCopy.MainWindowMade();
  MainForm& form = window.Form();
  form.Form_Load();
  window.ShowWindowState(form.State, form.Visible);
  form.StartTimers(*timers);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HandleMessage(message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace
}  // namespace lanternfly

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return lanternfly::Run(); }
