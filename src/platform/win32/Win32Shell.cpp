// Message boxes, the input box, the shell and the tray icon on Windows'
// 8-bit entry points; texts go out in the system code page.

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "platform/CodePage.h"
#include "platform/Shell.h"

namespace lanternfly {
namespace {

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

// The input box: a prompt, a one-line edit box, OK and Cancel, modal.
class InputBox {
 public:
  static constexpr char kClass[] = "LanternflyInputBox";

  static std::string Ask(const std::string& prompt, const std::string& title) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static const bool registered = [instance] {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = &InputBox::Procedure;
      windowClass.hInstance = instance;
      windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      windowClass.lpszClassName = kClass;
      return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered) return {};

    InputBox box;
    const int width = 380, height = 150;
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kClass, title.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                  instance, &box);
    if (window == nullptr) return {};
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](const char* type, const char* text, DWORD style, int x, int y, int w, int h, int id) {
      HWND control = CreateWindowExA(type == std::string("EDIT") ? WS_EX_CLIENTEDGE : 0, type, text,
                                     WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                                     reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), instance, nullptr);
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      return control;
    };
    child("STATIC", prompt.c_str(), 0, 10, 10, 270, 50, 0);
    box.edit_ = child("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, 10, 75, 350, 22, 100);
    child("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 290, 10, 70, 24, IDOK);
    child("BUTTON", "Cancel", WS_TABSTOP, 290, 40, 70, 24, IDCANCEL);
    ShowWindow(window, SW_SHOW);
    SetFocus(box.edit_);

    MSG message;
    while (!box.done_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (!IsDialogMessageA(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
    if (IsWindow(window)) DestroyWindow(window);
    return box.text_;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* box = reinterpret_cast<InputBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (box != nullptr && message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      if (LOWORD(wParam) == IDOK) {
        char text[1024] = {};
        GetWindowTextA(box->edit_, text, sizeof text);
        box->text_ = text;
      }
      box->done_ = true;
      return 0;
    }
    if (box != nullptr && message == WM_CLOSE) {
      box->done_ = true;
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND edit_ = nullptr;
  std::string text_;
  bool done_ = false;
};

class Win32Shell final : public Shell {
 public:
  MessageAnswer ShowMessage(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                            MessageIcon icon) override {
    UINT style = (buttons == MessageButtons::kYesNo ? MB_YESNO : MB_OK) |
                 (icon == MessageIcon::kStop ? MB_ICONSTOP : 0) | MB_SETFOREGROUND;
    int answer = MessageBoxA(nullptr, codePage_->Encode(text).c_str(), codePage_->Encode(title).c_str(), style);
    if (answer == IDYES) return MessageAnswer::kYes;
    if (answer == IDNO) return MessageAnswer::kNo;
    return MessageAnswer::kOk;
  }

  std::u16string AskText(std::u16string_view prompt, std::u16string_view title) override {
    return codePage_->Decode(InputBox::Ask(codePage_->Encode(prompt), codePage_->Encode(title)));
  }

  void OpenUrl(std::u16string_view address) override {
    ShellExecuteA(nullptr, "Open", codePage_->Encode(address).c_str(), nullptr, nullptr, 0);
  }

  void NotifyIcon(TrayCommand command, const TrayIconData& data) override {
    NOTIFYICONDATAA icon{};
    // The 8-bit record of the first shell version: 88 bytes in a 32-bit build.
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = Hwnd(data.hWnd);
    icon.uID = data.uID;
    icon.uFlags = data.uFlags;
    icon.uCallbackMessage = data.uCallbackMessage;
    icon.hIcon = reinterpret_cast<HICON>(static_cast<std::uintptr_t>(data.hIcon));
    static_assert(sizeof icon.szTip >= sizeof data.szTip);
    std::memcpy(icon.szTip, data.szTip.data(), data.szTip.size());
    Shell_NotifyIconA(command == TrayCommand::kAdd ? NIM_ADD : NIM_DELETE, &icon);
  }

  void EndProgram() override { ExitProcess(0); }

 private:
  std::unique_ptr<CodePage> codePage_ = SystemCodePage();
};

#if !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the 32-bit tray record is 88 bytes");
#endif

}  // namespace

std::unique_ptr<Shell> SystemShell() { return std::make_unique<Win32Shell>(); }

}  // namespace lanternfly
