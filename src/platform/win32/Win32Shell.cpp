// Message boxes and the input box, the program's own texts, on the W entry
// points; the shell and the tray icon on Windows' 8-bit entry points, their
// texts in the system code page.

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "platform/CodePage.h"
#include "platform/Shell.h"
#include "platform/win32/MessagePump.h"
#include "platform/win32/Win32Shell.h"

namespace lanternfly {
namespace {

thread_local HWND boxOwner = nullptr;

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

const wchar_t* Wide(std::u16string_view text, std::u16string& keep) {
  keep.assign(text);
  return reinterpret_cast<const wchar_t*>(keep.c_str());
}

// The input box: a prompt, a one-line edit box, OK and Cancel, modal to its
// owner (disabled meanwhile, so that nothing there runs under the question). Its texts are the program's own: W entry points.
class InputBox {
 public:
  static constexpr wchar_t kClass[] = L"LanternflyInputBox";

  static std::u16string Ask(std::u16string_view prompt, std::u16string_view title) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool registered = [instance] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &InputBox::Procedure;
      windowClass.hInstance = instance;
      windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      windowClass.lpszClassName = kClass;
      return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered) return {};

    // Laid out for 96 DPI, scaled to the screen's.
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };

    HWND owner = BoxOwner::Current();
    InputBox box;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, scaled(372), scaled(116)};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    std::u16string keep;
    HWND window =
        CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, kClass, Wide(title, keep), style,
                        (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                        width, height, owner, nullptr, instance, &box);
    if (window == nullptr) return {};
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    HFONT font = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                     ? CreateFontIndirectW(&metrics.lfMessageFont)
                     : nullptr;
    // Places at 96 DPI: left, top, width, height.
    auto child = [&](const wchar_t* type, std::u16string_view text, DWORD style, DWORD exStyle, RECT place, int id) {
      std::u16string held;
      HWND control = CreateWindowExW(exStyle, type, Wide(text, held), WS_CHILD | WS_VISIBLE | style,
                                     scaled(place.left), scaled(place.top), scaled(place.right), scaled(place.bottom),
                                     window,
                                     reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), instance, nullptr);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : GetStockObject(DEFAULT_GUI_FONT)),
                   TRUE);
      return control;
    };
    child(L"STATIC", prompt, SS_NOPREFIX, 0, RECT{10, 10, 266, 50}, 0);
    box.edit_ = child(L"EDIT", u"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, RECT{10, 76, 352, 24}, 100);
    child(L"BUTTON", u"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, RECT{286, 10, 76, 26}, IDOK);
    child(L"BUTTON", u"Cancel", WS_TABSTOP, 0, RECT{286, 42, 76, 26}, IDCANCEL);

    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(box.edit_);
    MSG message;
    while (!box.done_) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop
      if (got <= 0) break;
      HandleMessage(message);
    }
    // The owner is enabled again before the box goes, so that it is what
    // Windows activates next.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    // Handed on before the box goes, so the keys go on to the owner.
    if (ownerWasEnabled && GetActiveWindow() == window) SetActiveWindow(owner);
    if (IsWindow(window)) DestroyWindow(window);
    if (font) DeleteObject(font);
    return box.text_;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* box = reinterpret_cast<InputBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (box != nullptr && message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      if (LOWORD(wParam) == IDOK) {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box->edit_)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(box->edit_, text.data(), static_cast<int>(text.size()))));
        box->text_.assign(text.begin(), text.end());
      }
      box->done_ = true;
      return 0;
    }
    if (box != nullptr && message == WM_CLOSE) {
      box->done_ = true;
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND edit_ = nullptr;
  std::u16string text_;
  bool done_ = false;
};

class Win32Shell final : public Shell {
 public:
  MessageAnswer ShowMessage(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                            MessageIcon icon) override {
    UINT style = (buttons == MessageButtons::kYesNo ? MB_YESNO : MB_OK) |
                 (icon == MessageIcon::kStop ? MB_ICONSTOP : 0) | MB_SETFOREGROUND;
    std::u16string keepText, keepTitle;
    int answer = MessageBoxW(BoxOwner::Current(), Wide(text, keepText), Wide(title, keepTitle), style);
    if (answer == IDYES) return MessageAnswer::kYes;
    if (answer == IDNO) return MessageAnswer::kNo;
    return MessageAnswer::kOk;
  }

  std::u16string AskText(std::u16string_view prompt, std::u16string_view title) override {
    return InputBox::Ask(prompt, title);
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

BoxOwner::BoxOwner(HWND window) : before_(boxOwner) { boxOwner = window; }
BoxOwner::~BoxOwner() { boxOwner = before_; }
HWND BoxOwner::Current() { return boxOwner && IsWindow(boxOwner) ? boxOwner : nullptr; }

std::unique_ptr<Shell> SystemShell() { return std::make_unique<Win32Shell>(); }

}  // namespace lanternfly
