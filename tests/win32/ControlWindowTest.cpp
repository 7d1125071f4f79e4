// The window side of the owned controls on the real Win32 API: a control
// window paints through GDI off screen, turns messages into the control's
// events and offers the edit box, scroll bar, tooltip and child windows.

#include <gtest/gtest.h>

#include "TestWindow.h"

#include <commctrl.h>

#include "platform/win32/Win32ControlWindow.h"

namespace lanternfly {
namespace {

using test::Pump;

constexpr Colour kBody = Rgb(222, 236, 245);
constexpr Colour kStripe = Rgb(129, 169, 226);
constexpr Colour kRed = Rgb(255, 0, 0);

// A control that draws a few known shapes and writes down its events.
class Probe final : public Control {
 public:
  void Paint(Canvas& canvas) override {
    ++paints;
    const Size size = canvas.Extent();
    canvas.FillRect({0, 0, size.width, size.height}, kBody);
    canvas.Line({0, 2}, {size.width, 2}, kStripe);
    canvas.DrawFrameControl({0, 10, 13, 23}, frame_control::kButton, frame_control::kCheck | frame_control::kChecked);
    canvas.SetFont(FontSpec{u"Tahoma", 14, true});
    canvas.TextOut({20, 8}, u"WWW", kRed);
  }
  std::u16string AccessibleText() const override { return u"Probe \u03a8"; }
  void OnMouseDown(MouseButton b, int, Point p) override { Log("down", b, p); }
  void OnMouseUp(MouseButton b, int, Point p) override { Log("up", b, p); }
  void OnClick(MouseButton b) override { events += "click" + std::to_string(static_cast<int>(b)) + " "; }
  void OnDoubleClick(MouseButton b, Point p) override { Log("double", b, p); }
  void OnTimer(int id) override { ticks += id == 7; }
  void OnEnable(bool enabled) override { events += enabled ? "enabled " : "disabled "; }
  void OnScroll(int value) override { events += "scroll" + std::to_string(value) + " "; }
  void OnResize(Size size) override {
    if (size.width < minimumWidth) Host()->Resize({minimumWidth, size.height});
  }
  bool OnEditBoxKey(int key, int) override {
    events += "editkey" + std::to_string(key) + " ";
    if (key == keys::kEnter) committed = Host()->EditBoxText();
    Host()->CloseEditBox();
    return true;
  }

  std::string events;
  std::u16string committed;
  int paints = 0;
  int ticks = 0;
  int minimumWidth = 0;

 private:
  void Log(const char* what, MouseButton b, Point p) {
    events += std::string(what) + std::to_string(static_cast<int>(b)) + "@" + std::to_string(p.x) + "," +
              std::to_string(p.y) + " ";
  }
};

BOOL CALLBACK FindToolTip(HWND candidate, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(candidate, name, 64);
  if (std::wstring(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(found) = candidate;
  return TRUE;
}

// What the About window showed, read and closed from a timer while it runs
// its own message loop.
struct AboutSeen {
  std::wstring title, text;
  bool ownerDisabled = false;
};
AboutSeen aboutSeen;

VOID CALLBACK ReadAndCloseAbout(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND box = FindWindowW(L"LanternflyAbout", nullptr);
  if (!box) return;
  wchar_t text[128] = {};
  GetWindowTextW(box, text, 128);
  aboutSeen.title = text;
  GetWindowTextW(FindWindowExW(box, nullptr, L"STATIC", nullptr), text, 128);
  aboutSeen.text = text;
  aboutSeen.ownerDisabled = !IsWindowEnabled(GetWindow(box, GW_OWNER));
  PostMessageW(FindWindowExW(box, nullptr, L"BUTTON", L"Close"), BM_CLICK, 0, 0);
}

class ControlWindowTest : public ::testing::Test {
 protected:
  test::TestWindow top{300, 200};
  Probe probe;
  std::unique_ptr<Win32ControlWindow> window = Win32ControlWindow::Create(probe, top.Handle(), {10, 20, 110, 60}, u"Probe");

  void Post(UINT message, WPARAM wParam, int x, int y) {
    PostMessageW(window->Handle(), message, wParam, MAKELPARAM(x, y));
    Pump(50);
  }
};

TEST_F(ControlWindowTest, PaintsOffScreenAndShowsThePictureWhole) {
  ASSERT_NE(window, nullptr);
  Pump(300, [&] { return probe.paints > 0; });
  const test::Screenshot shot = test::CaptureClient(top.Handle());
  EXPECT_EQ(shot.At(10 + 50, 20 + 30), kBody);
  EXPECT_EQ(shot.At(10 + 99, 20 + 2), kStripe);
  EXPECT_EQ(shot.At(9, 20), static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));  // outside: the parent's own
  EXPECT_NE(shot.At(10 + 6, 20 + 10 + 6), kBody);  // inside the check box image
  int red = 0;
  for (int y = 20 + 8; y < 20 + 28; ++y)
    for (int x = 10 + 20; x < 10 + 60; ++x) red += shot.At(x, y) == kRed;
  EXPECT_GT(red, 10);

  const GdiCanvas* picture = window->LastPicture();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Extent(), (Size{100, 40}));
  EXPECT_EQ(picture->Pixel({50, 30}), kBody);
  EXPECT_EQ(picture->Pixel({99, 2}), kStripe);
}

TEST_F(ControlWindowTest, WindowTextIsTheCaptionInUtf16AndTheClassNamesTheKind) {
  wchar_t text[64] = {};
  GetWindowTextW(window->Handle(), text, 64);
  EXPECT_EQ(std::wstring(text), L"Probe \u03a8");
  window->CaptionChanged(u"Refresh Channel List \u00e9\u4e2d");
  GetWindowTextW(window->Handle(), text, 64);
  EXPECT_EQ(std::wstring(text), L"Refresh Channel List \u00e9\u4e2d");
  GetClassNameW(window->Handle(), text, 64);
  EXPECT_EQ(std::wstring(text), L"LanternflyProbe");
  EXPECT_EQ(GetParent(window->Handle()), top.Handle());
}

TEST_F(ControlWindowTest, PostedButtonsActAsClicksOnlyWhenDownAndUpAreInside) {
  Post(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
  Post(WM_LBUTTONUP, 0, 5, 6);
  EXPECT_EQ(probe.events, "down1@5,6 up1@5,6 click1 ");
  probe.events.clear();
  Post(WM_RBUTTONDOWN, MK_RBUTTON, 5, 6);
  Post(WM_RBUTTONUP, 0, 150, 6);  // released outside, as under capture
  Post(WM_LBUTTONUP, 0, 5, 6);    // an up without its down
  EXPECT_EQ(probe.events, "down2@5,6 up2@150,6 up1@5,6 ");
  probe.events.clear();
  Post(WM_LBUTTONDBLCLK, MK_LBUTTON, 7, 8);
  Post(WM_LBUTTONUP, 0, 7, 8);
  EXPECT_EQ(probe.events, "double1@7,8 up1@7,8 ");
}

TEST_F(ControlWindowTest, EditBoxSendsEnterAndEscapeToTheControl) {
  EditBoxSpec request;
  request.rect = {2, 2, 90, 20};
  request.text = u"old \u4e2d";
  request.font = FontSpec{u"Tahoma", 9.75};
  window->OpenEditBox(request);
  HWND edit = FindWindowExW(window->Handle(), nullptr, L"EDIT", nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(IsWindowVisible(edit));
  EXPECT_EQ(GetFocus(), edit);
  DWORD start = 1, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 5u);  // all of it selected

  PostMessageW(edit, WM_CHAR, L'n', 0);  // typed over the selection
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(edit, WM_CHAR, L'\r', 0);
  Pump(100);
  EXPECT_EQ(probe.events, "editkey13 ");
  EXPECT_EQ(probe.committed, u"n");
  EXPECT_FALSE(IsWindowVisible(edit));
  EXPECT_EQ(GetFocus(), window->Handle());

  probe.events.clear();
  window->OpenEditBox(request);
  PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump(100);
  EXPECT_EQ(probe.events, "editkey27 ");
  EXPECT_EQ(window->EditBoxText(), u"old \u4e2d");
}

TEST_F(ControlWindowTest, ScrollBarIsARealChildAndReportsMovesWithinItsRange) {
  window->SetScrollBar(ScrollBarState{true, 13, 10, 3, 0});
  HWND bar = FindWindowExW(window->Handle(), nullptr, L"SCROLLBAR", nullptr);
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(IsWindowVisible(bar));
  RECT place{};
  GetWindowRect(bar, &place);
  MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 100 - 13);
  EXPECT_EQ(place.bottom, 40);

  for (WPARAM code : {SB_PAGEDOWN, SB_LINEDOWN, SB_BOTTOM, SB_LINEDOWN, SB_TOP, SB_LINEUP})
    SendMessageW(window->Handle(), WM_VSCROLL, code, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(probe.events, "scroll3 scroll4 scroll10 scroll0 ");  // no move past either end
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);

  window->SetScrollBar(ScrollBarState{false, 13, 0, 1, 0});
  EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(ControlWindowTest, FrameEnablesAndDisablesTheWindowsInsideIt) {
  Probe inner;
  auto child = Win32ControlWindow::Create(inner, window->Handle(), {5, 5, 50, 30}, u"Probe");
  ASSERT_NE(child, nullptr);
  window->SetScrollBar(ScrollBarState{true, 13, 10, 3, 0});
  window->EnableChildren(false);
  EXPECT_FALSE(IsWindowEnabled(child->Handle()));
  EXPECT_EQ(inner.events, "disabled ");
  EXPECT_TRUE(IsWindowEnabled(FindWindowExW(window->Handle(), nullptr, L"SCROLLBAR", nullptr)));
  window->EnableChildren(true);
  EXPECT_TRUE(IsWindowEnabled(child->Handle()));
  EXPECT_EQ(inner.events, "disabled enabled ");
}

TEST_F(ControlWindowTest, TimersTooltipsAndResizeRequests) {
  window->StartTimer(7, 10);
  Pump(500, [&] { return probe.ticks >= 3; });
  window->StopTimer(7);
  EXPECT_GE(probe.ticks, 3);

  window->ShowToolTip(ToolTipSpec{u"Refresh", u"", 0, true, std::nullopt, std::nullopt});
  HWND tip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindToolTip, reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), top.Handle());  // an owner is always a top-level window
  EXPECT_TRUE(GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON);
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  window->ShowToolTip(ToolTipSpec{});
  EXPECT_FALSE(IsWindow(tip));

  probe.minimumWidth = 20;
  window->Resize({8, 30});
  EXPECT_EQ(window->ClientSize(), (Size{20, 30}));
}

TEST_F(ControlWindowTest, AboutIsModalToTheTopWindowAndClosesWithItsButton) {
  SetTimer(nullptr, 0, 100, &ReadAndCloseAbout);
  window->ShowAbout(u"iButton", u"3.0");  // returns once closed
  EXPECT_EQ(aboutSeen.title, L"About iButton");
  EXPECT_EQ(aboutSeen.text, L"iButton\r\nVersion 3.0");
  EXPECT_TRUE(aboutSeen.ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(top.Handle()));
  EXPECT_EQ(FindWindowW(L"LanternflyAbout", nullptr), nullptr);
}

}  // namespace
}  // namespace lanternfly
