#include "controls/iList.h"

#include <algorithm>
#include <cmath>

#include "controls/Shading.h"

namespace lanternfly {
namespace {

constexpr int kColourWindow = 5, kColourWindowFrame = 6, kColourWindowText = 8, kColourHighlight = 13,
              kColourHighlightText = 14;

// Until a canvas has measured the font: its size in pixels at 96 DPI and
// a usual amount of leading.
int EstimatedLineHeight(const FontSpec& font) { return static_cast<int>(std::lround(font.points * 4 / 3)) + 3; }

template <typename Event, typename... Args>
void Raise(const Event& event, Args&&... args) {
  if (event) event(std::forward<Args>(args)...);
}

bool SameScrollBar(const ScrollBarState& a, const ScrollBarState& b) {
  return a.visible == b.visible && a.width == b.width && a.maximum == b.maximum &&
         a.largeChange == b.largeChange && a.value == b.value;
}

}  // namespace

ListGeometry LayOutList(const ListMetrics& metrics) {
  ListGeometry geometry;
  const int height = metrics.itemHeightAuto ? metrics.lineHeight : std::max(metrics.itemHeight, metrics.lineHeight);
  geometry.rowHeight = std::max(1, height);
  const int border = std::max(0, metrics.border);
  const int areaHeight = std::max(0, metrics.client.height - 2 * border);
  geometry.visibleRows = std::max(1, areaHeight / geometry.rowHeight);
  geometry.scrollBar = metrics.count > geometry.visibleRows;
  geometry.scrollBarWidth = std::max(0, std::min(metrics.scrollBarWidth, metrics.client.width / 2));
  const int right = std::max(0, metrics.client.width - (geometry.scrollBar ? geometry.scrollBarWidth : 0));
  geometry.frame = Rect{0, 0, right, std::max(0, metrics.client.height)};
  geometry.area = Rect{border, border, std::max(border, right - border), border + areaHeight};
  return geometry;
}

Rect RowRect(const ListGeometry& geometry, int slot) {
  const int top = geometry.area.top + slot * geometry.rowHeight;
  return Rect{geometry.area.left, top, geometry.area.right, top + geometry.rowHeight};
}

Rect ItemTextRect(const ListGeometry& geometry, int slot, int itemTextLeft, int itemOffset) {
  Rect row = RowRect(geometry, slot);
  return Rect{row.left + itemTextLeft, row.top + itemOffset, row.right, row.bottom + itemOffset};
}

Rect EditBoxRect(const ListGeometry& geometry, int slot, int itemTextLeft, int itemOffset) {
  Rect row = RowRect(geometry, slot);
  const int top = row.top + itemOffset;
  return Rect{row.left + itemTextLeft + itemOffset, top, std::max(row.left, row.right - itemOffset),
              top + std::max(0, geometry.rowHeight - 2 * itemOffset)};
}

int AutoScrollInterval(int y, int areaHeight) {
  // Wide arithmetic: a pointer far outside must not overflow.
  const long long out = y < 0 ? -static_cast<long long>(y) : static_cast<long long>(y) - (areaHeight - 1);
  return static_cast<int>(std::max(40LL, 500 - 20 * out));
}

iList::iList()
    : fontNormal_{SystemColourOf(kColourWindowText), SystemColour(kColourWindowText)},
      fontSelected_{SystemColourOf(kColourHighlightText), SystemColour(kColourHighlightText)},
      backNormal_{SystemColourOf(kColourWindow), SystemColour(kColourWindow)},
      backSelected_{SystemColourOf(kColourHighlight), SystemColour(kColourHighlight)},
      backSelectedG1_{SystemColourOf(kColourHighlight), SystemColour(kColourHighlight)},
      backSelectedG2_{SystemColourOf(kColourWindow), SystemColour(kColourWindow)},
      boxBorder_{SystemColourOf(kColourHighlightText), SystemColour(kColourHighlightText)} {
  ListModel::SetObserver(this);
  lineHeight_ = EstimatedLineHeight(font_);
  Relayout();
}

// Properties.

void iList::SetColour(HeldColour& colour, OleColour value) {
  std::optional<Colour> resolved = TranslateOleColour(value);
  if (!resolved) return;
  colour = HeldColour{value, *resolved};
  Redraw();
}

void iList::SetAppearance(int appearance) {
  if (appearance != 0 && appearance != 1) return;
  appearance_ = appearance;
  Changed();
}

void iList::SetBorderStyle(int borderStyle) {
  if (borderStyle != 0 && borderStyle != 1) return;
  borderStyle_ = borderStyle;
  Changed();
}

void iList::SetScrollBarWidth(int width) {
  if (width < 9) return;
  scrollBarWidth_ = Clamp16(width);
  Changed();
}

void iList::SetFont(const FontSpec& font) {
  font_ = FontSpec{font.face, font.points, font.bold, font.italic};
  lineHeight_ = EstimatedLineHeight(font_);
  Changed();
}

void iList::SetAlignment(int alignment) {
  if (alignment < 0 || alignment > 2) return;
  alignment_ = alignment;
  Redraw();
}

void iList::SetItemOffset(int offset) {
  if (offset < 0 || offset > geometry_.rowHeight) return;
  itemOffset_ = offset;
  Redraw();
}

void iList::SetSelectModeStyle(int style) {
  if (style < kStyleFilled || style > kStylePicture) return;
  selectModeStyle_ = style;
  Redraw();
}

// Layout.

int iList::BorderWidth() const {
  if (borderStyle_ == 0) return 0;
  return appearance_ == 1 ? 2 : 1;
}

void iList::Changed() {
  Relayout();
  Redraw();
}

void iList::Relayout() {
  if (Host()) size_ = Host()->ClientSize();
  geometry_ = LayOutList(ListMetrics{size_, lineHeight_, itemHeightAuto_, itemHeight_, BorderWidth(),
                                     Scaled(scrollBarWidth_), ListCount()});
  // Fewer rows may scroll the list, which comes back here with the same rows.
  if (VisibleRows() != geometry_.visibleRows) SetVisibleRows(geometry_.visibleRows);
  SendScrollBar();
}

void iList::SendScrollBar() {
  const ScrollBarState state{geometry_.scrollBar, geometry_.scrollBarWidth,
                             geometry_.scrollBar ? ListCount() - geometry_.visibleRows : 0, geometry_.visibleRows,
                             TopIndex()};
  if (!Host() || (sentScrollBar_ && SameScrollBar(*sentScrollBar_, state))) return;
  sentScrollBar_ = state;
  Host()->SetScrollBar(state);
}

void iList::OnAttach() {
  sentScrollBar_.reset();
  Changed();
}

void iList::OnResize(Size size) {
  size_ = size;
  Changed();
}

// The model's notices.

void iList::RowChanged(int /*index*/) {
  Relayout();  // an added item may bring the scroll bar
  Redraw();
}

void iList::RowsChanged() {
  // The row under the edit box moved or went.
  CloseBox();
  Changed();
}

void iList::ListIndexChange() { Raise(events.ListIndexChange); }

void iList::TopIndexChange() {
  SendScrollBar();
  Raise(events.Scroll);
  Raise(events.TopIndexChange);
}

void iList::Click() { Raise(events.Click); }

void iList::CloseEdit() { CloseBox(); }

// Painting.

void iList::Paint(Canvas& canvas) {
  canvas.SetFont(font_);
  const int measured = canvas.MeasureText(u"X").height;
  const Size extent = canvas.Extent();
  if (measured != lineHeight_ || (!Host() && extent != size_)) {
    lineHeight_ = measured;
    if (!Host()) size_ = extent;
    Relayout();
  }

  const Rect& area = geometry_.area;
  int slot = 0;
  for (int index = TopIndex(); index < ListCount() && RowRect(geometry_, slot).top < area.bottom; ++index, ++slot)
    PaintRow(canvas, index, RowRect(geometry_, slot));
  const int emptyTop = RowRect(geometry_, slot).top;
  if (emptyTop < area.bottom) canvas.FillRect(Rect{area.left, emptyTop, area.right, area.bottom}, backNormal_.resolved);

  const int current = ListIndex() - TopIndex();
  if (focus_ && Host() && Host()->HasFocus() && ListIndex() >= 0 && current >= 0 &&
      current <= geometry_.visibleRows && RowRect(geometry_, current).top < area.bottom) {
    Rect row = RowRect(geometry_, current);
    row.bottom = std::min(row.bottom, area.bottom);
    canvas.DrawFocusRect(row);
  }
  PaintBorder(canvas);
}

AccessibleDescription iList::Describe() const {
  AccessibleDescription description{AccessibleRole::kList};
  description.multipleSelection = Mode == SelectMode::kMultiple;
  description.current = ListIndex();
  const Rect& area = geometry_.area;
  for (int index = 0; index < ListCount(); ++index) {
    Rect row = RowRect(geometry_, index - TopIndex());
    const bool shown = index >= TopIndex() && row.top < area.bottom;
    row.bottom = std::min(row.bottom, area.bottom);
    description.items.push_back({ItemText(index), ItemSelected(index), shown, row});
  }
  return description;
}

void iList::PaintRow(Canvas& canvas, int index, const Rect& row) {
  // A row cut off at the bottom is painted down to the area's edge only.
  const Rect shown{row.left, row.top, row.right, std::min(row.bottom, geometry_.area.bottom)};
  const bool selected = ItemSelected(index);
  if (selected)
    PaintSelectedBackground(canvas, row, shown);
  else
    canvas.FillRect(shown, backNormal_.resolved);

  FontSpec font = font_;
  font.underline = selected && selectModeStyle_ == kStyleUnderlined;
  if (canvas.Font() != font) canvas.SetFont(font);
  // Items are data: an "&" in a room's name is shown, not taken for a prefix.
  const unsigned flags = (wordWrap_ ? text_flags::kWordBreak | static_cast<unsigned>(alignment_)
                                    : text_flags::kSingleLine | text_flags::kVCenter | text_flags::kLeft) |
                         text_flags::kNoPrefix;
  const int slot = index - TopIndex();
  canvas.DrawText(ItemText(index), ItemTextRect(geometry_, slot, Scaled(itemTextLeft_), itemOffset_), flags,
                  selected ? fontSelected_.resolved : fontNormal_.resolved);
}

void iList::PaintSelectedBackground(Canvas& canvas, const Rect& row, const Rect& shown) {
  switch (selectModeStyle_) {
    case kStyleVerticalGradient:
      // One line per pixel row, each channel interpolated from the first
      // colour on the top line to the second on the row's bottom line.
      for (int y = shown.top; y < shown.bottom; ++y)
        canvas.Line(Point{row.left, y}, Point{row.right, y},
                    GradientLineColour(backSelectedG1_.resolved, backSelectedG2_.resolved, y - row.top, row.Height()));
      return;
    case kStyleHorizontalGradient:
      for (int x = row.left; x < row.right; ++x)
        canvas.Line(Point{x, shown.top}, Point{x, shown.bottom},
                    GradientLineColour(backSelectedG1_.resolved, backSelectedG2_.resolved, x - row.left, row.Width()));
      return;
    case kStyleBox: {
      canvas.FillRect(shown, backNormal_.resolved);
      const Rect box{row.left + boxOffset_, row.top + boxOffset_, row.right - boxOffset_, row.bottom - boxOffset_};
      canvas.RoundRect(box, 2 * std::max(0, boxRadius_), boxBorder_.resolved, backSelected_.resolved);
      return;
    }
    case kStyleTextOnly:
    case kStyleUnderlined:
      canvas.FillRect(shown, backNormal_.resolved);
      return;
    default:  // filled; a selection picture is not drawn
      canvas.FillRect(shown, backSelected_.resolved);
      return;
  }
}

void iList::PaintBorder(Canvas& canvas) {
  if (borderStyle_ == 0) return;
  if (appearance_ == 1)
    canvas.DrawEdge(geometry_.frame, edge::kSunken, edge::kRect);
  else
    canvas.RoundRect(geometry_.frame, 0, SystemColour(kColourWindowFrame), std::nullopt);
}

// The mouse.

void iList::OnMouseDown(MouseButton button, int shift, Point at) {
  if (button != MouseButton::kRight) {
    if (Host()) {
      Host()->TakeFocus();
      Host()->CaptureMouse(true);
    }
    const int y = AreaY(at);
    const bool inside = y >= 0 && y < geometry_.area.Height();
    ListModel::MouseDown(inside ? y / geometry_.rowHeight + TopIndex() : -1);
  }
  Raise(events.MouseDown, button, shift, at);
}

void iList::OnMouseMove(MouseButton held, int shift, Point at) {
  const int y = AreaY(at);
  if (ButtonHeld() && y < 0) {
    BeyondEdge(-1, y);
  } else if (ButtonHeld() && y >= geometry_.area.Height()) {
    BeyondEdge(1, y);
  } else {
    StopAutoScroll();
    if (y >= 0 && y < geometry_.area.Height()) ListModel::MouseMove(y / geometry_.rowHeight + TopIndex());
  }
  Raise(events.MouseMove, held, shift, at);
}

void iList::OnMouseUp(MouseButton button, int shift, Point at) {
  ListModel::MouseUp();
  StopAutoScroll();
  if (Host()) Host()->CaptureMouse(false);
  Raise(events.MouseUp, button, shift, at);
}

void iList::OnClick(MouseButton /*button*/) { Raise(events.Click); }

void iList::OnDoubleClick(MouseButton /*button*/, Point /*at*/) { Raise(events.DblClick); }

// The pace is set by where the pointer first went out on that side; moving
// farther out on the same side keeps it.
void iList::BeyondEdge(int side, int y) {
  if (autoScrollSide_ == side) return;
  StopAutoScroll();
  autoScrollSide_ = side;
  if (AutoScrollStep() && Host()) Host()->StartTimer(kAutoScrollTimer, AutoScrollInterval(y, geometry_.area.Height()));
}

// False at the first or last item: no more steps until the pointer comes back.
bool iList::AutoScrollStep() {
  const bool moved = ButtonHeld() && DragStep(autoScrollSide_);
  return moved && ListIndex() != (autoScrollSide_ < 0 ? 0 : ListCount() - 1);
}

void iList::StopAutoScroll() {
  if (autoScrollSide_ == 0) return;
  autoScrollSide_ = 0;
  if (Host()) Host()->StopTimer(kAutoScrollTimer);
}

void iList::OnTimer(int id) {
  if (id != kAutoScrollTimer) return;
  if ((autoScrollSide_ == 0 || !AutoScrollStep()) && Host()) Host()->StopTimer(kAutoScrollTimer);
}

// Keys, focus and the scroll bar.

void iList::OnKeyDown(int key, int shift) {
  ListModel::KeyDown(key);
  Raise(events.KeyDown, key, shift);
}

void iList::OnKeyUp(int key, int shift) { Raise(events.KeyUp, key, shift); }

void iList::OnChar(char16_t c) { Raise(events.KeyPress, c); }

void iList::OnFocus(bool /*gained*/) { Redraw(); }

void iList::OnScroll(int value) {
  // The window may report any value; the model raises errors for bad ones.
  SetTopIndex(std::clamp(value, 0, std::max(0, ListCount() - VisibleRows())));
}

// In-place editing.

void iList::StartEdit() {
  if (!Host() || ListIndex() < 0) return;
  const int index = ListIndex();
  if (index < TopIndex())
    SetTopIndex(index);
  else if (index >= TopIndex() + VisibleRows())
    SetTopIndex(index - VisibleRows() + 1);

  const bool plain = !ItemSelected(index) || selectModeStyle_ == kStyleUnderlined;
  EditBoxSpec box;
  box.rect = EditBoxRect(geometry_, index - TopIndex(), Scaled(itemTextLeft_), itemOffset_);
  box.text = ItemText(index);
  box.font = font_;
  box.back = plain ? backNormal_.resolved : backSelected_.resolved;
  box.fore = plain ? fontNormal_.resolved : fontSelected_.resolved;
  box.alignment = static_cast<unsigned>(alignment_);
  editing_ = true;
  Host()->OpenEditBox(box);
}

void iList::EndEdit(bool modify) {
  if (modify)
    Commit();
  else
    CloseBox();
}

bool iList::OnEditBoxKey(int key, int shift) {
  if (!editing_) return false;
  if (key == keys::kEscape) {
    CloseBox();
    return true;
  }
  if (key != keys::kEnter) return false;
  // Ctrl+Enter is a line feed, which a wrapping list leaves to the box.
  if ((shift & modifiers::kControl) && wordWrap_) return false;
  Commit();
  return true;
}

void iList::Commit() {
  if (!editing_ || !Host()) return;
  std::u16string text = Host()->EditBoxText();
  const int index = ListIndex();
  CloseBox();
  if (index >= 0 && index < ListCount()) SetItemText(index, std::move(text));
}

void iList::CloseBox() {
  if (!editing_) return;
  editing_ = false;
  if (Host()) Host()->CloseEditBox();
}

}  // namespace lanternfly
