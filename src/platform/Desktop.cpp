#include "platform/Desktop.h"

namespace lanternfly {

void OneWaitPerProgram::BeginRound() {
  if (rounds_++ == 0) memory_.emplace(&arena_);
}

void OneWaitPerProgram::EndRound() {
  if (--rounds_ > 0) return;
  // The next round asks again: a program that has woken up is served, and
  // windows may have opened and closed meanwhile.
  silent_.clear();
  programs_.clear();
  memory_.reset();
  arena_.release();
}

WindowHandle OneWaitPerProgram::FindChild(WindowHandle parent, WindowHandle after,
                                          std::optional<std::string_view> className,
                                          std::optional<std::string_view> title) {
  // A search by title may find another window once a text has been set.
  if (!memory_ || title) return api_.FindChild(parent, after, className, title);
  auto [known, added] = memory_->found.try_emplace(KeyOf(parent, after, className ? 0 : -2, className.value_or("")));
  if (added) known->second = api_.FindChild(parent, after, className, std::nullopt);
  return known->second;
}

std::vector<WindowHandle> OneWaitPerProgram::Children(WindowHandle parent) {
  if (!memory_) return api_.Children(parent);
  auto [known, added] = memory_->children.try_emplace(KeyOf(parent, kNoWindow, -1));
  if (!added) return {known->second.begin(), known->second.end()};
  std::vector<WindowHandle> children = api_.Children(parent);
  known->second.assign(children.begin(), children.end());
  return children;
}

std::string OneWaitPerProgram::Title(WindowHandle window, int bufferSize) {
  // A window whose text was set reads it afresh.
  if (!memory_ || memory_->textSet.count(window) != 0) {
    return api_.Title(window, bufferSize);
  }
  auto [known, added] = memory_->titles.try_emplace(KeyOf(window, kNoWindow, bufferSize));
  if (!added) return std::string(known->second);
  std::string title = api_.Title(window, bufferSize);
  known->second = title;
  return title;
}

std::string OneWaitPerProgram::ClassName(WindowHandle window, int bufferSize) {
  if (!memory_) return api_.ClassName(window, bufferSize);
  auto [known, added] = memory_->classes.try_emplace(KeyOf(window, kNoWindow, bufferSize));
  if (!added) return std::string(known->second);
  std::string name = api_.ClassName(window, bufferSize);
  known->second = name;
  return name;
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
  // Its title may be the text set (input boxes keep their text apart, and
  // nothing reads their titles).
  if (memory_) memory_->textSet.insert(window);
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
  if (!className) return api_.Children(parent);
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
