// The native build has no desktop of its own: its windows, user and shell
// are the simulated ones.

#include "platform/Shell.h"
#include "platform/Timers.h"
#include "platform/WindowApi.h"

namespace lanternfly {

std::unique_ptr<WindowApi> SystemWindowApi() { return nullptr; }
std::unique_ptr<Shell> SystemShell() { return nullptr; }
std::unique_ptr<Timers> SystemTimers() { return nullptr; }

}  // namespace lanternfly
