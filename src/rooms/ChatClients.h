#pragma once

// The seven chat clients as their windows show them: how to find each
// client's main windows and, below them, the windows that may be rooms. The
// scanner and the sender walk the same paths, so both take them from here.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Desktop.h"
#include "settings/Settings.h"

namespace lanternfly {

enum class ChatClient { kWinMX, kMetis, kRoboMX, kOuka, kRabbit, kNushi, kZCB };

// In the order the scanner walks them.
inline constexpr std::array<ChatClient, 7> kChatClients = {
    ChatClient::kWinMX, ChatClient::kMetis, ChatClient::kRoboMX, ChatClient::kOuka,
    ChatClient::kRabbit, ChatClient::kNushi, ChatClient::kZCB};

// The tag a room is stored with: "WinMX", "Metis", "RoboMX", "Ouka", "Rabbit", "Nushi", "ZCB".
constexpr std::u16string_view ClientTag(ChatClient client) {
  constexpr std::u16string_view kTags[] = {u"WinMX", u"Metis", u"RoboMX", u"Ouka", u"Rabbit", u"Nushi", u"ZCB"};
  return kTags[static_cast<std::size_t>(client)];
}

// Whether the user lets the program look for this client's rooms.
bool ScanEnabled(ChatClient client, const Settings& settings);

// Whether the window's class name holds `part`, a plain ASCII text.
bool ClassHolds(Desktop& desktop, WindowHandle window, std::string_view part);

// The desktop's top-level windows, enumerated once and each title read once.
// The clients read main-window titles into buffers of different sizes; a
// title is read again into a smaller buffer only when it does not fit it, so
// every client sees exactly what its own read would give.
class TopLevelWindows {
 public:
  explicit TopLevelWindows(Desktop& desktop);

  // The client's main windows, in Z-order.
  std::vector<WindowHandle> MainWindows(ChatClient client);

 private:
  struct Window {
    WindowHandle handle;
    std::string longest;  // the title in the largest buffer any client uses
    std::vector<std::pair<int, std::u16string>> titles;  // decoded, by buffer size
  };

  const std::u16string& Title(Window& window, int limit);

  Desktop& desktop_;
  std::vector<Window> windows_;
};

// A window below a client's main window that may be one of its rooms, with
// its title as the client's rules read it. For Zenar Chat Bot the main
// window itself stands for its one room, and its title is not read again.
struct RoomWindow {
  WindowHandle window{};
  std::u16string title;
};

// The client's room windows in walk order: each main window in Z-order, and
// below it the windows its path leads to that pass the class tests
// (Ouka's "MDICHAT", Nushi's "Afx:", Rabbit's "WPNCLIENT").
std::vector<RoomWindow> RoomWindows(Desktop& desktop, TopLevelWindows& topLevel, ChatClient client);

// The room name the scanner lists a window under, or nothing when the
// window is not a room.
std::optional<std::u16string> ScannedRoomName(ChatClient client, const RoomWindow& room);

// The name the sender tests a window by, or nothing when it never types
// into it. The same as the scanner's, except that Ouka and Nushi pass over
// only a window titled exactly "Channel List".
std::optional<std::u16string> SenderRoomName(ChatClient client, const RoomWindow& room);

}  // namespace lanternfly
