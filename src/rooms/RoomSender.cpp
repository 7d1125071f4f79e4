#include "rooms/RoomSender.h"

#include <array>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "text/Text.h"

namespace lanternfly {
namespace {

constexpr std::pair<std::u16string_view, ChatClient> kPrefixes[] = {
    {u"[WinMX] ", ChatClient::kWinMX}, {u"[Metis] ", ChatClient::kMetis}, {u"[RoboMX] ", ChatClient::kRoboMX},
    {u"[Ouka] ", ChatClient::kOuka},   {u"[Rabbit] ", ChatClient::kRabbit}, {u"[Nushi] ", ChatClient::kNushi},
    {u"[ZCB] ", ChatClient::kZCB},
};

// The client of an entry: the scanner starts every entry with its client's
// prefix, whatever the room's name holds after it.
std::optional<ChatClient> RoutedClient(std::u16string_view entry) {
  for (const auto& [prefix, client] : kPrefixes) {
    if (entry.starts_with(prefix)) return client;
  }
  return std::nullopt;
}

// The message as a box takes it: at most 400 characters, never half of a
// surrogate pair at the end, in the system code page.
std::string BoxLine(const CodePage& codePage, std::u16string_view message) {
  std::u16string_view line = message.substr(0, kMaxLine);
  if (line.size() == kMaxLine && IsHighSurrogate(line.back())) line.remove_suffix(1);
  return codePage.Encode(line);
}

struct ServedRoom {
  WindowHandle window;
  std::u16string name;  // as the sender tests it
  bool served = false;
};

// One client's room windows in walk order, and where each name occurs.
struct ClientRooms {
  std::vector<ServedRoom> rooms;
  std::unordered_map<std::u16string_view, std::vector<std::size_t>> byName;  // views into rooms
};

}  // namespace

// What one announcement has learnt and done: each client's rooms, walked at
// the first entry that needs them, and the boxes typed into. It is a round of
// its own, so a client that does not answer is waited for once.
class RoomSender::Announcement {
 public:
  Announcement(Desktop& desktop, const RoomTable& rooms, std::u16string_view message)
      : line(BoxLine(desktop.Text(), message)), round_(desktop), desktop_(desktop) {
    for (const RoomRecord& room : rooms) {
      for (ChatClient client : kChatClients) {
        if (room.ClientTag == ClientTag(client)) StoredNames(client).insert(room.RoomName);
      }
    }
  }

  // The names of the client's stored rooms (views into the room table).
  std::unordered_set<std::u16string_view>& StoredNames(ChatClient client) {
    return stored_[static_cast<std::size_t>(client)];
  }

  ClientRooms& RoomsOf(ChatClient client) {
    std::optional<ClientRooms>& found = clients_[static_cast<std::size_t>(client)];
    if (!found) {
      if (!topLevel_) topLevel_.emplace(desktop_);
      found.emplace();
      for (RoomWindow& window : RoomWindows(desktop_, *topLevel_, client)) {
        if (std::optional<std::u16string> name = SenderRoomName(client, window)) {
          found->rooms.push_back({window.window, std::move(*name)});
        }
      }
      // The rooms stay where they are from here on, so their names can be keys.
      for (std::size_t i = 0; i < found->rooms.size(); ++i) found->byName[found->rooms[i].name].push_back(i);
    }
    return *found;
  }

  const std::string line;
  std::set<WindowHandle> served;

 private:
  Desktop::Round round_;
  Desktop& desktop_;
  std::optional<TopLevelWindows> topLevel_;
  std::array<std::unordered_set<std::u16string_view>, kChatClients.size()> stored_;
  std::array<std::optional<ClientRooms>, kChatClients.size()> clients_;
};

void RoomSender::SendDisplayMessage(std::u16string_view message, const ListModel& channelList) {
  Announcement announcement(desktop_, rooms_, message);
  for (int index = 0; index < channelList.ListCount(); ++index) {
    if (settings_.SendToAll || channelList.ItemSelected(index)) Serve(announcement, channelList.ItemText(index));
  }
}

void RoomSender::SendToRoom(std::u16string_view entry, std::u16string_view message) {
  Announcement announcement(desktop_, rooms_, message);
  Serve(announcement, entry);
}

void RoomSender::Serve(Announcement& announcement, std::u16string_view entry) {
  std::optional<ChatClient> client = RoutedClient(entry);
  if (!client || !ScanEnabled(*client, settings_)) return;
  std::u16string_view wanted = entry.substr(ClientTag(*client).size() + 3);
  if (announcement.StoredNames(*client).count(wanted) == 0) return;
  ClientRooms& rooms = announcement.RoomsOf(*client);
  auto serve = [&](ServedRoom& room) {
    if (room.served) return;
    room.served = true;
    for (WindowHandle box : InputBoxes(*client, room.window)) Deliver(announcement, box);
  };
  // A bot's one room answers to any entry of its client.
  if (*client == ChatClient::kZCB) {
    for (ServedRoom& room : rooms.rooms) serve(room);
    return;
  }
  auto named = rooms.byName.find(wanted);
  if (named != rooms.byName.end()) {
    for (std::size_t index : named->second) serve(rooms.rooms[index]);
    return;
  }
  // An empty name is part of every name: it never serves rooms of other names.
  if (wanted.empty()) return;
  for (ServedRoom& room : rooms.rooms) {
    if (Contains(room.name, wanted)) serve(room);
  }
}

std::vector<WindowHandle> RoomSender::InputBoxes(ChatClient client, WindowHandle room) {
  std::vector<WindowHandle> boxes;
  auto add = [&](WindowHandle box) {
    if (box != kNoWindow) boxes.push_back(box);
  };
  // The class names looked for are ASCII, the same bytes in every code page.
  auto first = [&](WindowHandle parent, std::optional<std::string_view> className = std::nullopt,
                   std::optional<std::string_view> title = std::nullopt) {
    return desktop_.Api().FindChild(parent, kNoWindow, className, title);
  };
  switch (client) {
    case ChatClient::kWinMX:
      add(first(room, "edit", ""));
      break;
    case ChatClient::kMetis:
    case ChatClient::kRoboMX: {
      WindowHandle child = first(room);
      if (child != kNoWindow && ClassHolds(desktop_, child, "#")) add(first(child, "Edit"));
      break;
    }
    case ChatClient::kOuka:
    case ChatClient::kNushi:
      for (WindowHandle child : desktop_.Windows(room)) {
        if (ClassHolds(desktop_, child, "#")) add(first(child, "Edit"));
      }
      break;
    case ChatClient::kRabbit:
      add(first(room, "RichEdit20A"));
      break;
    case ChatClient::kZCB: {
      WindowHandle c1 = first(room);
      WindowHandle c2 = c1 == kNoWindow ? kNoWindow : first(c1);
      WindowHandle c3 = c2 == kNoWindow ? kNoWindow : desktop_.Api().FindChild(c1, c2, std::nullopt, std::nullopt);
      if (c3 != kNoWindow) add(first(c3));
      break;
    }
  }
  return boxes;
}

void RoomSender::Deliver(Announcement& announcement, WindowHandle box) {
  if (!announcement.served.insert(box).second) return;
  // A draft we could not read is never overwritten.
  if (settings_.InterruptionProtection && InputBoxInUse(box).value_or(true)) return;
  Submit(box, announcement.line);
}

bool RoomSender::SubmitToInputBox(WindowHandle box, std::u16string_view message) {
  return Submit(box, BoxLine(desktop_.Text(), message));
}

bool RoomSender::Submit(WindowHandle box, std::string_view line) {
  if (!desktop_.Api().SendSetText(box, kMaxLine, line)) return false;
  // A text the box may never have taken is not sent: the Enter would send
  // whatever the user had half typed.
  desktop_.Api().Post(box, kWmKeyDown, kVkReturn, 0);
  return true;
}

std::optional<bool> RoomSender::InputBoxInUse(WindowHandle box) {
  std::optional<std::string> bytes = desktop_.Api().SendGetText(box, 256);
  if (!bytes) return std::nullopt;
  std::u16string text = ReplaceAll(desktop_.Text().Decode(*bytes), u"\r\n", u"");
  text = ReplaceAll(text, std::u16string(1, u'\0'), u"");
  return !TrimBlanks(text).empty();
}

}  // namespace lanternfly
