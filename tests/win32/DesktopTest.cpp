// Winamp on the real Win32 API: a fake that is a real 32-bit process, as
// the real one is, whatever this build is, read through its memory.

#include <gtest/gtest.h>

#include <sstream>

#include "FakeProgram.h"
#include "app/Cli.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/sim/FakeiTunes.h"
#include "players/PlayerReaders.h"

namespace lanternfly {
namespace {

using test::FakeProgram;

class DesktopTest : public ::testing::Test {
 protected:
  std::unique_ptr<WindowApi> api = SystemWindowApi();
  std::unique_ptr<CodePage> codePage = SystemCodePage();
  Desktop desktop{*api, *codePage};
  std::unique_ptr<Files> files = SystemFiles();
  FakeiTunes iTunes;
  PlayerReaders readers{desktop, *files, iTunes};
};

TEST_F(DesktopTest, WinampGivesTitleNumbersAndThePlayingFilesTagAndSize) {
  FakeProgram winamp("winamp --title \"3. Some Artist - Some Song - Winamp\" --path \"" LANTERNFLY_FIXTURES
                     "/tagged-v1v2.mp3\"");
  ASSERT_TRUE(winamp.Started());
  EXPECT_GE(winamp.address, 0x80000000u);  // where a sign-extended address would miss it
  SongInformation expected{true,      u"Some Artist - Some Song", u"Some Artist", u"Some Song", u"128",
                           u"2",      u"Stereo",                  u"44100Hz",     u"3",         u"3",
                           u"03:20",  u"00:12",                   u"03:08",       u"8.91 KB",   u"Album X",
                           u"1999",   u"Rock",                    u"7"};
  EXPECT_EQ(readers.ReadWinampSong(), expected);
  std::ostringstream printing, err;
  ASSERT_EQ(RunCli({"song", "Winamp"}, printing, err), 0) << err.str();
  std::string printed = printing.str();
  EXPECT_EQ(printed.substr(0, 56), "Active=true\nArtistSong=Some Artist - Some Song\nArtist=So");
  EXPECT_NE(printed.find("\nFileSize=8.91 KB\nAlbum=Album X\nYear=1999\nGenre=Rock\nTrackNumber=7\n"),
            std::string::npos);
}

}  // namespace
}  // namespace lanternfly
