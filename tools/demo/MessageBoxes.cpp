#include "MessageBoxes.h"

#include <array>
#include <cctype>
#include <chrono>
#include <thread>
#include <utility>

namespace lanternfly::demo {
namespace {

const wchar_t* Wide(std::u16string_view text, std::u16string& store) {
  store.assign(text);
  return reinterpret_cast<const wchar_t*>(store.c_str());
}

std::u16string WindowText(HWND window) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                                 static_cast<int>(text.size()))));
  return text;
}

// Polls `found` every 50 ms until it gives something or the time is up.
template <typename Found>
auto Poll(int milliseconds, Found found) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    auto result = found();
    if (result || std::chrono::steady_clock::now() >= end) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace

HWND FindMessageBox(std::u16string_view title) {
  std::u16string store;
  const wchar_t* wanted = Wide(title, store);
  for (HWND box = FindWindowExW(nullptr, nullptr, L"#32770", wanted); box != nullptr;
       box = FindWindowExW(nullptr, box, L"#32770", wanted)) {
    if (IsWindowVisible(box)) return box;
  }
  return nullptr;
}

HWND WaitForMessageBox(std::u16string_view title, int milliseconds) {
  return Poll(milliseconds, [&] { return FindMessageBox(title); });
}

std::u16string MessageBoxText(HWND box) {
  for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child != nullptr;
       child = FindWindowExW(box, child, L"Static", nullptr)) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
    std::u16string text = WindowText(child);
    if (!text.empty()) return text;
  }
  return {};
}

int ButtonId(std::string_view caption) {
  static constexpr std::array<std::pair<std::string_view, int>, 7> kButtons{
      {{"ok", IDOK}, {"cancel", IDCANCEL}, {"yes", IDYES}, {"no", IDNO}, {"abort", IDABORT}, {"retry", IDRETRY},
       {"ignore", IDIGNORE}}};
  for (const auto& [name, id] : kButtons) {
    if (caption.size() != name.size()) continue;
    bool same = true;
    for (size_t i = 0; i < name.size(); ++i) same = same && std::tolower(static_cast<unsigned char>(caption[i])) == name[i];
    if (same) return id;
  }
  return 0;
}

bool PressButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  if (button == nullptr) return false;
  // Posted, as a click arrives: the box's own loop takes it and closes.
  return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != 0;
}

bool WaitUntilGone(HWND window, int milliseconds) {
  return Poll(milliseconds, [&] { return !IsWindow(window); });
}

}  // namespace lanternfly::demo
