// Other programs' windows, messages and memory through user32, kernel32
// and shlwapi's 8-bit entry points.

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "platform/WindowApi.h"
#include "platform/win32/MessagePump.h"

namespace lanternfly {
namespace {

// How long a sent message may wait for its answer; a program that Windows
// already knows to hang is not waited for at all.
constexpr UINT kSendTimeoutMs = 2000;
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_NORMAL;

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
WindowHandle Handle(HWND window) { return WindowHandle{reinterpret_cast<std::uintptr_t>(window)}; }

class Win32ProcessMemory final : public ProcessMemory {
 public:
  explicit Win32ProcessMemory(HANDLE process) : process_(process) {}
  ~Win32ProcessMemory() override { CloseHandle(process_); }
  Win32ProcessMemory(const Win32ProcessMemory&) = delete;
  Win32ProcessMemory& operator=(const Win32ProcessMemory&) = delete;

  std::size_t Read(std::uint64_t address, std::span<std::uint8_t> buffer) override {
    if (address > UINTPTR_MAX) return 0;
    auto at = reinterpret_cast<LPCVOID>(static_cast<std::uintptr_t>(address));
    SIZE_T read = 0;
    if (ReadProcessMemory(process_, at, buffer.data(), buffer.size(), &read)) return read;
    // The block may end before the buffer does: read up to the end of the page.
    std::size_t toPageEnd = 4096 - static_cast<std::size_t>(address % 4096);
    if (toPageEnd >= buffer.size()) return 0;
    read = 0;
    return ReadProcessMemory(process_, at, buffer.data(), toPageEnd, &read) ? read : 0;
  }

 private:
  HANDLE process_;
};

struct ChildWalk {
  HWND parent;  // nullptr: the top level
  std::vector<WindowHandle> found;
};

BOOL CALLBACK AddChild(HWND window, LPARAM context) {
  auto& walk = *reinterpret_cast<ChildWalk*>(context);
  if (walk.parent == nullptr || GetAncestor(window, GA_PARENT) == walk.parent) walk.found.push_back(Handle(window));
  return TRUE;
}

class Win32WindowApi final : public WindowApi {
 public:
  WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::optional<std::string_view> className,
                         std::optional<std::string_view> title) override {
    std::string classText(className.value_or(""));
    std::string titleText(title.value_or(""));
    return Handle(FindWindowExA(Hwnd(parent), Hwnd(after), className ? classText.c_str() : nullptr,
                                title ? titleText.c_str() : nullptr));
  }

  std::vector<WindowHandle> Children(WindowHandle parent) override {
    // The system lists the windows in one go; below the top level it lists
    // every descendant, each right after its parent, so the direct children
    // keep their order.
    ChildWalk walk{Hwnd(parent), {}};
    if (parent == kNoWindow) EnumWindows(AddChild, reinterpret_cast<LPARAM>(&walk));
    else if (IsWindow(walk.parent)) EnumChildWindows(walk.parent, AddChild, reinterpret_cast<LPARAM>(&walk));
    return walk.found;
  }

  std::string Title(WindowHandle window, int bufferSize) override {
    if (bufferSize <= 0) return {};
    std::string buffer(static_cast<std::size_t>(bufferSize), '\0');
    int length = GetWindowTextA(Hwnd(window), buffer.data(), bufferSize);
    buffer.resize(static_cast<std::size_t>(std::clamp(length, 0, bufferSize - 1)));
    return buffer;
  }

  int TitleLength(WindowHandle window) override { return GetWindowTextLengthA(Hwnd(window)); }

  std::string ClassName(WindowHandle window, int bufferSize) override {
    if (bufferSize <= 0) return {};
    std::string buffer(static_cast<std::size_t>(bufferSize), '\0');
    int length = GetClassNameA(Hwnd(window), buffer.data(), bufferSize);
    buffer.resize(static_cast<std::size_t>(std::clamp(length, 0, bufferSize - 1)));
    return buffer;
  }

  std::uint32_t ProcessOf(WindowHandle window) override {
    DWORD process = 0;
    if (GetWindowThreadProcessId(Hwnd(window), &process) == 0) return 0;
    return process;
  }

  std::optional<std::uint32_t> Send(WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                    std::int64_t lParam) override {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(Hwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
                            kSendFlags, kSendTimeoutMs, &answer) == 0) {
      return std::nullopt;
    }
    // Only the low 32 bits: a 32-bit program's answer, whatever our build.
    return static_cast<std::uint32_t>(answer & 0xFFFFFFFF);
  }

  bool Post(WindowHandle window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override {
    return PostMessageA(Hwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != 0;
  }

  bool SendSetText(WindowHandle window, std::uint64_t wParam, std::string_view text) override {
    std::string terminated(text);
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(Hwnd(window), WM_SETTEXT, static_cast<WPARAM>(wParam),
                               reinterpret_cast<LPARAM>(terminated.c_str()), kSendFlags, kSendTimeoutMs, &answer) != 0;
  }

  std::optional<std::string> SendGetText(WindowHandle window, int bufferSize) override {
    if (bufferSize <= 0) return std::string();
    std::string buffer(static_cast<std::size_t>(bufferSize), '\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutA(Hwnd(window), WM_GETTEXT, static_cast<WPARAM>(bufferSize),
                            reinterpret_cast<LPARAM>(buffer.data()), kSendFlags, kSendTimeoutMs, &copied) == 0) {
      return std::nullopt;
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
  }

  std::unique_ptr<ProcessMemory> OpenProcessMemory(std::uint32_t processId) override {
    HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return nullptr;
    return std::make_unique<Win32ProcessMemory>(process);
  }

  std::string FormatByteSize(std::uint32_t bytes) override {
    char buffer[255] = {};
    StrFormatByteSizeA(bytes, buffer, sizeof buffer);
    return buffer;
  }

  void PumpMessages() override { RunWaitingMessages(); }

  void LetOthersRun(int milliseconds) override {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(std::max(milliseconds, 0));
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_SENDMESSAGE);
      // Answers what other threads sent; posted messages stay queued.
      MSG message;
      PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }

  std::uint64_t Milliseconds() override { return GetTickCount64(); }
};

}  // namespace

std::unique_ptr<WindowApi> SystemWindowApi() { return std::make_unique<Win32WindowApi>(); }

}  // namespace lanternfly
