#pragma once

// The list control: the rows of its ListModel drawn one item a row in the
// selection style chosen, a scroll bar when the items do not all fit, the
// mouse's click-drag and its auto-scroll beyond the top and bottom edges,
// the keys, and a one-line edit box over the current row for editing an
// item in place.
//
// Geometry (row height, visible rows, the rows' area, the edit box's place,
// the auto-scroll's pace) comes from pure functions; the control keeps the
// last geometry for painting and for turning pointer positions into rows.
// The font's line height is known once a canvas has measured it (on the
// first Paint); until then it is estimated from the point size.

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "controls/Control.h"
#include "controls/ListModel.h"
#include "platform/Canvas.h"
#include "platform/SystemColours.h"

namespace lanternfly {

// What the layout depends on.
struct ListMetrics {
  Size client;
  int lineHeight = 0;  // of one line of the font
  bool itemHeightAuto = true;
  int itemHeight = 0;
  int border = 0;          // pixels of border on each side of the rows' area
  int scrollBarWidth = 13; // as asked for
  int count = 0;           // items
};

struct ListGeometry {
  int rowHeight = 1;
  int visibleRows = 1;  // whole rows that fit, at least one
  bool scrollBar = false;
  int scrollBarWidth = 0;
  Rect frame;  // the list beside the scroll bar, border included
  Rect area;   // where the rows go, inside the border
};

// Row height: the line height, or ItemHeight raised to it. The scroll bar
// shows only when there are more items than visible rows, and is at most
// half the control's width.
ListGeometry LayOutList(const ListMetrics& metrics);

// The row `slot` rows below the first visible one, full height (it may
// reach past the area's bottom).
Rect RowRect(const ListGeometry& geometry, int slot);
// The text's rectangle in that row: ItemTextLeft in, moved down by ItemOffset.
Rect ItemTextRect(const ListGeometry& geometry, int slot, int itemTextLeft, int itemOffset);
// The in-place edit box over that row: from the text's start to the row's
// right edge, inset by ItemOffset on every side.
Rect EditBoxRect(const ListGeometry& geometry, int slot, int itemTextLeft, int itemOffset);

// Milliseconds between two auto-scroll steps with the pointer at `y`
// (relative to the rows' area) above it or below it: the farther out, the
// faster, never below 40 ms.
int AutoScrollInterval(int y, int areaHeight);

// The events of the list, each called when set.
struct ListEvents {
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> ListIndexChange;
  std::function<void()> Scroll;
  std::function<void()> TopIndexChange;
  std::function<void(int keyCode, int shift)> KeyDown;
  std::function<void(int keyCode, int shift)> KeyUp;
  std::function<void(char16_t keyAscii)> KeyPress;
  std::function<void(MouseButton button, int shift, Point at)> MouseDown;
  std::function<void(MouseButton button, int shift, Point at)> MouseMove;
  std::function<void(MouseButton button, int shift, Point at)> MouseUp;
};

// The items, the selection and their rules are the ListModel's; this class
// draws them and feeds them the user's input.
class iList : public Control, public ListModel, private ListObserver {
 public:
  // How selected rows are painted (SelectModeStyle).
  static constexpr int kStyleFilled = 0, kStyleTextOnly = 1, kStyleVerticalGradient = 2,
                       kStyleHorizontalGradient = 3, kStyleBox = 4, kStyleUnderlined = 5, kStylePicture = 6;
  // The host timer of the auto-scroll.
  static constexpr int kAutoScrollTimer = 1;

  iList();

  // 1 three-dimensional, 0 flat: the look of the border.
  int Appearance() const { return appearance_; }
  void SetAppearance(int appearance);
  // 1 a border round the rows, 0 none.
  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int borderStyle);
  // Values below 9 are ignored; the bar is never wider than half the control.
  int ScrollBarWidth() const { return scrollBarWidth_; }
  void SetScrollBarWidth(int width);
  // Face, size, bold and italic are taken; the list draws no other styles
  // but the underline of SelectModeStyle 5.
  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);

  // Colours as given; a value that names no colour is ignored.
  OleColour FontNormal() const { return fontNormal_.given; }
  void SetFontNormal(OleColour colour) { SetColour(fontNormal_, colour); }
  OleColour FontSelected() const { return fontSelected_.given; }
  void SetFontSelected(OleColour colour) { SetColour(fontSelected_, colour); }
  OleColour BackNormal() const { return backNormal_.given; }
  void SetBackNormal(OleColour colour) { SetColour(backNormal_, colour); }
  OleColour BackSelected() const { return backSelected_.given; }
  void SetBackSelected(OleColour colour) { SetColour(backSelected_, colour); }
  OleColour BackSelectedG1() const { return backSelectedG1_.given; }
  void SetBackSelectedG1(OleColour colour) { SetColour(backSelectedG1_, colour); }
  OleColour BackSelectedG2() const { return backSelectedG2_.given; }
  void SetBackSelectedG2(OleColour colour) { SetColour(backSelectedG2_, colour); }
  OleColour BoxBorder() const { return boxBorder_.given; }
  void SetBoxBorder(OleColour colour) { SetColour(boxBorder_, colour); }

  int BoxOffset() const { return boxOffset_; }
  void SetBoxOffset(int offset) { Store(boxOffset_, Clamp16(offset)); }
  int BoxRadius() const { return boxRadius_; }
  void SetBoxRadius(int radius) { Store(boxRadius_, Clamp16(radius)); }
  // Text alignment with word wrap: 0 left, 1 centre, 2 right; others ignored.
  int Alignment() const { return alignment_; }
  void SetAlignment(int alignment);
  // A focus rectangle on the current row while the list has the focus.
  bool Focus() const { return focus_; }
  void SetFocus(bool focus) { Store(focus_, focus); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap) { Store(wordWrap_, wordWrap); }
  // The text's offset down the row; a value outside 0 .. row height is ignored.
  int ItemOffset() const { return itemOffset_; }
  void SetItemOffset(int offset);
  bool ItemHeightAuto() const { return itemHeightAuto_; }
  void SetItemHeightAuto(bool automatic) { StoreLaidOut(itemHeightAuto_, automatic); }
  int ItemTextLeft() const { return itemTextLeft_; }
  void SetItemTextLeft(int left) { Store(itemTextLeft_, Clamp16(left)); }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height) { StoreLaidOut(itemHeight_, Clamp16(height)); }
  // 0 to 6 (the kStyle constants); others ignored. The list draws no
  // pictures: style 6 fills selected rows with BackSelected.
  int SelectModeStyle() const { return selectModeStyle_; }
  void SetSelectModeStyle(int style);

  const ListGeometry& Geometry() const { return geometry_; }
  int RowHeight() const { return geometry_.rowHeight; }

  // Opens the edit box over the current item, scrolled into view first;
  // nothing without a current item or a window.
  void StartEdit();
  // Closes the edit box; with `modify` its text becomes the item's, as Enter does.
  void EndEdit(bool modify = false);
  bool Editing() const { return editing_; }

  void Paint(Canvas& canvas) override;
  AccessibleDescription Describe() const override;
  void OnMouseDown(MouseButton button, int shift, Point at) override;
  void OnMouseUp(MouseButton button, int shift, Point at) override;
  void OnMouseMove(MouseButton held, int shift, Point at) override;
  void OnClick(MouseButton button) override;
  void OnDoubleClick(MouseButton button, Point at) override;
  void OnKeyDown(int key, int shift) override;
  void OnKeyUp(int key, int shift) override;
  void OnChar(char16_t c) override;
  void OnFocus(bool gained) override;
  void OnResize(Size size) override;
  void OnTimer(int id) override;
  void OnScroll(int value) override;
  bool OnEditBoxKey(int key, int shift) override;

  ListEvents events;

 protected:
  void OnAttach() override;

 private:
  struct HeldColour {
    OleColour given;
    Colour resolved;
  };

  using ListModel::SetObserver;  // the control is the model's one observer

  // ListObserver.
  void RowChanged(int index) override;
  void RowsChanged() override;
  void ListIndexChange() override;
  void TopIndexChange() override;
  void Click() override;
  void CloseEdit() override;

  // The pixel properties are 16-bit values, which keeps their sums in range.
  static int Clamp16(int value) { return std::clamp(value, -32768, 32767); }
  template <typename T>
  void Store(T& field, T value) {
    field = value;
    Redraw();
  }
  template <typename T>
  void StoreLaidOut(T& field, T value) {
    field = value;
    Changed();
  }
  void SetColour(HeldColour& colour, OleColour value);
  // A pointer's y from the rows' top (far-off values held in range).
  int AreaY(Point at) const { return std::clamp(at.y, -100000, 100000) - geometry_.area.top; }
  int BorderWidth() const;
  void Relayout();
  void SendScrollBar();
  void Changed();
  void Commit();
  void CloseBox();
  void BeyondEdge(int side, int y);
  void StopAutoScroll();
  bool AutoScrollStep();

  void PaintRow(Canvas& canvas, int index, const Rect& row);
  void PaintSelectedBackground(Canvas& canvas, const Rect& row, const Rect& shown);
  void PaintBorder(Canvas& canvas);

  int appearance_ = 1;
  int borderStyle_ = 1;
  int scrollBarWidth_ = 13;
  FontSpec font_;
  HeldColour fontNormal_;
  HeldColour fontSelected_;
  HeldColour backNormal_;
  HeldColour backSelected_;
  HeldColour backSelectedG1_;
  HeldColour backSelectedG2_;
  HeldColour boxBorder_;
  int boxOffset_ = 1;
  int boxRadius_ = 0;
  int alignment_ = 0;
  bool focus_ = true;
  bool wordWrap_ = true;
  int itemOffset_ = 0;
  bool itemHeightAuto_ = true;
  int itemTextLeft_ = 2;
  int itemHeight_ = 0;
  int selectModeStyle_ = kStyleFilled;

  Size size_;
  int lineHeight_ = 0;
  ListGeometry geometry_;
  std::optional<ScrollBarState> sentScrollBar_;
  bool editing_ = false;
  int autoScrollSide_ = 0;  // -1 above, +1 below the rows while the button is held
};

}  // namespace lanternfly
