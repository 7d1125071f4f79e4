#pragma once

// The seam to other programs' windows, messages and memory: a thin mapping
// of the 8-bit ("A") user32, kernel32 and shlwapi calls the program makes.
// Texts are 8-bit in the system code page; Desktop (Desktop.h) converts them.
// No call here fails loudly: a window that has gone answers like an empty
// one, and what that means is said per call.
// A sent message may wait 2 s for a program that hangs; Desktop.h keeps a
// round of calls to one such wait per program.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lanternfly {

// A window of any program. The value is the system's handle; 0 is none.
enum class WindowHandle : std::uint64_t {};
inline constexpr WindowHandle kNoWindow{};

// Another process's memory, open for reading.
class ProcessMemory {
 public:
  virtual ~ProcessMemory() = default;
  // Copies up to buffer.size() bytes from `address`; how many were copied
  // (0 when the address cannot be read).
  virtual std::size_t Read(std::uint64_t address, std::span<std::uint8_t> buffer) = 0;
};

class WindowApi {
 public:
  virtual ~WindowApi() = default;

  // FindWindowExA: the next window after `after` (kNoWindow: the first) among
  // the children of `parent` (kNoWindow: the top-level windows), in Z-order,
  // topmost first. A class filter compares the whole class name without
  // regard to case; a title filter compares the whole title exactly, and an
  // empty title matches only windows whose title is empty. kNoWindow at the
  // end, or when `after` is not (or no longer) there.
  virtual WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::optional<std::string_view> className,
                                 std::optional<std::string_view> title) = 0;

  // The children of `parent` (kNoWindow: the top-level windows) in Z-order,
  // as one walk with FindChild finds them, listed in one call.
  virtual std::vector<WindowHandle> Children(WindowHandle parent) = 0;

  // GetWindowTextA into a buffer of `bufferSize` bytes: at most
  // bufferSize - 1 bytes. Never waits for the window's program. Empty for a
  // window that has gone.
  virtual std::string Title(WindowHandle window, int bufferSize) = 0;

  // GetWindowTextLengthA: 0 for a window that has gone.
  virtual int TitleLength(WindowHandle window) = 0;

  // GetClassNameA into a buffer of `bufferSize` bytes; empty when gone.
  virtual std::string ClassName(WindowHandle window, int bufferSize) = 0;

  // GetWindowThreadProcessId: the owning process, 0 when gone.
  virtual std::uint32_t ProcessOf(WindowHandle window) = 0;

  // SendMessageTimeoutA (abort if hung, 2 s) with number parameters: the low
  // 32 bits of the answer, or nothing when the window has gone, its program
  // hangs or it did not answer in time.
  virtual std::optional<std::uint32_t> Send(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                            std::int64_t lParam) = 0;

  // PostMessageA: true when the message was queued.
  virtual bool Post(WindowHandle window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) = 0;

  // WM_SETTEXT, sent with the same bound, with a NUL-terminated 8-bit text:
  // true when the window answered.
  virtual bool SendSetText(WindowHandle window, std::uint64_t wParam, std::string_view text) = 0;

  // WM_GETTEXT, sent with the same bound, into a buffer of `bufferSize`
  // bytes: the text, or nothing when the window did not answer (which is not
  // the same as an empty text).
  virtual std::optional<std::string> SendGetText(WindowHandle window, int bufferSize) = 0;

  // OpenProcess(PROCESS_VM_READ): nullptr when the process cannot be opened.
  virtual std::unique_ptr<ProcessMemory> OpenProcessMemory(std::uint32_t processId) = 0;

  // StrFormatByteSizeA: "532 bytes", "1.30 KB", "4.76 MB" in the system's wording.
  virtual std::string FormatByteSize(std::uint32_t bytes) = 0;

  // Lets pending window messages run: clicks and timer ticks may happen here.
  virtual void PumpMessages() = 0;

  // Gives other programs up to `milliseconds` to run, answering what they
  // send to this program's windows but running nothing posted to it (no
  // click or timer tick happens here).
  virtual void LetOthersRun(int milliseconds) = 0;

  // A clock in milliseconds (GetTickCount64).
  virtual std::uint64_t Milliseconds() = 0;
};

// The desktop this program runs on; nullptr in a build without one (the
// native build, which runs on the simulated desktop only).
std::unique_ptr<WindowApi> SystemWindowApi();

// Window messages the program sends.
inline constexpr std::uint32_t kWmSetText = 0x000C;
inline constexpr std::uint32_t kWmGetText = 0x000D;
inline constexpr std::uint32_t kWmKeyDown = 0x0100;
inline constexpr std::uint32_t kWmUser = 0x0400;
inline constexpr std::uint64_t kVkReturn = 13;

}  // namespace lanternfly
