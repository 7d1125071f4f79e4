#include "rooms/RoomSender.h"

#include "text/Text.h"

namespace lanternfly {
namespace {

// The prefixes in the order an entry is tested for them.
constexpr std::pair<std::u16string_view, ChatClient> kPrefixes[] = {
    {u"[WinMX] ", ChatClient::kWinMX}, {u"[RoboMX] ", ChatClient::kRoboMX}, {u"[Metis] ", ChatClient::kMetis},
    {u"[Nushi] ", ChatClient::kNushi}, {u"[Ouka] ", ChatClient::kOuka},     {u"[ZCB] ", ChatClient::kZCB},
    {u"[Rabbit] ", ChatClient::kRabbit},
};

}  // namespace

void RoomSender::SendDisplayMessage(std::u16string_view message, const ListModel& channelList) {
  Announcement announcement;
  for (int index = 0; index < channelList.ListCount(); ++index) {
    if (settings_.SendToAll || channelList.ItemSelected(index)) {
      SendToRoom(channelList.ItemText(index), message, announcement);
    }
  }
}

void RoomSender::SendToRoom(std::u16string_view entry, std::u16string_view message) {
  Announcement announcement;
  SendToRoom(entry, message, announcement);
}

void RoomSender::SendToRoom(std::u16string_view entry, std::u16string_view message, Announcement& announcement) {
  std::optional<ChatClient> client;
  for (const auto& [prefix, named] : kPrefixes) {
    if (Contains(entry, prefix)) {
      client = named;
      break;
    }
  }
  std::u16string wanted(entry);
  for (const auto& [prefix, named] : kPrefixes) wanted = ReplaceAll(wanted, prefix, u"");
  std::u16string_view tag = client ? ClientTag(*client) : u"";
  for (const RoomRecord& room : rooms_) {
    if (client && room.RoomName == wanted && room.ClientTag == tag) {
      SendToClient(*client, wanted, message, announcement);
    }
  }
}

void RoomSender::SendToClient(ChatClient client, std::u16string_view wanted, std::u16string_view message,
                              Announcement& announcement) {
  if (!ScanEnabled(client, settings_)) return;
  for (WindowHandle room : RoomCandidates(desktop_, client)) {
    if (!Serves(client, room, wanted)) continue;
    for (WindowHandle box : InputBoxes(client, room)) Deliver(box, message, announcement);
  }
}

bool RoomSender::Serves(ChatClient client, WindowHandle room, std::u16string_view wanted) {
  switch (client) {
    case ChatClient::kWinMX:
    case ChatClient::kMetis:
    case ChatClient::kRoboMX: {
      std::optional<std::u16string> name = ScannedRoomName(desktop_, client, room);
      return name && Contains(*name, wanted);
    }
    case ChatClient::kOuka:
    case ChatClient::kNushi: {
      std::u16string_view kind = client == ChatClient::kOuka ? u"MDICHAT" : u"Afx:";
      if (!Contains(desktop_.ClassName(room), kind)) return false;
      std::u16string title = desktop_.Title(room, 100);
      return title != u"Channel List" && Contains(title, wanted);
    }
    case ChatClient::kRabbit:
      return Contains(desktop_.Title(room, 100), wanted);
    case ChatClient::kZCB:
      return true;
  }
  return false;
}

std::vector<WindowHandle> RoomSender::InputBoxes(ChatClient client, WindowHandle room) {
  std::vector<WindowHandle> boxes;
  auto add = [&](WindowHandle box) {
    if (box != kNoWindow) boxes.push_back(box);
  };
  switch (client) {
    case ChatClient::kWinMX:
      add(desktop_.FirstChild(room, u"edit", u""));
      break;
    case ChatClient::kMetis:
    case ChatClient::kRoboMX: {
      WindowHandle first = desktop_.FirstChild(room);
      if (first != kNoWindow && Contains(desktop_.ClassName(first), u"#")) add(desktop_.FirstChild(first, u"Edit"));
      break;
    }
    case ChatClient::kOuka:
    case ChatClient::kNushi:
      for (WindowHandle child : desktop_.Windows(room)) {
        if (Contains(desktop_.ClassName(child), u"#")) add(desktop_.FirstChild(child, u"Edit"));
      }
      break;
    case ChatClient::kRabbit:
      add(desktop_.FirstChild(room, u"RichEdit20A"));
      break;
    case ChatClient::kZCB: {
      WindowHandle c1 = desktop_.FirstChild(room);
      WindowHandle c2 = c1 == kNoWindow ? kNoWindow : desktop_.FirstChild(c1);
      WindowHandle c3 = c2 == kNoWindow ? kNoWindow : desktop_.Api().FindChild(c1, c2, std::nullopt, std::nullopt);
      if (c3 != kNoWindow) add(desktop_.FirstChild(c3));
      break;
    }
  }
  return boxes;
}

void RoomSender::Deliver(WindowHandle box, std::u16string_view message, Announcement& announcement) {
  if (!announcement.served.insert(box).second) return;
  std::uint32_t program = desktop_.ProcessOf(box);
  if (announcement.silent.count(program) != 0) return;
  if (settings_.InterruptionProtection) {
    std::optional<bool> inUse = InputBoxInUse(box);
    if (!inUse) announcement.silent.insert(program);
    // A draft we could not read is never overwritten.
    if (inUse.value_or(true)) return;
  }
  if (!SubmitToInputBox(box, message)) announcement.silent.insert(program);
}

bool RoomSender::SubmitToInputBox(WindowHandle box, std::u16string_view message) {
  std::u16string_view line = message.substr(0, kMaxLine);
  // Never leave half of a surrogate pair at the end.
  if (line.size() == kMaxLine && IsHighSurrogate(line.back())) line.remove_suffix(1);
  if (!desktop_.Api().SendSetText(box, kMaxLine, desktop_.Text().Encode(line))) return false;
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
