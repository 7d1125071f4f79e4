#pragma once

// The seven chat clients as the program sees them from outside, on the
// simulated desktop: each client's window tree down to its rooms' input
// boxes. A room's box records every line "sent" (its text when Enter came),
// so a test reads what a room received. Test and demo support.

#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"

namespace lanternfly {

class FakeChatClient {
 public:
  enum class Kind { kWinMX, kMetis, kRoboMX, kOuka, kRabbit, kNushi, kZCB };

  // A running client with its main window (and MDI client window where the
  // client has one). Zenar Chat Bot's main window is its one room.
  FakeChatClient(SimDesktop& desktop, Kind kind);

  // Opens a room with this name; its input box (for Ouka and Nushi, one of
  // possibly several). Zenar Chat Bot has only the box its main window has.
  WindowHandle OpenRoom(const std::string& name);
  // Ouka and Nushi: a second input box in a room.
  WindowHandle AddInputBox(WindowHandle room);
  // The room window of an input box that OpenRoom gave.
  WindowHandle RoomOf(WindowHandle box) const;
  // The client's channel list window (Ouka and Nushi keep one beside the rooms).
  WindowHandle OpenChannelList();

  std::vector<std::string> Received(WindowHandle box) const { return desktop_.Get(box).sentLines; }
  WindowHandle MainWindow() const { return main_; }
  std::uint32_t ProcessId() const { return process_; }

 private:
  WindowHandle MdiChild(const std::string& className, const std::string& title);

  SimDesktop& desktop_;
  Kind kind_;
  std::uint32_t process_;
  WindowHandle main_;
  WindowHandle mdi_{};
  WindowHandle zcbBox_{};
};

}  // namespace lanternfly
