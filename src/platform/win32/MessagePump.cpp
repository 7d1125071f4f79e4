#include "platform/win32/MessagePump.h"

namespace lanternfly {
namespace {

constexpr ULONG_PTR kDialogClassAtom = 0x8002;  // WC_DIALOG, the class of message boxes

HWND TakesDialogKeys(HWND window) {
  HWND top = window ? GetAncestor(window, GA_ROOT) : nullptr;
  if (!top) return nullptr;
  const bool dialog = GetClassLongPtrW(top, GCW_ATOM) == kDialogClassAtom;
  return dialog || (GetWindowLongPtrW(top, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) ? top : nullptr;
}

}  // namespace

void HandleMessage(MSG& message) {
  if (HWND top = TakesDialogKeys(message.hwnd)) {
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
      SendMessageW(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (IsDialogMessageW(top, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void RunWaitingMessages(int limit) {
  MSG message;
  for (int handled = 0; handled < limit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++handled) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    HandleMessage(message);
  }
}

}  // namespace lanternfly
