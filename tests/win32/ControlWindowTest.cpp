// The window side of the owned controls on the real Win32 API: a control
// window paints through GDI off screen, turns messages into the control's
// events and offers the edit box, the scroll bar and the enabled state.

#include <gtest/gtest.h>

#include "TestWindow.h"

#include "controls/PanelFrame.h"
#include "controls/iButton.h"
#include "platform/win32/Win32ControlWindow.h"

namespace lanternfly {
namespace {

using test::Pump;

constexpr Colour kBody = Rgb(222, 236, 245);
constexpr Colour kStripe = Rgb(129, 169, 226);

// A control that draws a few known shapes and writes down its events.
class Probe final : public Control {
 public:
  void Paint(Canvas& canvas) override {
    ++paints;
    const Size size = canvas.Extent();
    canvas.FillRect({0, 0, size.width, size.height}, kBody);
    canvas.Line({0, 2}, {size.width, 2}, kStripe);
    canvas.DrawFrameControl({0, 10, 13, 23}, frame_control::kButton, frame_control::kCheck | frame_control::kChecked);
  }
  void OnMouseDown(MouseButton b, int, Point p) override { Log("down", b, p); }
  void OnMouseUp(MouseButton b, int, Point p) override { Log("up", b, p); }
  void OnClick(MouseButton b) override { Log("click", b, {}); }
  void OnDoubleClick(MouseButton b, Point p) override { Log("double", b, p); }
  void OnScroll(int value) override { events += "scroll" + std::to_string(value) + " "; }
  bool OnEditBoxKey(int key, int) override {
    events += "editkey" + std::to_string(key) + " ";
    if (key == keys::kEnter) committed = Host()->EditBoxText();
    Host()->CloseEditBox();
    return true;
  }

  std::string events;
  std::u16string committed;
  int paints = 0;

 private:
  void Log(const char* what, MouseButton b, Point p) {
    events += std::string(what) + std::to_string(static_cast<int>(b)) + "@" + std::to_string(p.x) + "," +
              std::to_string(p.y) + " ";
  }
};

class ControlWindowTest : public ::testing::Test {
 protected:
  test::TestWindow top{300, 200};
  Probe probe;
  std::unique_ptr<Win32ControlWindow> window =
      Win32ControlWindow::Create(probe, top.Handle(), {10, 20, 110, 60}, u"Probe");

  void Send(UINT message, WPARAM wParam, int x, int y) {
    SendMessageW(window->Handle(), message, wParam, MAKELPARAM(x, y));
  }
};

TEST_F(ControlWindowTest, PaintsOffScreenAndShowsThePictureWhole) {
  ASSERT_NE(window, nullptr);
  Pump(5000, [&] { return probe.paints > 0; });
  const test::Screenshot shot = test::CaptureClient(top.Handle());
  EXPECT_EQ(shot.At(10 + 50, 20 + 30), kBody);
  EXPECT_EQ(shot.At(10 + 99, 20 + 2), kStripe);
  EXPECT_EQ(shot.At(9, 20), static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));  // outside: the parent's own
  EXPECT_NE(shot.At(10 + 6, 20 + 10 + 6), kBody);                              // inside the check box image
  EXPECT_EQ(window->LastPicture()->Pixel({99, 2}), kStripe);
}

TEST_F(ControlWindowTest, ButtonsActAsClicksOnlyWhenDownAndUpAreInside) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 6);
  Send(WM_LBUTTONUP, 0, 5, 6);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, 5, 6);
  Send(WM_RBUTTONUP, 0, 150, 6);  // released outside, as under capture
  Send(WM_LBUTTONUP, 0, 5, 6);    // an up without its down
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 7, 8);
  EXPECT_EQ(probe.events, "down1@5,6 up1@5,6 click1@0,0 down2@5,6 up2@150,6 up1@5,6 double1@7,8 ");
}

TEST_F(ControlWindowTest, EditBoxSendsEnterToTheControl) {
  const EditBoxSpec request{{2, 2, 90, 20}, u"old \u4e2d", FontSpec{u"Tahoma", 9.75}};
  window->OpenEditBox(request);
  HWND edit = FindWindowExW(window->Handle(), nullptr, L"EDIT", nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetFocus(), edit);
  PostMessageW(edit, WM_CHAR, L'n', 0);  // typed over the whole text, selected
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(edit, WM_CHAR, L'\r', 0);
  Pump(5000, [&] { return !probe.events.empty(); });
  EXPECT_EQ(probe.events, "editkey13 ");
  EXPECT_EQ(probe.committed, u"n");
  EXPECT_FALSE(IsWindowVisible(edit));
  EXPECT_EQ(GetFocus(), window->Handle());
}

TEST_F(ControlWindowTest, ScrollBarIsARealChildAndReportsMovesWithinItsRange) {
  window->SetScrollBar(ScrollBarState{true, 13, 10, 3, 0});
  HWND bar = FindWindowExW(window->Handle(), nullptr, L"SCROLLBAR", nullptr);
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(IsWindowVisible(bar));
  for (WPARAM code : {SB_PAGEDOWN, SB_LINEDOWN, SB_BOTTOM, SB_LINEDOWN, SB_TOP, SB_LINEUP})
    SendMessageW(window->Handle(), WM_VSCROLL, code, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(probe.events, "scroll3 scroll4 scroll10 scroll0 ");  // no move past either end
  window->SetScrollBar(ScrollBarState{false, 13, 0, 1, 0});
  EXPECT_FALSE(IsWindowVisible(bar));
}

// Both ways: a control disabled in code disables its window, and a window
// disabled by Windows or by its frame draws its control disabled.
TEST_F(ControlWindowTest, AControlsWindowIsEnabledExactlyWhenTheControlIs) {
  PanelFrame frame;
  iButton button;
  button.SetEnabled(false);  // before its window exists
  auto frameWindow = Win32ControlWindow::Create(frame, top.Handle(), {120, 20, 280, 120}, u"PanelFrame");
  ASSERT_NE(frameWindow, nullptr);
  auto buttonWindow = Win32ControlWindow::Create(button, frameWindow->Handle(), {10, 30, 110, 60}, u"iButton");
  ASSERT_NE(buttonWindow, nullptr);
  struct {
    const char* step;
    std::function<void()> act;
    bool frameEnabled, buttonEnabled;
  } const steps[] = {
      {"created disabled", [] {}, true, false},
      {"enabled in code", [&] { button.SetEnabled(true); }, true, true},
      {"disabled in code", [&] { button.SetEnabled(false); }, true, false},
      {"enabled by Windows", [&] { EnableWindow(buttonWindow->Handle(), TRUE); }, true, true},
      {"frame disabled in code", [&] { frame.SetEnabled(false); }, false, false},
      {"frame enabled by Windows", [&] { EnableWindow(frameWindow->Handle(), TRUE); }, true, true},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(IsWindowEnabled(frameWindow->Handle()) != FALSE, s.frameEnabled) << s.step;
    EXPECT_EQ(IsWindowEnabled(buttonWindow->Handle()) != FALSE, s.buttonEnabled) << s.step;
    EXPECT_EQ(button.DrawnState() == iButton::State::kDisabled, !s.buttonEnabled) << s.step;
  }
}

}  // namespace
}  // namespace lanternfly
