#pragma once

// The shell as one of the program's windows uses it: its message boxes and
// input boxes are owned by and modal to that window, and the window can ask
// whether one is up, so that no second command of its own starts meanwhile
// (a posted command or the tray's still reach a disabled window).

#include <windows.h>

#include "platform/Shell.h"
#include "platform/win32/Win32Shell.h"

namespace lanternfly {

class OwnedShell final : public Shell {
 public:
  OwnedShell(Shell& shell, const HWND& window) : shell_(shell), window_(window) {}

  bool Asking() const { return asking_ > 0; }

  MessageAnswer ShowMessage(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                            MessageIcon icon) override {
    Asked asked(*this);
    return shell_.ShowMessage(text, title, buttons, icon);
  }
  std::u16string AskText(std::u16string_view prompt, std::u16string_view title) override {
    Asked asked(*this);
    return shell_.AskText(prompt, title);
  }
  void OpenUrl(std::u16string_view address) override { shell_.OpenUrl(address); }
  void NotifyIcon(TrayCommand command, const TrayIconData& data) override { shell_.NotifyIcon(command, data); }
  void EndProgram() override { shell_.EndProgram(); }

 private:
  struct Asked {
    explicit Asked(OwnedShell& shell) : shell(shell), owner(shell.window_) { ++shell.asking_; }
    ~Asked() { --shell.asking_; }
    OwnedShell& shell;
    BoxOwner owner;
  };

  Shell& shell_;
  const HWND& window_;
  int asking_ = 0;
};

}  // namespace lanternfly
