#include "MessageBoxes.h"

#include <gtest/gtest.h>

#include <thread>

namespace lanternfly::demo {
namespace {

// A message box of this process, shown by a thread of its own as another
// program would show it; `answer` is what the box returned.
struct ShownBox {
  ShownBox(const wchar_t* text, const wchar_t* title, UINT buttons)
      : thread([=, this] { answer = MessageBoxW(nullptr, text, title, buttons); }) {}
  ~ShownBox() {
    if (thread.joinable()) thread.join();
  }
  int answer = 0;
  std::thread thread;
};

TEST(MessageBoxes, ReadAndAnswerWithTheButtonNamed) {
  struct Case {
    UINT buttons;
    const char* press;
    int answer;
  };
  const Case cases[] = {
      {MB_OK, "OK", IDOK},
      {MB_YESNO | MB_ICONQUESTION, "Yes", IDYES},
      {MB_YESNO | MB_ICONQUESTION, "no", IDNO},
      {MB_OKCANCEL | MB_ICONSTOP, "Cancel", IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.press);
    ShownBox shown(L"Fr\u00fchling \u2013 \u6625, line one.\n\nLine two.", L"Lanternfly \u2013 question", c.buttons);
    HWND box = WaitForMessageBox(u"Lanternfly \u2013 question", 10'000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), u"Fr\u00fchling \u2013 \u6625, line one.\n\nLine two.");
    ASSERT_TRUE(PressButton(box, ButtonId(c.press)));
    EXPECT_TRUE(WaitUntilGone(box, 10'000));
    shown.thread.join();
    EXPECT_EQ(shown.answer, c.answer);
  }
}

TEST(MessageBoxes, AButtonTheBoxLacksIsNotPressed) {
  ShownBox shown(L"There was no settings file found.", L"No Settings Found", MB_OK);
  HWND box = WaitForMessageBox(u"No Settings Found", 10'000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(FindMessageBox(u"No Settings"), nullptr);  // the whole title or none
  EXPECT_FALSE(PressButton(box, ButtonId("Yes")));
  EXPECT_EQ(ButtonId("Maybe"), 0);
  EXPECT_TRUE(IsWindow(box));
  ASSERT_TRUE(PressButton(box, ButtonId("ok")));
  shown.thread.join();
  EXPECT_EQ(shown.answer, IDOK);
}

TEST(MessageBoxes, NoneShownIsNoneFound) {
  EXPECT_EQ(WaitForMessageBox(u"Confirm Exit Request", 200), nullptr);
}

}  // namespace
}  // namespace lanternfly::demo
