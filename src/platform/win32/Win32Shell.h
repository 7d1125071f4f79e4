#pragma once

// The owner of the system shell's boxes: while a BoxOwner lives, the
// message boxes and input boxes this thread shows are owned by its window
// and modal to it (the window is disabled until the box is answered).

#include <windows.h>

namespace lanternfly {

class BoxOwner {
 public:
  explicit BoxOwner(HWND window);
  ~BoxOwner();
  BoxOwner(const BoxOwner&) = delete;
  BoxOwner& operator=(const BoxOwner&) = delete;

  // The window the next box belongs to; nullptr: none.
  static HWND Current();

 private:
  HWND before_;
};

}  // namespace lanternfly
