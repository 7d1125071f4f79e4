// The two windows in this process, on the real Win32 API: the settings
// window opened as the main window opens it, driven through its windows
// (posted clicks, typed keys, the input box answered from a second thread),
// its pages checked against its layout and pictured; and the main window
// when Windows refuses the settings window.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "WindowChecks.h"
#include "app/win32/MainWindow.h"
#include "app/win32/SettingsWindow.h"
#include "platform/CodePage.h"
#include "settings/SettingsFile.h"

namespace lanternfly {
namespace {

using test::ControlOf;
using test::TextOf;
using test::WaitUntil;

const WindowLayout& kLayout = SettingsWindowLayout();

// Answers the first top-level window of that class and title that shows
// within five seconds, from a second thread: the window is modal on the
// test's own thread, which stays in its loop meanwhile.
class Answer {
 public:
  Answer(const wchar_t* className, std::wstring title, std::function<void(HWND)> act)
      : thread_([this, className, title = std::move(title), act = std::move(act)] {
          answered_ = WaitUntil(5000, [&] {
            HWND box = FindWindowW(className, title.c_str());
            if (!box || !IsWindowVisible(box)) return false;
            act(box);
            return true;
          });
        }) {}
  ~Answer() { thread_.join(); }
  bool Answered() const { return answered_; }

 private:
  std::atomic<bool> answered_ = false;
  std::thread thread_;
};

void PressButton(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

struct Page {
  const char16_t* category;
  const char16_t* frame;
  const char* picture;
};

constexpr Page kPages[] = {
    {u"CatGeneral", u"FrameGeneral", "settings-general"},
    {u"CatChannelList", u"FrameChannelList", "settings-channel-list"},
    {u"CatDisplayMessage", u"FrameDisplayMessage", "settings-display-message"},
    {u"CatPatterns", u"FrameSavedPatterns", "settings-color-patterns"},
    {u"CatDisplayExtras", u"FrameDisplayExtra", "settings-display-extras"},
};

// The real system's pieces and the settings of a fresh start, with a few
// words, a cut-off text and the iTunes player.
class RealSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::kDpiAware);
    ASSERT_TRUE(api && codePage && files && shell && iTunes);
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    path = std::u16string(reinterpret_cast<const char16_t*>(folder)) + u"lanternfly-settings-window.ini";
    SettingsFile(*files, *shell, desktop, path).ApplyDefaultSettings(state.settings, state.patterns, [] {});
    for (const char16_t* word : {u"live", u"remix", u"karaoke"}) AddRandomWord(state.settings, word);
    AddFilterWord(state.settings, u"jingle");
    state.settings.RadioCutoffText = u" - TOP40 Hits";
    state.settings.SelectedPlayer = u"iTunes";  // some variables struck through
  }
  void TearDown() override { DeleteFileW(reinterpret_cast<const wchar_t*>(path.c_str())); }

  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  std::unique_ptr<Files> files = SystemFiles();
  std::unique_ptr<Shell> shell = SystemShell();
  std::unique_ptr<ITunesAutomation> iTunes = SystemITunes();
  Desktop desktop{*api, *codePage};
  System system{desktop, *files, *shell, *iTunes};
  std::u16string path;
  AppState state;
};

class SettingsWindowTest : public RealSystem {
 protected:
  void SetUp() override {
    RealSystem::SetUp();
    window = OpenSettingsWindow(nullptr, system, state, MainWindowLink{{}, 0, tray, [this] { ++comeBacks; }});
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil(2000, [&] { return IsWindowVisible(Control(kPages[0].frame)); }));
  }
  void TearDown() override {
    if (IsWindow(window)) {
      Answer yes(L"#32770", L"Wait!", [](HWND box) { PressButton(box, IDYES); });
      PostMessageW(window, WM_CLOSE, 0, 0);
      WaitUntil(5000, [&] { return !IsWindow(window); });
    }
    RealSystem::TearDown();
  }

  HWND Control(std::u16string_view name) const { return ControlOf(window, kLayout, name); }
  void Show(const Page& page) {
    test::Click(Control(page.category));
    ASSERT_TRUE(WaitUntil(2000, [&] { return IsWindowVisible(Control(page.frame)); })) << page.picture;
  }

  TrayIconData tray;
  int comeBacks = 0;
  HWND window = nullptr;
};

TEST_F(SettingsWindowTest, EachPageIsAsLaidOutAndPictured) {
  for (const Page& page : kPages) {
    SCOPED_TRACE(page.picture);
    Show(page);
    for (const Page& other : kPages) EXPECT_EQ(IsWindowVisible(Control(other.frame)) != FALSE, &other == &page);
    test::ExpectAsLaidOut(window, kLayout);
    test::SavePicture(window, page.picture);
  }
}

// Moved to a screen of another DPI: laid out again at that DPI, at the
// place Windows suggests.
TEST_F(SettingsWindowTest, LaidOutAgainAtANewDpi) {
  const int dpi = ScreenDpi() == 120 ? 144 : 120;
  RECT suggested{};
  GetWindowRect(window, &suggested);
  OffsetRect(&suggested, -suggested.left, -suggested.top);
  suggested.right = suggested.right * dpi / ScreenDpi();
  suggested.bottom = suggested.bottom * dpi / ScreenDpi();
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  test::ExpectAsLaidOut(window, kLayout, dpi);
}

// Keys typed fast, each letting the preview change inside the box's own
// handling of the one before: none is lost, and the preview draws colour
// code 8 in red.
TEST_F(SettingsWindowTest, PreviewFollowsTheTemplateAsItIsTyped) {
  Show(kPages[2]);
  HWND edit = Control(u"TextBoxDisplayMessage");
  HWND preview = Control(u"TextPreview");
  SetFocus(window);
  PostMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(WaitUntil(2000, [&] { return GetFocus() == edit; }));  // the pointer gives it the keyboard

  SetWindowTextW(edit, L"");
  const std::wstring typed = L"#c8#Hello [b]there[/b]";
  for (wchar_t c : typed) PostMessageW(edit, WM_CHAR, c, 0);
  // The markup of the colour codes begins with a blank; the brackets are the room's text.
  EXPECT_TRUE(WaitUntil(3000, [&] { return TextOf(preview) == L" Hello [b]there[/b]"; }));
  EXPECT_EQ(TextOf(edit), typed);
  EXPECT_TRUE(WaitUntil(2000, [&] {
    RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int coloured = 0;
    for (Colour c : test::CaptureClient(preview).pixels) coloured += c == Rgb(255, 0, 0);
    return coloured > 20;
  }));
}

// While "Wait!" asks, the window takes no clicks; No keeps it open.
TEST_F(SettingsWindowTest, TheWindowIsDisabledWhileItAsks) {
  test::Click(Control(u"SelectAutoDisplay"));
  bool disabledMeanwhile = false;
  {
    Answer no(L"#32770", L"Wait!", [&](HWND box) {
      disabledMeanwhile = !IsWindowEnabled(window);
      PressButton(box, IDNO);
    });
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil(5000, [&] { return no.Answered() && IsWindowEnabled(window); }));
  }
  EXPECT_TRUE(disabledMeanwhile);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(comeBacks, 0);
}

// The input box keeps every character; a box ticked
// right before saving, while the box's own click still lets messages run,
// is saved; the window goes inside the Save click that closed it.
TEST_F(SettingsWindowTest, AWordFromTheInputBoxKeepsEveryCharacterAndABoxTickedLastIsSaved) {
  Show(kPages[4]);
  const std::wstring word = L"na\u00efve \u263a";
  {
    Answer ask(L"LanternflyInputBox", L"Add a new random word", [&](HWND box) {
      SetWindowTextW(FindWindowExW(box, nullptr, L"Edit", nullptr), word.c_str());
      PressButton(box, IDOK);
    });
    test::Click(Control(u"ButtonAddRandomWord"));
    EXPECT_TRUE(WaitUntil(5000, [&] { return ask.Answered() && IsWindowEnabled(window); }));
  }
  Show(kPages[0]);
  const bool autoDisplay = state.settings.AutoDisplay;
  test::Click(Control(u"SelectAutoDisplay"));
  test::Click(Control(u"ButtonSave"));
  EXPECT_TRUE(WaitUntil(3000, [&] { return !IsWindow(window); }));
  EXPECT_EQ(comeBacks, 1);
  EXPECT_EQ(state.settings.RandomWords[3], std::u16string(word.begin(), word.end()));
  EXPECT_NE(state.settings.AutoDisplay, autoDisplay);
}

// Keys that come while a poll lets messages run act as they do between
// polls: a character the code page lacks reaches the box whole, and Tab
// moves the focus on.
TEST_F(SettingsWindowTest, KeysThatComeWhileAPollRunsActAsBetweenPolls) {
  Show(kPages[2]);
  HWND edit = Control(u"TextBoxDisplayMessage");
  SetFocus(edit);
  SetWindowTextW(edit, L"");
  PostMessageW(edit, WM_CHAR, 0x263a, 1);
  PostMessageW(edit, WM_KEYDOWN, VK_TAB, 1);
  desktop.PumpMessages();
  EXPECT_EQ(test::TextOf(edit), L"\u263a");
  EXPECT_NE(GetFocus(), edit);
}

LRESULT CALLBACK RefuseSettingsWindow(int code, WPARAM wParam, LPARAM lParam) {
  wchar_t name[64] = {};
  if (code == HCBT_CREATEWND && GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64) &&
      std::wstring(name) == kSettingsWindowClass)
    return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Windows refuses the settings window: the Settings command leaves the main
// window shown, as there is no settings window to come back from.
TEST_F(RealSystem, NoSettingsWindowLeavesTheMainWindowShown) {
  Random random;
  MainWindow main(system, state, path, random);
  ASSERT_TRUE(main.Created());
  main.ShowWindowState(WindowState::kNormal, true);
  HHOOK refuse = SetWindowsHookExW(WH_CBT, &RefuseSettingsWindow, nullptr, GetCurrentThreadId());
  ASSERT_NE(refuse, nullptr);
  SendMessageW(main.Window(), WM_COMMAND, kCommandSettings, 0);
  UnhookWindowsHookEx(refuse);
  EXPECT_EQ(FindWindowW(kSettingsWindowClass, nullptr), nullptr);
  EXPECT_TRUE(IsWindowVisible(main.Window()));
}

}  // namespace
}  // namespace lanternfly
