#include "rooms/ChatClients.h"

#include <algorithm>

#include "text/Text.h"

namespace lanternfly {
namespace {

// How a client's main window is recognised among the top-level windows.
struct MainWindowTest {
  int limit;                  // title buffer size
  std::u16string_view part;   // the title holds this
  bool nonEmpty;              // the title read must not be empty
};

MainWindowTest MainTest(ChatClient client) {
  switch (client) {
    case ChatClient::kWinMX: return {99, u"WinMX v3.", true};
    case ChatClient::kMetis: return {300, u"Metis", false};
    case ChatClient::kRoboMX: return {300, u"Robo", false};
    case ChatClient::kOuka: return {100, u"Ouka Chat Client", true};
    case ChatClient::kRabbit: return {100, u"Rabbit v1.3", false};
    case ChatClient::kNushi: return {100, u"NushiClient", true};
    case ChatClient::kZCB: return {100, u"ZCB V", false};
  }
  return {};
}

// The length of " on WinMX Peer Network", cut from a WinMX room title.
constexpr std::size_t kWinMXSuffix = 22;

// The largest buffer a main-window title is read into (Metis, RoboMX).
constexpr int kLongestTitle = 300;

}  // namespace

bool ScanEnabled(ChatClient client, const Settings& settings) {
  switch (client) {
    case ChatClient::kWinMX: return settings.ScanWinMX;
    case ChatClient::kMetis: return settings.ScanMetis;
    case ChatClient::kRoboMX: return settings.ScanRobo;
    case ChatClient::kOuka: return settings.ScanOuka;
    case ChatClient::kRabbit: return settings.ScanRabbit;
    case ChatClient::kNushi: return settings.ScanNushi;
    case ChatClient::kZCB: return settings.ScanZCB;
  }
  return false;
}

bool ClassHolds(Desktop& desktop, WindowHandle window, std::string_view part) {
  std::string name = desktop.Api().ClassName(window, 100);
  // Class names are nearly always ASCII, which every ANSI code page reads
  // alike; only a name with other bytes has to be converted to be searched.
  bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return name.find(part) != std::string::npos;
  return Contains(desktop.Text().Decode(name), std::u16string(part.begin(), part.end()));
}

TopLevelWindows::TopLevelWindows(Desktop& desktop) : desktop_(desktop) {
  for (WindowHandle window : desktop.Windows()) {
    windows_.push_back({window, desktop.Api().Title(window, kLongestTitle), {}});
  }
}

const std::u16string& TopLevelWindows::Title(Window& window, int limit) {
  for (const auto& [size, title] : window.titles) {
    if (size == limit) return title;
  }
  // A title that the largest buffer held whole reads the same from every
  // buffer it fits. A longer one is read again: the system may cut a
  // double-byte character differently than cutting the bytes here would.
  std::size_t whole = static_cast<std::size_t>(std::min(limit, kLongestTitle - 1));
  bool same = limit == kLongestTitle || window.longest.size() < whole;
  std::string bytes = same ? window.longest : desktop_.Api().Title(window.handle, limit);
  window.titles.emplace_back(limit, desktop_.Text().Decode(bytes));
  return window.titles.back().second;
}

std::vector<WindowHandle> TopLevelWindows::MainWindows(ChatClient client) {
  const MainWindowTest test = MainTest(client);
  std::vector<WindowHandle> mains;
  for (Window& window : windows_) {
    const std::u16string& title = Title(window, test.limit);
    if ((test.nonEmpty && title.empty()) || !Contains(title, test.part)) continue;
    mains.push_back(window.handle);
  }
  return mains;
}

std::vector<RoomWindow> RoomWindows(Desktop& desktop, TopLevelWindows& topLevel, ChatClient client) {
  std::vector<RoomWindow> rooms;
  for (WindowHandle main : topLevel.MainWindows(client)) {
    if (client == ChatClient::kZCB) {
      rooms.push_back({main, {}});
      continue;
    }
    if (client == ChatClient::kWinMX) {
      std::vector<WindowHandle> children = desktop.Windows(main);
      rooms.reserve(rooms.size() + children.size());
      for (WindowHandle child : children) rooms.push_back({child, desktop.Title(child, 99)});
      continue;
    }
    // The others keep their rooms in MDI client windows.
    std::optional<std::u16string_view> only;
    if (client == ChatClient::kRabbit) only = u"WPNCLIENT";
    std::string_view roomClass = client == ChatClient::kOuka    ? "MDICHAT"
                                 : client == ChatClient::kNushi ? "Afx:"
                                                                : "";
    for (WindowHandle mdi : desktop.Windows(main)) {
      if (!ClassHolds(desktop, mdi, "MDIClient")) continue;
      std::vector<WindowHandle> windows = desktop.Windows(mdi, only);
      rooms.reserve(rooms.size() + windows.size());
      for (WindowHandle room : windows) {
        if (!roomClass.empty() && !ClassHolds(desktop, room, roomClass)) continue;
        rooms.push_back({room, desktop.Title(room, 100)});
      }
    }
  }
  return rooms;
}

std::optional<std::u16string> ScannedRoomName(ChatClient client, const RoomWindow& room) {
  const std::u16string& title = room.title;
  switch (client) {
    case ChatClient::kWinMX:
      // A title too short to hold the suffix has no name to keep.
      if (!Contains(title, u"on WinMX Peer Network") || title.size() <= kWinMXSuffix) return std::nullopt;
      return title.substr(0, title.size() - kWinMXSuffix);
    case ChatClient::kMetis:
    case ChatClient::kRoboMX:
      if (!Contains(title, u"(")) return std::nullopt;
      return title.substr(0, title.find(u" ("));
    case ChatClient::kOuka:
    case ChatClient::kRabbit:
      return title;
    case ChatClient::kNushi:
      if (Contains(title, u"Channel List")) return std::nullopt;
      return title;
    case ChatClient::kZCB:
      return u"Zenar Chat Bot";
  }
  return std::nullopt;
}

std::optional<std::u16string> SenderRoomName(ChatClient client, const RoomWindow& room) {
  if (client == ChatClient::kOuka || client == ChatClient::kNushi) {
    if (room.title == u"Channel List") return std::nullopt;
    return room.title;
  }
  return ScannedRoomName(client, room);
}

}  // namespace lanternfly
