#pragma once

// A simulated desktop: an in-memory window tree owned by simulated processes,
// with readable process memory and programmable answers to messages. It
// answers the program's WindowApi calls the way Windows does, so the
// program's logic runs on it unchanged; the fake players and chat clients are
// built on it.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/WindowApi.h"

namespace lanternfly {

struct PostedMessage {
  std::uint32_t message;
  std::uint64_t wParam;
  std::int64_t lParam;
};

class SimDesktop final : public WindowApi {
 public:
  // Answers a sent message (WM_SETTEXT and WM_GETTEXT excepted, see
  // input boxes): a value, or nothing to leave it unanswered.
  using MessageHandler = std::function<std::optional<std::uint32_t>(std::uint32_t message, std::uint64_t wParam,
                                                                     std::int64_t lParam)>;

  struct Window {
    std::string className;
    std::string title;
    WindowHandle parent{};
    std::uint32_t processId = 0;
    std::vector<WindowHandle> children;  // Z-order, topmost first
    MessageHandler onMessage;            // unset: every message answers 0
    // An input box keeps its text apart from its (empty) title, as edit
    // controls do, and takes WM_SETTEXT and WM_GETTEXT into it. An Enter
    // posted to it sends the text as a chat line and empties the box.
    bool inputBox = false;
    std::string inputText;
    std::vector<std::string> sentLines;
    std::vector<PostedMessage> posted;  // every message handled, in order
  };

  struct Process {
    bool hung = false;      // its windows answer no sent message; see SetHung
    // What is posted to it waits in its queue until the program gives it
    // time (LetOthersRun) while sent messages are answered at once: the
    // order in which a busy program takes them.
    bool slowToTakePosts = false;
    bool readable = true;   // OpenProcessMemory succeeds
    std::map<std::uint64_t, std::vector<std::uint8_t>> memory;  // blocks by start address
  };

  // Processes and windows. A new window goes below its siblings (children are
  // enumerated in the order they were made); BringToTop moves it up.
  std::uint32_t AddProcess();
  Process& ProcessById(std::uint32_t processId) { return processes_.at(processId); }
  // A hung program answers nothing; what is posted to it waits in its queue
  // and is handled when it wakes.
  void SetHung(std::uint32_t processId, bool hung);
  WindowHandle AddWindow(WindowHandle parent, std::string className, std::string title, std::uint32_t processId);
  WindowHandle AddInputBox(WindowHandle parent, std::string className, std::uint32_t processId);
  Window& Get(WindowHandle window) { return windows_.at(window); }
  bool Exists(WindowHandle window) const { return windows_.count(window) != 0; }
  void SetTitle(WindowHandle window, std::string title) { Get(window).title = std::move(title); }
  void BringToTop(WindowHandle window);
  // Closes the window and everything inside it.
  void CloseWindow(WindowHandle window);

  // Runs `action` just before the program's call number `calls` from now (1:
  // the next call), to make windows vanish between two calls.
  void BeforeCall(int calls, std::function<void()> action);
  // Runs `action` inside the next PumpMessages.
  void DuringNextPump(std::function<void()> action) { pumpActions_.push_back(std::move(action)); }

  // What the program did: every WindowApi call, sends that went unanswered
  // (also to windows that have gone, which fails at once), those of them that
  // waited out the whole bound (2 s on Windows: the program hung or left the
  // message unanswered), and how many times it let messages run.
  int Calls() const { return calls_; }
  int Unanswered() const { return unanswered_; }
  int TimedOut() const { return timedOut_; }
  int Pumps() const { return pumps_; }

  // WindowApi
  WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::optional<std::string_view> className,
                         std::optional<std::string_view> title) override;
  std::vector<WindowHandle> Children(WindowHandle parent) override;
  std::string Title(WindowHandle window, int bufferSize) override;
  int TitleLength(WindowHandle window) override;
  std::string ClassName(WindowHandle window, int bufferSize) override;
  std::uint32_t ProcessOf(WindowHandle window) override;
  std::optional<std::uint32_t> Send(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                    std::int64_t lParam) override;
  bool Post(WindowHandle window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override;
  bool SendSetText(WindowHandle window, std::uint64_t wParam, std::string_view text) override;
  std::optional<std::string> SendGetText(WindowHandle window, int bufferSize) override;
  std::unique_ptr<ProcessMemory> OpenProcessMemory(std::uint32_t processId) override;
  std::string FormatByteSize(std::uint32_t bytes) override;
  void PumpMessages() override;
  // Other programs take what was posted to them; the clock moves on.
  void LetOthersRun(int milliseconds) override;
  std::uint64_t Milliseconds() override { return now_; }

 private:
  void Called();
  Window* Find(WindowHandle window);
  // The window's program answers sent messages (it exists and is not hung).
  Window* Answering(WindowHandle window);
  std::vector<WindowHandle>& Siblings(WindowHandle parent);
  void Handle(Window& window, const PostedMessage& message);
  // Handles what waits in the queue of that program, or of every program
  // that is not hung.
  void RunQueued(std::optional<std::uint32_t> only);

  std::map<WindowHandle, Window> windows_;
  std::vector<WindowHandle> topLevel_;
  std::map<std::uint32_t, Process> processes_;
  std::uint64_t nextWindow_ = 0x10010;
  std::uint32_t nextProcess_ = 100;
  std::multimap<int, std::function<void()>> scheduled_;  // by call number
  std::vector<std::function<void()>> pumpActions_;
  std::vector<std::pair<WindowHandle, PostedMessage>> queued_;  // posted to hung or slow programs
  std::uint64_t now_ = 0;
  int calls_ = 0;
  int unanswered_ = 0;
  int timedOut_ = 0;
  int pumps_ = 0;
};

// The byte-size text Windows writes: "N bytes" under 1024, else three
// significant digits, truncated, in KB, MB or GB ("4.76 MB").
std::string WindowsByteSizeText(std::uint32_t bytes);

}  // namespace lanternfly
