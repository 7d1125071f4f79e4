#include "controls/ListModel.h"

#include <algorithm>

#include "text/Text.h"

namespace lanternfly {

ListError::ListError(int number)
    : std::runtime_error(number == 380 ? "Invalid property value" : "Invalid array index"), number_(number) {}

const ListModel::Item& ListModel::At(int index) const {
  if (index < 0 || index >= ListCount()) throw ListError(381);
  return items_[static_cast<std::size_t>(index)];
}

ListModel::Item& ListModel::At(int index) {
  return const_cast<Item&>(static_cast<const ListModel&>(*this).At(index));
}

int ListModel::SelectedCount() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Item& item) { return item.selected; }));
}

// When every item fits, the top stays at the first.
int ListModel::MaxTopIndex() const { return std::max(0, ListCount() - visibleRows_); }

void ListModel::ScrollTo(int top) {
  top = std::clamp(top, 0, MaxTopIndex());
  if (top == topIndex_) return;
  topIndex_ = top;
  observer_->CloseEdit();
  observer_->RowsChanged();
  observer_->TopIndexChange();
}

void ListModel::SetListIndex(int index) {
  if (index < -1 || index > ListCount() - 1) throw ListError(380);
  observer_->CloseEdit();
  int old = listIndex_;
  listIndex_ = index < 0 || items_.empty() ? -1 : index;
  if (Mode == SelectMode::kSingle) {
    if (old >= 0 && old < ListCount()) items_[old].selected = false;
    if (listIndex_ >= 0) items_[listIndex_].selected = true;
  }
  if (old >= 0 && old < ListCount()) observer_->RowChanged(old);
  if (listIndex_ >= 0) observer_->RowChanged(listIndex_);
  if (listIndex_ >= 0) {
    if (listIndex_ < topIndex_) ScrollTo(listIndex_);
    else if (listIndex_ > topIndex_ + visibleRows_ - 1) ScrollTo(listIndex_ - visibleRows_ + 1);
  }
  observer_->ListIndexChange();
}

void ListModel::SetTopIndex(int index) {
  if (index < 0 || index > MaxTopIndex()) throw ListError(380);
  ScrollTo(index);
}

void ListModel::SetVisibleRows(int rows) {
  visibleRows_ = std::max(1, rows);
  ScrollTo(topIndex_);
}

void ListModel::SetItemText(int index, std::u16string text) {
  At(index).text = std::move(text);
  observer_->RowChanged(index);
}

void ListModel::SetItemIcon(int index, std::int16_t icon) {
  At(index).icon = icon;
  observer_->RowChanged(index);
}

void ListModel::SetItemIconSelected(int index, std::int16_t icon) {
  At(index).iconSelected = icon;
  observer_->RowChanged(index);
}

void ListModel::SetItemSelected(int index, bool selected) {
  At(index).selected = selected;
  observer_->RowChanged(index);
}

void ListModel::AddItem(std::u16string text, std::int16_t icon, std::int16_t iconSelected) {
  items_.push_back({std::move(text), icon, iconSelected, false});
  observer_->RowChanged(ListCount() - 1);
}

void ListModel::InsertItem(int index, std::u16string text, std::int16_t icon, std::int16_t iconSelected) {
  if (items_.empty() || index < 0 || index > ListCount()) throw ListError(381);
  items_.insert(items_.begin() + index, {std::move(text), icon, iconSelected, false});
  // The current item stays on the same entry, where it may be out of view:
  // an insert or a remove does not scroll, the next move does.
  if (listIndex_ >= index) ++listIndex_;
  observer_->RowsChanged();
}

void ListModel::ModifyItem(int index, std::optional<std::u16string> text, std::optional<std::int16_t> icon,
                           std::optional<std::int16_t> iconSelected) {
  Item& item = At(index);
  if (text) item.text = std::move(*text);
  if (icon) item.icon = *icon;
  if (iconSelected) item.iconSelected = *iconSelected;
  observer_->RowChanged(index);
}

void ListModel::RemoveItem(int index) {
  if (items_.empty() || index < 0 || index > ListCount() - 1) throw ListError(381);
  items_.erase(items_.begin() + index);
  if (listIndex_ == index) listIndex_ = -1;
  else if (listIndex_ > index) --listIndex_;
  topIndex_ = std::min(topIndex_, MaxTopIndex());
  observer_->RowsChanged();
}

int ListModel::FindFirst(std::u16string_view text, int start, bool startWith) const {
  if (items_.empty()) throw ListError(381);
  std::u16string wanted = FoldCase(text);
  for (int index = std::max(0, start); index < ListCount(); ++index) {
    std::u16string candidate = FoldCase(items_[index].text);
    std::size_t at = candidate.find(wanted);
    if (startWith ? at == 0 : at != std::u16string::npos) return index;
  }
  return -1;
}

void ListModel::Clear() {
  observer_->CloseEdit();
  items_.clear();
  listIndex_ = -1;
  topIndex_ = 0;
  observer_->RowsChanged();
}

void ListModel::Order() {
  const int count = ListCount();
  if (count < 2) return;
  auto outOfOrder = [this](const Item& a, const Item& b) {
    return Ordering == OrderType::kAscending ? a.text > b.text : a.text < b.text;
  };
  // Shell sort with the gaps 1, 4, 13, 40, ...: texts compared by character code.
  int gap = 1;
  while (gap * 3 + 1 <= count) gap = gap * 3 + 1;
  for (; gap >= 1; gap /= 3) {
    for (int i = gap; i < count; ++i) {
      Item moving = std::move(items_[i]);
      int j = i;
      for (; j >= gap && outOfOrder(items_[j - gap], moving); j -= gap) items_[j] = std::move(items_[j - gap]);
      items_[j] = std::move(moving);
    }
  }
  for (Item& item : items_) item.selected = false;
  listIndex_ = -1;
  topIndex_ = 0;
  observer_->RowsChanged();
  observer_->TopIndexChange();
}

void ListModel::MoveTo(int index) { SetListIndex(std::clamp(index, 0, ListCount() - 1)); }

void ListModel::MouseDown(int row) {
  if (row >= 0 && row < ListCount()) {
    if (Mode == SelectMode::kSingle) {
      items_[row].selected = true;
    } else {
      items_[row].selected = !items_[row].selected;
      dragState_ = items_[row].selected;
    }
    SetListIndex(row);
  }
  mouseDown_ = true;
  lastRow_ = row;
}

void ListModel::MouseMove(int row) {
  if (lastRow_ == row) return;
  lastRow_ = row;
  if (!(HoverSelection || mouseDown_) || row < 0 || row >= ListCount()) return;
  // Every row crossed while dragging takes the state the click gave.
  if (Mode == SelectMode::kMultiple) items_[row].selected = dragState_;
  SetListIndex(row);
}

bool ListModel::DragStep(int direction) {
  const int from = listIndex_ >= 0 ? listIndex_ : direction < 0 ? topIndex_ : topIndex_ + visibleRows_ - 1;
  const int to = from + (direction < 0 ? -1 : 1);
  if (to < 0 || to >= ListCount()) return false;
  if (Mode == SelectMode::kMultiple) items_[to].selected = dragState_;
  SetListIndex(to);
  return true;
}

bool ListModel::KeyDown(int key) {
  // Without a current row the moving keys start at the first.
  if (items_.empty() || (listIndex_ < 0 && (key == kKeySpace || key == kKeyEnter))) return false;
  switch (key) {
    case kKeyUp: MoveTo(listIndex_ - 1); return true;
    case kKeyDown: MoveTo(listIndex_ + 1); return true;
    case kKeyPageUp: MoveTo(listIndex_ - visibleRows_); return true;
    case kKeyPageDown: MoveTo(listIndex_ + visibleRows_); return true;
    case kKeyHome: MoveTo(0); return true;
    case kKeyEnd: MoveTo(ListCount() - 1); return true;
    case kKeySpace:
    case kKeyEnter:
      if (Mode == SelectMode::kMultiple) {
        items_[listIndex_].selected = !items_[listIndex_].selected;
        observer_->RowChanged(listIndex_);
      }
      observer_->Click();
      return true;
    default: return false;
  }
}

}  // namespace lanternfly
