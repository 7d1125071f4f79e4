#pragma once

// Checks of a real window of the program against its own layout: each
// control's window (id 100 + its entry's index) where the layout puts it at
// the window's DPI, inside its parent and over none of its siblings, its
// caption fitting in the font the layout gives it; box images of 13 pixels
// at 96 DPI, scaled; frame headers shaded from top to bottom; and pictures
// of what the screen shows.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Screenshot.h"
#include "app/WindowLayout.h"
#include "app/win32/ProgramWindow.h"
#include "app/win32/WindowBuilder.h"
#include "controls/CntrlBox.h"
#include "platform/win32/GdiCanvas.h"

namespace lanternfly::test {

// The test measures in the screen's real pixels.
inline const bool kDpiAware = SetProcessDPIAware() != FALSE;

inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// How long a test waits for another process to answer: a busy machine's
// worst, not a pause, as each wait ends when what it waits for happens.
inline constexpr int kPatience = 10000;

// Runs this thread's messages until `done` holds or `milliseconds` have
// passed, waking for each message that comes.
inline bool WaitUntil(int milliseconds, const std::function<bool()>& done) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (!done()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

struct ControlSearch {
  int id;
  HWND found;
};

inline BOOL CALLBACK FindControl(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<ControlSearch*>(context);
  if (GetDlgCtrlID(child) == search->id && !search->found) search->found = child;
  return TRUE;
}

// The window of the layout's control of that name, below `top`.
inline HWND ControlOf(HWND top, const WindowLayout& layout, std::u16string_view name) {
  const ControlEntry* entry = layout.Find(name);
  if (!entry) return nullptr;
  ControlSearch search{kFirstControlId + static_cast<int>(entry - layout.controls.data()), nullptr};
  EnumChildWindows(top, &FindControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline void Click(HWND control, int x = 5, int y = 5) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A control's pixel in a picture of `top`'s client area, from the control's top left.
inline Colour At(const Screenshot& shot, HWND top, HWND control, int x, int y) {
  POINT origin{0, 0};
  MapWindowPoints(control, top, &origin, 1);
  return shot.At(origin.x + x, origin.y + y);
}

// The window's size at `dpi`; every shown control where the layout puts it,
// apart from its siblings, its caption fitting, its box image's size; every
// shown frame's body and its header shaded from top to bottom.
inline void ExpectAsLaidOut(HWND top, const WindowLayout& layout, int dpi = ScreenDpi()) {
  RECT size{};
  GetClientRect(top, &size);
  EXPECT_EQ(size.right, ScaledTo(dpi, layout.client.width));
  EXPECT_EQ(size.bottom, ScaledTo(dpi, layout.client.height));
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const Screenshot shot = CaptureClient(top);
  GdiCanvas measure(Size{1, 1}, nullptr);
  measure.SetFontDpi(dpi);
  std::vector<std::pair<const ControlEntry*, HWND>> shown;
  for (const ControlEntry& entry : layout.controls) {
    HWND control = ControlOf(top, layout, entry.name);
    ASSERT_NE(control, nullptr) << std::string(entry.name.begin(), entry.name.end());
    if (IsWindowVisible(control)) shown.emplace_back(&entry, control);
  }
  for (const auto& [entry, control] : shown) {
    const std::string name(entry->name.begin(), entry->name.end());
    RECT place{}, parent{}, client{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    GetClientRect(GetParent(control), &parent);
    GetClientRect(control, &client);
    if (entry->kind != ControlKind::kMarkup && entry->kind != ControlKind::kDropDown) {  // these size themselves
      EXPECT_EQ((Rect{place.left, place.top, place.right, place.bottom}), ScaledTo(dpi, entry->place)) << name;
    }
    EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= parent.right && place.bottom <= parent.bottom)
        << "cut off: " << name;
    for (const auto& [other, window] : shown) {
      RECT a{}, b{}, both{};
      GetWindowRect(control, &a);
      GetWindowRect(window, &b);
      if (window != control && GetParent(window) == GetParent(control)) {
        EXPECT_FALSE(IntersectRect(&both, &a, &b)) << name << " over " << std::string(other->name.begin(), other->name.end());
      }
    }
    // The caption in its font, with what the control keeps beside it:
    // frame, label, check box, option box, button.
    const std::wstring text = TextOf(control);
    const int around[] = {12, 0, 19, 19, 8};
    if (!text.empty() && entry->kind <= ControlKind::kButton) {
      const std::u16string caption(text.begin(), text.end());
      measure.SetFont(entry->look->font);
      const Size one = measure.MeasureText(caption);
      const Rect wrapped = measure.DrawText(caption, Rect{0, 0, client.right, 10000},
                                            text_flags::kWordBreak | text_flags::kCalcRect, 0);
      const bool wraps = entry->kind == ControlKind::kLabel && entry->look->wrap;
      EXPECT_LE(wraps ? wrapped.Height() : one.height, client.bottom) << name;
      const int beside = ScaledTo(dpi, around[static_cast<int>(entry->kind)]);
      EXPECT_LE(wraps ? 0 : one.width + beside, client.right) << name;
    }
    // The image: what differs from the box's background left of the caption.
    if (entry->kind == ControlKind::kCheckBox || entry->kind == ControlKind::kOptionBox) {
      const int captionX = ScaledTo(dpi, CntrlBox::kCaptionX);
      const Colour back = At(shot, top, control, captionX - 1, client.bottom - 1);
      int right = 0, bottom = 0;
      for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < captionX; ++x) {
          if (At(shot, top, control, x, y) == back) continue;
          right = std::max(right, x + 1);
          bottom = std::max(bottom, y + 1);
        }
      }
      EXPECT_NEAR(right, 13.0 * dpi / 96, 1) << name;
      EXPECT_NEAR(bottom, 13.0 * dpi / 96, 1) << name;
    }
    // Frames: the body, and the header filled line by line from the top,
    // from RGB(221, 236, 254) to RGB(129, 169, 226).
    if (entry->kind != ControlKind::kFrame) continue;
    const int header = ScaledTo(dpi, entry->look->height), right = client.right - 3;
    EXPECT_EQ(At(shot, top, control, 4, client.bottom - 4), entry->look->back) << name;
    const Colour first = At(shot, top, control, right, 2), last = At(shot, top, control, right, header - 3);
    EXPECT_NEAR(RedOf(first), 221, 15) << name;
    EXPECT_NEAR(RedOf(last), 129, 15) << name;
    EXPECT_EQ(At(shot, top, control, client.right * 2 / 3, 2), first) << name << ": one colour across";
  }
}

// The whole window as the screen shows it, as build/screenshots/NAME-win32.bmp.
inline void SavePicture(HWND window, const std::string& name) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  CreateDirectoryA(LANTERNFLY_SCREENSHOTS, nullptr);
  const std::string path = std::string(LANTERNFLY_SCREENSHOTS) + "/" + name +
                           (sizeof(void*) == 4 ? "-win32" : "-win64") +
                           (ScreenDpi() == 96 ? "" : "-" + std::to_string(ScreenDpi()) + "dpi") + ".bmp";
  EXPECT_TRUE(CaptureOnScreen(window).SaveBmp(path)) << path;
}

}  // namespace lanternfly::test
