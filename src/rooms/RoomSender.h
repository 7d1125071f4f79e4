#pragma once

// Types the display message into chat rooms: for each room to serve it finds
// the room's window again, then its input box, puts the message in and posts
// an Enter, as if the user had typed the line.

#include <cstdint>
#include <map>
#include <optional>
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
  // SendToAll is off. Each client's windows are walked once for the whole
  // announcement, and each input box is typed into at most once, however
  // often its room is listed or matched.
  void SendDisplayMessage(std::u16string_view message, const ListModel& channelList);

  // The rooms that one list entry names: routed by the "[tag] " prefix it
  // starts with to the client, and by the rest, its name, to that client's
  // windows of that name. Only when none of them has that name any more (a
  // title changed since the scan) are the windows whose names hold it served.
  // Nothing without a stored room of that name and tag.
  void SendToRoom(std::u16string_view entry, std::u16string_view message);

  // Puts the message (cut to 400 characters) into the box and, once the box
  // has taken it, posts Enter. False when the box did not answer. (Unlike an
  // announcement, it does not wait for a line still pending in the box.)
  bool SubmitToInputBox(WindowHandle box, std::u16string_view message);

  // Whether the user has text in the box: true, false, or nothing when the
  // box did not answer and its content is unknown.
  std::optional<bool> InputBoxInUse(WindowHandle box);

 private:
  class Announcement;

  void Serve(Announcement& announcement, std::u16string_view entry);
  std::vector<WindowHandle> InputBoxes(ChatClient client, WindowHandle room);
  void Deliver(Announcement& announcement, WindowHandle box);
  bool Submit(WindowHandle box, std::string_view line);
  // What the box holds, once it no longer holds a line of ours whose Enter
  // is still queued; nothing when it did not answer or kept our line.
  std::optional<std::string> ReadBox(WindowHandle box);
  void ForgetOldLines();
  // Whether the box's text is the user's: anything but blanks and line breaks.
  bool HoldsText(std::string_view bytes) const;

  // A line set into a box, with its Enter posted: until the box is seen
  // without it, the next line into that box waits for it to go.
  struct PendingLine {
    std::string line;
    std::uint64_t at;  // Milliseconds() when posted
  };
  // Lines older than this have long been taken, and their boxes cost no read.
  static constexpr std::uint64_t kRecentMs = 3000;
  // How long a client may take to take its Enter, and how often it is asked.
  static constexpr std::uint64_t kPendingWaitMs = 1000;
  static constexpr int kPendingStepMs = 10;

  Desktop& desktop_;
  const Settings& settings_;
  const RoomTable& rooms_;
  std::map<WindowHandle, PendingLine> pending_;
};

}  // namespace lanternfly
