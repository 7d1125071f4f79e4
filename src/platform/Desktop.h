#pragma once

// The program's view of the desktop: WindowApi with its texts converted
// between the system code page and the program's UTF-16 text, and with a
// program that does not answer waited for once in a round, not once a call.

#include <map>
#include <memory_resource>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
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
//
// A round also remembers what it learnt about windows: their children,
// titles, class names and the answers of FindChild without a title filter,
// so a tick that announces and then lists the rooms walks the windows once.
// A text this program sets forgets that window's title. Nothing is kept
// after the round: windows open and close between ticks.
class OneWaitPerProgram final : public WindowApi {
 public:
  explicit OneWaitPerProgram(WindowApi& api) : api_(api) {}

  // Rounds nest; what was learnt is forgotten when the outermost one ends.
  void BeginRound();
  void EndRound();

  // Counts as an unanswered message: the window's program has had its wait.
  void GaveUpOn(WindowHandle window) { Answered(window, false); }

  WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::optional<std::string_view> className,
                         std::optional<std::string_view> title) override;
  std::vector<WindowHandle> Children(WindowHandle parent) override;
  std::string Title(WindowHandle window, int bufferSize) override;
  int TitleLength(WindowHandle window) override { return api_.TitleLength(window); }
  std::string ClassName(WindowHandle window, int bufferSize) override;
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
  void LetOthersRun(int milliseconds) override { api_.LetOthersRun(milliseconds); }
  std::uint64_t Milliseconds() override { return api_.Milliseconds(); }

 private:
  // False when the window's program has left a message unanswered in this round.
  bool MaySend(WindowHandle window);
  void Answered(WindowHandle window, bool answered);
  // Asked only once some program has not answered, and once per window.
  std::uint32_t ProgramOf(WindowHandle window);

  // What a round learnt, kept in memory that is given back all at once.
  struct Memory {
    struct Key {
      WindowHandle window, after;
      int size;  // buffer size; -1 children, -2 FindChild without a class
      std::pmr::string className;
      bool operator==(const Key&) const = default;
    };
    struct Hash {
      std::size_t operator()(const Key& key) const {
        auto mix = [](std::size_t seed, std::size_t value) {
          return seed ^ (value + 0x9e3779b9 + (seed << 6) + (seed >> 2));
        };
        std::size_t seed = mix(static_cast<std::size_t>(key.window), static_cast<std::size_t>(key.after));
        return mix(mix(seed, static_cast<std::size_t>(key.size)), std::hash<std::string_view>()(key.className));
      }
    };
    explicit Memory(std::pmr::memory_resource* arena)
        : titles(arena), classes(arena), children(arena), found(arena), textSet(arena) {}
    std::pmr::unordered_map<Key, std::pmr::string, Hash> titles, classes;
    std::pmr::unordered_map<Key, std::pmr::vector<WindowHandle>, Hash> children;
    std::pmr::unordered_map<Key, WindowHandle, Hash> found;
    std::pmr::unordered_set<WindowHandle> textSet;  // windows whose text this program set
  };
  Memory::Key KeyOf(WindowHandle window, WindowHandle after, int size, std::string_view className = {}) {
    return {window, after, size, std::pmr::string(className, &arena_)};
  }

  WindowApi& api_;
  int rounds_ = 0;
  std::set<std::uint32_t> silent_;
  std::map<WindowHandle, std::uint32_t> programs_;
  std::pmr::monotonic_buffer_resource arena_;
  std::optional<Memory> memory_;  // while a round lasts
};

class Desktop {
 public:
  Desktop(WindowApi& api, const CodePage& codePage) : api_(api), codePage_(codePage) {}
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // While one lives, each program is waited for at most once and what was
  // learnt about a window is asked no more (see OneWaitPerProgram): one poll
  // tick, one announcement, one player read.
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
  // The window's program is not waited for again in this round.
  void GaveUpOn(WindowHandle window) { api_.GaveUpOn(window); }
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
