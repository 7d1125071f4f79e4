#pragma once

// The program's main job on a simulated desktop: a player plays two songs,
// two chat rooms are open, and the program's real logic announces each song.

#include <iosfwd>

namespace lanternfly {

// Runs the demo and prints what happened and what each room received.
int RunDemo(std::ostream& out);

}  // namespace lanternfly
