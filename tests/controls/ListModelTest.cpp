#include "controls/ListModel.h"

#include <gtest/gtest.h>

namespace lanternfly {
namespace {

int ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ListError& error) {
    return error.Number();
  }
  return 0;
}

std::vector<std::u16string> Texts(const ListModel& list) {
  std::vector<std::u16string> texts;
  for (int i = 0; i < list.ListCount(); ++i) texts.push_back(list.ItemText(i));
  return texts;
}

TEST(ListModel, BadIndexesRaiseTheirErrorNumbersAndChangeNothing) {
  ListModel list;
  EXPECT_EQ(ErrorOf([&] { list.InsertItem(0, u"x"); }), 381);
  EXPECT_EQ(ErrorOf([&] { list.RemoveItem(0); }), 381);
  EXPECT_EQ(ErrorOf([&] { list.FindFirst(u"x"); }), 381);
  list.AddItem(u"a");
  EXPECT_EQ(ErrorOf([&] { (void)list.ItemText(1); }), 381);
  EXPECT_EQ(ErrorOf([&] { list.SetItemSelected(-1, true); }), 381);
  EXPECT_EQ(ErrorOf([&] { list.SetListIndex(1); }), 380);
  EXPECT_EQ(ErrorOf([&] { list.SetListIndex(-2); }), 380);
  EXPECT_EQ(ErrorOf([&] { list.SetTopIndex(1); }), 380);
  EXPECT_EQ(ErrorOf([&] { list.SetListIndex(-1); }), 0);
  EXPECT_EQ(ErrorOf([&] { list.InsertItem(1, u"b"); }), 0);  // at the end
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(ListModel, CurrentItemFollowsItsEntryThroughInsertAndRemove) {
  ListModel list;
  for (auto text : {u"a", u"b", u"c", u"d"}) list.AddItem(text);
  list.SetListIndex(2);
  list.InsertItem(0, u"new");
  EXPECT_EQ(list.ListIndex(), 3);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(3);
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(2);
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST(ListModel, SingleSelectionFollowsTheCurrentItem) {
  ListModel list;
  for (auto text : {u"a", u"b", u"c"}) list.AddItem(text);
  list.SetListIndex(0);
  list.SetListIndex(2);
  EXPECT_FALSE(list.ItemSelected(0));
  EXPECT_TRUE(list.ItemSelected(2));
  EXPECT_EQ(list.SelectedCount(), 1);
}

TEST(ListModel, MultipleSelectionTogglesAndDragsTheClickedState) {
  ListModel list;
  list.Mode = ListModel::SelectMode::kMultiple;
  for (int i = 0; i < 5; ++i) list.AddItem(u"row");
  list.MouseDown(0);  // becomes selected: every row crossed is selected
  list.MouseMove(1);
  list.MouseMove(2);
  list.MouseUp();
  EXPECT_EQ(list.SelectedCount(), 3);
  list.MouseDown(1);  // becomes clear: rows crossed are cleared
  list.MouseMove(2);
  list.MouseUp();
  list.MouseMove(3);  // no button held: nothing
  EXPECT_TRUE(list.ItemSelected(0));
  EXPECT_FALSE(list.ItemSelected(1));
  EXPECT_FALSE(list.ItemSelected(2));
  EXPECT_FALSE(list.ItemSelected(3));
  EXPECT_EQ(list.ListIndex(), 2);
  list.KeyDown(ListModel::kKeySpace);
  EXPECT_TRUE(list.ItemSelected(2));
}

TEST(ListModel, KeysMoveTheCurrentItemAndScrollItIntoView) {
  ListModel list;
  for (int i = 0; i < 20; ++i) list.AddItem(u"row");
  list.SetVisibleRows(5);
  EXPECT_FALSE(list.KeyDown(ListModel::kKeyDown));  // no current item yet
  list.SetListIndex(0);
  list.KeyDown(ListModel::kKeyPageDown);
  EXPECT_EQ(list.ListIndex(), 5);
  EXPECT_EQ(list.TopIndex(), 1);
  list.KeyDown(ListModel::kKeyEnd);
  EXPECT_EQ(list.ListIndex(), 19);
  EXPECT_EQ(list.TopIndex(), 15);
  list.KeyDown(ListModel::kKeyDown);
  EXPECT_EQ(list.ListIndex(), 19);
  list.KeyDown(ListModel::kKeyPageUp);
  list.KeyDown(ListModel::kKeyUp);
  EXPECT_EQ(list.ListIndex(), 13);
  EXPECT_EQ(list.TopIndex(), 13);
  list.KeyDown(ListModel::kKeyHome);
  EXPECT_EQ(list.TopIndex(), 0);
}

// Inserting or removing an item does not scroll; the move after it scrolls
// the current item into view, as every move does.
TEST(ListModel, TheMoveAfterAnInsertOrARemoveScrollsTheCurrentItemIntoView) {
  using Action = std::function<void(ListModel&)>;
  auto key = [](int code) { return [code](ListModel& list) { list.KeyDown(code); }; };
  const struct {
    const char* what;
    Action change, move;
    int listIndex, topIndex;
  } cases[] = {
      {"insert above, End", [](ListModel& list) { list.InsertItem(0, u"new"); }, key(ListModel::kKeyEnd), 20, 16},
      {"insert below, Down", [](ListModel& list) { list.InsertItem(19, u"new"); }, key(ListModel::kKeyDown), 5, 1},
      {"remove below, Down", [](ListModel& list) { list.RemoveItem(19); }, key(ListModel::kKeyDown), 5, 1},
      {"remove above, Page Down", [](ListModel& list) { list.RemoveItem(0); }, key(ListModel::kKeyPageDown), 8, 4},
      {"remove below, a click on the row cut off at the bottom", [](ListModel& list) { list.RemoveItem(10); },
       [](ListModel& list) { list.MouseDown(5); }, 5, 1},
  };
  for (const auto& test : cases) {
    ListModel list;
    for (int i = 0; i < 20; ++i) list.AddItem(u"row");
    list.SetVisibleRows(5);
    list.SetListIndex(4);
    test.change(list);
    EXPECT_EQ(list.TopIndex(), 0) << test.what;
    test.move(list);
    EXPECT_EQ(list.ListIndex(), test.listIndex) << test.what;
    EXPECT_EQ(list.TopIndex(), test.topIndex) << test.what;
  }
}

TEST(ListModel, OrderSortsByCharacterCodeAndClearsSelections) {
  ListModel list;
  list.Mode = ListModel::SelectMode::kMultiple;
  for (auto text : {u"b", u"B", u"a", u"c", u"A", u"b"}) list.AddItem(text);
  list.SetItemSelected(0, true);
  list.SetListIndex(1);
  list.Order();
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"A", u"B", u"a", u"b", u"b", u"c"}));
  EXPECT_EQ(list.SelectedCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
  list.Ordering = ListModel::OrderType::kDescending;
  list.Order();
  EXPECT_EQ(list.ItemText(0), u"c");
}

TEST(ListModel, FindFirstIgnoresCase) {
  ListModel list;
  for (auto text : {u"Lobby", u"The Chat", u"chat 2"}) list.AddItem(text);
  EXPECT_EQ(list.FindFirst(u"CHAT"), 1);
  EXPECT_EQ(list.FindFirst(u"chat", 0, true), 2);
  EXPECT_EQ(list.FindFirst(u"lobby", 1), -1);
}

}  // namespace
}  // namespace lanternfly
