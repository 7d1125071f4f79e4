#pragma once

// Window timers: ticks that arrive through the window message loop, on the
// one user-interface thread, in every window state.

#include <functional>
#include <memory>

namespace lanternfly {

class Timers {
 public:
  virtual ~Timers() = default;
  // Calls `tick` every `intervalMs` milliseconds, the first time one interval
  // from now, until the timer is stopped. Returns the timer's id (0: failed).
  virtual int Start(int intervalMs, std::function<void()> tick) = 0;
  virtual void Stop(int id) = 0;
};

// The window timers of this machine; nullptr in a build without a desktop.
std::unique_ptr<Timers> SystemTimers();

}  // namespace lanternfly
