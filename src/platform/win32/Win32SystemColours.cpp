// System colours and OLE colour translation from the running system.

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "platform/SystemColours.h"

namespace lanternfly {

Colour SystemColour(int index) {
  // An index outside the scheme would read as black anyway; ask for none.
  if (index < 0 || index > COLOR_MENUBAR) return 0;
  return static_cast<Colour>(GetSysColor(index));
}

std::optional<Colour> TranslateOleColour(OleColour colour) {
  COLORREF resolved = 0;
  if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(colour), nullptr, &resolved))) return std::nullopt;
  return static_cast<Colour>(resolved);
}

}  // namespace lanternfly
