#include "platform/sim/SimShell.h"

namespace lanternfly {

MessageAnswer SimShell::ShowMessage(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                                    MessageIcon icon) {
  messages.push_back({std::u16string(text), std::u16string(title), buttons, icon});
  if (!answers.empty()) {
    MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == MessageButtons::kYesNo ? MessageAnswer::kNo : MessageAnswer::kOk;
}

std::u16string SimShell::AskText(std::u16string_view prompt, std::u16string_view title) {
  prompts.push_back(std::u16string(title) + u": " + std::u16string(prompt));
  if (typed.empty()) return {};
  std::u16string text = typed.front();
  typed.pop_front();
  return text;
}

void SimShell::NotifyIcon(TrayCommand command, const TrayIconData& data) {
  trayCalls.emplace_back(command, data);
  iconShown = command == TrayCommand::kAdd;
}

}  // namespace lanternfly
