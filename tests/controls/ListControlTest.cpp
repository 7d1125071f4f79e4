#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "controls/iList.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {
namespace {

// A list in its window, rows of 15 pixels from (2, 2), inside the 3-D border.
struct Shown {
  iList list;
  SimControlHost host;
  explicit Shown(Size size, int rows = 0) : host(list, size) {
    list.SetItemHeight(15);
    list.SetItemHeightAuto(false);
    for (int i = 0; i < rows; ++i) list.AddItem(u"row " + std::u16string(1, static_cast<char16_t>(u'A' + i)));
  }
};

TEST(iList, ShadesASelectedRowLineByLineFromTopToBottom) {
  Shown s(Size{200, 49});
  s.list.SetBackSelectedG1(0xF5ECDE);
  s.list.SetBackSelectedG2(0xEBBFA0);
  s.list.SetSelectModeStyle(iList::kStyleVerticalGradient);
  for (auto text : {u"[WinMX] Lobby", u"[Metis] Rock & Roll"}) s.list.AddItem(text);
  s.host.Click({50, 2 + 15 + 7});
  RecordingCanvas canvas = s.host.Paint();
  std::vector<CanvasOp> lines = canvas.OpsOf(CanvasOp::Kind::kLine);
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines.front().Dump(), "Line 2,17-198,17 F5ECDE");
  EXPECT_EQ(lines.back().Dump(), "Line 2,31-198,31 EBBFA0");
  // An "&" is part of a room's name, never a mnemonic.
  EXPECT_EQ(canvas.OpsOf(CanvasOp::Kind::kDrawText).at(1).lines,
            (std::vector<TextLine>{{{4, 17}, u"[Metis] Rock & Roll"}}));
}

TEST(iList, KeepsTheScrollBarInStepWithItemsSizeAndTheUser) {
  Shown s(Size{100, 49}, 8);  // three rows
  s.list.SetListIndex(7);
  auto bar = [&] {
    const ScrollBarState& b = s.host.scrollBar;
    return std::vector<int>{b.visible, b.maximum, b.largeChange, b.value};
  };
  EXPECT_EQ(bar(), (std::vector<int>{true, 5, 3, 5}));
  s.host.SetSize(Size{100, 79});  // five rows: a smaller range
  EXPECT_EQ(bar(), (std::vector<int>{true, 3, 5, 3}));
  s.host.Scroll(99);  // any value the window reports
  EXPECT_EQ(s.list.TopIndex(), 3);
}

TEST(iList, EditBoxKeysCommitOrDiscard) {
  const std::tuple<bool, int, int, const char16_t*> cases[] = {
      // word wrap, key, shift, the item after it; Ctrl+Enter is a wrapped box's own line feed
      {true, keys::kEnter, 0, u"new"}, {true, keys::kEscape, 0, u"row B"},
      {true, keys::kEnter, modifiers::kControl, nullptr}, {false, keys::kEnter, modifiers::kControl, u"new"}};
  for (const auto& [wordWrap, key, shift, text] : cases) {
    Shown s(Size{120, 52}, 3);
    s.list.SetWordWrap(wordWrap);
    s.list.SetListIndex(1);
    s.list.StartEdit();
    s.host.TypeInEditBox(u"new");
    EXPECT_EQ(s.host.EditBoxKey(key, shift), text != nullptr);
    EXPECT_EQ(s.list.ItemText(1), text ? text : u"row B");
  }
}

TEST(iList, ChangingTheRowsUnderTheEditBoxClosesItWithoutWriting) {
  const std::function<void(Shown&)> changes[] = {
      [](Shown& s) { s.list.RemoveItem(1); },        // the item edited
      [](Shown& s) { s.list.InsertItem(0, u"x"); },  // moves it down a row
      [](Shown& s) { s.list.Order(); },
      [](Shown& s) { s.list.SetListIndex(2); },
      [](Shown& s) { s.host.Scroll(1); },
  };
  for (const auto& change : changes) {
    Shown s(Size{120, 37}, 3);
    s.list.SetListIndex(1);
    s.list.StartEdit();
    s.host.TypeInEditBox(u"typed");
    change(s);
    EXPECT_FALSE(s.host.editBox);
    EXPECT_FALSE(s.host.EditBoxKey(keys::kEnter));
    for (int i = 0; i < s.list.ListCount(); ++i) EXPECT_NE(s.list.ItemText(i), u"typed");
  }
}

TEST(iList, AutoScrollPaceGrowsWithTheDistanceOutside) {
  const int cases[][2] = {{-1, 480}, {-5, 400}, {-23, 40}, {60, 480}, {64, 400}, {INT_MIN, 40}, {INT_MAX, 40}};
  for (const auto& c : cases) EXPECT_EQ(AutoScrollInterval(c[0], 60), c[1]) << c[0];
}

}  // namespace
}  // namespace lanternfly
