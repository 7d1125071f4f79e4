// The simulated desktop answers as Windows does where the program leans on it.

#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

#include "platform/Desktop.h"

namespace lanternfly {
namespace {

TEST(SimDesktop, FindChildFiltersLikeFindWindowEx) {
  SimDesktop sim;
  std::uint32_t process = sim.AddProcess();
  WindowHandle main = sim.AddWindow(kNoWindow, "Main", "Main", process);
  WindowHandle label = sim.AddWindow(main, "Static", "", process);
  WindowHandle edit = sim.AddInputBox(main, "edit", process);
  sim.SendSetText(edit, 400, "typed text");

  // The class compares whole and without regard to case; the title exactly,
  // and an empty title is no wildcard (an edit box's title stays empty).
  EXPECT_EQ(sim.FindChild(main, kNoWindow, "Edit", std::nullopt), edit);
  EXPECT_EQ(sim.FindChild(main, kNoWindow, "Edi", std::nullopt), kNoWindow);
  EXPECT_EQ(sim.FindChild(main, kNoWindow, "edit", ""), edit);
  EXPECT_EQ(sim.FindChild(main, kNoWindow, std::nullopt, ""), label);
  EXPECT_EQ(sim.FindChild(main, label, std::nullopt, std::nullopt), edit);
  EXPECT_EQ(sim.FindChild(main, edit, std::nullopt, std::nullopt), kNoWindow);

  // After a window that has gone, the walk ends.
  sim.CloseWindow(label);
  EXPECT_EQ(sim.FindChild(main, label, std::nullopt, std::nullopt), kNoWindow);
  EXPECT_EQ(sim.Title(label, 100), "");
  EXPECT_EQ(sim.Send(label, kWmUser, 0, 0), std::nullopt);
}

TEST(SimDesktop, TitlesAreCutToTheBufferAndHungProgramsDoNotAnswer) {
  SimDesktop sim;
  std::uint32_t process = sim.AddProcess();
  WindowHandle window = sim.AddWindow(kNoWindow, "C", std::string(150, 'x'), process);
  EXPECT_EQ(sim.Title(window, 100).size(), 99u);
  EXPECT_EQ(sim.Title(window, 0), "");
  sim.SetHung(process, true);
  EXPECT_EQ(sim.Title(window, 300).size(), 150u);  // reading a title never waits
  EXPECT_EQ(sim.Send(window, kWmUser, 0, 0), std::nullopt);
  EXPECT_EQ(sim.SendGetText(window, 256), std::nullopt);
  EXPECT_FALSE(sim.SendSetText(window, 400, "x"));
  EXPECT_EQ(sim.Unanswered(), 3);
}

TEST(SimDesktop, ByteSizesReadAsWindowsWritesThem) {
  struct Case {
    std::uint32_t bytes;
    std::string_view text;
  } cases[] = {{0, "0 bytes"},         {532, "532 bytes"},      {1023, "1023 bytes"},   {1024, "1.00 KB"},
               {1340, "1.30 KB"},      {23'506, "22.9 KB"},     {1'023'999, "999 KB"},  {1'024'000, "0.97 MB"},
               {2'400'016, "2.28 MB"}, {5'000'000, "4.76 MB"},  {2'400'000'000, "2.23 GB"},
               {4'294'967'295, "3.99 GB"}};
  for (const Case& c : cases) EXPECT_EQ(WindowsByteSizeText(c.bytes), c.text) << c.bytes;
}

TEST(Desktop, WalksWindowsInZOrderAndConvertsTitles) {
  SimDesktop sim;
  auto codePage = OpenCodePage(1252);
  Desktop desktop(sim, *codePage);
  std::uint32_t process = sim.AddProcess();
  WindowHandle first = sim.AddWindow(kNoWindow, "A", "caf\xe9", process);
  WindowHandle second = sim.AddWindow(kNoWindow, "B", "second", process);
  EXPECT_EQ(desktop.Windows(), (std::vector<WindowHandle>{first, second}));
  sim.BringToTop(second);
  EXPECT_EQ(desktop.Windows(), (std::vector<WindowHandle>{second, first}));
  EXPECT_EQ(desktop.FullTitle(first), u"caf\u00e9");
  EXPECT_EQ(desktop.FindByClass(u"b"), second);
}

}  // namespace
}  // namespace lanternfly
