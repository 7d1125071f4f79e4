#pragma once

// The program's main job on a simulated desktop: a player plays two songs,
// two chat rooms are open, and the program's real logic announces each song.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace lanternfly {

// Runs the demo and prints what happened and what each room received.
int RunDemo(std::ostream& out);

// Prints the lines one room received (its list entry, "[WinMX] Lobby"): each
// with its WinMX colour codes, then as the room shows it. The Wine demo
// (tools/demo) prints the real rooms' lines the same way.
void PrintRoomLines(std::ostream& out, std::u16string_view entry, const std::vector<std::u16string>& lines);

}  // namespace lanternfly
