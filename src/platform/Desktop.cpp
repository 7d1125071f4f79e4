#include "platform/Desktop.h"

namespace lanternfly {

void OneWaitPerProgram::EndRound() {
  if (--rounds_ > 0) return;
  // The next round asks again: a program that has woken up is served.
  silent_.clear();
  programs_.clear();
}

std::uint32_t OneWaitPerProgram::ProgramOf(WindowHandle window) {
  auto [known, added] = programs_.try_emplace(window, 0);
  if (added) known->second = api_.ProcessOf(window);
  return known->second;
}

bool OneWaitPerProgram::MaySend(WindowHandle window) {
  return silent_.empty() || silent_.count(ProgramOf(window)) == 0;
}

void OneWaitPerProgram::Answered(WindowHandle window, bool answered) {
  if (answered || rounds_ == 0) return;
  // A window that has gone (process 0) failed without waiting.
  if (std::uint32_t program = ProgramOf(window); program != 0) silent_.insert(program);
}

std::optional<std::uint32_t> OneWaitPerProgram::Send(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                                     std::int64_t lParam) {
  if (!MaySend(window)) return std::nullopt;
  std::optional<std::uint32_t> answer = api_.Send(window, message, wParam, lParam);
  Answered(window, answer.has_value());
  return answer;
}

bool OneWaitPerProgram::SendSetText(WindowHandle window, std::uint64_t wParam, std::string_view text) {
  if (!MaySend(window)) return false;
  bool answered = api_.SendSetText(window, wParam, text);
  Answered(window, answered);
  return answered;
}

std::optional<std::string> OneWaitPerProgram::SendGetText(WindowHandle window, int bufferSize) {
  if (!MaySend(window)) return std::nullopt;
  std::optional<std::string> text = api_.SendGetText(window, bufferSize);
  Answered(window, text.has_value());
  return text;
}

std::optional<std::string> Desktop::Encode(std::optional<std::u16string_view> text) const {
  if (!text) return std::nullopt;
  return codePage_.Encode(*text);
}

WindowHandle Desktop::FindByClass(std::u16string_view className) {
  std::string name = codePage_.Encode(className);
  return api_.FindChild(kNoWindow, kNoWindow, name, std::nullopt);
}

std::vector<WindowHandle> Desktop::Windows(WindowHandle parent, std::optional<std::u16string_view> className) {
  std::optional<std::string> name = Encode(className);
  std::vector<WindowHandle> windows;
  for (WindowHandle window = api_.FindChild(parent, kNoWindow, name, std::nullopt); window != kNoWindow;
       window = api_.FindChild(parent, window, name, std::nullopt)) {
    windows.push_back(window);
  }
  return windows;
}

WindowHandle Desktop::FirstChild(WindowHandle parent, std::optional<std::u16string_view> className,
                                 std::optional<std::u16string_view> title) {
  return api_.FindChild(parent, kNoWindow, Encode(className), Encode(title));
}

std::u16string Desktop::Title(WindowHandle window, int limit) { return codePage_.Decode(api_.Title(window, limit)); }

std::u16string Desktop::FullTitle(WindowHandle window) {
  int length = api_.TitleLength(window);
  if (length <= 0) return {};
  return Title(window, length + 1);
}

std::u16string Desktop::ClassName(WindowHandle window, int limit) {
  return codePage_.Decode(api_.ClassName(window, limit));
}

}  // namespace lanternfly
