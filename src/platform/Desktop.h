#pragma once

// The program's view of the desktop: WindowApi with its texts converted
// between the system code page and the program's UTF-16 text, and with a
// program that does not answer waited for once in a round, not once a call.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "platform/WindowApi.h"

namespace lanternfly {

// Each sent message may wait 2 s for a program that hangs, and the program's
// one thread waits with it. Inside a round, once a message to a window has
// gone unanswered, every further message to any window of the same program
// fails at once, as that one did, so a round waits for each program at most
// once. Outside a round every message is sent. Only sent messages can wait:
// titles, class names, posts and process memory pass straight through.
class OneWaitPerProgram final : public WindowApi {
 public:
  explicit OneWaitPerProgram(WindowApi& api) : api_(api) {}

  // Rounds nest; what was learnt is forgotten when the outermost one ends.
  void BeginRound() { ++rounds_; }
  void EndRound();

  WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::optional<std::string_view> className,
                         std::optional<std::string_view> title) override {
    return api_.FindChild(parent, after, className, title);
  }
  std::string Title(WindowHandle window, int bufferSize) override { return api_.Title(window, bufferSize); }
  int TitleLength(WindowHandle window) override { return api_.TitleLength(window); }
  std::string ClassName(WindowHandle window, int bufferSize) override { return api_.ClassName(window, bufferSize); }
  std::uint32_t ProcessOf(WindowHandle window) override { return api_.ProcessOf(window); }
  std::optional<std::uint32_t> Send(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                    std::int64_t lParam) override;
  bool Post(WindowHandle window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override {
    return api_.Post(window, message, wParam, lParam);
  }
  bool SendSetText(WindowHandle window, std::uint64_t wParam, std::string_view text) override;
  std::optional<std::string> SendGetText(WindowHandle window, int bufferSize) override;
  std::unique_ptr<ProcessMemory> OpenProcessMemory(std::uint32_t processId) override {
    return api_.OpenProcessMemory(processId);
  }
  std::string FormatByteSize(std::uint32_t bytes) override { return api_.FormatByteSize(bytes); }
  void PumpMessages() override { api_.PumpMessages(); }

 private:
  // False when the window's program has left a message unanswered in this round.
  bool MaySend(WindowHandle window);
  void Answered(WindowHandle window, bool answered);
  // Asked only once some program has not answered, and once per window.
  std::uint32_t ProgramOf(WindowHandle window);

  WindowApi& api_;
  int rounds_ = 0;
  std::set<std::uint32_t> silent_;
  std::map<WindowHandle, std::uint32_t> programs_;
};

class Desktop {
 public:
  Desktop(WindowApi& api, const CodePage& codePage) : api_(api), codePage_(codePage) {}
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // While one lives, each program is waited for at most once (see
  // OneWaitPerProgram): one poll tick, one announcement, one player read.
  class Round {
   public:
    explicit Round(Desktop& desktop) : api_(desktop.api_) { api_.BeginRound(); }
    ~Round() { api_.EndRound(); }
    Round(const Round&) = delete;
    Round& operator=(const Round&) = delete;

   private:
    OneWaitPerProgram& api_;
  };

  WindowApi& Api() { return api_; }
  const CodePage& Text() const { return codePage_; }

  // The first top-level window of that class (FindWindowA with a class only).
  WindowHandle FindByClass(std::u16string_view className);

  // The children of `parent` (kNoWindow: the top-level windows) in Z-order,
  // as the walk with FindWindowExA finds them; optionally only those of a
  // class (compared without regard to case).
  std::vector<WindowHandle> Windows(WindowHandle parent = kNoWindow,
                                    std::optional<std::u16string_view> className = std::nullopt);

  // The first child of `parent` with that class and, when given, that exact
  // title (an empty title matches only an empty one).
  WindowHandle FirstChild(WindowHandle parent, std::optional<std::u16string_view> className = std::nullopt,
                          std::optional<std::u16string_view> title = std::nullopt);

  // The title as a buffer of `limit` bytes holds it: at most limit - 1 bytes.
  std::u16string Title(WindowHandle window, int limit);

  // The whole title: its length is asked first, then a buffer one longer is read.
  std::u16string FullTitle(WindowHandle window);

  std::u16string ClassName(WindowHandle window, int limit = 100);

  std::uint32_t ProcessOf(WindowHandle window) { return api_.ProcessOf(window); }

  std::u16string FormatByteSize(std::uint32_t bytes) { return codePage_.Decode(api_.FormatByteSize(bytes)); }

  void PumpMessages() { api_.PumpMessages(); }

 private:
  std::optional<std::string> Encode(std::optional<std::u16string_view> text) const;

  OneWaitPerProgram api_;
  const CodePage& codePage_;
};

}  // namespace lanternfly
