#pragma once

// The one way this thread's messages are handled: in the main loop, in the
// boxes' own loops, and in every pump that lets messages run in the middle
// of a poll, a refresh or a save. A key that comes while a poll runs does
// what it does between polls.

#include <windows.h>

namespace lanternfly {

// One message. In a dialog box, and in a top-level window of the program
// made with WS_EX_CONTROLPARENT, the dialog keys (Tab, the arrows, Enter,
// Esc) go through IsDialogMessage; from a window's first key on, its focus
// cue shows, as Windows' dialog keys do.
void HandleMessage(MSG& message);

// The messages waiting now, at most `limit`: a paint that invalidates again
// must not hold the caller. A WM_QUIT is left for the main loop.
void RunWaitingMessages(int limit = 1000);

}  // namespace lanternfly
