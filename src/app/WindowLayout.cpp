#include "app/WindowLayout.h"

#include <algorithm>

#include "controls/CntrlBox.h"
#include "controls/HyperLabel.h"
#include "controls/PlainLabel.h"
#include "controls/iButton.h"
#include "controls/iList.h"

namespace lanternfly {
namespace {

constexpr OleColour kBody = 0xF5ECDE;
const FontSpec kSmallFont{u"MS Sans Serif", 8.25};
const FontSpec kTahoma{u"Tahoma", 9.75};

// Every frame of the program looks the same.
const Look kFrame{{u"Tahoma", 8.25, true}, kBody, 0xB0EFF0, 22};
const Look kSmall{kSmallFont, kBody};
const Look kSmallOneLine{kSmallFont, kBody, 0, 0, false};
const Look kTahomaLook{kTahoma, kBody};
const Look kCategory{{u"Comic Sans MS", 12}, kBody, 0, 0, false};
const Look kWordButton{{u"Verdana", 8.25}, kBody};
const Look kPreview{{u"System", 9.75, true}, 0, 0xFFFFFF};
const Look kTextBox{kTahoma};

const ListShades kRoomShades{0xFFFFFF, 0, 0x404040, 0xF5ECCC, 0xF5ECDE, 0xEBBFA0};
const ListShades kPatternShades{SystemColourOf(5), 0, 0x404040, 0xF5ECCC, 0xF5ECDE, 0xEBBFA0};  // the window colour
const Look kRoomList{{u"Verdana", 9}, 0, 0, 15, true, &kRoomShades, true};
const Look kPatternList{kTahoma, 0, 0, 16, true, &kPatternShades};
const Look kWordList{kTahoma, 0, 0, 16};

using K = ControlKind;

Rect PlayerBox(int index) { return Rect{12, 40 + 27 * index, 156, 58 + 27 * index}; }

const ControlEntry kMainControls[] = {
    {u"FrameChoose", K::kFrame, u"", {8, 8, 344, 328}, u"Choose Rooms:", &kFrame},
    {u"channellist", K::kList, u"FrameChoose", {10, 32, 326, 201}, u"", &kRoomList},  // eleven rows
    {u"ButtonRefresh", K::kButton, u"FrameChoose", {10, 209, 326, 237}, u"Refresh Channel List", &kTahomaLook},
    {u"Label1", K::kLabel, u"FrameChoose", {10, 248, 326, 264}, u"Send Display To:", &kSmallOneLine},
    {u"SelectSendAll", K::kOptionBox, u"FrameChoose", {18, 268, 326, 286}, u"", &kSmall},
    {u"SelectSendSelected", K::kOptionBox, u"FrameChoose", {18, 290, 326, 308}, u"", &kSmall},
    {u"FramePlayer", K::kFrame, u"", {352, 8, 516, 164}, u"Choose Your Player:", &kFrame},
    {u"SelectWinamp", K::kOptionBox, u"FramePlayer", PlayerBox(0), u"", &kSmall},
    {u"SelectiTunes", K::kOptionBox, u"FramePlayer", PlayerBox(1), u"", &kSmall},
    {u"SelectFoobar", K::kOptionBox, u"FramePlayer", PlayerBox(2), u"", &kSmall},
    {u"SelectVLC", K::kOptionBox, u"FramePlayer", PlayerBox(3), u"", &kSmall},
    {u"FramePlaying", K::kFrame, u"", {352, 172, 516, 328}, u"Currently Playing:", &kFrame},
    {u"CurrentlyPlayingLabel", K::kLabel, u"FramePlaying", {12, 34, 152, 144}, u"", &kTahomaLook, true},
};

// Settings: the check boxes across their frame, or in two columns.
Rect BoxPlace(int column, int row) {
  const int left = column == 1 ? 226 : 12, right = column == 0 ? 218 : 434, top = 32 + 24 * row;
  return Rect{left, top, right, top + 18};
}
// The variables in two columns of nine.
Rect VariablePlace(int index) {
  const int left = index < 9 ? 8 : 228, top = 28 + 15 * (index % 9);
  return Rect{left, top, left + 214, top + 15};
}
Rect CategoryPlace(int index) { return Rect{14, 32 + 32 * index, 162, 58 + 32 * index}; }
constexpr Rect kPage{184, 8, 652, 460};
constexpr Rect kWordListPlace{10, 30, 210, 158}, kAddWord{10, 164, 210, 188}, kRemoveWord{10, 192, 210, 216};

const ControlEntry kSettingsControls[] = {
    {u"CategoryFrame", K::kFrame, u"", {8, 8, 176, 386}, u"Select Category:", &kFrame},
    {u"CatGeneral", K::kLabel, u"CategoryFrame", CategoryPlace(0), u"", &kCategory, true},
    {u"CatChannelList", K::kLabel, u"CategoryFrame", CategoryPlace(1), u"", &kCategory, true},
    {u"CatDisplayMessage", K::kLabel, u"CategoryFrame", CategoryPlace(2), u"", &kCategory, true},
    {u"CatPatterns", K::kLabel, u"CategoryFrame", CategoryPlace(3), u"", &kCategory, true},
    {u"CatDisplayExtras", K::kLabel, u"CategoryFrame", CategoryPlace(4), u"", &kCategory, true},
    {u"ButtonSave", K::kButton, u"", {8, 394, 176, 424}, u"Save Changes", &kTahomaLook},
    {u"ButtonCancel", K::kButton, u"", {8, 430, 176, 460}, u"Cancel Changes", &kTahomaLook},
    // General.
    {u"FrameGeneral", K::kFrame, u"", kPage, u"", &kFrame},
    {u"FrameTray", K::kFrame, u"FrameGeneral", {10, 32, 458, 112}, u"Tray Icon Settings:", &kFrame},
    {u"SelectShowTrayIcon", K::kCheckBox, u"FrameTray", BoxPlace(-1, 0), u"", &kSmall},
    {u"SelectHideOnMinimize", K::kCheckBox, u"FrameTray", BoxPlace(-1, 1), u"", &kSmall},
    {u"FrameAutoDisplay", K::kFrame, u"FrameGeneral", {10, 120, 458, 176}, u"Auto Display Settings:", &kFrame},
    {u"SelectAutoDisplay", K::kCheckBox, u"FrameAutoDisplay", BoxPlace(-1, 0), u"", &kSmall},
    {u"FrameProtection", K::kFrame, u"FrameGeneral", {10, 184, 458, 240}, u"User Text Interruption Protection:",
     &kFrame},
    {u"SelectInterruptionProtection", K::kCheckBox, u"FrameProtection", BoxPlace(-1, 0), u"", &kSmall},
    // Channel list: the scan switches in two columns.
    {u"FrameChannelList", K::kFrame, u"", kPage, u"", &kFrame},
    {u"FrameChannelGeneral", K::kFrame, u"FrameChannelList", {10, 32, 458, 88}, u"General Settings:", &kFrame},
    {u"SelectAutoRefresh", K::kCheckBox, u"FrameChannelGeneral", BoxPlace(-1, 0), u"", &kSmall},
    {u"FrameScanning", K::kFrame, u"FrameChannelList", {10, 96, 458, 226}, u"Client Scanning Settings:", &kFrame},
    {u"SelectScanRobo", K::kCheckBox, u"FrameScanning", BoxPlace(0, 0), u"", &kSmall},
    {u"SelectScanWinMX", K::kCheckBox, u"FrameScanning", BoxPlace(0, 1), u"", &kSmall},
    {u"SelectScanRabbit", K::kCheckBox, u"FrameScanning", BoxPlace(0, 2), u"", &kSmall},
    {u"SelectScanZCB", K::kCheckBox, u"FrameScanning", BoxPlace(0, 3), u"", &kSmall},
    {u"SelectScanOuka", K::kCheckBox, u"FrameScanning", BoxPlace(1, 0), u"", &kSmall},
    {u"SelectScanNushi", K::kCheckBox, u"FrameScanning", BoxPlace(1, 1), u"", &kSmall},
    {u"SelectScanMetis", K::kCheckBox, u"FrameScanning", BoxPlace(1, 2), u"", &kSmall},
    // Display message.
    {u"FrameDisplayMessage", K::kFrame, u"", kPage, u"", &kFrame},
    {u"FrameEditMessage", K::kFrame, u"FrameDisplayMessage", {10, 32, 458, 136}, u"Edit your display message:",
     &kFrame},
    {u"TextBoxDisplayMessage", K::kTextBox, u"FrameEditMessage", {10, 30, 438, 54}, u"", &kTextBox},
    {u"TextPreview", K::kMarkup, u"FrameEditMessage", {10, 60, 438, 96}, u"", &kPreview},
    {u"FrameVariables", K::kFrame, u"FrameDisplayMessage", {10, 142, 458, 378}, u"Variables Avaliable:", &kFrame},
    {u"VariableArtistSong", K::kLabel, u"FrameVariables", VariablePlace(0), u"", &kSmallOneLine},
    {u"VariableArtist", K::kLabel, u"FrameVariables", VariablePlace(1), u"", &kSmallOneLine},
    {u"VariableSongName", K::kLabel, u"FrameVariables", VariablePlace(2), u"", &kSmallOneLine},
    {u"VariableBitrate", K::kLabel, u"FrameVariables", VariablePlace(3), u"", &kSmallOneLine},
    {u"VariableChannels", K::kLabel, u"FrameVariables", VariablePlace(4), u"", &kSmallOneLine},
    {u"VariableChannelMode", K::kLabel, u"FrameVariables", VariablePlace(5), u"", &kSmallOneLine},
    {u"VariableFrequency", K::kLabel, u"FrameVariables", VariablePlace(6), u"", &kSmallOneLine},
    {u"VariablePlayListLength", K::kLabel, u"FrameVariables", VariablePlace(7), u"", &kSmallOneLine},
    {u"VariablePlayListPosition", K::kLabel, u"FrameVariables", VariablePlace(8), u"", &kSmallOneLine},
    {u"VariableSongLength", K::kLabel, u"FrameVariables", VariablePlace(9), u"", &kSmallOneLine},
    {u"VariableSongPosition", K::kLabel, u"FrameVariables", VariablePlace(10), u"", &kSmallOneLine},
    {u"VariableSongRemaining", K::kLabel, u"FrameVariables", VariablePlace(11), u"", &kSmallOneLine},
    {u"VariableFileSize", K::kLabel, u"FrameVariables", VariablePlace(12), u"", &kSmallOneLine},
    {u"VariableAlbum", K::kLabel, u"FrameVariables", VariablePlace(13), u"", &kSmallOneLine},
    {u"VariableYear", K::kLabel, u"FrameVariables", VariablePlace(14), u"", &kSmallOneLine},
    {u"VariableGenre", K::kLabel, u"FrameVariables", VariablePlace(15), u"", &kSmallOneLine},
    {u"VariableTrackNumber", K::kLabel, u"FrameVariables", VariablePlace(16), u"", &kSmallOneLine},
    {u"VariableRand", K::kLabel, u"FrameVariables", VariablePlace(17), u"", &kSmallOneLine},
    {u"Label1", K::kLabel, u"FrameVariables", {8, 168, 440, 196},
     u"[d]Text[/d] = Patterns text according to your default (Selected) pattern below.", &kSmall},
    {u"Label2", K::kLabel, u"FrameVariables", {8, 198, 440, 226},
     u"[c,skip#,col1,col2,..]Text[/c] = Temporary pattern. You can have up to 100 colors. 0 = random.", &kSmall},
    {u"FrameDefaultPattern", K::kFrame, u"FrameDisplayMessage", {10, 384, 458, 442}, u"Select Default Pattern:",
     &kFrame},
    {u"ListDefaultPattern", K::kDropDown, u"FrameDefaultPattern", {10, 28, 250, 220}, u"", &kTextBox},  // dropped
    // Color patterns.
    {u"FrameSavedPatterns", K::kFrame, u"", kPage, u"", &kFrame},
    {u"FrameDatabase", K::kFrame, u"FrameSavedPatterns", {10, 32, 458, 186}, u"Current Patterns In Database:",
     &kFrame},
    {u"ListPatterns", K::kList, u"FrameDatabase", {10, 30, 236, 146}, u"", &kPatternList},
    {u"ButtonAddPattern", K::kButton, u"FrameDatabase", {244, 30, 438, 58}, u"", &kTahomaLook},
    {u"ButtonEditPattern", K::kButton, u"FrameDatabase", {244, 64, 438, 92}, u"", &kTahomaLook},
    {u"ButtonRemovePattern", K::kButton, u"FrameDatabase", {244, 98, 438, 126}, u"Remove Selected Pattern",
     &kTahomaLook},
    {u"FrameAddPattern", K::kFrame, u"FrameSavedPatterns", {10, 192, 458, 442}, u"", &kFrame},
    {u"TextPatternAdd", K::kTextBox, u"FrameAddPattern", {10, 30, 438, 54}, u"", &kTextBox},
    {u"TextPreviewPatternAdd", K::kMarkup, u"FrameAddPattern", {10, 60, 438, 96}, u"", &kPreview},
    {u"FrameChooseName", K::kFrame, u"FrameAddPattern", {10, 100, 438, 156}, u"", &kFrame},
    {u"TextChooseName", K::kTextBox, u"FrameChooseName", {10, 28, 418, 50}, u"", &kTextBox},
    {u"ButtonAddThisPattern", K::kButton, u"FrameAddPattern", {10, 162, 220, 190}, u"", &kTahomaLook},
    {u"ButtonCancelAddPattern", K::kButton, u"FrameAddPattern", {228, 162, 438, 190}, u"Cancel", &kTahomaLook},
    {u"Label3", K::kLabel, u"FrameAddPattern", {10, 196, 438, 244},
     u"Format: [c,skip#,col1,col2,col3]text for testing[/c] - You can have up to 100 colors, and skip up to 10 "
     u"letters.     Both 1-38 and 51-75 color numbers work here. For random colors use 0.",
     &kSmall},
    // Display extras: the two word lists side by side.
    {u"FrameDisplayExtra", K::kFrame, u"", kPage, u"", &kFrame},
    {u"FrameRandomWords", K::kFrame, u"FrameDisplayExtra", {10, 32, 230, 254}, u"Random Word List:", &kFrame},
    {u"ListRandomWords", K::kList, u"FrameRandomWords", kWordListPlace, u"", &kWordList},
    {u"ButtonAddRandomWord", K::kButton, u"FrameRandomWords", kAddWord, u"Add New Word", &kWordButton},
    {u"ButtonRemoveRandomWord", K::kButton, u"FrameRandomWords", kRemoveWord, u"Remove Selected", &kWordButton},
    {u"FrameFilterWords", K::kFrame, u"FrameDisplayExtra", {238, 32, 458, 254}, u"Filter Word List:", &kFrame},
    {u"ListFilterWords", K::kList, u"FrameFilterWords", kWordListPlace, u"", &kWordList},
    {u"ButtonAddFilterWord", K::kButton, u"FrameFilterWords", kAddWord, u"Add New Word", &kWordButton},
    {u"ButtonRemoveFilterWord", K::kButton, u"FrameFilterWords", kRemoveWord, u"Remove Selected", &kWordButton},
    {u"FrameRadioCutoff", K::kFrame, u"FrameDisplayExtra", {10, 262, 458, 318}, u"Radio Cutoff Text:", &kFrame},
    {u"TextRadioCuttoff", K::kTextBox, u"FrameRadioCutoff", {10, 28, 438, 50}, u"", &kTextBox},
    {u"Label4", K::kLabel, u"FrameDisplayExtra", {14, 326, 454, 354},
     u"Random Word List: Use %RAND% in your display to have a word picked from this list at random.", &kSmall},
    {u"Label5", K::kLabel, u"FrameDisplayExtra", {14, 358, 454, 386},
     u"Filter Word List: If any of the words in your filter list are found in the songname or artist, it won't "
     u"send the display.",
     &kSmall},
    {u"Label6", K::kLabel, u"FrameDisplayExtra", {14, 390, 454, 440},
     u"Radio Cut Off: This will cut off text from the end of your song name that radio's add. For example, with "
     u"\" - TOP40 Hits\" here, \"Hey - TOP40 Hits\" is shown as \"Hey\".",
     &kSmall},
};

std::unique_ptr<Control> Make(ControlKind kind, OleColour container) {
  switch (kind) {
    case K::kFrame: return std::make_unique<PanelFrame>(container);
    case K::kLabel: return std::make_unique<PlainLabel>();
    case K::kCheckBox:
    case K::kOptionBox: return std::make_unique<CntrlBox>();
    case K::kButton: return std::make_unique<iButton>();
    case K::kList: return std::make_unique<iList>();
    case K::kMarkup: return std::make_unique<HyperLabel>();
    default: return nullptr;  // the system's own
  }
}

// The one frame set-up of the program.
void SetUpFrame(PanelFrame& frame, const Look& look) {
  frame.SetStyle(3);  // first: the style brings its own colours and header form
  frame.SetHeaderStyle(1);
  frame.SetGradientHeaderStyle(0);  // filled line by line, top to bottom
  frame.SetRoundedCorner(false);
  frame.SetAlignment(0);
  frame.SetFillColor(look.back);
  frame.SetTextBoxColor(look.fore);
  frame.SetFont(look.font);
}

void SetUpList(iList& list, const Look& look) {
  list.SetFont(look.font);
  if (look.multiple) {
    list.Mode = ListModel::SelectMode::kMultiple;
    list.SetItemHeightAuto(false);
  }
  if (const ListShades* shades = look.shades) {
    list.SetBackNormal(shades->back);
    list.SetFontNormal(shades->text);
    list.SetFontSelected(shades->selectedText);
    list.SetBackSelected(shades->selected);
    list.SetBackSelectedG1(shades->from);
    list.SetBackSelectedG2(shades->to);
    list.SetSelectModeStyle(iList::kStyleVerticalGradient);
  }
}

// What a control keeps in pixels: drawn up for 96 DPI, at `dpi`.
void ScaleTo(int dpi, Control& control, const ControlEntry& entry) {
  control.SetDpi(dpi);
  if (entry.kind == K::kFrame) dynamic_cast<PanelFrame&>(control).SetTextBoxHeight(ScaledTo(dpi, entry.look->height));
  if (entry.kind == K::kList) dynamic_cast<iList&>(control).SetItemHeight(ScaledTo(dpi, entry.look->height));
}

void SetUp(Control& control, const ControlEntry& entry) {
  const Look& look = *entry.look;
  const std::u16string caption(entry.caption);
  switch (entry.kind) {
    case K::kFrame: {
      auto& frame = dynamic_cast<PanelFrame&>(control);
      SetUpFrame(frame, look);
      if (!caption.empty()) frame.SetCaption(caption);
      break;
    }
    case K::kLabel: {
      auto& label = dynamic_cast<PlainLabel&>(control);
      label.SetBackColor(look.back);
      label.SetFont(look.font);
      if (!look.wrap) label.SetWordWrap(false);
      if (!caption.empty()) label.SetCaption(caption);
      break;
    }
    case K::kCheckBox:
    case K::kOptionBox: {
      auto& box = dynamic_cast<CntrlBox&>(control);
      box.SetFont(look.font);
      if (entry.kind == K::kOptionBox) box.SetCntrlType(CntrlBox::kOptionBox);
      box.SetBackColor(look.back);
      break;
    }
    case K::kButton: {
      auto& button = dynamic_cast<iButton&>(control);
      button.SetStyle(8);
      button.SetIconAlign(0);
      button.SetNonThemeStyle(0);
      button.SetToolTipType(0);
      button.SetFont(look.font);
      if (!caption.empty()) button.SetCaption(caption);
      break;
    }
    case K::kList: SetUpList(dynamic_cast<iList&>(control), look); break;
    case K::kMarkup: {
      auto& label = dynamic_cast<HyperLabel&>(control);
      label.SetBackColor(look.back);
      label.SetForeColor(look.fore);
      label.SetFont(look.font);
      label.SetAutoSize(true);
      break;
    }
    default: break;
  }
}

}  // namespace

const ControlEntry* WindowLayout::Find(std::u16string_view name) const {
  const auto found = std::find_if(controls.begin(), controls.end(), [&](const ControlEntry& e) { return e.name == name; });
  return found == controls.end() ? nullptr : &*found;
}

const WindowLayout& MainWindowLayout() {
  static const WindowLayout layout{{524, 336}, kMainControls};
  return layout;
}

const WindowLayout& SettingsWindowLayout() {
  static const WindowLayout layout{{660, 466}, kSettingsControls};
  return layout;
}

ControlSet::ControlSet(const WindowLayout& layout, int dpi, const std::map<std::u16string_view, Control*>& given)
    : layout_(layout), dpi_(dpi) {
  for (const ControlEntry& entry : layout.controls) {
    Control* control = nullptr;
    if (const auto it = given.find(entry.name); it != given.end()) {
      control = it->second;
    } else {
      // A frame's body shows around what it holds; the window's face around a frame.
      const ControlEntry* parent = layout.Find(entry.parent);
      std::unique_ptr<Control> made = Make(entry.kind, parent ? parent->look->back : SystemColourOf(15));
      control = made.get();
      if (made) owned_.push_back(std::move(made));
    }
    if (!control) continue;
    SetUp(*control, entry);
    ScaleTo(dpi, *control, entry);
    controls_[entry.name] = control;
  }
}

void ControlSet::SetDpi(int dpi) {
  dpi_ = dpi;
  for (const ControlEntry& entry : layout_.controls)
    if (Control* control = Find(entry.name)) ScaleTo(dpi, *control, entry);
}

Control* ControlSet::Find(std::u16string_view name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

}  // namespace lanternfly
