#pragma once

// The list control's items and selection, apart from its drawing: what the
// program asks of a list (texts, selected flags, the current and the first
// visible item) and how clicks and keys move the selection. The drawing
// half watches it through ListObserver and tells it how many rows fit.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lanternfly {

// A bad index or value, with the standard run-time error number:
// 380 invalid property value, 381 invalid array index.
class ListError : public std::runtime_error {
 public:
  explicit ListError(int number);
  int Number() const { return number_; }

 private:
  int number_;
};

class ListObserver {
 public:
  virtual ~ListObserver() = default;
  virtual void RowChanged(int /*index*/) {}
  virtual void RowsChanged() {}  // items added, removed or reordered
  virtual void ListIndexChange() {}
  virtual void TopIndexChange() {}
  virtual void Click() {}
  virtual void CloseEdit() {}  // the in-place edit box closes without committing
};

class ListModel {
 public:
  enum class SelectMode { kSingle = 0, kMultiple = 1 };
  enum class OrderType { kAscending = 0, kDescending = 1 };

  // Keys that move the selection (Windows virtual-key codes).
  static constexpr int kKeyEnter = 13, kKeySpace = 32, kKeyPageUp = 33, kKeyPageDown = 34, kKeyEnd = 35, kKeyHome = 36,
                       kKeyUp = 38, kKeyDown = 40;

  ListModel() = default;
  ListModel(const ListModel&) = delete;
  ListModel& operator=(const ListModel&) = delete;

  void SetObserver(ListObserver* observer) { observer_ = observer ? observer : &quiet_; }

  int ListCount() const { return static_cast<int>(items_.size()); }
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int index);
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int index);
  int SelectedCount() const;

  // Items by index, 0 to ListCount() - 1; another index raises error 381.
  const std::u16string& ItemText(int index) const { return At(index).text; }
  void SetItemText(int index, std::u16string text);
  std::int16_t ItemIcon(int index) const { return At(index).icon; }
  void SetItemIcon(int index, std::int16_t icon);
  std::int16_t ItemIconSelected(int index) const { return At(index).iconSelected; }
  void SetItemIconSelected(int index, std::int16_t icon);
  bool ItemSelected(int index) const { return At(index).selected; }
  void SetItemSelected(int index, bool selected);

  void AddItem(std::u16string text, std::int16_t icon = 0, std::int16_t iconSelected = 0);
  void InsertItem(int index, std::u16string text, std::int16_t icon = 0, std::int16_t iconSelected = 0);
  void ModifyItem(int index, std::optional<std::u16string> text, std::optional<std::int16_t> icon = std::nullopt,
                  std::optional<std::int16_t> iconSelected = std::nullopt);
  void RemoveItem(int index);
  // The first index from `start` on whose text holds (or, with `startWith`,
  // begins with) `text`, ignoring case; -1 when none. Error 381 on an empty list.
  int FindFirst(std::u16string_view text, int start = 0, bool startWith = false) const;
  void Clear();
  // Sorts by character code; clears every selection and scrolls to the top.
  void Order();

  SelectMode Mode = SelectMode::kSingle;
  OrderType Ordering = OrderType::kAscending;
  bool HoverSelection = false;

  // How many whole rows the drawing half shows.
  int VisibleRows() const { return visibleRows_; }
  void SetVisibleRows(int rows);

  // The pointer on a row (Y \ row height + TopIndex; a row past the last
  // item is no item).
  void MouseDown(int row);
  void MouseMove(int row);
  void MouseUp() { mouseDown_ = false; }
  // A button went down on the list and is not yet up.
  bool ButtonHeld() const { return mouseDown_; }
  // One step of the auto-scroll while the button is held beyond the top
  // (-1) or bottom (+1) edge: the current item moves one row that way,
  // taking the drag state in multiple mode; without a current item the step
  // starts from the first or last visible row. False when no item lies
  // that way.
  bool DragStep(int direction);
  // A key pressed on the list; true when it moved or toggled the selection.
  bool KeyDown(int key);

 private:
  struct Item {
    std::u16string text;
    std::int16_t icon = 0;
    std::int16_t iconSelected = 0;
    bool selected = false;
  };

  const Item& At(int index) const;
  Item& At(int index);
  int MaxTopIndex() const;
  void ScrollTo(int top);
  void MoveTo(int index);

  std::vector<Item> items_;
  int listIndex_ = -1;
  int topIndex_ = 0;
  int visibleRows_ = 1;
  bool mouseDown_ = false;
  bool dragState_ = false;
  std::optional<int> lastRow_;
  ListObserver quiet_;
  ListObserver* observer_ = &quiet_;
};

}  // namespace lanternfly
