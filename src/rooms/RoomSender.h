#pragma once

// Types the display message into chat rooms: for each room to serve it finds
// the room's window again, then its input box, puts the message in and posts
// an Enter, as if the user had typed the line.

#include <optional>
#include <set>
#include <string>

#include "controls/ListModel.h"
#include "platform/Desktop.h"
#include "rooms/ChatClients.h"
#include "rooms/RoomScanner.h"
#include "settings/Settings.h"

namespace lanternfly {

// The most a chat line holds; longer messages are cut.
inline constexpr std::size_t kMaxLine = 400;

class RoomSender {
 public:
  RoomSender(Desktop& desktop, const Settings& settings, const RoomTable& rooms)
      : desktop_(desktop), settings_(settings), rooms_(rooms) {}

  // Sends the message to every listed room, or to the selected ones when
  // SendToAll is off. One announcement reaches each input box at most once,
  // however often its room is listed or matched.
  void SendDisplayMessage(std::u16string_view message, const ListModel& channelList);

  // The rooms that one list entry names: routed by its "[tag] " prefix to
  // the client, and by its name to every stored room of that client.
  void SendToRoom(std::u16string_view entry, std::u16string_view message);

  // Puts the message (cut to 400 characters) into the box and, once the box
  // has taken it, posts Enter. False when the box did not answer.
  bool SubmitToInputBox(WindowHandle box, std::u16string_view message);

  // Whether the user has text in the box: true, false, or nothing when the
  // box did not answer and its content is unknown.
  std::optional<bool> InputBoxInUse(WindowHandle box);

 private:
  // The boxes served and the programs that left a message unanswered during
  // one announcement: a box is typed into once, a silent program waited for once.
  struct Announcement {
    std::set<WindowHandle> served;
    std::set<std::uint32_t> silent;
  };

  void SendToRoom(std::u16string_view entry, std::u16string_view message, Announcement& announcement);
  void SendToClient(ChatClient client, std::u16string_view wanted, std::u16string_view message,
                    Announcement& announcement);
  bool Serves(ChatClient client, WindowHandle room, std::u16string_view wanted);
  std::vector<WindowHandle> InputBoxes(ChatClient client, WindowHandle room);
  void Deliver(WindowHandle box, std::u16string_view message, Announcement& announcement);

  Desktop& desktop_;
  const Settings& settings_;
  const RoomTable& rooms_;
};

}  // namespace lanternfly
