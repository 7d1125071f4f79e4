#pragma once

// What screen readers see of a control window (Active Accessibility): an
// IAccessible for its client area that answers from the control's
// description (role, name, checked, a list's items) and from the window
// (enabled, shown, focused, where it is). It is made on the first
// WM_GETOBJECT; from then on each redraw tells the readers what changed
// (WinEvents), as the system's own controls do. What the description leaves
// out (the parent, the windows inside a frame) comes from the system's
// standard object for the same window.

#include <windows.h>

#include "platform/ControlSurface.h"

namespace lanternfly {

class Win32Accessible {
 public:
  Win32Accessible(HWND window, const ControlSurface& control) : window_(window), control_(control) {}
  // Readers that still hold the object get errors from then on, not a
  // control that is gone.
  ~Win32Accessible();
  Win32Accessible(const Win32Accessible&) = delete;
  Win32Accessible& operator=(const Win32Accessible&) = delete;

  // The answer to WM_GETOBJECT for the client area (OBJID_CLIENT); 0, the
  // system's own answer, when the object cannot be made.
  LRESULT Answer(WPARAM wParam);
  // The control may have changed: events for what did.
  void Changed();

 private:
  class Object;
  void Notify(DWORD event, LONG child) const;

  HWND window_;
  const ControlSurface& control_;
  Object* object_ = nullptr;
  AccessibleDescription told_;  // as the last events left it
  int toldFocus_ = -1;          // the focused item then
};

}  // namespace lanternfly
