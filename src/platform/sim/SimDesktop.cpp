#include "platform/sim/SimDesktop.h"

#include <algorithm>
#include <cstring>

namespace lanternfly {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string Truncated(const std::string& text, int bufferSize) {
  if (bufferSize <= 0) return {};
  return text.substr(0, static_cast<std::size_t>(bufferSize - 1));
}

class SimProcessMemory final : public ProcessMemory {
 public:
  explicit SimProcessMemory(const SimDesktop::Process& process) : process_(process) {}

  std::size_t Read(std::uint64_t address, std::span<std::uint8_t> buffer) override {
    auto block = process_.memory.upper_bound(address);
    if (block == process_.memory.begin()) return 0;
    --block;
    std::uint64_t offset = address - block->first;
    if (offset >= block->second.size()) return 0;
    std::size_t count = std::min<std::uint64_t>(buffer.size(), block->second.size() - offset);
    std::memcpy(buffer.data(), block->second.data() + offset, count);
    return count;
  }

 private:
  const SimDesktop::Process& process_;
};

}  // namespace

std::uint32_t SimDesktop::AddProcess() {
  std::uint32_t id = nextProcess_;
  nextProcess_ += 4;
  processes_[id];
  return id;
}

WindowHandle SimDesktop::AddWindow(WindowHandle parent, std::string className, std::string title,
                                   std::uint32_t processId) {
  WindowHandle handle{nextWindow_};
  nextWindow_ += 2;
  Window window;
  window.className = std::move(className);
  window.title = std::move(title);
  window.parent = parent;
  window.processId = processId;
  windows_.emplace(handle, std::move(window));
  Siblings(parent).push_back(handle);
  return handle;
}

WindowHandle SimDesktop::AddInputBox(WindowHandle parent, std::string className, std::uint32_t processId) {
  WindowHandle box = AddWindow(parent, std::move(className), "", processId);
  Get(box).inputBox = true;
  return box;
}

std::vector<WindowHandle>& SimDesktop::Siblings(WindowHandle parent) {
  return parent == kNoWindow ? topLevel_ : Get(parent).children;
}

void SimDesktop::BringToTop(WindowHandle window) {
  std::vector<WindowHandle>& siblings = Siblings(Get(window).parent);
  siblings.erase(std::find(siblings.begin(), siblings.end(), window));
  siblings.insert(siblings.begin(), window);
}

void SimDesktop::CloseWindow(WindowHandle window) {
  Window* found = Find(window);
  if (found == nullptr) return;
  std::vector<WindowHandle> children = found->children;
  for (WindowHandle child : children) CloseWindow(child);
  std::vector<WindowHandle>& siblings = Siblings(found->parent);
  siblings.erase(std::find(siblings.begin(), siblings.end(), window));
  windows_.erase(window);
}

void SimDesktop::BeforeCall(int calls, std::function<void()> action) {
  scheduled_.emplace(calls_ + calls, std::move(action));
}

void SimDesktop::Called() {
  ++calls_;
  auto [first, last] = scheduled_.equal_range(calls_);
  std::vector<std::function<void()>> due;
  for (auto it = first; it != last; ++it) due.push_back(std::move(it->second));
  scheduled_.erase(first, last);
  for (auto& action : due) action();
}

SimDesktop::Window* SimDesktop::Find(WindowHandle window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

SimDesktop::Window* SimDesktop::Answering(WindowHandle window) {
  Window* found = Find(window);
  if (found == nullptr || processes_[found->processId].hung) {
    ++unanswered_;
    if (found != nullptr) ++timedOut_;
    return nullptr;
  }
  return found;
}

WindowHandle SimDesktop::FindChild(WindowHandle parent, WindowHandle after, std::optional<std::string_view> className,
                                   std::optional<std::string_view> title) {
  Called();
  if (parent != kNoWindow && Find(parent) == nullptr) return kNoWindow;
  const std::vector<WindowHandle>& siblings = Siblings(parent);
  auto from = siblings.begin();
  if (after != kNoWindow) {
    from = std::find(siblings.begin(), siblings.end(), after);
    if (from == siblings.end()) return kNoWindow;
    ++from;
  }
  for (auto it = from; it != siblings.end(); ++it) {
    const Window& window = windows_.at(*it);
    if (className && !SameIgnoringCase(window.className, *className)) continue;
    if (title && window.title != *title) continue;
    return *it;
  }
  return kNoWindow;
}

std::vector<WindowHandle> SimDesktop::Children(WindowHandle parent) {
  Called();
  if (parent != kNoWindow && Find(parent) == nullptr) return {};
  return Siblings(parent);
}

std::string SimDesktop::Title(WindowHandle window, int bufferSize) {
  Called();
  Window* found = Find(window);
  return found == nullptr ? std::string() : Truncated(found->title, bufferSize);
}

int SimDesktop::TitleLength(WindowHandle window) {
  Called();
  Window* found = Find(window);
  return found == nullptr ? 0 : static_cast<int>(found->title.size());
}

std::string SimDesktop::ClassName(WindowHandle window, int bufferSize) {
  Called();
  Window* found = Find(window);
  return found == nullptr ? std::string() : Truncated(found->className, bufferSize);
}

std::uint32_t SimDesktop::ProcessOf(WindowHandle window) {
  Called();
  Window* found = Find(window);
  return found == nullptr ? 0 : found->processId;
}

std::optional<std::uint32_t> SimDesktop::Send(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                              std::int64_t lParam) {
  Called();
  Window* found = Answering(window);
  if (found == nullptr) return std::nullopt;
  if (!found->onMessage) return 0;
  std::optional<std::uint32_t> answer = found->onMessage(message, wParam, lParam);
  if (!answer) ++unanswered_, ++timedOut_;
  return answer;
}

bool SimDesktop::Post(WindowHandle window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
  Called();
  Window* found = Find(window);
  if (found == nullptr) return false;
  PostedMessage posted{message, wParam, lParam};
  const Process& process = processes_[found->processId];
  if (process.hung || process.slowToTakePosts) {
    queued_.emplace_back(window, posted);
  } else {
    Handle(*found, posted);
  }
  return true;
}

void SimDesktop::Handle(Window& window, const PostedMessage& message) {
  window.posted.push_back(message);
  if (window.inputBox && message.message == kWmKeyDown && message.wParam == kVkReturn) {
    window.sentLines.push_back(window.inputText);
    window.inputText.clear();
  }
}

void SimDesktop::SetHung(std::uint32_t processId, bool hung) {
  Process& process = processes_.at(processId);
  process.hung = hung;
  if (!hung && !process.slowToTakePosts) RunQueued(processId);
}

void SimDesktop::RunQueued(std::optional<std::uint32_t> only) {
  std::vector<std::pair<WindowHandle, PostedMessage>> waiting = std::move(queued_);
  queued_.clear();
  for (auto& [window, message] : waiting) {
    Window* found = Find(window);
    if (found == nullptr) continue;
    bool runs = only ? found->processId == *only : !processes_[found->processId].hung;
    if (runs) Handle(*found, message);
    else queued_.emplace_back(window, message);
  }
}

void SimDesktop::LetOthersRun(int milliseconds) {
  Called();
  now_ += static_cast<std::uint64_t>(std::max(milliseconds, 0));
  RunQueued(std::nullopt);
}

bool SimDesktop::SendSetText(WindowHandle window, std::uint64_t, std::string_view text) {
  Called();
  Window* found = Answering(window);
  if (found == nullptr) return false;
  // Like a C string, the text ends at its first NUL.
  std::string value(text.substr(0, text.find('\0')));
  (found->inputBox ? found->inputText : found->title) = std::move(value);
  return true;
}

std::optional<std::string> SimDesktop::SendGetText(WindowHandle window, int bufferSize) {
  Called();
  Window* found = Answering(window);
  if (found == nullptr) return std::nullopt;
  return Truncated(found->inputBox ? found->inputText : found->title, bufferSize);
}

std::unique_ptr<ProcessMemory> SimDesktop::OpenProcessMemory(std::uint32_t processId) {
  Called();
  auto found = processes_.find(processId);
  if (found == processes_.end() || !found->second.readable) return nullptr;
  return std::make_unique<SimProcessMemory>(found->second);
}

std::string SimDesktop::FormatByteSize(std::uint32_t bytes) {
  Called();
  return WindowsByteSizeText(bytes);
}

void SimDesktop::PumpMessages() {
  Called();
  ++pumps_;
  std::vector<std::function<void()>> actions = std::move(pumpActions_);
  pumpActions_.clear();
  for (auto& action : actions) action();
}

std::string WindowsByteSizeText(std::uint32_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  // In each unit a value below 10 shows two decimals, below 100 one, below
  // 1000 none; from 1000 on the next unit is used ("0.97 MB"). A 32-bit
  // count stays below 4 GB.
  std::uint64_t scale = 1024;
  for (const char* unit : {"KB", "MB", "GB"}) {
    std::uint64_t hundredths = std::uint64_t{bytes} * 100 / scale;
    scale *= 1024;
    if (hundredths >= 100'000 && unit[0] != 'G') continue;
    std::uint64_t whole = hundredths / 100;
    std::string text = std::to_string(whole);
    std::string decimals = std::to_string(100 + hundredths % 100).substr(1);
    if (whole < 10) text += "." + decimals;
    else if (whole < 100) text += "." + decimals.substr(0, 1);
    return text + " " + unit;
  }
  return {};
}

}  // namespace lanternfly
