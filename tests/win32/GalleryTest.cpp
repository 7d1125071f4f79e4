// The gallery: one window showing each of the program's own controls as its
// windows use them, drawn by GDI under the real window classes. The test
// copies what the screen shows and checks the pixels the drawing fixes, and
// saves the picture as a BMP for build/screenshots/.

#include <gtest/gtest.h>

#include "TestWindow.h"
#include "controls/CntrlBox.h"
#include "controls/HyperLabel.h"
#include "platform/win32/Win32ControlWindow.h"

namespace lanternfly {
namespace {

using test::Pump;

// The settings window's preview of a now-playing line: one colour tag per
// run of letters, as the sender's colour codes become.
constexpr char16_t kPreviewLine[] =
    u"[color=#FFFFFF]is listening to [color=#0080FF]So[color=#00FFFF]me A[color=#00FF80]rt[color=#00FF00]is"
    u"[color=#80FF00]t [color=#FFFF00]- [color=#FF8000]So[color=#FF0000]me S[color=#FF0080]on[color=#0080FF]g";
constexpr char16_t kPreviewWords[] = u"[color=#FF0000]W[color=#FFFFFF]inamp [b][color=#FFFF00]3:20[/b]";

struct Placed {
  std::unique_ptr<Control> control;
  std::unique_ptr<Win32ControlWindow> window;
};

class Gallery : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    top_ = new test::TestWindow(640, 420, L"Lanternfly gallery");
    const HWND parent = top_->Handle();

    // The player and send-mode choices (option boxes) and two switches
    // (check boxes), ticked and clear.
    const struct {
      const char16_t* caption;
      std::int32_t type;
      bool ticked;
    } boxes[] = {{u"Winamp", CntrlBox::kOptionBox, true},     {u"foobar2000", CntrlBox::kOptionBox, false},
                 {u"Tray icon", CntrlBox::kCheckBox, true}, {u"Auto display", CntrlBox::kCheckBox, false}};
    for (int i = 0; i < 4; ++i) {
      auto box = std::make_unique<CntrlBox>();
      box->SetCaption(boxes[i].caption);
      box->SetCntrlType(boxes[i].type);
      box->SetSelectValue(boxes[i].ticked);
      box->SetFont(FontSpec{u"MS Sans Serif", 8.25});
      Add(std::move(box), Rect{kBoxesLeft, kBoxesTop + 20 * i, kBoxesLeft + 120, kBoxesTop + 20 * i + 16}, u"CntrlBox");
    }

    // The two previews: black, white text, System 9.75, sized to the text.
    const char16_t* previews[] = {kPreviewLine, kPreviewWords};
    for (int i = 0; i < 2; ++i) {
      auto label = std::make_unique<HyperLabel>();
      label->SetBackColor(0);
      label->SetForeColor(0xFFFFFF);
      label->SetFont(FontSpec{u"System", 9.75, true});
      label->SetAutoSize(true);
      label->SetCaption(previews[i]);
      Add(std::move(label), Rect{kPreviewLeft, kPreviewTop + 30 * i, kPreviewLeft + 600, kPreviewTop + 30 * i + 20},
          u"HyperLabel");
    }

    Pump(500);
    shot_ = test::CaptureClient(parent);
  }

  static void TearDownTestSuite() {
    placed_.clear();
    delete top_;
    top_ = nullptr;
  }

  static Win32ControlWindow& Add(std::unique_ptr<Control> control, const Rect& rect, std::u16string_view kind,
                                 HWND parent = nullptr) {
    Placed& entry = placed_.emplace_back();
    entry.control = std::move(control);
    entry.window = Win32ControlWindow::Create(*entry.control, parent ? parent : top_->Handle(), rect, kind);
    EXPECT_NE(entry.window, nullptr);
    return *entry.window;
  }

  static Win32ControlWindow& Window(size_t index) { return *placed_.at(index).window; }

  // Screen pixels relative to a control window's top left.
  static Colour At(const Win32ControlWindow& window, int x, int y) {
    POINT origin{0, 0};
    MapWindowPoints(window.Handle(), top_->Handle(), &origin, 1);
    return shot_.At(origin.x + x, origin.y + y);
  }

  static constexpr int kBoxesLeft = 20, kBoxesTop = 40;
  static constexpr int kPreviewLeft = 20, kPreviewTop = 340;

  static inline test::TestWindow* top_ = nullptr;
  static inline std::vector<Placed> placed_;
  static inline test::Screenshot shot_;
};

bool IsDark(Colour c) { return RedOf(c) + GreenOf(c) + BlueOf(c) < 3 * 64; }

TEST_F(Gallery, CheckAndOptionBoxesDrawTheSystemImageInTheirTopLeftThirteenPixels) {
  for (size_t i = 0; i < 4; ++i) {
    const Win32ControlWindow& box = Window(i);
    const Colour face = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
    int dark = 0, changed = 0;
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x) {
        dark += IsDark(At(box, x, y)) && x > 2 && x < 10 && y > 2 && y < 10;
        changed += At(box, x, y) != face;
      }
    const bool ticked = i == 0 || i == 2;
    EXPECT_EQ(dark > 0, ticked) << "box " << i;  // the mark or dot inside
    EXPECT_GT(changed, 40) << "box " << i;
    for (int x = 0; x < 19; ++x) EXPECT_EQ(At(box, x, 14), face) << "below the image, box " << i;
  }
  wchar_t text[64] = {};
  GetWindowTextW(Window(1).Handle(), text, 64);
  EXPECT_EQ(std::wstring(text), L"foobar2000");
}

TEST_F(Gallery, PreviewsShowTheirColourTagsOnBlack) {
  const Win32ControlWindow& line = Window(4);
  const Size size = line.ClientSize();
  EXPECT_GT(size.width, 100);  // sized to the text
  int red = 0, white = 0, black = 0;
  for (int y = 0; y < size.height; ++y)
    for (int x = 0; x < size.width; ++x) {
      const Colour c = At(line, x, y);
      red += c == Rgb(255, 0, 0);
      white += c == Rgb(255, 255, 255);
      black += c == 0;
    }
  EXPECT_GT(red, 5);  // "me S" in [color=#FF0000]
  EXPECT_GT(white, 5);
  EXPECT_GT(black, size.width * size.height / 2);
  // The red letter of the second preview comes first, at its left.
  const Win32ControlWindow& words = Window(5);
  int redLeft = 0;
  for (int y = 0; y < words.ClientSize().height; ++y)
    for (int x = 0; x < 12; ++x) redLeft += At(words, x, y) == Rgb(255, 0, 0);
  EXPECT_GT(redLeft, 5);
}

TEST_F(Gallery, SavesItsPicture) {
  const std::string path =
      std::string(LANTERNFLY_SCREENSHOTS) + (sizeof(void*) == 4 ? "/gallery-win32.bmp" : "/gallery-win64.bmp");
  CreateDirectoryA(LANTERNFLY_SCREENSHOTS, nullptr);
  EXPECT_TRUE(shot_.SaveBmp(path)) << path;
}

}  // namespace
}  // namespace lanternfly
