#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "controls/iList.h"
#include "platform/sim/RecordingCanvas.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {
namespace {

std::string Hex(Colour colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(colour));
  return buffer;
}

// A list in its window. Rows start at (2, 2), inside the 3-D border.
struct Shown {
  iList list;
  SimControlHost host;
  explicit Shown(Size size, int rows = 0) : host(list, size) {
    for (int i = 0; i < rows; ++i) list.AddItem(u"row " + std::u16string(1, static_cast<char16_t>(u'A' + i)));
  }
  // The word lists: Tahoma 9.75 (rows of 16), the rest at the defaults.
  Shown& AsWordList() {
    list.SetFont(FontSpec{u"Tahoma", 9.75});
    list.SetItemHeight(16);
    return *this;
  }
  // The main window's room list: rows of 15.
  Shown& AsChannelList() {
    list.Mode = ListModel::SelectMode::kMultiple;
    list.SetFont(FontSpec{u"Verdana", 9});
    list.SetBackNormal(0xFFFFFF);
    list.SetBackSelected(0xF5ECCC);
    list.SetBackSelectedG1(0xF5ECDE);
    list.SetBackSelectedG2(0xEBBFA0);
    list.SetFontNormal(0);
    list.SetFontSelected(0x404040);
    list.SetItemHeight(15);
    list.SetItemHeightAuto(false);
    list.SetSelectModeStyle(iList::kStyleVerticalGradient);
    return *this;
  }
  std::vector<std::string> Drawn() {
    const RecordingCanvas canvas = host.Paint();
    std::vector<std::string> drawn;
    for (const CanvasOp& op : canvas.Ops())
      if (op.kind != CanvasOp::Kind::kSetFont) drawn.push_back(op.Dump());
    return drawn;
  }
  std::vector<int> Selected() const {
    std::vector<int> selected;
    for (int i = 0; i < list.ListCount(); ++i)
      if (list.ItemSelected(i)) selected.push_back(i);
    return selected;
  }
};

TEST(iList, DrawsAWordListRowByRowWithTheFocusOnTheCurrentOne) {
  Shown s(Size{120, 52});
  s.AsWordList();
  for (auto text : {u"alpha", u"beta", u"gamma"}) s.list.AddItem(text);
  s.list.SetListIndex(1);
  s.host.Focus(true);
  // The word lists keep the user's scheme: window, window text, highlight and highlight text.
  const std::string window = Hex(SystemColour(5)), text = Hex(SystemColour(8)),
                    highlight = Hex(SystemColour(13)), highlightText = Hex(SystemColour(14));
  EXPECT_EQ(s.Drawn(), (std::vector<std::string>{
                           "FillRect 2,2-118,18 " + window,
                           "DrawText 4,2-118,18 2064 " + text + " \"alpha\" -> 4,2 \"alpha\"",
                           "FillRect 2,18-118,34 " + highlight,
                           "DrawText 4,18-118,34 2064 " + highlightText + " \"beta\" -> 4,18 \"beta\"",
                           "FillRect 2,34-118,50 " + window,
                           "DrawText 4,34-118,50 2064 " + text + " \"gamma\" -> 4,34 \"gamma\"",
                           "FocusRect 2,18-118,34",
                           "Edge 0,0-120,52 edge 0xA sides 0xF",
                       }));
  // No focus rectangle without the focus, or with Focus off.
  s.host.Focus(false);
  EXPECT_TRUE(s.host.Paint().OpsOf(CanvasOp::Kind::kFocusRect).empty());
  s.host.Focus(true);
  s.list.SetFocus(false);
  EXPECT_TRUE(s.host.Paint().OpsOf(CanvasOp::Kind::kFocusRect).empty());
}

TEST(iList, ShadesASelectedChannelLineByLineFromTopToBottom) {
  Shown s(Size{200, 49});  // three rows; five items bring the scroll bar: rows end at x = 185
  s.AsChannelList();
  for (auto text : {u"[WinMX] Lobby", u"[Metis] Rock & Roll", u"[WinMX] Jazz", u"[RoboMX] Talk", u"[WinMX] Blues"})
    s.list.AddItem(text);
  s.host.Click({50, 2 + 15 + 7});
  std::vector<std::string> drawn = s.Drawn();
  ASSERT_EQ(drawn.size(), 2u + 15u + 1u + 2u + 2u);
  EXPECT_EQ(drawn[0], "FillRect 2,2-185,17 FFFFFF");
  EXPECT_EQ(drawn[2], "Line 2,17-185,17 F5ECDE");
  EXPECT_EQ(drawn[3], "Line 2,18-185,18 F4E9DA");  // 222,236,245 a fourteenth of the way to 160,191,235
  EXPECT_EQ(drawn[16], "Line 2,31-185,31 EBBFA0");
  EXPECT_EQ(drawn[17], "DrawText 4,17-185,32 2064 404040 \"[Metis] Rock & Roll\" -> 4,17 \"[Metis] Rock & Roll\"");
  EXPECT_EQ(drawn[20], "FocusRect 2,17-185,32");
  EXPECT_EQ(drawn[21], "Edge 0,0-187,49 edge 0xA sides 0xF");
}

TEST(iList, PaintsSelectedRowsInEachOtherStyle) {
  struct {
    int style;
    std::vector<std::string> background;  // before the text; "..." stands for the middle
  } const cases[] = {
      {iList::kStyleTextOnly, {"FillRect 2,2-98,18 FFFFFF"}},
      {iList::kStyleHorizontalGradient, {"Line 2,2-2,18 0000FF", "...", "Line 97,2-97,18 FF0000"}},
      {iList::kStyleBox, {"FillRect 2,2-98,18 FFFFFF", "RoundRect 3,3-97,17 r6 pen 123456 brush 00FF00"}},
      {iList::kStyleUnderlined, {"FillRect 2,2-98,18 FFFFFF"}},
      {iList::kStylePicture, {"FillRect 2,2-98,18 00FF00"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    Shown s(Size{100, 20}, 1);
    s.AsWordList();
    s.list.SetBackNormal(0xFFFFFF);
    s.list.SetBackSelected(0x00FF00);
    s.list.SetBackSelectedG1(0x0000FF);
    s.list.SetBackSelectedG2(0xFF0000);
    s.list.SetBoxBorder(0x123456);
    s.list.SetBoxRadius(3);
    s.list.SetSelectModeStyle(c.style);
    s.list.SetListIndex(0);
    EXPECT_EQ(s.host.Paint().OpsOf(CanvasOp::Kind::kDrawText).at(0).font.underline, c.style == iList::kStyleUnderlined);
    std::vector<std::string> drawn = s.Drawn();
    drawn.resize(drawn.size() - 2);  // the text and the border
    if (drawn.size() > 3) drawn = {drawn.front(), "...", drawn.back()};
    EXPECT_EQ(drawn, c.background);
  }
}

TEST(iList, PlacesTheTextByWordWrapAlignmentAndOffset) {
  struct {
    bool wordWrap;
    int alignment, itemOffset;
    unsigned flags;
    Point at;
  } const cases[] = {
      {true, 0, 0, 0x810, {4, 2}},   // wrapped, left, from the top
      {true, 2, 0, 0x812, {80, 2}},  // wrapped, right
      {false, 2, 0, 0x824, {4, 4}},  // one line, left, centred down the row of 20
      {false, 0, 3, 0x824, {4, 7}},  // moved down by the offset
  };
  for (const auto& c : cases) {
    Shown s(Size{100, 24});
    s.AsWordList();
    s.list.SetItemHeightAuto(false);
    s.list.SetItemHeight(20);
    s.list.SetWordWrap(c.wordWrap);
    s.list.SetAlignment(c.alignment);
    s.list.SetItemOffset(c.itemOffset);
    s.list.AddItem(u"R&B");  // shown as it is, never as a mnemonic
    const CanvasOp text = s.host.Paint().OpsOf(CanvasOp::Kind::kDrawText).at(0);
    EXPECT_EQ(text.flags, c.flags);
    EXPECT_EQ(text.lines, (std::vector<TextLine>{{c.at, u"R&B"}}));
  }
}

TEST(iList, LaysOutRowsAndTheScrollBar) {
  struct {
    ListMetrics metrics;  // client, line height, automatic, ItemHeight, border, bar width, items
    int rowHeight, visibleRows;
    bool scrollBar;
    Rect area;
  } const cases[] = {
      {{{100, 52}, 15, false, 10, 2, 13, 3}, 15, 3, false, {2, 2, 98, 50}},  // ItemHeight raised to the line
      {{{60, 30}, 14, true, 0, 0, 40, 9}, 14, 2, true, {0, 0, 30, 30}},      // bar at most half the width
      {{{60, 10}, 0, true, 0, 0, 13, 0}, 1, 10, false, {0, 0, 60, 10}},      // no font height
  };
  for (const auto& c : cases) {
    const ListGeometry geometry = LayOutList(c.metrics);
    EXPECT_EQ(geometry.rowHeight, c.rowHeight);
    EXPECT_EQ(geometry.visibleRows, c.visibleRows);
    EXPECT_EQ(geometry.scrollBar, c.scrollBar);
    EXPECT_EQ(geometry.area, c.area);
  }
}

TEST(iList, KeepsTheScrollBarInStepWithItemsSizeAndTheUser) {
  Shown s(Size{100, 52}, 3);  // three rows
  s.AsWordList();
  s.list.SetScrollBarWidth(8);  // too narrow: ignored
  EXPECT_FALSE(s.host.scrollBar.visible);
  for (int i = 0; i < 5; ++i) s.list.AddItem(u"more");
  s.list.SetListIndex(7);
  auto bar = [&] {
    const ScrollBarState& b = s.host.scrollBar;
    return std::vector<int>{b.visible, b.width, b.maximum, b.largeChange, b.value};
  };
  EXPECT_EQ(bar(), (std::vector<int>{true, 13, 5, 3, 5}));
  s.host.SetSize(Size{100, 84});  // five rows: a smaller range
  EXPECT_EQ(bar(), (std::vector<int>{true, 13, 3, 5, 3}));

  // The user's moves, any value the window reports, close the edit box.
  int scrolls = 0;
  s.list.events.Scroll = [&] { ++scrolls; };
  s.list.StartEdit();
  s.host.Scroll(1);
  EXPECT_FALSE(s.host.editBox);
  s.host.Scroll(99);
  EXPECT_EQ(s.list.TopIndex(), 3);
  s.host.Scroll(-3);
  EXPECT_EQ(s.list.TopIndex(), 0);
  EXPECT_EQ(scrolls, 3);

  s.list.Clear();
  EXPECT_EQ(bar(), (std::vector<int>{false, 13, 0, 5, 0}));
}

TEST(iList, OpensTheEditBoxOverTheCurrentRowInItsColours) {
  struct {
    bool selected;
    int style, itemOffset;
    unsigned alignment;
    Rect rect;  // the scroll bar takes 13 pixels
    Colour back, fore;
  } const cases[] = {
      {false, 0, 0, 0, {4, 34, 105, 50}, 0xFFFFFF, 0x000000},
      {true, 0, 0, 2, {4, 34, 105, 50}, 0xF5ECCC, 0x404040},
      {true, iList::kStyleUnderlined, 0, 1, {4, 34, 105, 50}, 0xFFFFFF, 0x000000},
      {false, 0, 3, 0, {7, 37, 102, 47}, 0xFFFFFF, 0x000000},  // inset by the offset
  };
  for (const auto& c : cases) {
    Shown s(Size{120, 52});
    s.AsChannelList().AsWordList();
    s.list.SetSelectModeStyle(c.style);
    s.list.SetItemOffset(c.itemOffset);
    s.list.SetAlignment(static_cast<int>(c.alignment));
    for (int i = 0; i < 10; ++i) s.list.AddItem(i == 9 ? u"last" : u"row");
    s.list.SetListIndex(9);
    s.list.SetItemSelected(9, c.selected);
    s.list.SetTopIndex(0);  // out of view: opening scrolls it back as the third row
    s.list.StartEdit();
    ASSERT_TRUE(s.host.editBox);
    EXPECT_EQ(s.list.TopIndex(), 7);
    const EditBoxSpec& box = *s.host.editBox;
    EXPECT_EQ(std::tie(box.rect, box.text, box.back, box.fore, box.alignment),
              std::tie(c.rect, u"last", c.back, c.fore, c.alignment));
    EXPECT_EQ(box.font, (FontSpec{u"Tahoma", 9.75}));
  }
}

TEST(iList, EditBoxKeysCommitOrDiscard) {
  struct {
    bool wordWrap;
    int key, shift;
    bool handled;
    const char16_t* text;
  } const cases[] = {
      {true, keys::kEnter, 0, true, u"new"},
      {true, keys::kEscape, 0, true, u"row B"},
      {true, keys::kEnter, modifiers::kControl, false, u"row B"},  // a line feed, the box's own
      {false, keys::kEnter, modifiers::kControl, true, u"new"},
  };
  for (const auto& c : cases) {
    Shown s(Size{120, 52}, 3);
    s.list.SetWordWrap(c.wordWrap);
    s.list.SetListIndex(1);
    s.host.Focus(true);
    s.list.StartEdit();
    EXPECT_FALSE(s.host.focused);  // the box has it
    s.host.TypeInEditBox(u"new");
    EXPECT_EQ(s.host.EditBoxKey(c.key, c.shift), c.handled);
    EXPECT_EQ(s.host.editBox.has_value(), !c.handled);
    EXPECT_EQ(s.host.focused, c.handled);
    EXPECT_EQ(s.list.ItemText(1), c.text);
  }
}

TEST(iList, ChangingTheRowsUnderTheEditBoxClosesItWithoutWriting) {
  const std::function<void(iList&)> changes[] = {
      [](iList& list) { list.RemoveItem(1); },        // the item edited
      [](iList& list) { list.InsertItem(0, u"x"); },  // moves it down a row
      [](iList& list) { list.Order(); },
      [](iList& list) { list.SetListIndex(2); },
  };
  for (const auto& change : changes) {
    Shown s(Size{120, 52}, 3);
    s.list.SetListIndex(1);
    s.list.StartEdit();
    s.host.TypeInEditBox(u"typed");
    change(s.list);
    EXPECT_FALSE(s.host.editBox);
    EXPECT_FALSE(s.host.EditBoxKey(keys::kEnter));
    for (int i = 0; i < s.list.ListCount(); ++i) EXPECT_NE(s.list.ItemText(i), u"typed");
  }
}

TEST(iList, ClickDragSelectsTheRowsUnderThePointer) {
  Shown s(Size{200, 64}, 10);  // four rows of 15 from y = 2
  s.AsChannelList();
  s.list.SetTopIndex(2);
  s.host.MouseDown({30, 2 + 15});  // the second row shown: item 3
  EXPECT_TRUE(s.host.captured);
  s.host.MouseMove({30, 2 + 30}, MouseButton::kLeft);
  s.host.MouseMove({30, 2 + 59}, MouseButton::kLeft);
  s.host.MouseUp({30, 2 + 59});
  EXPECT_FALSE(s.host.captured);
  s.host.MouseMove({30, 2 + 15});  // no button: nothing
  s.host.Click({30, 2 + 45}, MouseButton::kRight);
  EXPECT_EQ(s.Selected(), (std::vector<int>{3, 4, 5}));
  EXPECT_EQ(s.list.ListIndex(), 5);
}

TEST(iList, AutoScrollPaceGrowsWithTheDistanceOutside) {
  const int cases[][2] = {{-1, 480}, {-5, 400}, {-23, 40}, {60, 480}, {64, 400}, {INT_MIN, 40}, {INT_MAX, 40}};
  for (const auto& c : cases) EXPECT_EQ(AutoScrollInterval(c[0], 60), c[1]) << c[0];
}

TEST(iList, AutoScrollStepsAtTheStartingPaceUntilAnEndTheReturnOrTheRelease) {
  auto pressOn = [](Shown& s, int item) {
    s.AsChannelList();
    s.list.SetListIndex(item);
    s.host.MouseDown({30, 2 + (item - s.list.TopIndex()) * 15 + 3});  // selects it, and the rows passed
  };
  struct {
    int item, pointerY, interval;
    std::vector<int> selected;
  } const directions[] = {
      {2, -3, 400, {0, 1, 2}},       // 5 pixels above: to the first item
      {17, 65, 420, {17, 18, 19}},  // 4 pixels below: to the last
  };
  for (const auto& d : directions) {
    Shown s(Size{200, 64}, 20);
    pressOn(s, d.item);
    const int step = d.pointerY < 0 ? -1 : 1;
    s.host.MouseMove({30, d.pointerY}, MouseButton::kLeft);  // a step at once
    s.host.MouseMove({30, d.pointerY * 9}, MouseButton::kLeft);  // farther out: the same pace
    EXPECT_EQ(s.host.TimerInterval(iList::kAutoScrollTimer), d.interval);
    s.host.Advance(d.interval - 1);
    EXPECT_EQ(s.list.ListIndex(), d.item + step);
    s.host.Advance(1);
    EXPECT_FALSE(s.host.TimerInterval(iList::kAutoScrollTimer));  // at the end
    EXPECT_EQ(s.Selected(), d.selected);
  }
  for (bool release : {false, true}) {  // the pointer returns, or the button is released
    Shown s(Size{200, 64}, 20);
    pressOn(s, 5);
    s.host.MouseMove({30, 70}, MouseButton::kLeft);
    s.host.Advance(1000);
    if (release)
      s.host.MouseUp({30, 70});
    else
      s.host.MouseMove({30, 2 + 3}, MouseButton::kLeft);  // the row under it is taken
    EXPECT_FALSE(s.host.TimerInterval(iList::kAutoScrollTimer));
    EXPECT_EQ(s.list.ListIndex(), release ? 9 : s.list.TopIndex());
  }
}

TEST(iList, ExtremeValuesNeitherOverflowNorCrash) {
  Shown s(Size{100, 40}, 3);
  s.list.SetItemHeightAuto(false);
  s.list.SetSelectModeStyle(iList::kStyleBox);
  s.host.Focus(true);
  for (int value : {INT_MAX, INT_MIN}) {
    s.list.SetItemHeight(value);
    s.list.SetItemTextLeft(value);
    s.list.SetBoxOffset(value);
    s.list.SetBoxRadius(value);
    s.list.SetScrollBarWidth(value);
    s.list.SetListIndex(2);
    s.host.Paint();
    s.host.MouseDown({5, value});
    s.host.MouseMove({5, value}, MouseButton::kLeft);
    s.host.MouseUp({5, value});
    s.list.StartEdit();
    s.list.EndEdit(true);
  }
  EXPECT_EQ(s.list.ListCount(), 3);
}

}  // namespace
}  // namespace lanternfly
