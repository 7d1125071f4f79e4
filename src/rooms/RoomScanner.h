#pragma once

// Finds the chat rooms of the seven clients on the desktop and lists each as
// "[tag] name" in the room list, beside a table of the rooms found that the
// sender routes by.

#include <array>
#include <string>
#include <vector>

#include "controls/ListModel.h"
#include "platform/Desktop.h"
#include "rooms/ChatClients.h"
#include "settings/Settings.h"

namespace lanternfly {

struct RoomRecord {
  std::u16string RoomName;  // empty: a free slot
  std::u16string ClientTag;

  bool operator==(const RoomRecord&) const = default;
};

inline constexpr int kRoomSlots = 100;
using RoomTable = std::array<RoomRecord, kRoomSlots>;  // slot 1 is [0]

// A room's entry in the list: "[" + tag + "] " + name.
std::u16string RoomEntryText(std::u16string_view tag, std::u16string_view name);

class RoomScanner {
 public:
  RoomScanner(Desktop& desktop, ListModel& channelList, const Settings& settings)
      : desktop_(desktop), channelList_(channelList), settings_(settings) {}

  // Rebuilds the list and the table from the windows open now; entries that
  // were selected, or are among `alsoSelect`, and are found again are
  // selected. A call made while a refresh lets messages run does nothing.
  void RefreshRoomList(const std::vector<std::u16string>& alsoSelect = {});
  void ClearRooms();
  // Stores the room in the lowest free slot (not when all 100 are used) and
  // lists it in any case.
  void AddRoom(std::u16string name, std::u16string_view tag);

  const RoomTable& Rooms() const { return rooms_; }

 private:
  Desktop& desktop_;
  ListModel& channelList_;
  const Settings& settings_;
  RoomTable rooms_;
  int firstFree_ = 0;
  bool refreshing_ = false;
};

}  // namespace lanternfly
