#pragma once

// The seam to the user and the shell: message boxes, the input box, opening
// a web address, the tray icon and ending the program. Texts are the
// program's own; the system's side converts them for its 8-bit entry points.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/WindowApi.h"

namespace lanternfly {

enum class MessageButtons { kOk, kYesNo };
enum class MessageIcon { kNone, kStop };
enum class MessageAnswer { kOk, kYes, kNo };

// The tray icon's record, laid out as the 8-bit NOTIFYICONDATA of 88 bytes
// that Shell_NotifyIconA takes; all zero until an icon is added.
struct TrayIconData {
  std::uint32_t cbSize = 0;
  WindowHandle hWnd{};
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::uint64_t hIcon = 0;
  std::array<char, 64> szTip{};

  bool operator==(const TrayIconData&) const = default;
};

enum class TrayCommand { kAdd = 0, kDelete = 2 };  // NIM_ADD, NIM_DELETE

class Shell {
 public:
  virtual ~Shell() = default;

  // A modal message box; the button the user pressed.
  virtual MessageAnswer ShowMessage(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                                    MessageIcon icon) = 0;

  // An input box with no preset text: what the user typed, or an empty text
  // when the box was cancelled.
  virtual std::u16string AskText(std::u16string_view prompt, std::u16string_view title) = 0;

  // ShellExecuteA with no owner, the verb "Open", the address, and show
  // command 0. The outcome is not looked at.
  virtual void OpenUrl(std::u16string_view address) = 0;

  // Shell_NotifyIconA with the record; a failure is not reported.
  virtual void NotifyIcon(TrayCommand command, const TrayIconData& data) = 0;

  // Ends the program at once: every window goes, no further event runs.
  virtual void EndProgram() = 0;
};

// The user and shell of this machine; nullptr in a build without one.
std::unique_ptr<Shell> SystemShell();

}  // namespace lanternfly
