#pragma once

// The icon in the taskbar's notification area, through which the hidden
// main window comes back.

#include <cstdint>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/Shell.h"

namespace lanternfly {

inline constexpr std::u16string_view kTrayTip = u"Lanternfly 3.0";
// Mouse actions on the icon reach the main window as this message (the
// mouse-move message), the action's own message in the low word of lParam.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x0200;

// Fills the record (size 88, id 1, flags message|icon|tip, the tip followed
// by a NUL and padded with blanks to 64 bytes) and adds the icon.
void AddTrayIcon(Shell& shell, TrayIconData& data, const CodePage& codePage, WindowHandle window, std::uint64_t icon,
                 std::u16string_view tip, std::uint32_t callbackMessage);

// Deletes the icon the record describes; nothing happens when there is none.
void RemoveTrayIcon(Shell& shell, const TrayIconData& data);

}  // namespace lanternfly
