// Window timers on a message-only window of our own.

#include <windows.h>

#include <map>

#include "platform/Timers.h"

namespace lanternfly {
namespace {

class Win32Timers final : public Timers {
 public:
  Win32Timers() {
    static const bool registered = [] {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = &Win32Timers::Procedure;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.lpszClassName = kClass;
      return RegisterClassA(&windowClass) != 0;
    }();
    if (registered) {
      window_ = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), this);
    }
  }
  ~Win32Timers() override {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  Win32Timers(const Win32Timers&) = delete;
  Win32Timers& operator=(const Win32Timers&) = delete;

  int Start(int intervalMs, std::function<void()> tick) override {
    if (window_ == nullptr) return 0;
    int id = nextId_++;
    if (SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(intervalMs), nullptr) == 0) return 0;
    ticks_[id] = std::move(tick);
    return id;
  }

  void Stop(int id) override {
    KillTimer(window_, static_cast<UINT_PTR>(id));
    ticks_.erase(id);
  }

 private:
  static constexpr char kClass[] = "LanternflyTimers";

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* timers = reinterpret_cast<Win32Timers*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_TIMER && timers != nullptr) {
      auto found = timers->ticks_.find(static_cast<int>(wParam));
      if (found != timers->ticks_.end()) {
        std::function<void()> tick = found->second;  // a tick may stop its own timer
        tick();
      }
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  std::map<int, std::function<void()>> ticks_;
  int nextId_ = 1;
};

}  // namespace

std::unique_ptr<Timers> SystemTimers() { return std::make_unique<Win32Timers>(); }

}  // namespace lanternfly
