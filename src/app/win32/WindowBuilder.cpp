#include "app/win32/WindowBuilder.h"

#include <utility>

#include "app/win32/ProgramWindow.h"
#include "platform/win32/GdiCanvas.h"

namespace lanternfly {
namespace {

const char16_t* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kFrame: return u"PanelFrame";
    case ControlKind::kLabel: return u"PlainLabel";
    case ControlKind::kCheckBox:
    case ControlKind::kOptionBox: return u"CntrlBox";
    case ControlKind::kButton: return u"iButton";
    case ControlKind::kList: return u"iList";
    case ControlKind::kMarkup: return u"HyperLabel";
    default: return nullptr;
  }
}

// Where Tab stops and where the arrows' groups begin, in the layout's
// reading order: a run of option boxes, or of labels the user clicks, in one
// parent is one group. Tab enters a group of labels at its first; the
// window that shows option boxes gives the stop to the chosen one.
DWORD KeyStyle(const WindowLayout& layout, size_t index) {
  const ControlEntry& entry = layout.controls[index];
  const bool grouped = entry.kind == ControlKind::kOptionBox || (entry.kind == ControlKind::kLabel && entry.acts);
  const ControlEntry* before = index > 0 ? &layout.controls[index - 1] : nullptr;
  if (grouped && before && before->kind == entry.kind && before->parent == entry.parent && before->acts == entry.acts)
    return 0;
  const bool stop = (grouped && entry.kind == ControlKind::kLabel) || entry.kind == ControlKind::kCheckBox || entry.kind == ControlKind::kButton ||
                    entry.kind == ControlKind::kList || entry.kind == ControlKind::kTextBox ||
                    entry.kind == ControlKind::kDropDown;
  return WS_GROUP | (stop ? WS_TABSTOP : 0);
}

}  // namespace

BuiltWindow::~BuiltWindow() {
  // Children before their frames.
  while (!shown_.empty()) {
    if (!shown_.back().window) DestroyWindow(shown_.back().handle);
    shown_.pop_back();
  }
  for (const auto& [look, font] : fonts_) DeleteObject(font);
}

bool BuiltWindow::Build(HWND window) {
  const WindowLayout& layout = controls_.Layout();
  for (size_t i = 0; i < layout.controls.size(); ++i) {
    const ControlEntry& entry = layout.controls[i];
    const HWND parent = entry.parent.empty() ? window : Handle(entry.parent);
    const Rect at = ScaledTo(controls_.Dpi(), entry.place);
    const int id = kFirstControlId + static_cast<int>(i);
    Shown shown{entry.name, nullptr, nullptr};
    if (Control* control = controls_.Find(entry.name)) {
      shown.window = Win32ControlWindow::Create(*control, parent, at, KindName(entry.kind));
      if (shown.window) {
        shown.window->SetDpi(controls_.Dpi());
        shown.handle = shown.window->Handle();
      }
    } else {
      shown.handle = MakeSystemControl(entry, parent, at, id);
    }
    if (!parent || !shown.handle) return false;
    SetWindowLongPtrW(shown.handle, GWLP_ID, id);
    SetWindowLongW(shown.handle, GWL_STYLE, GetWindowLongW(shown.handle, GWL_STYLE) | KeyStyle(layout, i));
    shown_.push_back(std::move(shown));
  }
  // Made on a screen of another DPI than the system's.
  if (const int dpi = WindowDpi(window); dpi != controls_.Dpi()) {
    RECT place{};
    GetWindowRect(window, &place);
    DpiChanged(window, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
  }
  return true;
}

HWND BuiltWindow::MakeSystemControl(const ControlEntry& entry, HWND parent, const Rect& at, int id) {
  const bool edit = entry.kind == ControlKind::kTextBox;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                      (edit ? ES_AUTOHSCROLL : WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS);
  HWND made = CreateWindowExW(edit ? WS_EX_CLIENTEDGE : 0, edit ? L"EDIT" : L"COMBOBOX", L"", style, at.left, at.top,
                              at.Width(), at.Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!made) return nullptr;
  SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(entry.look)), FALSE);
  return made;
}

HFONT BuiltWindow::FontFor(const Look* look) {
  HFONT& font = fonts_[look];
  if (!font) font = CreateGdiFont(look->font, controls_.Dpi());
  return font;
}

void BuiltWindow::DpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  const int dpi = HIWORD(wParam);
  if (dpi <= 0 || !lParam) return;
  controls_.SetDpi(dpi);
  const std::map<const Look*, HFONT> old = std::exchange(fonts_, {});
  const WindowLayout& layout = controls_.Layout();
  for (const Shown& shown : shown_) {
    const ControlEntry& entry = *layout.Find(shown.name);
    const Rect at = ScaledTo(dpi, entry.place);
    if (shown.window) {
      shown.window->SetDpi(dpi);
    } else {
      SendMessageW(shown.handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(entry.look)), FALSE);
    }
    SetWindowPos(shown.handle, nullptr, at.left, at.top, at.Width(), at.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (const auto& [look, font] : old) DeleteObject(font);

  // The frame at the new DPI may be of another size than the suggestion
  // reckoned with: the client area is made the layout's.
  const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{}, outer{};
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  const int moreWidth = Scaled(layout.client.width) - client.right;
  const int moreHeight = Scaled(layout.client.height) - client.bottom;
  if (moreWidth != 0 || moreHeight != 0)
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + moreWidth, outer.bottom - outer.top + moreHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND BuiltWindow::Handle(std::u16string_view name) const {
  for (const Shown& shown : shown_)
    if (shown.name == name) return shown.handle;
  return nullptr;
}

HWND BuiltWindow::Handle(const Control& control) const {
  for (const Shown& shown : shown_)
    if (shown.window && &shown.window->Shown() == &control) return shown.handle;
  return nullptr;
}

}  // namespace lanternfly
