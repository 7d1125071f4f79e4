#include "platform/sim/FakeChatClients.h"

namespace lanternfly {
namespace {

const char* MainTitle(FakeChatClient::Kind kind) {
  switch (kind) {
    case FakeChatClient::Kind::kWinMX: return "WinMX v3.54 beta 4";
    case FakeChatClient::Kind::kMetis: return "Metis 2.84 - Chat";
    case FakeChatClient::Kind::kRoboMX: return "RoboMX 1.0";
    case FakeChatClient::Kind::kOuka: return "Ouka Chat Client v1.2";
    case FakeChatClient::Kind::kRabbit: return "Rabbit v1.3";
    case FakeChatClient::Kind::kNushi: return "NushiClient 0.9";
    case FakeChatClient::Kind::kZCB: return "ZCB V2.1";
  }
  return "";
}

}  // namespace

FakeChatClient::FakeChatClient(SimDesktop& desktop, Kind kind)
    : desktop_(desktop), kind_(kind), process_(desktop.AddProcess()) {
  main_ = desktop.AddWindow(kNoWindow, "Afx:400000:8:10011:0:1234", MainTitle(kind), process_);
  switch (kind) {
    case Kind::kWinMX:
      desktop.AddWindow(main_, "msctls_statusbar32", "", process_);
      break;
    case Kind::kZCB: {
      // The box is the first child of C3, C1's second child; C1 is the
      // main window's first child.
      WindowHandle c1 = desktop.AddWindow(main_, "#32770", "", process_);
      desktop.AddWindow(c1, "RichEdit20A", "", process_);
      WindowHandle c3 = desktop.AddWindow(c1, "#32770", "", process_);
      zcbBox_ = desktop.AddInputBox(c3, "Edit", process_);
      desktop.AddWindow(c3, "Button", "Send", process_);
      break;
    }
    default:
      desktop.AddWindow(main_, "ToolbarWindow32", "", process_);
      mdi_ = desktop.AddWindow(main_, "MDIClient", "", process_);
      break;
  }
}

WindowHandle FakeChatClient::OpenRoom(const std::string& name) {
  switch (kind_) {
    case Kind::kWinMX: {
      WindowHandle room = desktop_.AddWindow(main_, "Afx:400000:0", name + " on WinMX Peer Network", process_);
      desktop_.AddWindow(room, "RichEdit20A", "", process_);
      desktop_.AddWindow(room, "Edit", "Topic of " + name, process_);  // a titled edit is not the input box
      return desktop_.AddInputBox(room, "Edit", process_);
    }
    case Kind::kMetis:
    case Kind::kRoboMX: {
      WindowHandle room = MdiChild("Afx:400000:b", name + " (12) [users]");
      WindowHandle dialog = desktop_.AddWindow(room, "#32770", "", process_);
      desktop_.AddWindow(dialog, "RichEdit20A", "", process_);
      return desktop_.AddInputBox(dialog, "Edit", process_);
    }
    case Kind::kOuka:
    case Kind::kNushi: {
      const char* roomClass = kind_ == Kind::kOuka ? "OukaMDICHAT" : "Afx:400000:b:10011";
      WindowHandle room = MdiChild(roomClass, name);
      desktop_.AddWindow(room, "RichEdit20A", "", process_);
      return AddInputBox(room);
    }
    case Kind::kRabbit: {
      WindowHandle room = MdiChild("WPNCLIENT", name);
      desktop_.AddWindow(room, "ListBox", "", process_);
      return desktop_.AddInputBox(room, "RichEdit20A", process_);
    }
    case Kind::kZCB:
      return zcbBox_;
  }
  return kNoWindow;
}

WindowHandle FakeChatClient::MdiChild(const std::string& className, const std::string& title) {
  WindowHandle child = desktop_.AddWindow(mdi_, className, title, process_);
  // A new MDI child is the active one, on top: MDI children enumerate newest first.
  desktop_.BringToTop(child);
  return child;
}

WindowHandle FakeChatClient::AddInputBox(WindowHandle room) {
  WindowHandle dialog = desktop_.AddWindow(room, "#32770", "", process_);
  return desktop_.AddInputBox(dialog, "Edit", process_);
}

WindowHandle FakeChatClient::RoomOf(WindowHandle box) const {
  WindowHandle window = box;
  while (window != kNoWindow) {
    WindowHandle parent = desktop_.Get(window).parent;
    if (parent == mdi_ || parent == main_ || parent == kNoWindow) return kind_ == Kind::kZCB ? main_ : window;
    window = parent;
  }
  return kNoWindow;
}

WindowHandle FakeChatClient::OpenChannelList() {
  const char* listClass = kind_ == Kind::kOuka ? "OukaMDICHAT" : "Afx:400000:b:10011";
  WindowHandle list = MdiChild(listClass, "Channel List");
  AddInputBox(list);
  return list;
}

}  // namespace lanternfly
