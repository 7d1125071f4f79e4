#include "rooms/RoomScanner.h"

#include <unordered_set>

namespace lanternfly {

std::u16string RoomEntryText(std::u16string_view tag, std::u16string_view name) {
  std::u16string entry;
  entry.reserve(tag.size() + name.size() + 3);
  entry += u"[";
  entry += tag;
  entry += u"] ";
  entry += name;
  return entry;
}

void RoomScanner::ClearRooms() {
  channelList_.Clear();
  rooms_.fill(RoomRecord());
  firstFree_ = 0;
}

void RoomScanner::AddRoom(std::u16string name, std::u16string_view tag) {
  // Every slot below firstFree_ holds a room; a room stored without a name
  // leaves its slot free.
  while (firstFree_ < kRoomSlots && !rooms_[firstFree_].RoomName.empty()) ++firstFree_;
  if (firstFree_ < kRoomSlots) {
    rooms_[firstFree_].RoomName = name;
    rooms_[firstFree_].ClientTag = tag;
  }
  channelList_.AddItem(RoomEntryText(tag, name));
}

void RoomScanner::RefreshRoomList(const std::vector<std::u16string>& alsoSelect) {
  // A refresh asked for while this one lets messages run would list every
  // room a second time; this one lists the rooms open now anyway.
  if (refreshing_) return;
  refreshing_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{refreshing_};
  // Messages run only while the list is whole and selected as the user left
  // it: a click on a row then is neither lost on an empty list nor undone.
  desktop_.PumpMessages();
  std::unordered_set<std::u16string> selected(alsoSelect.begin(), alsoSelect.end());
  for (int index = 0; index < channelList_.ListCount(); ++index) {
    if (channelList_.ItemSelected(index)) selected.insert(channelList_.ItemText(index));
  }
  ClearRooms();
  TopLevelWindows topLevel(desktop_);
  for (ChatClient client : kChatClients) {
    if (!ScanEnabled(client, settings_)) continue;
    for (const RoomWindow& room : RoomWindows(desktop_, topLevel, client)) {
      std::optional<std::u16string> name = ScannedRoomName(client, room);
      if (name) AddRoom(std::move(*name), ClientTag(client));
    }
  }
  // Every entry whose text was selected before is selected again.
  for (int index = 0; !selected.empty() && index < channelList_.ListCount(); ++index) {
    if (selected.count(channelList_.ItemText(index)) != 0) channelList_.SetItemSelected(index, true);
  }
  desktop_.PumpMessages();
}

}  // namespace lanternfly
