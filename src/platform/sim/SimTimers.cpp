#include "platform/sim/SimTimers.h"

#include <algorithm>

namespace lanternfly {

int SimTimers::Start(int intervalMs, std::function<void()> tick) {
  int id = nextId_++;
  timers_[id] = Timer{std::max(1, intervalMs), now_ + std::max(1, intervalMs), std::move(tick)};
  return id;
}

void SimTimers::Advance(long long milliseconds) {
  const long long end = now_ + milliseconds;
  for (;;) {
    auto next = std::min_element(timers_.begin(), timers_.end(),
                                 [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
    if (next == timers_.end() || next->second.due > end) break;
    now_ = next->second.due;
    next->second.due += next->second.interval;
    std::function<void()> tick = next->second.tick;  // a tick may stop its own timer
    tick();
  }
  now_ = end;
}

}  // namespace lanternfly
