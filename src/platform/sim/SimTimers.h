#pragma once

// Timers on a simulated clock that moves only when a test says so.

#include <map>

#include "platform/Timers.h"

namespace lanternfly {

class SimTimers final : public Timers {
 public:
  int Start(int intervalMs, std::function<void()> tick) override;
  void Stop(int id) override { timers_.erase(id); }

  // Moves the clock on, running every tick that falls due, in time order.
  void Advance(long long milliseconds);
  long long Now() const { return now_; }

 private:
  struct Timer {
    int interval;
    long long due;
    std::function<void()> tick;
  };
  std::map<int, Timer> timers_;
  long long now_ = 0;
  int nextId_ = 1;
};

}  // namespace lanternfly
