#pragma once

// The user and the shell, simulated: message boxes answered as a test says,
// and a record of every box, address and tray call.

#include <deque>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace lanternfly {

class SimShell final : public Shell {
 public:
  struct Message {
    std::u16string text;
    std::u16string title;
    MessageButtons buttons;
    MessageIcon icon;
  };

  MessageAnswer ShowMessage(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                            MessageIcon icon) override;
  std::u16string AskText(std::u16string_view prompt, std::u16string_view title) override;
  void OpenUrl(std::u16string_view address) override { openedUrls.emplace_back(address); }
  void NotifyIcon(TrayCommand command, const TrayIconData& data) override;
  void EndProgram() override { ended = true; }

  // What the user answers next; without one, OK and No.
  std::deque<MessageAnswer> answers;
  // What the user types into the next input boxes; without one, a cancel.
  std::deque<std::u16string> typed;

  std::vector<Message> messages;
  std::vector<std::u16string> prompts;
  std::vector<std::u16string> openedUrls;
  std::vector<std::pair<TrayCommand, TrayIconData>> trayCalls;
  bool iconShown = false;
  bool ended = false;
};

}  // namespace lanternfly
