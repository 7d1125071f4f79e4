#include <gtest/gtest.h>

#include "controls/CntrlBox.h"
#include "controls/HyperLabel.h"
#include "controls/PanelFrame.h"
#include "controls/PlainLabel.h"
#include "controls/iButton.h"
#include "controls/iList.h"
#include "platform/sim/SimControlHost.h"

namespace lanternfly {

void PrintTo(const AccessibleDescription& d, std::ostream* out) {
  *out << static_cast<int>(d.role) << " \"" << std::string(d.name.begin(), d.name.end()) << "\" " << d.checked;
  for (const AccessibleItem& i : d.items)
    *out << " [" << i.selected << i.shown << " " << i.place.left << "," << i.place.top << "-" << i.place.right << ","
         << i.place.bottom << "]";
}

namespace {

using R = AccessibleRole;

// What each control tells a screen reader: its role, the caption the user
// reads (an "&" is an "&"; markup is not read), whether it is ticked or
// held down, and a list's rows with their selection and place.
TEST(Description, EachControlGivesItsRoleNameAndState) {
  CntrlBox check, option;
  check.SetCaption(u"Auto &Display");
  SimControlHost checkHost(check, Size{100, 18});
  checkHost.Click({5, 5});  // ticks it
  option.SetCntrlType(CntrlBox::kOptionBox | 0x100);
  option.SetCaption(u"VLC");
  iButton push, toggle;
  push.SetCaption(u"Save Changes");
  toggle.SetButtonType(iButton::ButtonKind::kToggle);
  toggle.SetValue(true);
  PanelFrame frame;
  frame.SetCaption(u"Choose Rooms:");
  PlainLabel label;
  label.SetCaption(u"Simon & Garfunkel");
  HyperLabel markup;
  markup.SetCaption(u"[b]is[/b] listening to [url=x]Song[/url]");
  SimControlHost(markup, Size{300, 20}).Paint();  // the plain caption comes with the layout

  const std::pair<const ControlSurface*, AccessibleDescription> cases[] = {
      {&check, {R::kCheckBox, u"Auto &Display", true}},
      {&option, {R::kOptionButton, u"VLC", false}},
      {&push, {R::kPushButton, u"Save Changes", false}},
      {&toggle, {R::kPushButton, u"iButton", true}},
      {&frame, {R::kGrouping, u"Choose Rooms:"}},
      {&label, {R::kStaticText, u"Simon & Garfunkel"}},
      {&markup, {R::kStaticText, u"is listening to Song"}},
  };
  for (const auto& [control, expected] : cases) EXPECT_EQ(control->Describe(), expected);
}

// Rows of 15 pixels from (2, 2), two in view beside the scroll bar; the
// second scrolled to the top, the first out of view.
TEST(Description, AListGivesItsRowsWithTheirSelectionAndPlace) {
  iList list;
  SimControlHost host(list, Size{100, 34});
  list.SetItemHeight(15);
  list.SetItemHeightAuto(false);
  list.Mode = ListModel::SelectMode::kMultiple;
  for (const char16_t* room : {u"[WinMX] Lobby", u"[Metis] Rock & Roll", u"[WinMX] Jazz"}) list.AddItem(room);
  list.SetItemSelected(1, true);
  list.SetItemSelected(2, true);
  list.SetListIndex(2);
  list.SetTopIndex(1);
  AccessibleDescription expected{R::kList};
  expected.multipleSelection = true;
  expected.current = 2;
  expected.items = {{u"[WinMX] Lobby", false, false, {2, -13, 85, 2}},
                    {u"[Metis] Rock & Roll", true, true, {2, 2, 85, 17}},
                    {u"[WinMX] Jazz", true, true, {2, 17, 85, 32}}};
  EXPECT_EQ(list.Describe(), expected);
}

}  // namespace
}  // namespace lanternfly
