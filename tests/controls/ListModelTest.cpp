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
  list.AddItem(u"a");
  const std::pair<std::function<void()>, int> cases[] = {
      {[&] { list.InsertItem(2, u"x"); }, 381}, {[&] { list.RemoveItem(1); }, 381},
      {[&] { (void)list.ItemText(1); }, 381},   {[&] { list.SetItemSelected(-1, true); }, 381},
      {[&] { list.SetListIndex(1); }, 380},     {[&] { list.SetListIndex(-2); }, 380},
      {[&] { list.SetTopIndex(1); }, 380},      {[&] { list.SetListIndex(-1); }, 0},
      {[&] { list.InsertItem(1, u"b"); }, 0},  // at the end
  };
  for (const auto& [action, error] : cases) EXPECT_EQ(ErrorOf(action), error);
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"a", u"b"}));
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
  for (auto text : {u"b", u"B", u"a", u"c", u"A", u"b"}) list.AddItem(text);
  list.SetListIndex(1);
  list.Order();
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"A", u"B", u"a", u"b", u"b", u"c"}));
  EXPECT_EQ(list.ListIndex(), -1);
}

}  // namespace
}  // namespace lanternfly
