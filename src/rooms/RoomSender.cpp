#include "rooms/RoomSender.h"

#include <algorithm>
#include <array>
#include <span>
#include <tuple>

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

// One client's room windows in walk order, and their indexes by name.
struct ClientRooms {
  std::vector<ServedRoom> rooms;
  std::vector<std::size_t> byName;

  // The indexes of the rooms of that name, in walk order.
  std::span<const std::size_t> Named(std::u16string_view name) const {
    auto [first, last] = std::equal_range(byName.begin(), byName.end(), name, ByName{rooms});
    return {first, last};
  }

  struct ByName {
    const std::vector<ServedRoom>& rooms;
    bool operator()(std::size_t a, std::size_t b) const {
      return std::tie(rooms[a].name, a) < std::tie(rooms[b].name, b);
    }
    bool operator()(std::size_t a, std::u16string_view name) const { return rooms[a].name < name; }
    bool operator()(std::u16string_view name, std::size_t b) const { return name < rooms[b].name; }
  };
};

}  // namespace

// What one announcement has learnt and done: each client's rooms, walked at
// the first entry that needs them, and the boxes typed into. It is a round of
// its own, so a client that does not answer is waited for once.
class RoomSender::Announcement {
 public:
  Announcement(Desktop& desktop, const RoomTable& rooms, std::u16string_view message)
      : line(BoxLine(desktop.Text(), message)), round_(desktop), desktop_(desktop) {
    stored_.reserve(rooms.size());
    for (const RoomRecord& room : rooms) {
      if (room.RoomName.empty() && room.ClientTag.empty()) continue;  // a free slot
      for (ChatClient client : kChatClients) {
        if (room.ClientTag == ClientTag(client)) {
          stored_.emplace_back(client, room.RoomName);
          break;
        }
      }
    }
    std::sort(stored_.begin(), stored_.end());
  }

  // Whether the room table holds a room of that client and name.
  bool Stored(ChatClient client, std::u16string_view name) const {
    return std::binary_search(stored_.begin(), stored_.end(), std::pair(client, name));
  }

  // False when the box has been typed into already.
  bool FirstTime(WindowHandle box) {
    auto at = std::lower_bound(served_.begin(), served_.end(), box);
    if (at != served_.end() && *at == box) return false;
    served_.insert(at, box);
    return true;
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
      found->byName.resize(found->rooms.size());
      for (std::size_t i = 0; i < found->rooms.size(); ++i) found->byName[i] = i;
      std::sort(found->byName.begin(), found->byName.end(), ClientRooms::ByName{found->rooms});
    }
    return *found;
  }

  const std::string line;

 private:
  Desktop::Round round_;
  Desktop& desktop_;
  std::optional<TopLevelWindows> topLevel_;
  std::vector<std::pair<ChatClient, std::u16string_view>> stored_;  // views into the room table, sorted
  std::vector<WindowHandle> served_;                                 // sorted
  std::array<std::optional<ClientRooms>, kChatClients.size()> clients_;
};

void RoomSender::SendDisplayMessage(std::u16string_view message, const ListModel& channelList) {
  ForgetOldLines();
  Announcement announcement(desktop_, rooms_, message);
  for (int index = 0; index < channelList.ListCount(); ++index) {
    if (settings_.SendToAll || channelList.ItemSelected(index)) Serve(announcement, channelList.ItemText(index));
  }
}

void RoomSender::SendToRoom(std::u16string_view entry, std::u16string_view message) {
  ForgetOldLines();
  Announcement announcement(desktop_, rooms_, message);
  Serve(announcement, entry);
}

void RoomSender::Serve(Announcement& announcement, std::u16string_view entry) {
  std::optional<ChatClient> client = RoutedClient(entry);
  if (!client || !ScanEnabled(*client, settings_)) return;
  std::u16string_view wanted = entry.substr(ClientTag(*client).size() + 3);
  if (!announcement.Stored(*client, wanted)) return;
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
  if (std::span<const std::size_t> named = rooms.Named(wanted); !named.empty()) {
    for (std::size_t index : named) serve(rooms.rooms[index]);
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
  if (!announcement.FirstTime(box)) return;
  std::optional<std::string> held;
  if (settings_.InterruptionProtection || pending_.count(box) != 0) {
    held = ReadBox(box);
    // A draft we could not read is never overwritten.
    if (!held) return;
  }
  if (settings_.InterruptionProtection && HoldsText(*held)) return;
  if (!Submit(box, announcement.line) || announcement.line.empty()) {
    pending_.erase(box);
    return;
  }
  PendingLine& pending = pending_[box];
  pending.line = announcement.line;
  pending.at = desktop_.Api().Milliseconds();
}

void RoomSender::ForgetOldLines() {
  const std::uint64_t now = desktop_.Api().Milliseconds();
  std::erase_if(pending_, [&](const auto& entry) { return now - entry.second.at >= kRecentMs; });
}

std::optional<std::string> RoomSender::ReadBox(WindowHandle box) {
  WindowApi& api = desktop_.Api();
  std::optional<std::string> text = api.SendGetText(box, 256);
  auto pending = pending_.find(box);
  if (pending == pending_.end()) return text;
  // The Enter posted after our last line is queued behind what we send: a
  // box that still holds that line has not taken it yet, and a text set now
  // would be sent by that Enter and leave an empty line for the next.
  // WM_GETTEXT reads at most 255 bytes of it, fewer where a double-byte
  // character would be cut.
  std::string_view line = pending->second.line;
  auto ours = [&] {
    if (!text) return false;
    if (line.size() <= 255) return *text == line;
    return text->size() >= 253 && text->size() <= 255 && line.starts_with(*text);
  };
  const std::uint64_t start = api.Milliseconds();
  while (ours()) {
    if (api.Milliseconds() - start >= kPendingWaitMs) {
      // The box keeps our line for later: not now, and the program is not
      // waited for again this round.
      desktop_.GaveUpOn(box);
      return std::nullopt;
    }
    api.LetOthersRun(kPendingStepMs);
    text = api.SendGetText(box, 256);
  }
  return text;
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
  return HoldsText(*bytes);
}

bool RoomSender::HoldsText(std::string_view bytes) const {
  std::u16string text = ReplaceAll(desktop_.Text().Decode(bytes), u"\r\n", u"");
  text = ReplaceAll(text, std::u16string(1, u'\0'), u"");
  return !TrimBlanks(text).empty();
}

}  // namespace lanternfly
