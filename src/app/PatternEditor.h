#pragma once

// The Color Patterns page of the settings window: the list of the working
// copy's patterns and the editor that adds, edits and removes them. Nothing
// here reaches the pattern database until the window is saved.

#include <string>
#include <string_view>

#include "app/SettingsWindowView.h"
#include "controls/iList.h"
#include "message/PatternDatabase.h"
#include "platform/Shell.h"

namespace lanternfly {

inline constexpr std::u16string_view kPatternSampleEntry =
    u"[c,1,4,6,8,10,12,14,16,18]Testing A Pattern (Only the first [c] pattern is accepted![/c])";

class PatternEditor {
 public:
  enum class Mode { kClosed, kAdding, kEditing };

  // `defaultChoice` is the Display Message page's drop-down, which lists the
  // same names and follows every add, rename and removal.
  PatternEditor(Shell& shell, SettingsWindowView& view, DropDown& defaultChoice);
  PatternEditor(const PatternEditor&) = delete;
  PatternEditor& operator=(const PatternEditor&) = delete;

  // The working copy, the list and the drop-down's items from the stored
  // patterns, slot for slot; the editor closed.
  void Load(const PatternDatabase& patterns);

  // Operations on the working copy; names are compared exactly.
  bool ValidPatternName(std::u16string_view name) const;
  // The lowest free slot; false when there is none.
  bool AddPatternLocal(const ColorPattern& pattern);
  // Replaces the lowest pattern of that name and renames its entry in both
  // lists; false when there is none (an empty name names no pattern).
  bool ReplacePatternLocal(std::u16string_view oldName, const ColorPattern& pattern);
  // The lowest pattern of that name, or an empty one.
  ColorPattern GetPatternLocal(std::u16string_view name) const;
  // Frees the lowest slot of that name; false when there is none.
  bool RemovePatternLocal(std::u16string_view name);

  void ButtonAddPattern_Click();
  void ButtonEditPattern_Click();
  void ButtonRemovePattern_Click();
  void ButtonAddThisPattern_Click();
  void ButtonCancelAddPattern_Click();
  void TextPatternAdd_Change();
  void TextPatternAdd_MouseMove() { view_.FocusTextBox(SettingsTextBox::kPatternAdd); }

  Mode State() const { return mode_; }

  PatternDatabase WorkingPatterns;
  std::u16string EditedPatternName;

  iList ListPatterns;
  Button ButtonAddPattern{u"Add New Pattern"};
  Button ButtonEditPattern{u"Edit Selected Pattern"};
  Frame FrameAddPattern{u"Add New Pattern:", false};
  std::u16string TextPatternAdd;
  std::u16string TextPreviewPatternAdd;  // markup
  Frame FrameChooseName{u"Choose a name for your pattern:"};
  std::u16string TextChooseName;
  Button ButtonAddThisPattern{u"Add This Pattern"};

 private:
  // The lowest slot holding a pattern of that name; 0 when none does.
  int FindSlot(std::u16string_view name) const;
  void SetEntry(std::u16string_view entry);
  void CloseEditor();
  void Refuse(std::u16string_view text, std::u16string_view title);

  Shell& shell_;
  SettingsWindowView& view_;
  DropDown& defaultChoice_;
  Mode mode_ = Mode::kClosed;
};

}  // namespace lanternfly
