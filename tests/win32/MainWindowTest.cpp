// Lanternfly.exe as a user starts it: a real process in a folder of its own,
// beside fake players and chat clients, driven from outside through its
// windows as the user and the tray would drive it (posted clicks, menu
// commands, the tray icon's callback message, its message boxes).

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "FakeProgram.h"
#include "Screenshot.h"
#include "app/PatternEditor.h"
#include "app/win32/MainWindow.h"
#include "app/win32/SettingsWindow.h"
#include "platform/win32/GdiCanvas.h"

namespace lanternfly {
namespace {

using test::FakeProgram;

// The test measures texts and places in the screen's real pixels.
const bool kDpiAware = SetProcessDPIAware() != FALSE;

constexpr Colour kFrameBody = Rgb(222, 236, 245);
constexpr UINT kTrayCallback = 0x0200;
constexpr char kFirstLine[] =
    "#c1#is listening to #c51#So#c52#me A#c53#rt#c54#is#c55#t #c56#- #c57#So#c58#me S#c59#on#c51#g";

int Dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}
int Scaled(int pixels) { return MulDiv(pixels, Dpi(), 96); }

bool WaitUntil(int milliseconds, const std::function<bool()>& done) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// The lines a fake room received, once it has at least `count` (a poll
// comes every 5 s) or after 12 s.
std::vector<std::string> Received(const FakeProgram& client, const std::string& room, size_t count) {
  WaitUntil(12000, [&] { return client.Sent(room).size() >= count; });
  return client.Sent(room);
}

// A line as the room shows it: without its colour codes.
std::string Plain(const std::string& line) { return std::regex_replace(line, std::regex("#c[0-9?]+#"), ""); }

// The windows of one kind of the program's own controls ("CntrlBox"), at
// any depth below `top`, in creation order.
struct ControlSearch {
  std::wstring className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<ControlSearch*>(context);
  if (ClassOf(child) == search->className) search->found.push_back(child);
  return TRUE;
}

std::vector<HWND> Controls(HWND top, const std::wstring& kind) {
  ControlSearch search{L"Lanternfly" + kind, {}};
  EnumChildWindows(top, &CollectControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Control(HWND top, const std::wstring& kind, const std::wstring& text) {
  for (HWND control : Controls(top, kind))
    if (TextOf(control) == text) return control;
  return nullptr;
}

// Winamp, iTunes, Foobar and VLC.
std::vector<HWND> PlayerBoxes(HWND main) {
  return Controls(Control(main, L"PanelFrame", L"Choose Your Player:"), L"CntrlBox");
}

void PostClick(HWND window, int x, int y) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

HWND TrayMenu() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// The icons Wine shows in its own tray window when no desktop tray exists
// (none when the desktop has one).
std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  HWND tray = FindWindowW(nullptr, L"Wine System Tray");
  for (HWND child = tray ? GetWindow(tray, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) icons.push_back(child);
  return icons;
}

// A menu command, as the menu sends it.
void Command(HWND main, UINT id) { PostMessageW(main, WM_COMMAND, id, 0); }

// A fresh folder holding a copy of the program, removed again at the end.
class ProgramFolder {
 public:
  ProgramFolder() {
    static int count = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "lanternfly-main-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++count);
    CreateDirectoryA(path_.c_str(), nullptr);
    copied_ = CopyFileA(LANTERNFLY_EXE, (path_ + "\\Lanternfly.exe").c_str(), FALSE) != FALSE;
  }
  ~ProgramFolder() {
    for (const char* name : {"Lanternfly.exe", "settings.ini", "settings.ini.bak"})
      DeleteFileA((path_ + "\\" + name).c_str());
    RemoveDirectoryA(path_.c_str());
  }
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  bool Ready() const { return copied_; }
  const std::string& Path() const { return path_; }
  std::string Settings() const {
    std::ifstream file(path_ + "\\settings.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

 private:
  std::string path_;
  bool copied_ = false;
};

// Lanternfly.exe started in its folder; ended at the end if it still runs.
class Lanternfly {
 public:
  explicit Lanternfly(const ProgramFolder& folder) {
    std::string command = "\"" + folder.Path() + "\\Lanternfly.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.Path().c_str(),
                        &startup, &process_))
      return;
    CloseHandle(process_.hThread);
  }
  ~Lanternfly() {
    if (!process_.hProcess) return;
    if (Running()) {
      TerminateProcess(process_.hProcess, 0);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
  }
  Lanternfly(const Lanternfly&) = delete;
  Lanternfly& operator=(const Lanternfly&) = delete;

  bool Running(int waitMs = 0) const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, static_cast<DWORD>(waitMs)) == WAIT_TIMEOUT;
  }
  bool Ends(int waitMs) const { return process_.hProcess && !Running(waitMs); }

  // A top-level window of this process, once it is there.
  HWND Window(const wchar_t* className, const wchar_t* title, int waitMs = 10000) const {
    HWND found = nullptr;
    WaitUntil(waitMs, [&] {
      for (HWND w = FindWindowExW(nullptr, nullptr, className, title); w;
           w = FindWindowExW(nullptr, w, className, title)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == process_.dwProcessId && IsWindowVisible(w)) return (found = w) != nullptr;
      }
      return false;
    });
    return found;
  }
  HWND Main(int waitMs = 10000) const { return Window(kMainWindowClass, nullptr, waitMs); }
  HWND MessageBox(const wchar_t* title, int waitMs = 10000) const { return Window(L"#32770", title, waitMs); }
  // The settings window, opened through the main window's menu.
  HWND OpenSettings(HWND main) const {
    Command(main, kCommandSettings);
    return Window(kSettingsWindowClass, L"Settings", 5000);
  }

  // Starts the program and answers the notice of a first start.
  HWND StartFresh() const {
    HWND notice = MessageBox(L"No Settings Found");
    if (!notice) return nullptr;
    EXPECT_EQ(MessageText(notice), L"There was no settings file found. The default settings will now be applied.");
    Answer(notice, IDOK);
    return Main();
  }

  // The close asked for through a menu command, answered Yes: true when
  // the program then ends.
  bool ExitsOnYes(HWND main, UINT command) const {
    Command(main, command);
    HWND question = MessageBox(L"Confirm Exit Request");
    if (!question) return false;
    Answer(question, IDYES);
    return Ends(5000);
  }

  static std::wstring MessageText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }
  static void Answer(HWND box, int button) { PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0); }

 private:
  PROCESS_INFORMATION process_{};
};

// The window in front of the others, drawn afresh.
void Raise(HWND main) {
  SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(300);
}

// What the window's client area shows now.
test::Screenshot Picture(HWND main) {
  Raise(main);
  return test::CaptureClient(main);
}

// A control's pixel in the picture, from the control's own top left.
Colour At(const test::Screenshot& shot, HWND main, HWND control, int x, int y) {
  POINT origin{0, 0};
  MapWindowPoints(control, main, &origin, 1);
  return shot.At(origin.x + x, origin.y + y);
}

bool HasDot(const test::Screenshot& shot, HWND main, HWND box) {
  int dark = 0;
  for (int y = 3; y < 10; ++y)
    for (int x = 3; x < 10; ++x) {
      const Colour c = At(shot, main, box, x, y);
      dark += RedOf(c) + GreenOf(c) + BlueOf(c) < 3 * 64;
    }
  return dark > 0;
}

// The whole window, title and menu bar too, as a BMP in the pictures' folder.
void SavePicture(HWND main, const std::string& name) {
  Raise(main);
  const test::Screenshot shot = test::CaptureOnScreen(main);
  CreateDirectoryA(LANTERNFLY_SCREENSHOTS, nullptr);
  const std::string path = std::string(LANTERNFLY_SCREENSHOTS) + "/" + name +
                           (sizeof(void*) == 4 ? "-win32.bmp" : "-win64.bmp");
  EXPECT_TRUE(shot.SaveBmp(path)) << path;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kDpiAware);
    ASSERT_TRUE(folder.Ready()) << LANTERNFLY_EXE;
  }
  ProgramFolder folder;
};

// A fake Winamp playing one song from a file that is not there.
std::unique_ptr<FakeProgram> Winamp(const std::string& artistSong) {
  return std::make_unique<FakeProgram>("winamp --title \"1. " + artistSong + " - Winamp\" --path Z:/nowhere.mp3");
}

TEST_F(MainWindowTest, AnnouncesNewSongsInAllRoomsOrOnlyTheSelectedOnes) {
  FakeProgram winmx("chat winmx --room Lobby");
  FakeProgram metis("chat metis --room Chat");
  std::unique_ptr<FakeProgram> winamp = Winamp("Some Artist - Some Song");
  ASSERT_TRUE(winmx.Started() && metis.Started() && winamp->Started());
  Lanternfly program(folder);
  HWND main = program.StartFresh();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TextOf(main), L"Lanternfly v3.0.1 - Made by Tindervale");
  EXPECT_EQ(program.MessageBox(L"No Settings Found", 300), nullptr);  // once

  EXPECT_EQ(Received(winmx, "Lobby", 1), std::vector<std::string>{kFirstLine});
  EXPECT_EQ(Received(metis, "Chat", 1), std::vector<std::string>{kFirstLine});
  EXPECT_TRUE(WaitUntil(3000, [&] { return Control(main, L"PlainLabel", L"Some Artist - Some Song") != nullptr; }));

  const test::Screenshot shot = Picture(main);
  if (Dpi() == 96) SavePicture(main, "main-window");
  HWND list = Controls(main, L"iList").at(0);
  HWND frame = GetParent(list);
  RECT frameSize{};
  GetClientRect(frame, &frameSize);
  EXPECT_EQ(At(shot, main, frame, 4, frameSize.bottom - 4), kFrameBody);
  RECT listSize{};
  GetClientRect(list, &listSize);
  EXPECT_EQ(At(shot, main, list, listSize.right / 2, listSize.bottom - 6), Rgb(255, 255, 255));  // no row there
  EXPECT_TRUE(HasDot(shot, main, Control(main, L"CntrlBox", L"Send to All Channels")));
  EXPECT_FALSE(HasDot(shot, main, Control(main, L"CntrlBox", L"Send to Selected Channels Only")));

  // Only the selected rooms, and none is selected: nothing is sent.
  PostClick(Control(main, L"CntrlBox", L"Send to Selected Channels Only"), 5, 5);
  winamp = Winamp("Second Artist - Second Song");
  EXPECT_TRUE(WaitUntil(12000, [&] { return Control(main, L"PlainLabel", L"Second Artist - Second Song"); }));
  Sleep(500);
  EXPECT_EQ(winmx.Sent("Lobby").size(), 1u);
  EXPECT_EQ(metis.Sent("Chat").size(), 1u);

  // The first row, the WinMX room, selected: it alone gets the next song.
  PostClick(list, Scaled(20), Scaled(9));
  winamp = Winamp("Third Artist - Third Song");
  const std::vector<std::string> lobby = Received(winmx, "Lobby", 2);
  ASSERT_EQ(lobby.size(), 2u);
  EXPECT_EQ(Plain(lobby[1]), "is listening to Third Artist - Third Song");
  Sleep(500);
  EXPECT_EQ(metis.Sent("Chat").size(), 1u);

  // The selected row (y = 2 to 16 inside the border) is shaded from
  // RGB(222, 236, 245) down to RGB(160, 191, 235); its outer lines may
  // carry the focus rectangle's dots, so the ones inside are looked at.
  const test::Screenshot selected = Picture(main);
  const int right = listSize.right - 10;
  const Colour top = At(selected, main, list, right, 3), bottom = At(selected, main, list, right, 15);
  EXPECT_NEAR(RedOf(top), 218, 4) << std::hex << top;
  EXPECT_NEAR(RedOf(bottom), 164, 4) << std::hex << bottom;
  EXPECT_EQ(At(selected, main, list, right, 24), Rgb(255, 255, 255));  // the second row, not selected
}

// While an announcement waits for a chat client that has stopped answering,
// the main window still answers other programs, and the tick waits once.
TEST_F(MainWindowTest, MainWindowKeepsAnsweringWhileAnAnnouncementWaitsForAHungClient) {
  using Clock = std::chrono::steady_clock;
  auto msSince = [](Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  };
  FakeProgram hung("chat winmx --room Lobby --room Hall");
  FakeProgram metis("chat metis --room Chat");
  std::unique_ptr<FakeProgram> winamp = Winamp("Some Artist - Some Song");
  ASSERT_TRUE(hung.Started() && metis.Started() && winamp->Started());
  Lanternfly program(folder);
  HWND main = program.StartFresh();
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(Received(metis, "Chat", 1).size(), 1u);
  const Clock::time_point tick = Clock::now();  // a poll has just announced
  ASSERT_EQ(hung.Sent("Lobby", 1).size(), 1u);
  ASSERT_EQ(hung.Sent("Hall", 1).size(), 1u);

  winamp = Winamp("Second Artist - Second Song");
  ASSERT_TRUE(winamp->Started());
  const Clock::time_point songChanged = Clock::now();
  // Asleep about a second before the next poll: Windows would flag a client
  // silent for 5 s as hung and stop waiting for it, which would hide a
  // second wait.
  Sleep(static_cast<DWORD>(std::max(0LL, 4000 - msSince(tick))));
  hung.Hang(8000);
  int calls = 0, failed = 0;
  long long longest = 0, labelAt = -1;
  // Asked until the working room has the line; the hung client's rooms come
  // before it in the list, so the wait for them lies inside.
  while (metis.Sent("Chat").size() < 2 && msSince(songChanged) < 10000) {
    const Clock::time_point asked = Clock::now();
    DWORD_PTR result = 0;
    failed += SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2500, &result) == 0;
    longest = std::max(longest, msSince(asked));
    ++calls;
    if (labelAt < 0 && Control(main, L"PlainLabel", L"Second Artist - Second Song")) labelAt = msSince(songChanged);
    Sleep(100);
  }
  const long long lineAt = msSince(songChanged);
  const std::vector<std::string> chat = metis.Sent("Chat");
  ASSERT_EQ(chat.size(), 2u);
  EXPECT_EQ(Plain(chat[1]), "is listening to Second Artist - Second Song");
  EXPECT_EQ(failed, 0) << "of " << calls;
  EXPECT_LT(longest, 1000);  // answered during the wait, not after it
  EXPECT_LT(lineAt, 7500);   // the next poll, then one wait
  // The label changes just before the announcement starts: from there it
  // waited, and once, not once per room.
  ASSERT_GE(labelAt, 0);
  EXPECT_GE(lineAt - labelAt, 1500) << labelAt;
  EXPECT_LT(lineAt - labelAt, 3000) << labelAt;
  EXPECT_EQ(hung.Sent("Lobby").size(), 1u);
  EXPECT_EQ(hung.Sent("Hall").size(), 1u);
}

TEST_F(MainWindowTest, AboutBoxAndTheCloseQuestionAndWhatYesSaves) {
  const size_t iconsBefore = TrayIcons().size();
  {
    Lanternfly program(folder);
    HWND main = program.StartFresh();
    ASSERT_NE(main, nullptr);

    Command(main, kCommandAbout);
    HWND about = program.MessageBox(L"About Lanternfly");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(program.MessageText(about).rfind(
                  L"Thanks to everyone that has helped at some point, and for all the users. :-)\r\n\r\nNote: If you "
                  L"are to experience any bugs, please contact me at",
                  0),
              0u);
    program.Answer(about, IDOK);
    EXPECT_TRUE(WaitUntil(3000, [&] { return !IsWindow(about); }));

    PostClick(Control(main, L"CntrlBox", L"Send to Selected Channels Only"), 5, 5);
    PostClick(PlayerBoxes(main).at(3), 5, 5);  // VLC

    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND question = program.MessageBox(L"Confirm Exit Request");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(program.MessageText(question), L"Are you sure you want to exit?");
    program.Answer(question, IDNO);
    EXPECT_FALSE(program.Ends(500));
    EXPECT_TRUE(IsWindowVisible(main));
    if (FindWindowW(nullptr, L"Wine System Tray")) {
      EXPECT_EQ(TrayIcons().size(), iconsBefore + 1);
    }
    // The first start wrote the defaults; the choices go in only at the end.
    EXPECT_NE(folder.Settings().find("SelectedPlayer=Winamp\r\n"), std::string::npos);
    EXPECT_TRUE(program.ExitsOnYes(main, kCommandExit));
    EXPECT_TRUE(WaitUntil(2000, [&] { return TrayIcons().size() == iconsBefore; }));
  }
  const std::string settings = folder.Settings();
  EXPECT_NE(settings.find("SendToAll=False\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("SelectedPlayer=VLC\r\n"), std::string::npos) << settings;

  // The second start reads them: no notice, and the boxes show the choices.
  Lanternfly again(folder);
  HWND main = again.Main();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(again.MessageBox(L"No Settings Found", 300), nullptr);
  const test::Screenshot shot = Picture(main);
  const std::vector<HWND> players = PlayerBoxes(main);
  ASSERT_EQ(players.size(), 4u);
  const bool dots[] = {false, false, false, true};  // Winamp, iTunes, Foobar, VLC
  for (int i = 0; i < 4; ++i) EXPECT_EQ(HasDot(shot, main, players[i]), dots[i]) << i;
  EXPECT_FALSE(HasDot(shot, main, Control(main, L"CntrlBox", L"Send to All Channels")));
  EXPECT_TRUE(HasDot(shot, main, Control(main, L"CntrlBox", L"Send to Selected Channels Only")));

  // The session's end saves a change unasked, and leaves the end to Windows.
  HWND all = Control(main, L"CntrlBox", L"Send to All Channels");
  PostClick(all, 5, 5);
  EXPECT_TRUE(WaitUntil(3000, [&] { return HasDot(Picture(main), main, all); }));
  PostMessageW(main, WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(WaitUntil(3000, [&] { return folder.Settings().find("SendToAll=True\r\n") != std::string::npos; }))
      << folder.Settings();
  EXPECT_TRUE(again.Running());
  EXPECT_TRUE(again.ExitsOnYes(main, kCommandExitTray));
}

TEST_F(MainWindowTest, MinimisingHidesAndTheTrayBringsItBackButMouseMovesDoNot) {
  Lanternfly program(folder);
  HWND main = program.StartFresh();
  ASSERT_NE(main, nullptr);
  auto shown = [&] { return IsWindowVisible(main) && !IsIconic(main); };
  auto hidden = [&] { return !IsWindowVisible(main); };
  // The pointer away from the window, as when it is on the tray icon.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20);

  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil(3000, hidden));
  PostMessageW(main, kTrayCallback, 1, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitUntil(3000, shown));

  Command(main, kCommandHide);
  EXPECT_TRUE(WaitUntil(3000, hidden));
  PostMessageW(main, kTrayCallback, 1, WM_RBUTTONUP);
  EXPECT_TRUE(WaitUntil(3000, [] { return TrayMenu() != nullptr; }));
  PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil(3000, [] { return TrayMenu() == nullptr; }));
  Command(main, kCommandShow);
  EXPECT_TRUE(WaitUntil(3000, shown));
  // Settings hides the window while the settings window is open; that
  // window's close, answered Yes, brings it back.
  HWND settings = program.OpenSettings(main);
  ASSERT_NE(settings, nullptr);
  EXPECT_TRUE(WaitUntil(3000, hidden));
  PostMessageW(settings, WM_CLOSE, 0, 0);
  HWND discard = program.MessageBox(L"Wait!");
  ASSERT_NE(discard, nullptr);
  Lanternfly::Answer(discard, IDYES);
  EXPECT_TRUE(WaitUntil(3000, shown));
  EXPECT_FALSE(IsWindowVisible(settings));

  // The mouse really over the window's top edge at x = 515 and 517, the
  // left button held: the same message the icon sends, yet no icon's. The
  // pointer is left to settle first: Wine moves it with an X warp whose
  // echo comes back later.
  for (int x : {515, 517}) {
    POINT at{x, 0};
    ClientToScreen(main, &at);
    SetCursorPos(at.x, at.y);
    POINT now{};
    EXPECT_TRUE(WaitUntil(2000, [&] { return GetCursorPos(&now) && now.x == at.x && now.y == at.y; }));
    Sleep(300);
    PostMessageW(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 0));
    Sleep(300);
    EXPECT_EQ(TrayMenu(), nullptr) << x;
    EXPECT_TRUE(shown()) << x;
  }

  // Through the tray itself, where Wine shows one: a double click on the icon.
  if (!TrayIcons().empty()) {
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil(3000, hidden));
    for (HWND icon : TrayIcons()) PostMessageW(icon, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
    EXPECT_TRUE(WaitUntil(3000, shown));
  }
  EXPECT_TRUE(program.ExitsOnYes(main, kCommandExitTray));
}

// The system's text boxes and drop-down list keep their text out of their
// window caption, which is all another process's GetWindowText reads.
std::wstring BoxText(HWND box) {
  std::wstring text(static_cast<size_t>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::wstring ChosenItem(HWND dropDown) {
  const LRESULT index = SendMessageW(dropDown, CB_GETCURSEL, 0, 0);
  if (index < 0) return L"(none)";
  std::wstring text(static_cast<size_t>(SendMessageW(dropDown, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(SendMessageW(dropDown, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// The user's keys over the whole text of a box; true once it shows them.
bool TypeOver(HWND edit, const std::wstring& text) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 0);
  return WaitUntil(3000, [&] { return BoxText(edit) == text; });
}

// The system control of that class in the settings window's frame of that caption.
HWND InFrame(HWND settings, const wchar_t* caption, const wchar_t* className) {
  return FindWindowExW(Control(settings, L"PanelFrame", caption), nullptr, className, nullptr);
}

// A click on a category label; true once its page is on show.
bool ShowPage(HWND settings, const wchar_t* category, const wchar_t* page) {
  PostClick(Control(settings, L"PlainLabel", category), 5, 5);
  return WaitUntil(3000, [&] { return IsWindowVisible(Control(settings, L"PanelFrame", page)) != FALSE; });
}

bool ShowDisplayMessagePage(HWND settings) {
  return ShowPage(settings, L"Display Message", L"Display Message Settings:");
}

HWND DefaultPatternList(HWND settings) { return InFrame(settings, L"Select Default Pattern:", L"ComboBox"); }

// The window shows itself before it loads the settings into its boxes; the
// default pattern's choice comes last.
bool LoadedWithDefault(HWND settings, const std::wstring& pattern) {
  return WaitUntil(3000, [&] { return ChosenItem(DefaultPatternList(settings)) == pattern; });
}

TEST_F(MainWindowTest, ChangesSavedInTheSettingsWindowReachSettingsIniAtTheEndAndShowAtTheNextStart) {
  const std::wstring newTemplate = L"#c4#Now, playing [d]%SONG%[/d]";
  {
    Lanternfly program(folder);
    HWND main = program.StartFresh();
    ASSERT_NE(main, nullptr);
    HWND settings = program.OpenSettings(main);
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(WaitUntil(3000, [&] { return !IsWindowVisible(main); }));
    ASSERT_TRUE(LoadedWithDefault(settings, L"Rainbow Light"));

    ASSERT_TRUE(ShowDisplayMessagePage(settings));
    ASSERT_TRUE(TypeOver(InFrame(settings, L"Edit your display message:", L"Edit"), newTemplate));

    ASSERT_TRUE(ShowPage(settings, L"Color Patterns", L"Add/Edit/Delete Your Color Patterns:"));
    PostClick(Control(settings, L"iButton", L"Add New Pattern"), 5, 5);
    HWND entry = InFrame(settings, L"Add New Pattern:", L"Edit");
    const std::wstring sample(kPatternSampleEntry.begin(), kPatternSampleEntry.end());
    ASSERT_TRUE(WaitUntil(3000, [&] { return BoxText(entry) == sample; }));
    ASSERT_TRUE(TypeOver(entry, L"[c,2,11,22,33]Sunset[/c]"));
    ASSERT_TRUE(TypeOver(InFrame(settings, L"Choose a name for your pattern:", L"Edit"), L"Sunset"));
    PostClick(Control(settings, L"iButton", L"Add This Pattern"), 5, 5);
    HWND editor = Control(settings, L"PanelFrame", L"Add New Pattern:");
    ASSERT_TRUE(WaitUntil(3000, [&] { return !IsWindowVisible(editor); }));

    // The user's pick in the drop-down: the list's choice, then its notice.
    ASSERT_TRUE(ShowDisplayMessagePage(settings));
    HWND choice = DefaultPatternList(settings);
    const LRESULT sunset =
        SendMessageW(choice, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Sunset"));
    ASSERT_GE(sunset, 0);
    SendMessageW(choice, CB_SETCURSEL, static_cast<WPARAM>(sunset), 0);
    PostMessageW(GetParent(choice), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(choice), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(choice));

    PostClick(Control(settings, L"iButton", L"Save Changes"), 5, 5);
    EXPECT_TRUE(WaitUntil(3000, [&] { return IsWindowVisible(main) && !IsWindowVisible(settings); }));
    EXPECT_EQ(folder.Settings().find("Sunset"), std::string::npos);  // only the end writes the file
    EXPECT_TRUE(program.ExitsOnYes(main, kCommandExit));
  }
  const std::string saved = folder.Settings();
  EXPECT_NE(saved.find("\r\nDisplayFormat=#c4#Now./. playing [d]%SONG%[/d]\r\n"
                       "DefaultPattern=Sunset\r\n"
                       "SavedPattern=Rainbow Light=2.51.52.53.54.55.56.57.58.59\r\n"
                       "SavedPattern=Sunset=2.11.22.33\r\n\r\n//Extra Display Settings\r\n"),
            std::string::npos)
      << saved;

  // The second start reads them; the program ends from the tray's menu, as
  // the main window is hidden while the settings window is open.
  Lanternfly again(folder);
  HWND main = again.Main();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(again.MessageBox(L"No Settings Found", 300), nullptr);
  HWND settings = again.OpenSettings(main);
  ASSERT_NE(settings, nullptr);
  EXPECT_TRUE(LoadedWithDefault(settings, L"Sunset")) << ChosenItem(DefaultPatternList(settings));
  EXPECT_TRUE(ShowDisplayMessagePage(settings));
  EXPECT_EQ(BoxText(InFrame(settings, L"Edit your display message:", L"Edit")), newTemplate);
  EXPECT_TRUE(again.ExitsOnYes(main, kCommandExitTray));
  EXPECT_EQ(folder.Settings(), saved);
}

// At every DPI: the window's size, and no control cut off or over another.
TEST_F(MainWindowTest, LayoutFitsItsTextsAtThisDpi) {
  Lanternfly program(folder);
  HWND main = program.StartFresh();
  ASSERT_NE(main, nullptr);
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, Scaled(524));
  EXPECT_EQ(client.bottom, Scaled(336));

  // Each control inside its parent, and apart from its siblings.
  std::vector<HWND> all;
  for (const wchar_t* kind : {L"PanelFrame", L"iList", L"iButton", L"PlainLabel", L"CntrlBox"})
    for (HWND control : Controls(main, kind)) all.push_back(control);
  ASSERT_EQ(all.size(), 13u);
  for (HWND control : all) {
    RECT place{}, parent{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    GetClientRect(GetParent(control), &parent);
    EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= parent.right && place.bottom <= parent.bottom)
        << "cut off: " << std::string(TextOf(control).begin(), TextOf(control).end());
    for (HWND other : all) {
      RECT a{}, b{}, both{};
      GetWindowRect(control, &a);
      GetWindowRect(other, &b);
      if (other != control && GetParent(other) == GetParent(control)) {
        EXPECT_FALSE(IntersectRect(&both, &a, &b)) << "overlap";
      }
    }
  }

  // The longest texts each control shows fit it, in the fonts it draws them in.
  GdiCanvas measure(Size{1, 1}, nullptr);
  const struct {
    const wchar_t* kind;
    const wchar_t* text;  // the control's window text
    FontSpec font;
    std::u16string longest;
    int around;  // pixels beside the text
  } texts[] = {
      {L"PanelFrame", L"Choose Rooms:", {u"Tahoma", 8.25, true}, u"Choose Rooms:", 12},
      {L"PanelFrame", L"Choose Your Player:", {u"Tahoma", 8.25, true}, u"Choose Your Player:", 12},
      {L"PanelFrame", L"Currently Playing:", {u"Tahoma", 8.25, true}, u"Currently Playing:", 12},
      {L"iButton", L"Refresh Channel List", {u"Tahoma", 9.75}, u"Refresh Channel List", 8},
      {L"PlainLabel", L"Send Display To:", {u"MS Sans Serif", 8.25}, u"Send Display To:", 0},
      {L"CntrlBox", L"Send to All Channels", {u"MS Sans Serif", 8.25}, u"Send to All Channels", 19},
      {L"CntrlBox", L"Send to Selected Channels Only", {u"MS Sans Serif", 8.25}, u"Send to Selected Channels Only",
       19},
      {L"CntrlBox", L"iTunes", {u"MS Sans Serif", 8.25}, u"Winamp (OFF: Clone)", 19},
      {L"CntrlBox", L"iTunes", {u"MS Sans Serif", 8.25}, u"Foobar (No Plugin)", 19},
  };
  for (const auto& t : texts) {
    // The player boxes' captions change: the first detection names them.
    HWND control = nullptr;
    WaitUntil(5000, [&] {
      for (HWND c : Controls(main, t.kind))
        if (TextOf(c).rfind(t.text, 0) == 0) control = c;
      return control != nullptr;
    });
    ASSERT_NE(control, nullptr) << std::string(t.longest.begin(), t.longest.end());
    RECT size{};
    GetClientRect(control, &size);
    measure.SetFont(t.font);
    const Size text = measure.MeasureText(t.longest);
    EXPECT_LE(text.width + t.around, size.right) << std::string(t.longest.begin(), t.longest.end());
    EXPECT_LE(text.height, size.bottom) << std::string(t.longest.begin(), t.longest.end());
  }
  // The song: two lines at least.
  measure.SetFont(FontSpec{u"Tahoma", 9.75});
  RECT song{};
  GetClientRect(Control(main, L"PlainLabel", L"Artist - Song Name"), &song);
  EXPECT_GE(song.bottom, 2 * measure.MeasureText(u"Artist - Song Name").height);

  SavePicture(main, "main-window-" + std::to_string(Dpi()) + "dpi");
}

}  // namespace
}  // namespace lanternfly
