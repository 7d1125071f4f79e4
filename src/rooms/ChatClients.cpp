#include "rooms/ChatClients.h"

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

}  // namespace

std::u16string_view ClientTag(ChatClient client) {
  switch (client) {
    case ChatClient::kWinMX: return u"WinMX";
    case ChatClient::kMetis: return u"Metis";
    case ChatClient::kRoboMX: return u"RoboMX";
    case ChatClient::kOuka: return u"Ouka";
    case ChatClient::kRabbit: return u"Rabbit";
    case ChatClient::kNushi: return u"Nushi";
    case ChatClient::kZCB: return u"ZCB";
  }
  return {};
}

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

std::vector<WindowHandle> RoomCandidates(Desktop& desktop, ChatClient client) {
  const MainWindowTest test = MainTest(client);
  std::vector<WindowHandle> candidates;
  for (WindowHandle main : desktop.Windows()) {
    std::u16string title = desktop.Title(main, test.limit);
    if ((test.nonEmpty && title.empty()) || !Contains(title, test.part)) continue;
    if (client == ChatClient::kZCB) {
      candidates.push_back(main);
      continue;
    }
    if (client == ChatClient::kWinMX) {
      for (WindowHandle child : desktop.Windows(main)) candidates.push_back(child);
      continue;
    }
    // The others keep their rooms in MDI client windows.
    for (WindowHandle mdi : desktop.Windows(main)) {
      if (!Contains(desktop.ClassName(mdi), u"MDIClient")) continue;
      std::optional<std::u16string_view> only;
      if (client == ChatClient::kRabbit) only = u"WPNCLIENT";
      for (WindowHandle room : desktop.Windows(mdi, only)) candidates.push_back(room);
    }
  }
  return candidates;
}

std::optional<std::u16string> ScannedRoomName(Desktop& desktop, ChatClient client, WindowHandle candidate) {
  switch (client) {
    case ChatClient::kWinMX: {
      std::u16string title = desktop.Title(candidate, 99);
      // A title too short to hold the suffix has no name to keep.
      if (!Contains(title, u"on WinMX Peer Network") || title.size() <= kWinMXSuffix) return std::nullopt;
      return title.substr(0, title.size() - kWinMXSuffix);
    }
    case ChatClient::kMetis:
    case ChatClient::kRoboMX: {
      std::u16string title = desktop.Title(candidate, 100);
      if (!Contains(title, u"(")) return std::nullopt;
      return title.substr(0, title.find(u" ("));
    }
    case ChatClient::kOuka:
      if (!Contains(desktop.ClassName(candidate), u"MDICHAT")) return std::nullopt;
      return desktop.Title(candidate, 100);
    case ChatClient::kRabbit:
      return desktop.Title(candidate, 100);
    case ChatClient::kNushi: {
      if (!Contains(desktop.ClassName(candidate), u"Afx:")) return std::nullopt;
      std::u16string title = desktop.Title(candidate, 100);
      if (Contains(title, u"Channel List")) return std::nullopt;
      return title;
    }
    case ChatClient::kZCB:
      return u"Zenar Chat Bot";
  }
  return std::nullopt;
}

}  // namespace lanternfly
