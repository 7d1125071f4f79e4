#pragma once

// Another program's message boxes, answered from the outside as a user
// would: found by their title, read, and a button pressed.

#include <windows.h>

#include <string>
#include <string_view>

namespace lanternfly::demo {

// A shown message box (a top-level window of the dialog class "#32770")
// with exactly this title; nullptr when there is none.
HWND FindMessageBox(std::u16string_view title);

// The same, waiting up to `milliseconds` for it to appear.
HWND WaitForMessageBox(std::u16string_view title, int milliseconds);

// The box's message: the text of its first static control that is not an icon.
std::u16string MessageBoxText(HWND box);

// The id of the button of a box with this caption ("OK", "Cancel", "Yes",
// "No", "Abort", "Retry", "Ignore"), in any case; 0 for another name.
int ButtonId(std::string_view caption);

// Presses the box's button as a click does (the box then closes with that
// answer); false when the box has no such button.
bool PressButton(HWND box, int id);

// Waits up to `milliseconds` until the window is gone; false when it stays.
bool WaitUntilGone(HWND window, int milliseconds);

}  // namespace lanternfly::demo
