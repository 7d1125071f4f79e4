// The gallery: one window showing each of the program's own controls as its
// windows use them, drawn by GDI under the real window classes. The test
// copies what the screen shows, checks the pixels the drawing fixes, and
// saves the picture as a BMP for build/screenshots/.

#include <gtest/gtest.h>

#include <algorithm>

#include "TestWindow.h"
#include "controls/CntrlBox.h"
#include "controls/HyperLabel.h"
#include "controls/PanelFrame.h"
#include "controls/iButton.h"
#include "controls/iList.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/win32/Win32ControlWindow.h"

namespace lanternfly {
namespace {

using test::Pump;

constexpr Colour kFrameBody = Rgb(222, 236, 245);  // FillColor 0xF5ECDE
constexpr Colour kRed = Rgb(255, 0, 0);

// The settings window's preview of a now-playing line: one colour tag per
// run of letters, as the sender's colour codes become.
constexpr char16_t kPreviewLine[] =
    u"[color=#FFFFFF]is listening to [color=#0080FF]So[color=#00FFFF]me A[color=#00FF80]rt[color=#00FF00]is"
    u"[color=#80FF00]t [color=#FFFF00]- [color=#FF8000]So[color=#FF0000]me S[color=#FF0080]on[color=#0080FF]g";
constexpr char16_t kPreviewWords[] = u"[color=#FF0000]W[color=#FFFFFF]inamp [b][color=#FFFF00]3:20[/b]";

Colour Shifted(Colour c, int n) {
  auto channel = [n](int v) { return std::clamp(v + n, 0, 255); };
  return Rgb(channel(RedOf(c)), channel(GreenOf(c)), channel(BlueOf(c)));
}

struct Shown {
  std::unique_ptr<Control> control;
  std::unique_ptr<Win32ControlWindow> window;
};

class Gallery : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    top_ = new test::TestWindow(640, 420, L"Lanternfly gallery");
    PlaceFrame();
    PlaceButtons();
    PlacePreviews();
    PlaceLists();
    Pump(600);
    shot_ = test::CaptureClient(top_->Handle());
  }

  static void TearDownTestSuite() {
    std::reverse(shown_.begin(), shown_.end());  // children before their frame
    shown_.clear();
    delete top_;
    top_ = nullptr;
  }

  template <typename T>
  static T& Place(std::unique_ptr<T> control, const Rect& rect, std::u16string_view kind, HWND parent = nullptr) {
    T& placed = *control;
    Shown& entry = shown_.emplace_back();
    entry.control = std::move(control);
    entry.window = Win32ControlWindow::Create(placed, parent ? parent : top_->Handle(), rect, kind);
    EXPECT_NE(entry.window, nullptr);
    return placed;
  }

  static Win32ControlWindow& WindowOf(const Control& control) {
    for (Shown& entry : shown_)
      if (entry.control.get() == &control) return *entry.window;
    throw std::logic_error("not in the gallery");
  }

  // Screen pixels relative to a control window's top left.
  static Colour At(const Control& control, int x, int y) {
    POINT origin{0, 0};
    MapWindowPoints(WindowOf(control).Handle(), top_->Handle(), &origin, 1);
    return shot_.At(origin.x + x, origin.y + y);
  }

  // The frame of the player choices, as every frame of the program is set:
  // style 3, gradient header, square corners, caption left in bold Tahoma.
  static void PlaceFrame() {
    auto frame = std::make_unique<PanelFrame>();
    frame->SetStyle(3);
    frame->SetHeaderStyle(1);
    frame->SetGradientHeaderStyle(0);
    frame->SetFillColor(0xF5ECDE);
    frame->SetTextBoxColor(0xB0EFF0);
    frame->SetRoundedCorner(false);
    frame->SetAlignment(0);
    frame->SetFont(FontSpec{u"Tahoma", 8.25, true});
    frame->SetCaption(u"Player");
    frame_ = &Place(std::move(frame), Rect{10, 10, 310, 170}, u"PanelFrame");

    // Two player choices (option boxes) and two switches (check boxes),
    // ticked and clear, inside the frame.
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
      box->SetBackColor(0xF5ECDE);
      box->SetFont(FontSpec{u"MS Sans Serif", 8.25});
      boxes_[i] = &Place(std::move(box), Rect{12, 34 + 22 * i, 150, 34 + 22 * i + 16}, u"CntrlBox",
                         WindowOf(*frame_).Handle());
    }
  }

  // Style 8 in its four states: normal, hot (the pointer over it), pressed
  // (a toggle button held down) and disabled.
  static void PlaceButtons() {
    const char16_t* captions[] = {u"Refresh Channel List", u"Send Now", u"Protect", u"Save"};
    for (int i = 0; i < 4; ++i) {
      auto button = std::make_unique<iButton>();
      button->SetStyle(8);
      button->SetIconAlign(0);
      button->SetNonThemeStyle(0);
      button->SetToolTipType(0);
      button->SetFont(FontSpec{u"Tahoma", 9.75});
      button->SetCaption(captions[i]);
      buttons_[i] = &Place(std::move(button), Rect{330, 10 + 36 * i, 490, 10 + 36 * i + 28}, u"iButton");
    }
    buttons_[2]->SetButtonType(iButton::ButtonKind::kToggle);
    buttons_[2]->SetValue(true);
    buttons_[3]->SetEnabled(false);
    HWND hot = WindowOf(*buttons_[1]).Handle();
    POINT centre{80, 14};
    ClientToScreen(hot, &centre);
    SetCursorPos(centre.x, centre.y);
    PostMessageW(hot, WM_MOUSEMOVE, 0, MAKELPARAM(80, 14));
  }

  // The two previews: black, white text, System 9.75 stored bold, sized to
  // the text.
  static void PlacePreviews() {
    const char16_t* previews[] = {kPreviewLine, kPreviewWords};
    for (int i = 0; i < 2; ++i) {
      auto label = std::make_unique<HyperLabel>();
      label->SetBackColor(0);
      label->SetForeColor(0xFFFFFF);
      label->SetFont(FontSpec{u"System", 9.75, true});
      label->SetAutoSize(true);
      label->SetCaption(previews[i]);
      previews_[i] = &Place(std::move(label), Rect{10, 300 + 30 * i, 630, 300 + 30 * i + 20}, u"HyperLabel");
    }
  }

  // The main window's room list (rows of 15 shaded when selected) and a
  // settings word list in the user's own colours, each with its second row
  // selected.
  static void PlaceLists() {
    auto rooms = std::make_unique<iList>();
    rooms->Mode = ListModel::SelectMode::kMultiple;
    rooms->SetFont(FontSpec{u"Verdana", 9});
    rooms->SetBackNormal(0xFFFFFF);
    rooms->SetBackSelected(0xF5ECCC);
    rooms->SetBackSelectedG1(0xF5ECDE);
    rooms->SetBackSelectedG2(0xEBBFA0);
    rooms->SetFontNormal(0);
    rooms->SetFontSelected(0x404040);
    rooms->SetItemHeight(15);
    rooms->SetItemHeightAuto(false);
    rooms->SetSelectModeStyle(iList::kStyleVerticalGradient);
    for (auto room : {u"[WinMX] Lobby", u"[Metis] Rock & Roll", u"[WinMX] Jazz", u"[RoboMX] Talk"})
      rooms->AddItem(room);
    auto words = std::make_unique<iList>();
    words->SetFont(FontSpec{u"Tahoma", 9.75});
    words->SetItemHeight(16);
    for (auto word : {u"live", u"remix", u"karaoke"}) words->AddItem(word);
    lists_[0] = &Place(std::move(rooms), Rect{10, 180, 250, 290}, u"iList");
    lists_[1] = &Place(std::move(words), Rect{270, 180, 490, 290}, u"iList");
    for (iList* list : lists_) list->SetItemSelected(1, true);
  }

  static inline test::TestWindow* top_ = nullptr;
  static inline std::vector<Shown> shown_;
  static inline test::Screenshot shot_;
  static inline PanelFrame* frame_ = nullptr;
  static inline CntrlBox* boxes_[4] = {};
  static inline iButton* buttons_[4] = {};
  static inline HyperLabel* previews_[2] = {};
  static inline iList* lists_[2] = {};
};

TEST_F(Gallery, FrameIsABodyUnderAGradientHeader) {
  const Size size = WindowOf(*frame_).ClientSize();
  EXPECT_EQ(At(*frame_, size.width / 2, size.height - 10), kFrameBody);
  EXPECT_EQ(At(*frame_, 2, 30), kFrameBody);

  // The header's lines as the frame draws them, and on the screen every one
  // that its outline leaves visible.
  RecordingCanvas record(size);
  frame_->Paint(record);
  std::vector<CanvasOp> lines;
  for (const CanvasOp& op : record.OpsOf(CanvasOp::Kind::kLine))
    if (op.points[0].y == op.points[1].y && op.points[0].y < frame_->TextBoxHeight()) lines.push_back(op);
  ASSERT_EQ(lines.size(), static_cast<size_t>(frame_->TextBoxHeight()));
  EXPECT_EQ(lines.front().colour, Rgb(221, 236, 254));
  EXPECT_EQ(lines.back().colour, Rgb(129, 169, 226));
  const int x = size.width / 2;
  for (const CanvasOp& line : lines) {
    const int y = line.points[0].y;
    const Colour shown = At(*frame_, x, y);
    EXPECT_TRUE(shown == line.colour || shown == 0) << "header line " << y;  // black: the outline
  }
  EXPECT_EQ(At(*frame_, x, 1), lines[1].colour);
  EXPECT_EQ(At(*frame_, x, frame_->TextBoxHeight() - 2), lines[lines.size() - 2].colour);
}

TEST_F(Gallery, CheckAndOptionBoxesDrawTheSystemImageInTheirTopLeftThirteenPixels) {
  for (int i = 0; i < 4; ++i) {
    const CntrlBox& box = *boxes_[i];
    int dark = 0, drawn = 0;
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x) {
        const Colour c = At(box, x, y);
        dark += x > 2 && x < 10 && y > 2 && y < 10 && RedOf(c) + GreenOf(c) + BlueOf(c) < 3 * 64;
        drawn += c != kFrameBody;
      }
    EXPECT_EQ(dark > 0, box.SelectValue()) << "box " << i;  // the mark or the dot
    EXPECT_GT(drawn, 40) << "box " << i;
    for (int x = 0; x < 19; ++x) EXPECT_EQ(At(box, x, 14), kFrameBody) << "below the image, box " << i;
  }
  // Inside the frame: children of its window.
  EXPECT_EQ(GetParent(WindowOf(*boxes_[0]).Handle()), WindowOf(*frame_).Handle());
}

TEST_F(Gallery, ButtonsShadeTheirFaceLineByLineInEachState) {
  // The base is the button face, lightened by 15 in every state but the
  // normal one; the lines run from base + 15 to base - 15, each clamped.
  const Colour face = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
  const Colour light = Shifted(face, 15);
  const struct {
    iButton::State state;
    Colour top, bottom;
  } expected[] = {
      {iButton::State::kNormal, Shifted(face, 15), Shifted(face, -15)},
      {iButton::State::kHot, Shifted(light, 15), Shifted(light, -15)},
      {iButton::State::kPressed, Shifted(light, -15), Shifted(light, 15)},  // reversed
      {iButton::State::kDisabled, Shifted(light, 15), Shifted(light, -15)},
  };
  for (int i = 0; i < 4; ++i) {
    const iButton& button = *buttons_[i];
    const Size size = WindowOf(button).ClientSize();
    EXPECT_EQ(button.DrawnState(), expected[i].state) << "button " << i;
    EXPECT_EQ(At(button, 3, 2), expected[i].top) << "button " << i;
    EXPECT_EQ(At(button, size.width - 4, size.height - 4), expected[i].bottom) << "button " << i;
  }
}

TEST_F(Gallery, PreviewsShowTheirColourTagsOnBlack) {
  const HyperLabel& line = *previews_[0];
  const Size size = WindowOf(line).ClientSize();
  EXPECT_GT(size.width, 100);
  int red = 0, white = 0, black = 0;
  for (int y = 0; y < size.height; ++y)
    for (int x = 0; x < size.width; ++x) {
      const Colour c = At(line, x, y);
      red += c == kRed;
      white += c == Rgb(255, 255, 255);
      black += c == 0;
    }
  EXPECT_GT(red, 5);  // "me S" in [color=#FF0000]
  EXPECT_GT(white, 5);
  EXPECT_GT(black, size.width * size.height / 2);
  // The second preview's red letter comes first, at its left.
  int redLeft = 0;
  for (int y = 0; y < WindowOf(*previews_[1]).ClientSize().height; ++y)
    for (int x = 0; x < 12; ++x) redLeft += At(*previews_[1], x, y) == kRed;
  EXPECT_GT(redLeft, 5);
}

TEST_F(Gallery, ListsPaintTheSelectedRowInTheirStyle) {
  // Rows start inside the 2-pixel border; the room list's second row runs
  // from y = 17 to 31, shaded from its first colour down to its second.
  const iList& rooms = *lists_[0];
  const int right = WindowOf(rooms).ClientSize().width - 10;  // past the text
  EXPECT_EQ(At(rooms, right, 17), Rgb(222, 236, 245));
  EXPECT_EQ(At(rooms, right, 31), Rgb(160, 191, 235));
  const Colour middle = At(rooms, right, 24);
  EXPECT_LT(RedOf(middle), 222);
  EXPECT_GT(RedOf(middle), 160);
  EXPECT_EQ(At(rooms, right, 10), Rgb(255, 255, 255));  // the first row, not selected

  const iList& words = *lists_[1];
  const int wordsRight = WindowOf(words).ClientSize().width - 10;
  EXPECT_EQ(At(words, wordsRight, 2 + 16 + 8), static_cast<Colour>(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(At(words, wordsRight, 2 + 8), static_cast<Colour>(GetSysColor(COLOR_WINDOW)));
}

TEST_F(Gallery, SavesItsPicture) {
  const std::string path =
      std::string(LANTERNFLY_SCREENSHOTS) + (sizeof(void*) == 4 ? "/gallery-win32.bmp" : "/gallery-win64.bmp");
  CreateDirectoryA(LANTERNFLY_SCREENSHOTS, nullptr);
  EXPECT_TRUE(shot_.SaveBmp(path)) << path;
}

// After the picture: posted clicks and the frame's enabling act on the
// controls themselves.
TEST_F(Gallery, PostedClicksAndDisablingTheFrame) {
  int clicks = 0;
  buttons_[0]->Click = [&] { ++clicks; };
  for (HWND target : {WindowOf(*buttons_[0]).Handle(), WindowOf(*boxes_[3]).Handle()}) {
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  Pump(200);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(boxes_[3]->SelectValue());

  frame_->SetEnabled(false);
  for (CntrlBox* box : boxes_) EXPECT_FALSE(IsWindowEnabled(WindowOf(*box).Handle()));
  frame_->SetEnabled(true);
  for (CntrlBox* box : boxes_) EXPECT_TRUE(IsWindowEnabled(WindowOf(*box).Handle()));
}

}  // namespace
}  // namespace lanternfly
