#include "app/WordLists.h"

#include <algorithm>

#include "settings/SettingsFile.h"

namespace lanternfly {
namespace {

void LoadList(const WordSlots& stored, WordSlots& working, ListModel& list) {
  working = stored;
  list.Clear();
  for (const std::u16string& word : stored) {
    if (!word.empty()) list.AddItem(word);
  }
}

}  // namespace

void WordLists::Load(const Settings& settings) {
  LoadList(settings.RandomWords, WorkingRandomWords, ListRandomWords);
  LoadList(settings.FilterWords, WorkingFilterWords, ListFilterWords);
  TextRadioCuttoff = settings.RadioCutoffText;
}

void WordLists::Save(Settings& settings) const {
  settings.RandomWords = WorkingRandomWords;
  settings.FilterWords = WorkingFilterWords;
  settings.RadioCutoffText = StorableText(TextRadioCuttoff);
}

bool WordLists::AddRandomWordLocal(std::u16string word) { return AddWord(WorkingRandomWords, std::move(word)); }
bool WordLists::AddFilterWordLocal(std::u16string word) { return AddWord(WorkingFilterWords, std::move(word)); }

void WordLists::RemoveWordLocal(WordSlots& slots, std::u16string_view word) {
  auto slot = std::find(slots.begin(), slots.end(), word);
  if (slot != slots.end()) slot->clear();
}

void WordLists::AskWord(WordSlots& slots, ListModel& list, std::u16string_view askTitle,
                        std::u16string_view emptyTitle) {
  // Stored as the settings file will hold it: a comma would cut the word in
  // two when it is read back.
  std::u16string word = StorableText(shell_.AskText(u"Please enter the word you wish to add.", askTitle));
  if (word.empty()) {
    shell_.ShowMessage(u"Please enter a word!", emptyTitle, MessageButtons::kOk, MessageIcon::kStop);
  } else if (AddWord(slots, word)) {
    list.AddItem(std::move(word));
  } else {
    shell_.ShowMessage(u"100/100 slots used. Please delete a word to add a new one", u"Error!", MessageButtons::kOk,
                       MessageIcon::kStop);
  }
  view_.Repaint();
}

void WordLists::RemoveSelected(WordSlots& slots, ListModel& list) {
  int entry = LowestSelected(list);
  if (entry < 0) return;
  RemoveWordLocal(slots, list.ItemText(entry));
  list.RemoveItem(entry);
  view_.Repaint();
}

}  // namespace lanternfly
