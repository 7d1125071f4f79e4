#include "app/PatternEditor.h"

#include <algorithm>

#include "message/ColorPatternParser.h"
#include "message/PatternText.h"
#include "message/WinMXColorText.h"
#include "settings/SettingsFile.h"

namespace lanternfly {
namespace {

constexpr std::u16string_view kProgramName = u"Lanternfly";
constexpr std::u16string_view kDatabaseFull = u"Your pattern database is full. Please delete a pattern to add more!";

// One name of the list stands for one pattern: with two patterns of a name,
// one entry of each list is renamed or removed, never both.
int FirstEntry(const ListModel& list, std::u16string_view name) {
  for (int index = 0; index < list.ListCount(); ++index) {
    if (list.ItemText(index) == name) return index;
  }
  return -1;
}

std::vector<std::u16string>::iterator FirstItem(DropDown& dropDown, std::u16string_view name) {
  return std::find(dropDown.Items.begin(), dropDown.Items.end(), name);
}

}  // namespace

PatternEditor::PatternEditor(Shell& shell, SettingsWindowView& view, DropDown& defaultChoice)
    : shell_(shell), view_(view), defaultChoice_(defaultChoice) {}

void PatternEditor::Load(const PatternDatabase& patterns) {
  CloseEditor();
  WorkingPatterns = PatternDatabase();
  ListPatterns.Clear();
  defaultChoice_.Items.clear();
  for (int slot = 1; slot <= PatternDatabase::kSlots; ++slot) {
    const ColorPattern& pattern = patterns.Slot(slot);
    if (pattern.Name.empty()) continue;
    WorkingPatterns.Slot(slot) = pattern;
    ListPatterns.AddItem(pattern.Name);
    defaultChoice_.Items.push_back(pattern.Name);
  }
}

int PatternEditor::FindSlot(std::u16string_view name) const {
  if (name.empty()) return 0;
  for (int slot = 1; slot <= PatternDatabase::kSlots; ++slot) {
    if (WorkingPatterns.Slot(slot).Name == name) return slot;
  }
  return 0;
}

bool PatternEditor::ValidPatternName(std::u16string_view name) const { return FindSlot(name) == 0; }

bool PatternEditor::AddPatternLocal(const ColorPattern& pattern) { return WorkingPatterns.AddPattern(pattern); }

bool PatternEditor::ReplacePatternLocal(std::u16string_view oldName, const ColorPattern& pattern) {
  int slot = FindSlot(oldName);
  if (slot == 0) return false;
  WorkingPatterns.Slot(slot) = pattern;
  if (int entry = FirstEntry(ListPatterns, oldName); entry >= 0) ListPatterns.SetItemText(entry, pattern.Name);
  if (auto item = FirstItem(defaultChoice_, oldName); item != defaultChoice_.Items.end()) *item = pattern.Name;
  if (defaultChoice_.Text == oldName) defaultChoice_.Text = pattern.Name;
  return true;
}

ColorPattern PatternEditor::GetPatternLocal(std::u16string_view name) const {
  int slot = FindSlot(name);
  return slot == 0 ? ColorPattern{} : WorkingPatterns.Slot(slot);
}

bool PatternEditor::RemovePatternLocal(std::u16string_view name) {
  int slot = FindSlot(name);
  if (slot == 0) return false;
  WorkingPatterns.Slot(slot) = ColorPattern{};
  return true;
}

void PatternEditor::SetEntry(std::u16string_view entry) {
  TextPatternAdd = entry;
  TextPatternAdd_Change();
}

void PatternEditor::TextPatternAdd_Change() {
  TextPreviewPatternAdd = WinMXToMarkup(ExpandFirstColorBlock(TextPatternAdd));
  view_.Repaint();
}

void PatternEditor::ButtonAddPattern_Click() {
  if (mode_ != Mode::kClosed) return;
  mode_ = Mode::kAdding;
  FrameAddPattern = {u"Add New Pattern:", true};
  SetEntry(kPatternSampleEntry);
  view_.SelectAllText(SettingsTextBox::kPatternAdd);
  ButtonAddPattern.Enabled = false;
  ButtonAddThisPattern.Caption = u"Add This Pattern";
  FrameChooseName.Caption = u"Choose a name for your pattern:";
  view_.Repaint();
}

void PatternEditor::ButtonEditPattern_Click() {
  int entry = LowestSelected(ListPatterns);
  if (mode_ != Mode::kClosed || entry < 0) return;
  ColorPattern pattern = GetPatternLocal(ListPatterns.ItemText(entry));
  // An entry without its pattern has nothing to edit; saving would store
  // the edit in a free slot, unlisted.
  if (pattern.Name.empty()) return;
  mode_ = Mode::kEditing;
  ButtonEditPattern.Enabled = false;
  FrameAddPattern = {u"Edit Pattern", true};
  FrameChooseName.Caption = u"Edit Pattern Name:";
  ButtonAddThisPattern.Caption = u"Save Changes";
  TextChooseName = pattern.Name;
  SetEntry(PatternTestText(pattern));
  EditedPatternName = pattern.Name;
  view_.Repaint();
}

void PatternEditor::ButtonAddThisPattern_Click() {
  if (mode_ == Mode::kClosed) return;
  // Checked as it will be stored, so that no two patterns can come back
  // from the settings file under one name, and none without a name.
  std::u16string name = StorableName(TextChooseName);
  if (name.empty()) return Refuse(u"Please enter a name for this pattern!", u"Error");

  std::u16string verdict = ValidateColorScript(TextPatternAdd);
  std::optional<std::u16string> script = FirstColorBlockScript(TextPatternAdd);
  // Without a whole block there is no colour to take: the pattern would be
  // colour 1 twice, whatever was typed.
  if (verdict == u"Valid" && !script) verdict = u"No ending script id was found [/c]";
  if (verdict != u"Valid") {
    shell_.ShowMessage(verdict, kProgramName, MessageButtons::kOk, MessageIcon::kNone);
    return;
  }
  ColorPattern pattern = ParseColorScript(*script);
  pattern.Name = name;

  bool adding = mode_ == Mode::kAdding;
  if ((adding || name != EditedPatternName) && !ValidPatternName(name)) {
    return Refuse(u"Please choose another name for this pattern. The one that is provided is already taken!",
                  u"Error!");
  }
  if (!(adding ? AddPatternLocal(pattern) : ReplacePatternLocal(EditedPatternName, pattern))) {
    return Refuse(kDatabaseFull, u"Error");
  }
  if (adding) {
    ListPatterns.AddItem(name);
    defaultChoice_.Items.push_back(name);
  }
  CloseEditor();
  view_.Repaint();
}

void PatternEditor::ButtonCancelAddPattern_Click() {
  CloseEditor();
  view_.Repaint();
}

void PatternEditor::CloseEditor() {
  TextChooseName.clear();
  SetEntry(u"");
  FrameAddPattern.Visible = false;
  ButtonAddPattern.Enabled = true;
  ButtonEditPattern.Enabled = true;
  mode_ = Mode::kClosed;
}

void PatternEditor::ButtonRemovePattern_Click() {
  int entry = LowestSelected(ListPatterns);
  if (mode_ != Mode::kClosed || entry < 0) return;
  if (ListPatterns.ListCount() == 1) return Refuse(u"You must leave at least one pattern!", u"Error!");
  std::u16string name = ListPatterns.ItemText(entry);
  RemovePatternLocal(name);
  if (defaultChoice_.Text == name) defaultChoice_.Text = ListPatterns.ItemText(entry == 0 ? 1 : 0);
  if (auto item = FirstItem(defaultChoice_, name); item != defaultChoice_.Items.end()) defaultChoice_.Items.erase(item);
  ListPatterns.RemoveItem(entry);
  view_.Repaint();
}

void PatternEditor::Refuse(std::u16string_view text, std::u16string_view title) {
  shell_.ShowMessage(text, title, MessageButtons::kOk, MessageIcon::kStop);
}

}  // namespace lanternfly
