// Lanternfly.exe as a user starts it: a real process in a folder of its own,
// beside fake players and chat clients, driven from outside through its
// windows as the user and the tray would drive it (posted clicks, menu
// commands, the tray icon's callback message, its message boxes).

#include <gtest/gtest.h>
#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>

#include "FakeProgram.h"
#include "WindowChecks.h"
#include "app/win32/MainWindow.h"
#include "app/win32/SettingsWindow.h"

namespace lanternfly {
namespace {

using test::FakeProgram;
using test::WaitUntil;

const WindowLayout& kLayout = MainWindowLayout();
constexpr UINT kTrayCallback = 0x0200;

// A line as the room shows it: without its colour codes.
std::string Plain(const std::string& line) { return std::regex_replace(line, std::regex("#c[0-9?]+#"), ""); }

HWND TrayMenu() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// The icons Wine shows in its own tray window when no desktop tray exists.
std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  HWND tray = FindWindowW(nullptr, L"Wine System Tray");
  for (HWND child = tray ? GetWindow(tray, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) icons.push_back(child);
  return icons;
}

void Command(HWND main, UINT id) { PostMessageW(main, WM_COMMAND, id, 0); }

// Keys pressed together and let go in turn, as the user types them, to the
// window in front.
void Keys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD key : keys) input.push_back(INPUT{INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
    input.push_back(INPUT{INPUT_KEYBOARD, {.ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0}}});
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Keys go to the window in front: the test waits until it is.
bool InFront(HWND window) {
  SetForegroundWindow(window);
  return window && WaitUntil(test::kPatience, [&] { return GetForegroundWindow() == window; });
}

// Text typed as characters.
void Type(std::wstring_view text) {
  std::vector<INPUT> input;
  for (wchar_t c : text)
    for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}})
      input.push_back(INPUT{INPUT_KEYBOARD, {.ki = {0, c, KEYEVENTF_UNICODE | up, 0, 0}}});
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// The window that has the keyboard focus in `top`'s thread.
HWND Focus(HWND top) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) ? info.hwndFocus : nullptr;
}

// A copy of the program in a fresh folder, started there; both gone at the end.
class Lanternfly {
 public:
  Lanternfly() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int count = 0;
    folder_ = std::string(temp) + "lanternfly-main-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++count);
    CreateDirectoryA(folder_.c_str(), nullptr);
    std::string command = "\"" + folder_ + "\\Lanternfly.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (CopyFileA(LANTERNFLY_EXE, (folder_ + "\\Lanternfly.exe").c_str(), FALSE) &&
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                       &process_))
      CloseHandle(process_.hThread);
  }
  ~Lanternfly() {
    if (process_.hProcess) {
      TerminateProcess(process_.hProcess, 0);
      WaitForSingleObject(process_.hProcess, 5000);
      CloseHandle(process_.hProcess);
    }
    for (const char* name : {"Lanternfly.exe", "settings.ini", "settings.ini.bak"})
      DeleteFileA((folder_ + "\\" + name).c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  Lanternfly(const Lanternfly&) = delete;
  Lanternfly& operator=(const Lanternfly&) = delete;

  std::string Settings() const {
    std::ifstream file(folder_ + "\\settings.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  bool Ends(int waitMs) const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, static_cast<DWORD>(waitMs)) == WAIT_OBJECT_0;
  }

  // A shown top-level window of this process, once it is there.
  HWND Window(const wchar_t* className, const wchar_t* title) const {
    HWND found = nullptr;
    WaitUntil(10000, [&] {
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
  // The main window, once the notice of a first start is answered.
  HWND StartFresh() const {
    HWND notice = Window(L"#32770", L"No Settings Found");
    if (!notice) return nullptr;
    Answer(notice, IDOK);
    return Window(kMainWindowClass, nullptr);
  }
  // The close asked for through a menu command, answered Yes: true when the program then ends.
  bool ExitsOnYes(HWND main, UINT command) const {
    Command(main, command);
    HWND question = Window(L"#32770", L"Confirm Exit Request");
    return question && PostMessageW(GetDlgItem(question, IDYES), BM_CLICK, 0, 0) && Ends(5000);
  }
  static void Answer(HWND box, int button) { PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0); }

 private:
  std::string folder_;
  PROCESS_INFORMATION process_{};
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test::kDpiAware); }
  HWND Control(std::u16string_view name) const { return test::ControlOf(main, kLayout, name); }
  // The keys pressed, then the focus where `name` is.
  bool KeysTo(std::initializer_list<WORD> keys, std::u16string_view name, HWND top = nullptr,
              const WindowLayout& layout = kLayout) const {
    Keys(keys);
    top = top ? top : main;
    return WaitUntil(test::kPatience, [&] { return Focus(top) == test::ControlOf(top, layout, name); });
  }
  test::Screenshot Picture() const {
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return test::CaptureClient(main);
  }
  bool HasDot(const test::Screenshot& shot, std::u16string_view box) const {
    int dark = 0;
    const int from = ScaledTo(ScreenDpi(), 3), side = ScaledTo(ScreenDpi(), 7);
    for (int i = 0; i < side * side; ++i) {  // the 7 by 7 pixels from (3, 3) at 96 DPI
      const Colour c = test::At(shot, main, Control(box), from + i % side, from + i / side);
      dark += RedOf(c) + GreenOf(c) + BlueOf(c) < 3 * 64;
    }
    return dark > 0;
  }
  HWND main = nullptr;
};

// A fake Winamp playing one song from a file that is not there.
std::unique_ptr<FakeProgram> Winamp(const std::string& artistSong) {
  return std::make_unique<FakeProgram>("winamp --title \"1. " + artistSong + " - Winamp\" --path Z:/nowhere.mp3");
}

// A room in each of two chat clients, and Winamp playing a first song.
struct TwoRooms {
  FakeProgram winmx{"chat winmx --room Lobby"}, metis{"chat metis --room Chat"};
  std::unique_ptr<FakeProgram> winamp = Winamp("Some Artist - Some Song");
};

// At every DPI: laid out as its layout says (the window's size, every
// control in its place, none cut off or over another, each caption fitting,
// the frames' bodies and headers) and pictured; announces to every room or
// only to the selected ones.
TEST_F(MainWindowTest, LaidOutAndAnnouncesInAllRoomsOrOnlyTheSelectedOnes) {
  TwoRooms rooms;
  auto& [winmx, metis, winamp] = rooms;
  ASSERT_TRUE(winmx.Started() && metis.Started() && winamp->Started());
  Lanternfly program;
  ASSERT_NE(main = program.StartFresh(), nullptr);
  const std::vector<std::string> first{
      "#c1#is listening to #c51#So#c52#me A#c53#rt#c54#is#c55#t #c56#- #c57#So#c58#me S#c59#on#c51#g"};
  EXPECT_EQ(winmx.Sent("Lobby", 1), first);
  EXPECT_EQ(metis.Sent("Chat", 1), first);
  EXPECT_EQ(test::TextOf(main), L"Lanternfly v3.0.1 - Made by Tindervale");
  HWND song = Control(u"CurrentlyPlayingLabel");
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return test::TextOf(song) == L"Some Artist - Some Song"; }));
  test::ExpectAsLaidOut(main, kLayout);
  test::SavePicture(main, "main-window");
  EXPECT_TRUE(HasDot(Picture(), u"SelectSendAll"));

  // The first row, the WinMX room, selected. The row (y = 2 to 16 inside
  // the border) is shaded from RGB(222, 236, 245) down to RGB(160, 191, 235);
  // its outer lines may carry the focus rectangle's dots, so the ones inside
  // are looked at.
  HWND list = Control(u"channellist");
  test::Click(list, ScaledTo(ScreenDpi(), 20), ScaledTo(ScreenDpi(), 9));
  RECT size{};
  GetClientRect(list, &size);
  auto row = [&](int y) { return RedOf(test::At(Picture(), main, list, size.right - 10, ScaledTo(ScreenDpi(), y))); };
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return std::abs(row(3) - 218) <= 6; })) << row(3);
  EXPECT_NEAR(row(15), 164, 6);
  EXPECT_EQ(row(24), 255);  // the second row

  // Only the selected rooms get the next song.
  test::Click(Control(u"SelectSendSelected"));
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return !HasDot(Picture(), u"SelectSendAll"); }));
  winamp = Winamp("Second Artist - Second Song");
  const std::vector<std::string> lobby = winmx.Sent("Lobby", 2);
  ASSERT_EQ(lobby.size(), 2u);
  EXPECT_EQ(Plain(lobby[1]), "is listening to Second Artist - Second Song");
  EXPECT_EQ(metis.Sent("Chat").size(), 1u);
}

// The tray brings the hidden window back; a mouse move that carries the
// tray callback's numbers (x = 515 is a double click, 517 a right button
// up), with the pointer really there, is no callback.
TEST_F(MainWindowTest, MinimisingHidesAndTheTrayBringsItBackButMouseMovesDoNot) {
  Lanternfly program;
  ASSERT_NE(main = program.StartFresh(), nullptr);
  auto shown = [&] { return IsWindowVisible(main) && !IsIconic(main); };
  auto hidden = [&] { return !IsWindowVisible(main); };
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 20);

  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil(test::kPatience, hidden));
  PostMessageW(main, kTrayCallback, 1, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitUntil(test::kPatience, shown));
  Command(main, kCommandHide);
  EXPECT_TRUE(WaitUntil(test::kPatience, hidden));
  auto menuOpens = [&] {
    PostMessageW(main, kTrayCallback, 1, WM_RBUTTONUP);
    return WaitUntil(test::kPatience, [] { return TrayMenu() != nullptr; });
  };
  // Under Wine the hide's loss of focus reaches the program from the X
  // server a moment later and closes a menu opened before it. No user's
  // right click comes that soon after a hide, so a second one may.
  EXPECT_TRUE(menuOpens() || menuOpens());
  PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil(test::kPatience, [] { return TrayMenu() == nullptr; }));
  Command(main, kCommandShow);
  EXPECT_TRUE(WaitUntil(test::kPatience, shown));

  for (int x : {515, 517}) {
    POINT at{x, 0};
    ClientToScreen(main, &at);
    SetCursorPos(at.x, at.y);
    POINT now{};
    EXPECT_TRUE(WaitUntil(2000, [&] { return GetCursorPos(&now) && now.x == at.x && now.y == at.y; }));
    PostMessageW(main, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 0));
    // Handled before the hide that follows it in the queue.
    Command(main, kCommandHide);
    EXPECT_TRUE(WaitUntil(test::kPatience, hidden)) << x;
    EXPECT_EQ(TrayMenu(), nullptr) << x;
    Command(main, kCommandShow);
    EXPECT_TRUE(WaitUntil(test::kPatience, shown)) << x;
  }
  // Through Wine's own tray, where it shows one: a double click on the icon.
  if (!TrayIcons().empty()) {
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil(test::kPatience, hidden));
    for (HWND icon : TrayIcons()) PostMessageW(icon, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
    EXPECT_TRUE(WaitUntil(test::kPatience, shown));
  }
  EXPECT_TRUE(program.ExitsOnYes(main, kCommandExitTray));
}

// A control, or a list's row, as a screen reader reads it from another
// process, with the states that the controls set.
struct Read {
  LONG role = 0;
  std::wstring name;
  LONG state = 0;
  bool operator==(const Read&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Read& r) {
  const std::string name(r.name.begin(), r.name.end());
  return out << r.role << " \"" << name << "\" " << std::hex << r.state << std::dec;
}

Read Accessible(HWND window, LONG child = CHILDID_SELF) {
  constexpr LONG kStates = STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_SELECTED |
                           STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_READONLY |
                           STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_INVISIBLE;
  Read read;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))))
    return read;
  VARIANT id{}, role{}, state{};
  id.vt = VT_I4;
  id.lVal = child;
  BSTR name = nullptr;
  if (object->get_accRole(id, &role) == S_OK) read.role = role.lVal;
  if (object->get_accState(id, &state) == S_OK) read.state = state.lVal & kStates;
  if (object->get_accName(id, &name) == S_OK) read.name = name;
  SysFreeString(name);
  object->Release();
  return read;
}

// The client areas whose state changed, as a reader hears of them.
std::vector<HWND> stateChanges;
void CALLBACK HearStateChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) stateChanges.push_back(window);
}

// Through Active Accessibility, from this process as a screen reader reads:
// each kind of control in both windows, and the room list's rows with their
// selection. A button disabled from outside reads as unavailable; a box
// cleared by a click reads so, and readers hear that its state changed.
TEST_F(MainWindowTest, ScreenReadersReadEachControlsRoleNameAndState) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  FakeProgram winmx("chat winmx --room Lobby --room Jazz");
  std::unique_ptr<FakeProgram> winamp = Winamp("Simon & Garfunkel - The Boxer");  // an "&" is no mnemonic
  ASSERT_TRUE(winmx.Started() && winamp->Started());
  Lanternfly program;
  ASSERT_NE(main = program.StartFresh(), nullptr);
  EXPECT_TRUE(WaitUntil(10000, [&] { return test::TextOf(Control(u"CurrentlyPlayingLabel"))[0] == L'S'; }));
  HWND list = Control(u"channellist");
  test::Click(list, 20, ScaledTo(ScreenDpi(), 24));  // the second row
  EnableWindow(Control(u"ButtonRefresh"), FALSE);
  constexpr LONG kBox = STATE_SYSTEM_FOCUSABLE, kRow = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return Accessible(list, 2).state & STATE_SYSTEM_SELECTED; }));
  EXPECT_EQ(Accessible(list, 1), (Read{ROLE_SYSTEM_LISTITEM, L"[WinMX] Lobby", kRow}));
  EXPECT_EQ(Accessible(list, 2), (Read{ROLE_SYSTEM_LISTITEM, L"[WinMX] Jazz", kRow | STATE_SYSTEM_SELECTED}));
  EXPECT_EQ(Accessible(list), (Read{ROLE_SYSTEM_LIST, L"", kBox | STATE_SYSTEM_MULTISELECTABLE}));
  const std::pair<const char16_t*, Read> mainControls[] = {
      {u"FrameChoose", {ROLE_SYSTEM_GROUPING, L"Choose Rooms:", 0}},
      {u"ButtonRefresh", {ROLE_SYSTEM_PUSHBUTTON, L"Refresh Channel List", STATE_SYSTEM_UNAVAILABLE}},
      {u"Label1", {ROLE_SYSTEM_STATICTEXT, L"Send Display To:", STATE_SYSTEM_READONLY}},
      {u"CurrentlyPlayingLabel", {ROLE_SYSTEM_STATICTEXT, L"Simon & Garfunkel - The Boxer", STATE_SYSTEM_READONLY}},
      {u"SelectSendAll", {ROLE_SYSTEM_RADIOBUTTON, L"Send to All Channels", kBox | STATE_SYSTEM_CHECKED}},
      {u"SelectSendSelected", {ROLE_SYSTEM_RADIOBUTTON, L"Send to Selected Channels Only", kBox}},
  };
  for (const auto& [name, read] : mainControls) EXPECT_EQ(Accessible(Control(name)), read);

  Command(main, kCommandSettings);
  HWND settings = program.Window(kSettingsWindowClass, nullptr);
  ASSERT_NE(settings, nullptr);
  ASSERT_TRUE(WaitUntil(test::kPatience, [&] { return GetForegroundWindow() == settings; }));
  const std::pair<const char16_t*, Read> settingsControls[] = {
      {u"CategoryFrame", {ROLE_SYSTEM_GROUPING, L"Select Category:", 0}},
      {u"CatGeneral", {ROLE_SYSTEM_STATICTEXT, L"General", STATE_SYSTEM_READONLY}},
      {u"ButtonSave", {ROLE_SYSTEM_PUSHBUTTON, L"Save Changes", kBox}},
      {u"SelectAutoDisplay", {ROLE_SYSTEM_CHECKBUTTON, L"Enable Auto Display", kBox | STATE_SYSTEM_CHECKED}},
      {u"SelectHideOnMinimize", {ROLE_SYSTEM_CHECKBUTTON, L"Hide to tray on minimize", kBox | STATE_SYSTEM_CHECKED}},
  };
  for (const auto& [name, read] : settingsControls)
    EXPECT_EQ(Accessible(test::ControlOf(settings, SettingsWindowLayout(), name)), read);
  HWND box = test::ControlOf(settings, SettingsWindowLayout(), u"SelectHideOnMinimize");
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr, &HearStateChange,
                                       0, 0, WINEVENT_OUTOFCONTEXT);
  test::Click(box);
  const Read cleared{ROLE_SYSTEM_CHECKBUTTON, L"Hide to tray on minimize", kBox};
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return Accessible(box) == cleared; }));
  EXPECT_TRUE(
      WaitUntil(test::kPatience, [&] { return std::count(stateChanges.begin(), stateChanges.end(), box) == 1; }));
  UnhookWinEvent(hook);
  CoUninitialize();
}

// The session's end saves a change unasked and leaves the end to Windows.
TEST_F(MainWindowTest, TheSessionsEndSavesTheChoices) {
  Lanternfly program;
  ASSERT_NE(main = program.StartFresh(), nullptr);
  test::Click(Control(u"SelectVLC"));
  // The box dots itself; the form's choice takes the dot from Winamp.
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return !HasDot(Picture(), u"SelectWinamp"); }));
  PostMessageW(main, WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] {
    return program.Settings().find("SelectedPlayer=VLC\r\n") != std::string::npos;
  })) << program.Settings();
  EXPECT_FALSE(program.Ends(0));
}

// Two starts from two folders a moment apart: one copy runs on and
// announces; the other ends at once, with no notice and no settings file,
// and brings the first one's window forward, as a third start does from the tray.
TEST_F(MainWindowTest, ASecondStartShowsTheRunningCopyAndEnds) {
  FakeProgram winmx("chat winmx --room Lobby");
  std::unique_ptr<FakeProgram> winamp = Winamp("Some Artist - Some Song");
  ASSERT_TRUE(winmx.Started() && winamp->Started());
  Lanternfly one, two;
  ASSERT_TRUE(WaitUntil(20000, [&] { return one.Ends(0) || two.Ends(0); }));
  const bool oneEnded = one.Ends(0);
  const Lanternfly& running = oneEnded ? two : one;
  EXPECT_EQ((oneEnded ? one : two).Settings(), "");
  ASSERT_NE(main = running.StartFresh(), nullptr);
  EXPECT_EQ(winmx.Sent("Lobby", 1).size(), 1u);

  Command(main, kCommandHide);
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return !IsWindowVisible(main); }));
  Lanternfly third;
  EXPECT_TRUE(third.Ends(10000));
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return IsWindowVisible(main) && !IsIconic(main); }));
  EXPECT_EQ(third.Settings(), "");
  EXPECT_FALSE(running.Ends(0));
  EXPECT_EQ(winmx.Sent("Lobby").size(), 1u);

  // Only to the selected rooms, with none selected: the room frame says so.
  test::Click(Control(u"SelectSendSelected"));
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] {
    return test::TextOf(Control(u"FrameChoose")) == L"Choose Rooms: none selected, nothing is sent";
  }));
  test::SavePicture(main, "main-window-no-room-chosen");
}

// Without a mouse: Tab and Shift+Tab go round the controls the user acts on
// in reading order, an option group entered once, at its choice.
TEST_F(MainWindowTest, TabGoesRoundInReadingOrder) {
  Lanternfly program;
  ASSERT_NE(main = program.StartFresh(), nullptr);
  ASSERT_TRUE(InFront(main));
  const std::u16string_view order[] = {u"channellist", u"ButtonRefresh", u"SelectSendAll", u"SelectWinamp",
                                       u"CurrentlyPlayingLabel"};
  for (std::u16string_view name : order) EXPECT_TRUE(KeysTo({VK_TAB}, name)) << std::string(name.begin(), name.end());
  EXPECT_TRUE(KeysTo({VK_TAB}, order[0]));
  for (int i = 4; i >= 0; --i) EXPECT_TRUE(KeysTo({VK_SHIFT, VK_TAB}, order[i])) << i;
}

// Keys alone: a room chosen in the list by the arrows and Space, the choice
// of rooms moved by the arrows in its group, with the focus cue drawn; the
// next song goes to that room only; a box leaves the focus where it was.
TEST_F(MainWindowTest, KeysAloneAnnounceToOneRoom) {
  TwoRooms rooms;
  auto& [winmx, metis, winamp] = rooms;
  ASSERT_TRUE(winmx.Started() && metis.Started() && winamp->Started());
  Lanternfly program;
  ASSERT_NE(main = program.StartFresh(), nullptr);
  ASSERT_EQ(metis.Sent("Chat", 1).size(), 1u);
  ASSERT_TRUE(InFront(main));
  ASSERT_TRUE(KeysTo({VK_TAB}, u"channellist"));
  Keys({VK_DOWN});
  Keys({VK_SPACE});
  ASSERT_TRUE(KeysTo({VK_TAB}, u"ButtonRefresh"));
  ASSERT_TRUE(KeysTo({VK_TAB}, u"SelectSendAll"));
  const test::Screenshot plain = Picture();
  ASSERT_TRUE(KeysTo({VK_DOWN}, u"SelectSendSelected"));
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return !HasDot(Picture(), u"SelectSendAll"); }));
  // The dotted rectangle along the box's edge went with the focus.
  const test::Screenshot moved = Picture();
  int changed = 0;
  for (int y = 0; y < 4; ++y) changed += test::At(plain, main, Control(u"SelectSendAll"), 0, y) !=
                                         test::At(moved, main, Control(u"SelectSendAll"), 0, y);
  EXPECT_GT(changed, 0);

  winamp = Winamp("Second Artist - Second Song");
  EXPECT_EQ(winmx.Sent("Lobby", 2).size(), 2u);
  EXPECT_EQ(metis.Sent("Chat").size(), 1u);
  // A box of the window, closed by Esc, gives the focus back where it was.
  Command(main, kCommandAbout);
  ASSERT_TRUE(InFront(program.Window(L"#32770", L"About Lanternfly")));
  Keys({VK_ESCAPE});
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return Focus(main) == Control(u"SelectSendSelected"); }));
  // Unless the mouse chose another option meanwhile: that choice stays.
  test::Click(Control(u"SelectSendAll"));
  ASSERT_TRUE(WaitUntil(test::kPatience, [&] { return HasDot(Picture(), u"SelectSendAll"); }));
  Command(main, kCommandAbout);
  ASSERT_TRUE(InFront(program.Window(L"#32770", L"About Lanternfly")));
  Keys({VK_ESCAPE});
  EXPECT_TRUE(WaitUntil(test::kPatience, [&] { return Focus(main) == Control(u"SelectSendAll"); }));
  EXPECT_TRUE(HasDot(Picture(), u"SelectSendAll"));
}

// Keys alone: in the settings window the template changed, a pattern and a
// word added, all saved; then the program left with Yes.
TEST_F(MainWindowTest, KeysAloneChangeAndSaveTheSettings) {
  Lanternfly program;
  ASSERT_NE(main = program.StartFresh(), nullptr);
  ASSERT_TRUE(InFront(main));
  for (WORD key : {VK_F10, VK_RIGHT, VK_RETURN}) Keys({key});
  HWND settings = program.Window(kSettingsWindowClass, nullptr);
  ASSERT_NE(settings, nullptr);
  ASSERT_TRUE(WaitUntil(test::kPatience, [&] { return GetForegroundWindow() == settings; }));
  const WindowLayout& layout = SettingsWindowLayout();
  // Tab until the focus is there, each press waited for.
  auto tabTo = [&](std::u16string_view name) {
    for (int i = 0; i < 60; ++i) {
      const HWND before = Focus(settings);
      Keys({VK_TAB});
      WaitUntil(test::kPatience, [&] { return Focus(settings) != before; });
      if (Focus(settings) == test::ControlOf(settings, layout, name)) return true;
    }
    return false;
  };
  // A category chosen by the arrows in its group and Space.
  auto page = [&](int down) {
    ASSERT_TRUE(tabTo(u"CatGeneral"));
    for (int i = 0; i < down; ++i) {  // each move waited for, as a Tab is
      const HWND before = Focus(settings);
      Keys({VK_DOWN});
      ASSERT_TRUE(WaitUntil(test::kPatience, [&] { return Focus(settings) != before; }));
    }
    Keys({VK_SPACE});
  };
  page(2);
  ASSERT_TRUE(tabTo(u"TextBoxDisplayMessage"));
  Keys({VK_END});
  Type(L" by keys");
  HWND edit = test::ControlOf(settings, layout, u"TextBoxDisplayMessage");
  ASSERT_TRUE(WaitUntil(test::kPatience, [&] {
    wchar_t text[512] = L"";  // the box's own text, which only a message reads from here
    SendMessageW(edit, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return std::wstring_view(text).ends_with(L" by keys");
  }));
  page(3);
  ASSERT_TRUE(tabTo(u"ButtonAddPattern"));
  Keys({VK_SPACE});
  ASSERT_TRUE(tabTo(u"TextPatternAdd"));
  Type(L"[c,0,1,2]typed[/c]");
  ASSERT_TRUE(tabTo(u"TextChooseName"));
  Type(L"Typed");
  ASSERT_TRUE(tabTo(u"ButtonAddThisPattern"));
  Keys({VK_SPACE});
  page(4);
  ASSERT_TRUE(tabTo(u"ButtonAddRandomWord"));
  Keys({VK_SPACE});
  ASSERT_TRUE(InFront(program.Window(L"LanternflyInputBox", nullptr)));
  Type(L"typedword");
  Keys({VK_RETURN});
  ASSERT_TRUE(tabTo(u"ButtonSave"));
  Keys({VK_RETURN});
  // Exit from the menu bar, answered Yes: the settings go to the file.
  ASSERT_TRUE(WaitUntil(test::kPatience, [&] { return !IsWindow(settings) && GetForegroundWindow() == main; }));
  for (WORD key : {VK_F10, VK_RETURN, VK_RETURN}) Keys({key});
  ASSERT_TRUE(InFront(program.Window(L"#32770", L"Confirm Exit Request")));
  Keys({VK_RETURN});
  ASSERT_TRUE(program.Ends(5000));
  const std::string saved = program.Settings();
  EXPECT_NE(saved.find(" by keys\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("SavedPattern=Typed="), std::string::npos);
  EXPECT_NE(saved.find("RandomWord=typedword\r\n"), std::string::npos);
}

// The question belongs to the main window and holds it: a second Exit
// posted meanwhile starts no second question, so the first one's Yes ends
// the program.
TEST_F(MainWindowTest, ASecondExitWaitsForTheQuestion) {
  Lanternfly program;
  ASSERT_NE(main = program.StartFresh(), nullptr);
  Command(main, kCommandExit);
  HWND question = program.Window(L"#32770", L"Confirm Exit Request");
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(GetWindow(question, GW_OWNER), main);
  EXPECT_FALSE(IsWindowEnabled(main));
  Command(main, kCommandExit);
  Lanternfly::Answer(question, IDYES);  // behind the second Exit in the queue
  EXPECT_TRUE(program.Ends(5000));
}

}  // namespace
}  // namespace lanternfly
