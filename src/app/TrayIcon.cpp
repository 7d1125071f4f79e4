#include "app/TrayIcon.h"

#include <algorithm>
#include <string>

namespace lanternfly {

void AddTrayIcon(Shell& shell, TrayIconData& data, const CodePage& codePage, WindowHandle window, std::uint64_t icon,
                 std::u16string_view tip, std::uint32_t callbackMessage) {
  data.cbSize = 88;
  data.hWnd = window;
  data.uID = 1;
  data.uFlags = 1 | 2 | 4;  // NIF_MESSAGE, NIF_ICON, NIF_TIP
  data.uCallbackMessage = callbackMessage;
  data.hIcon = icon;
  std::string bytes = codePage.Encode(tip).substr(0, data.szTip.size() - 1);
  data.szTip.fill(' ');
  std::copy(bytes.begin(), bytes.end(), data.szTip.begin());
  data.szTip[bytes.size()] = '\0';
  shell.NotifyIcon(TrayCommand::kAdd, data);
}

void RemoveTrayIcon(Shell& shell, const TrayIconData& data) { shell.NotifyIcon(TrayCommand::kDelete, data); }

}  // namespace lanternfly
