// The Win32 platform layer on its own: code pages, files, byte sizes.

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Timers.h"

#include <windows.h>

namespace lanternfly {
namespace {

TEST(Win32Platform, SystemCodePageIsTheAnsiCodePage) {
  std::unique_ptr<CodePage> page = SystemCodePage();
  EXPECT_EQ(page->Number(), 1252);
  EXPECT_EQ(page->Decode("caf\xe9"), u"caf\u00e9");
}

// UTF-8, also the ANSI code page where Windows is set to it, and the other
// pages that take no conversion flags still write text.
TEST(Win32Platform, PagesWithoutConversionFlagsStillEncode) {
  const struct {
    int number;
    std::u16string_view text;
    std::string_view bytes;
  } cases[] = {
      {65001, u"caf\u00e9 \u65e5", "caf\xc3\xa9 \xe6\x97\xa5"},
      {65000, u"caf\u00e9", "caf+AOk-"},
  };
  for (const auto& each : cases) {
    std::unique_ptr<CodePage> page = OpenCodePage(each.number);
    ASSERT_NE(page, nullptr) << each.number;
    EXPECT_EQ(page->Encode(each.text), each.bytes) << each.number;
    EXPECT_EQ(page->Decode(each.bytes), each.text) << each.number;
  }
}

TEST(Win32Platform, ByteSizesComeFromTheSystem) {
  std::unique_ptr<WindowApi> api = SystemWindowApi();
  ASSERT_NE(api, nullptr);
  EXPECT_EQ(api->FormatByteSize(0), "0 bytes");
  EXPECT_EQ(api->FormatByteSize(5'000'000), "4.76 MB");
  EXPECT_EQ(api->FormatByteSize(1340), "1.30 KB");
}

TEST(Win32Platform, TimerTicksArriveThroughTheMessageLoop) {
  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<Timers> timers = SystemTimers();
  int ticks = 0;
  int id = timers->Start(20, [&] { ++ticks; });
  ASSERT_NE(id, 0);
  // Waits for messages, not for time; the bound only stops a broken timer.
  for (const DWORD start = GetTickCount(); ticks < 3 && GetTickCount() - start < 10'000;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1'000, QS_ALLINPUT);
    api->PumpMessages();
  }
  timers->Stop(id);
  EXPECT_GE(ticks, 3);
}

}  // namespace
}  // namespace lanternfly
