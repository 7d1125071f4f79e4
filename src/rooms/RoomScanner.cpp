#include "rooms/RoomScanner.h"

#include <vector>

namespace lanternfly {

std::u16string RoomEntryText(std::u16string_view tag, std::u16string_view name) {
  std::u16string entry = u"[";
  entry += tag;
  entry += u"] ";
  entry += name;
  return entry;
}

void RoomScanner::ClearRooms() {
  channelList_.Clear();
  rooms_.fill(RoomRecord());
}

void RoomScanner::AddRoom(std::u16string name, std::u16string_view tag) {
  for (RoomRecord& slot : rooms_) {
    if (!slot.RoomName.empty()) continue;
    slot.RoomName = name;
    slot.ClientTag = tag;
    break;
  }
  channelList_.AddItem(RoomEntryText(tag, name));
}

void RoomScanner::RefreshRoomList() {
  std::vector<std::u16string> selected;
  for (int index = 0; index < channelList_.ListCount(); ++index) {
    if (channelList_.ItemSelected(index)) selected.push_back(channelList_.ItemText(index));
  }
  ClearRooms();
  desktop_.PumpMessages();
  for (ChatClient client : kChatClients) {
    if (!ScanEnabled(client, settings_)) continue;
    for (WindowHandle candidate : RoomCandidates(desktop_, client)) {
      if (std::optional<std::u16string> name = ScannedRoomName(desktop_, client, candidate)) {
        AddRoom(std::move(*name), ClientTag(client));
      }
    }
  }
  desktop_.PumpMessages();
  for (const std::u16string& entry : selected) {
    for (int index = 0; index < channelList_.ListCount(); ++index) {
      if (channelList_.ItemText(index) == entry) channelList_.SetItemSelected(index, true);
    }
  }
}

}  // namespace lanternfly
