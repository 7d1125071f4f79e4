// The settings window on the real Win32 API: opened as the main window opens
// it, driven through its windows (posted clicks, text typed into its boxes,
// the drop-down's choice, its message boxes and input box answered from a
// second thread), its pages pictured and checked on the screen.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "Screenshot.h"
#include "TestWindow.h"
#include "app/win32/SettingsWindow.h"
#include "message/WinMXColorText.h"
#include "platform/CodePage.h"
#include "platform/win32/GdiCanvas.h"
#include "settings/SettingsFile.h"

namespace lanternfly {
namespace {

using test::Pump;

// The test measures texts and places in the screen's real pixels.
const bool kDpiAware = SetProcessDPIAware() != FALSE;

constexpr Colour kFrameBody = Rgb(222, 236, 245);
constexpr char16_t kTemplate[] = u"#c1#is listening to [d]%ARTISTSONG%[/d]";

std::wstring W(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

BOOL CALLBACK Collect(HWND child, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
  return TRUE;
}

// Every window below `top`, in creation order.
std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> found;
  EnumChildWindows(top, &Collect, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The first window below `top` of that class ("Lanternfly" + kind for the
// program's own controls) whose text begins with `text`.
HWND Find(HWND top, const std::wstring& className, const std::wstring& text = L"") {
  for (HWND window : Descendants(top))
    if (ClassOf(window) == className && TextOf(window).rfind(text, 0) == 0) return window;
  return nullptr;
}

// The edit box of a frame, by the frame's caption.
HWND EditIn(HWND top, const std::wstring& frameCaption) {
  return FindWindowExW(Find(top, L"LanternflyPanelFrame", frameCaption), nullptr, L"Edit", nullptr);
}

void Click(HWND control) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

bool PumpUntil(int milliseconds, const std::function<bool()>& done) {
  Pump(milliseconds, done);
  return done();
}

// Answers the first top-level window of that class and title that shows
// within five seconds, from a second thread: the window is modal on the
// test's own thread, which stays in its loop meanwhile.
class Answer {
 public:
  Answer(const wchar_t* className, std::wstring title, std::function<void(HWND)> act)
      : thread_([this, className, title = std::move(title), act = std::move(act)] {
          const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
          while (std::chrono::steady_clock::now() < end) {
            if (HWND box = FindWindowW(className, title.c_str()); box && IsWindowVisible(box)) {
              act(box);
              answered_ = true;
              return;
            }
            Sleep(20);
          }
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
  const wchar_t* category;
  const wchar_t* frame;
  const char* picture;
};

constexpr Page kPages[] = {
    {L"General", L"General Settings:", "general"},
    {L"ChannelList", L"Channel List Settings:", "channel-list"},
    {L"Display Message", L"Display Message Settings:", "display-message"},
    {L"Color Patterns", L"Add/Edit/Delete Your Color Patterns:", "color-patterns"},
    {L"Display Extras", L"Display Extras Settings:", "display-extras"},
};

// The real system's pieces, the settings of a fresh start (a few words, the
// iTunes player) and the window opened on them.
class SettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(api && codePage && files && shell && iTunes);
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    path = std::u16string(reinterpret_cast<const char16_t*>(folder)) + u"lanternfly-settings-window.ini";
    SettingsFile(*files, *shell, desktop, path).ApplyDefaultSettings(state.settings, state.patterns, [] {});
    state.settings.SelectedPlayer = u"iTunes";
    for (const char16_t* word : {u"live", u"remix", u"karaoke"}) AddRandomWord(state.settings, word);
    AddFilterWord(state.settings, u"jingle");
    state.settings.RadioCutoffText = u" - TOP40 Hits";
    before = state;
    window = OpenSettingsWindow(nullptr, system, state, MainWindowLink{{}, 0, tray, [this] { ++comeBacks; }});
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PumpUntil(2000, [&] { return IsWindowVisible(PageFrame(kPages[0])); }));
  }

  void TearDown() override {
    if (IsWindow(window)) {
      Answer yes(L"#32770", L"Wait!", [](HWND box) { PressButton(box, IDYES); });
      PostMessageW(window, WM_CLOSE, 0, 0);
      PumpUntil(5000, [&] { return !IsWindow(window); });
    }
    DeleteFileW(reinterpret_cast<const wchar_t*>(path.c_str()));
  }

  HWND PageFrame(const Page& page) const {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (TextOf(child) == page.frame) return child;
    return nullptr;
  }

  void Show(const Page& page) {
    Click(Find(window, L"LanternflyPlainLabel", page.category));
    ASSERT_TRUE(PumpUntil(2000, [&] { return IsWindowVisible(PageFrame(page)); })) << page.picture;
    Pump(300);  // painted
  }

  // Clicks a button of the program's and lets its work run.
  void Press(const std::wstring& caption) {
    HWND button = Find(window, L"LanternflyiButton", caption);
    ASSERT_NE(button, nullptr);
    Click(button);
    Pump(300);
  }

  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  std::unique_ptr<Files> files = SystemFiles();
  std::unique_ptr<Shell> shell = SystemShell();
  std::unique_ptr<ITunesAutomation> iTunes = SystemITunes();
  Desktop desktop{*api, *codePage};
  System system{desktop, *files, *shell, *iTunes};
  std::u16string path;
  AppState state;
  AppState before;
  TrayIconData tray;
  int comeBacks = 0;
  HWND window = nullptr;
};

// Within its parent's client area, and over none of its shown siblings.
void ExpectPlacedApart(HWND top) {
  std::vector<HWND> shown;
  for (HWND control : Descendants(top))
    if (IsWindowVisible(control) && ClassOf(control) != L"ScrollBar") shown.push_back(control);
  for (HWND control : shown) {
    RECT place{}, parent{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    GetClientRect(GetParent(control), &parent);
    EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= parent.right && place.bottom <= parent.bottom)
        << "cut off: " << Narrow(TextOf(control));
    for (HWND other : shown) {
      RECT a{}, b{}, both{};
      GetWindowRect(control, &a);
      GetWindowRect(other, &b);
      if (other != control && GetParent(other) == GetParent(control)) {
        EXPECT_FALSE(IntersectRect(&both, &a, &b))
            << "overlap: " << Narrow(TextOf(control));
      }
    }
  }
}

// Each shown caption in the font its control draws it in, with the room the
// control keeps beside it: on one line, or word-wrapped within the height.
void ExpectCaptionsFit(HWND top) {
  const struct {
    const wchar_t* kind;
    std::function<bool(const std::wstring&)> applies;
    FontSpec font;
    int around;
    bool wrapped;
  } rules[] = {
      {L"PanelFrame", [](const std::wstring&) { return true; }, {u"Tahoma", 8.25, true}, 12, false},
      {L"CntrlBox", [](const std::wstring&) { return true; }, {u"MS Sans Serif", 8.25}, 19, false},
      {L"iButton", [](const std::wstring& t) { return t != L"Add New Word" && t != L"Remove Selected"; },
       {u"Tahoma", 9.75}, 8, false},
      {L"iButton", [](const std::wstring& t) { return t == L"Add New Word" || t == L"Remove Selected"; },
       {u"Verdana", 8.25}, 8, false},
      {L"PlainLabel", [](const std::wstring& t) { return t.size() < 16 && t[0] != L'%'; }, {u"Comic Sans MS", 12},
       0, false},
      {L"PlainLabel", [](const std::wstring& t) { return t[0] == L'%'; }, {u"MS Sans Serif", 8.25, false, false,
                                                                          false, true}, 0, false},
      {L"PlainLabel", [](const std::wstring& t) { return t.size() > 40; }, {u"MS Sans Serif", 8.25}, 0, true},
  };
  GdiCanvas measure(Size{1, 1}, nullptr);
  int checked = 0;
  for (HWND control : Descendants(top)) {
    if (!IsWindowVisible(control)) continue;
    const std::wstring text = TextOf(control);
    for (const auto& rule : rules) {
      if (ClassOf(control) != std::wstring(L"Lanternfly") + rule.kind || text.empty() || !rule.applies(text)) continue;
      RECT client{};
      GetClientRect(control, &client);
      measure.SetFont(rule.font);
      const std::u16string caption(text.begin(), text.end());
      const Size one = measure.MeasureText(caption);
      const Rect needed = measure.DrawText(caption, Rect{0, 0, client.right, 10000},
                                           text_flags::kWordBreak | text_flags::kCalcRect, 0);
      if (rule.wrapped) {
        EXPECT_LE(needed.Height(), client.bottom) << Narrow(text);
      } else {
        EXPECT_LE(one.width + rule.around, client.right) << Narrow(text);
        EXPECT_LE(one.height, client.bottom) << Narrow(text);
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 6);
}

TEST_F(SettingsWindowTest, EachPageFitsItsTextsAndIsPictured) {
  RECT client{};
  GetClientRect(window, &client);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(client.right, MulDiv(660, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(466, dpi, 96));
  EXPECT_EQ(TextOf(window), L"Settings");

  const std::string folder = LANTERNFLY_SCREENSHOTS;
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const Page& page : kPages) {
    SCOPED_TRACE(page.picture);
    Show(page);
    for (const Page& other : kPages) EXPECT_EQ(IsWindowVisible(PageFrame(other)) != FALSE, &other == &page);
    ExpectPlacedApart(window);
    ExpectCaptionsFit(window);
    const test::Screenshot shot = test::CaptureOnScreen(window);
    const std::string name = std::string("/settings-") + page.picture + (sizeof(void*) == 4 ? "-win32" : "-win64") +
                             (dpi == 96 ? "" : "-" + std::to_string(dpi) + "dpi");
    EXPECT_TRUE(shot.SaveBmp(folder + name + ".bmp"));

    // The page's body, below its header at the bottom left.
    RECT frame{};
    GetWindowRect(PageFrame(page), &frame);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
    const test::Screenshot inside = test::CaptureClient(window);
    EXPECT_EQ(inside.At(frame.left + 4, frame.bottom - 4), kFrameBody);
  }
}

TEST_F(SettingsWindowTest, PreviewFollowsTheTemplateAsItIsTyped) {
  Show(kPages[2]);
  HWND edit = EditIn(window, L"Edit your display message:");
  HWND preview = Find(window, L"LanternflyHyperLabel");
  ASSERT_TRUE(edit && preview);
  EXPECT_EQ(TextOf(edit), W(kTemplate));

  // The pointer over the box gives it the keyboard.
  SetFocus(window);
  PostMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(PumpUntil(500, [&] { return GetFocus() == edit; }));

  SetWindowTextW(edit, L"");
  for (wchar_t c : std::wstring(L"#c4#Hello [b]there[/b]")) PostMessageW(edit, WM_CHAR, c, 0);
  const auto typed = std::chrono::steady_clock::now();
  // The markup of the colour codes begins with a blank; the brackets are the room's text.
  EXPECT_TRUE(PumpUntil(2000, [&] { return TextOf(preview) == L" Hello [b]there[/b]"; })) << Narrow(TextOf(preview));
  EXPECT_EQ(TextOf(edit), L"#c4#Hello [b]there[/b]");
  EXPECT_LT(std::chrono::steady_clock::now() - typed, std::chrono::milliseconds(500));

  // On black, the text in white with the colour code's own colour.
  Pump(200);
  RECT place{};
  GetClientRect(preview, &place);
  const test::Screenshot shot = test::CaptureClient(preview);
  int black = 0, other = 0;
  for (int y = 0; y < place.bottom; ++y)
    for (int x = 0; x < place.right; ++x) (shot.At(x, y) == 0 ? black : other) += 1;
  EXPECT_GT(black, place.right * place.bottom / 2);
  EXPECT_GT(other, 20);
}

// The colour of a WinMX colour number as the preview draws it.
Colour PreviewColour(int number) {
  const std::u16string markup = WinMXToMarkup(u"#c" + std::u16string(1, u'0' + number) + u"#x");
  const std::u16string hex = markup.substr(markup.find(u'#') + 1, 6);
  const unsigned value = std::stoul(std::string(hex.begin(), hex.end()), nullptr, 16);
  return Rgb(static_cast<int>(value >> 16), static_cast<int>(value >> 8 & 0xFF), static_cast<int>(value & 0xFF));
}

TEST_F(SettingsWindowTest, APatternAddedMadeDefaultAndSaved) {
  Show(kPages[3]);
  HWND editor = Find(window, L"LanternflyPanelFrame", L"Add New Pattern:");
  ASSERT_NE(editor, nullptr);
  EXPECT_FALSE(IsWindowVisible(editor));
  Press(L"Add New Pattern");
  ASSERT_TRUE(IsWindowVisible(editor));
  HWND entry = EditIn(window, L"Add New Pattern:");
  EXPECT_EQ(TextOf(entry), W(kPatternSampleEntry));
  const DWORD selection = static_cast<DWORD>(SendMessageW(entry, EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(static_cast<size_t>(HIWORD(selection)), kPatternSampleEntry.size());

  SetWindowTextW(entry, L"[c,1,4,8]Mine[/c] and more");
  SetWindowTextW(EditIn(window, L"Choose a name for your pattern:"), L"Mine");
  EXPECT_TRUE(PumpUntil(1000, [&] { return TextOf(Find(window, L"LanternflyHyperLabel", L" Mine")) == L" Mine and more"; }));
  ExpectPlacedApart(window);
  ExpectCaptionsFit(window);
  test::CaptureOnScreen(window).SaveBmp(std::string(LANTERNFLY_SCREENSHOTS) + "/settings-pattern-editor" +
                                         (sizeof(void*) == 4 ? "-win32" : "-win64") + ".bmp");
  Press(L"Add This Pattern");
  EXPECT_FALSE(IsWindowVisible(editor));

  // The new name is a default choice on the Display Message page, and the
  // preview takes its colours before anything is saved.
  Show(kPages[2]);
  HWND message = EditIn(window, L"Edit your display message:");
  SetWindowTextW(message, L"[d]WWWWWWWW[/d]");
  HWND choice = FindWindowExW(Find(window, L"LanternflyPanelFrame", L"Select Default Pattern:"), nullptr, L"ComboBox",
                              nullptr);
  const LRESULT mine = SendMessageW(choice, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(L"Mine"));
  ASSERT_GE(mine, 0);
  SendMessageW(choice, CB_SETCURSEL, static_cast<WPARAM>(mine), 0);
  SendMessageW(GetParent(choice), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(choice), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(choice));
  HWND preview = Find(window, L"LanternflyHyperLabel");
  EXPECT_TRUE(PumpUntil(1000, [&] { return TextOf(preview) == L" WWWWWWWW"; }));
  EXPECT_TRUE(PumpUntil(1000, [&] {
    const test::Screenshot shot = test::CaptureClient(preview);
    int four = 0, eight = 0;
    for (Colour c : shot.pixels) four += c == PreviewColour(4), eight += c == PreviewColour(8);
    return four > 5 && eight > 5;
  }));

  Press(L"Save Changes");
  EXPECT_TRUE(PumpUntil(2000, [&] { return !IsWindow(window); }));
  EXPECT_EQ(comeBacks, 1);
  EXPECT_EQ(state.settings.DisplayFormat, u"[d]WWWWWWWW[/d]");
  EXPECT_EQ(state.patterns.DefaultPattern, u"Mine");
  const ColorPattern stored = state.patterns.GetDefaultPattern();
  EXPECT_EQ(stored.Name, u"Mine");
  EXPECT_EQ(stored.Skip, 1);
  ASSERT_EQ(stored.ColorCount, 2);
  EXPECT_EQ(stored.Colors[0], 4);
  EXPECT_EQ(stored.Colors[1], 8);
}

TEST_F(SettingsWindowTest, DiscardingAsksAndNoKeepsTheChanges) {
  const struct {
    const char* how;
    std::function<void()> close;
  } ways[] = {
      {"cancel button", [this] { Press(L"Cancel Changes"); }},
      {"close box", [this] { PostMessageW(window, WM_CLOSE, 0, 0), Pump(300); }},
  };
  HWND autoDisplay = Find(window, L"LanternflyCntrlBox", L"Enable Auto Display");
  Click(autoDisplay);
  Show(kPages[2]);
  HWND message = EditIn(window, L"Edit your display message:");
  SetWindowTextW(message, L"changed");
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    bool disabledMeanwhile = false;
    {
      Answer no(L"#32770", L"Wait!", [&](HWND box) {
        disabledMeanwhile = !IsWindowEnabled(window);
        PressButton(box, IDNO);
      });
      way.close();
      Pump(300);
      EXPECT_TRUE(no.Answered());
    }
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(TextOf(message), L"changed");
    EXPECT_EQ(comeBacks, 0);
  }
  {
    Answer yes(L"#32770", L"Wait!", [](HWND box) { PressButton(box, IDYES); });
    Press(L"Cancel Changes");
    EXPECT_TRUE(PumpUntil(2000, [&] { return !IsWindow(window); }));
  }
  EXPECT_EQ(comeBacks, 1);
  EXPECT_EQ(state.settings.DisplayFormat, before.settings.DisplayFormat);
  EXPECT_EQ(state.settings.AutoDisplay, before.settings.AutoDisplay);
}

TEST_F(SettingsWindowTest, AWordFromTheInputBoxKeepsEveryCharacterAndABoxTickedLastIsSaved) {
  Show(kPages[4]);
  const std::wstring word = L"na\u00efve \u263a";
  bool disabledMeanwhile = false;
  {
    Answer ask(L"LanternflyInputBox", L"Add a new random word", [&](HWND box) {
      disabledMeanwhile = !IsWindowEnabled(window);
      SetWindowTextW(FindWindowExW(box, nullptr, L"Edit", nullptr), word.c_str());
      PressButton(box, IDOK);
    });
    Press(L"Add New Word");
    EXPECT_TRUE(PumpUntil(2000, [&] { return ask.Answered(); }));
  }
  Pump(300);
  EXPECT_TRUE(disabledMeanwhile);
  // A box ticked right before saving: the click on Save runs while the
  // box's own click still lets messages run.
  Show(kPages[0]);
  Click(Find(window, L"LanternflyCntrlBox", L"Enable Auto Display"));
  Press(L"Save Changes");
  EXPECT_TRUE(PumpUntil(2000, [&] { return !IsWindow(window); }));
  EXPECT_EQ(state.settings.RandomWords[3], std::u16string(word.begin(), word.end()));
  EXPECT_EQ(state.settings.RandomWords[0], u"live");
  EXPECT_NE(state.settings.AutoDisplay, before.settings.AutoDisplay);
}

}  // namespace
}  // namespace lanternfly
