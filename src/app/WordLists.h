#pragma once

// The Display Extras page of the settings window: the random and the filter
// word lists, edited on working copies, and the radio cut-off text.

#include <string>
#include <string_view>

#include "app/SettingsWindowView.h"
#include "controls/iList.h"
#include "platform/Shell.h"
#include "settings/Settings.h"

namespace lanternfly {

class WordLists {
 public:
  WordLists(Shell& shell, SettingsWindowView& view) : shell_(shell), view_(view) {}
  WordLists(const WordLists&) = delete;
  WordLists& operator=(const WordLists&) = delete;

  // The working copies, slot for slot, and the lists in slot order.
  void Load(const Settings& settings);
  // Every slot of both working copies, and the radio cut-off text as the
  // settings file can hold it.
  void Save(Settings& settings) const;

  // The lowest free slot; false when all 100 are used.
  bool AddRandomWordLocal(std::u16string word);
  bool AddFilterWordLocal(std::u16string word);
  // Clears the lowest slot holding the word, if any.
  void RemoveRandomWordLocal(std::u16string_view word) { RemoveWordLocal(WorkingRandomWords, word); }
  void RemoveFilterWordLocal(std::u16string_view word) { RemoveWordLocal(WorkingFilterWords, word); }

  void ButtonAddRandomWord_Click() { AskWord(WorkingRandomWords, ListRandomWords, u"Add a new random word", u"Error"); }
  void ButtonAddFilterWord_Click() { AskWord(WorkingFilterWords, ListFilterWords, u"Add new filter word", u"Error!"); }
  void ButtonRemoveRandomWord_Click() { RemoveSelected(WorkingRandomWords, ListRandomWords); }
  void ButtonRemoveFilterWord_Click() { RemoveSelected(WorkingFilterWords, ListFilterWords); }

  WordSlots WorkingRandomWords;
  WordSlots WorkingFilterWords;
  iList ListRandomWords;
  iList ListFilterWords;
  std::u16string TextRadioCuttoff;

 private:
  static void RemoveWordLocal(WordSlots& slots, std::u16string_view word);
  void AskWord(WordSlots& slots, ListModel& list, std::u16string_view askTitle, std::u16string_view emptyTitle);
  void RemoveSelected(WordSlots& slots, ListModel& list);

  Shell& shell_;
  SettingsWindowView& view_;
};

}  // namespace lanternfly
