#pragma once

// The seven chat clients as their windows show them: how to find each
// client's main windows and, below them, the windows that may be rooms. The
// scanner and the sender walk the same paths, so both take them from here.

#include <array>
#include <string>
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
std::u16string_view ClientTag(ChatClient client);

// Whether the user lets the program look for this client's rooms.
bool ScanEnabled(ChatClient client, const Settings& settings);

// Every window, in walk order, that may be one of the client's rooms: the
// children along the client's path below each of its main windows. For
// Zenar Chat Bot the main window itself stands for its one room.
std::vector<WindowHandle> RoomCandidates(Desktop& desktop, ChatClient client);

// The room name the scanner lists a candidate under, or nothing when the
// window is not a room.
std::optional<std::u16string> ScannedRoomName(Desktop& desktop, ChatClient client, WindowHandle candidate);

}  // namespace lanternfly
