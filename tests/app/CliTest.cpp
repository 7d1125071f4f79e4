#include "app/Cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace lanternfly {
namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunCommand(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(Cli, ExpandStoresPatternsInOrderAndUsesTheNamedDefault) {
  Result r = RunCommand({"expand", "--pattern", "A=1.3", "--pattern", "A=1.4", "--default", "A", "[d]xy[/d]"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "#c4#x#c4#y\n");
  EXPECT_EQ(RunCommand({"expand", "[d]x[/d]"}).out, "#c?#x\n");
  EXPECT_EQ(RunCommand({"expand", "--", "--pattern"}).out, "--pattern\n");
}

TEST(Cli, TextCommandsPrintUtf8) {
  EXPECT_EQ(RunCommand({"expand-first", "[c,1,2]\xe6\x97\xa5\xe6\x9c\xac[/c]"}).out, "#c2#\xe6\x97\xa5#c2#\xe6\x9c\xac\n");
  EXPECT_EQ(RunCommand({"validate", "[c,5]x[/c]"}).out, "Invalid Color Script Format\n");
  EXPECT_EQ(RunCommand({"pattern", "Warm=12.8.57"}).out, "Warm=2.8.57\n[c,2,8,57]testing 1234567890[/c]\n");
}

TEST(Cli, NowPlayingColoursTheSongWithTheDefaultSetup) {
  Result r = RunCommand({"now-playing", "Abc - Hey"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "#c1#is listening to #c51#Ab#c52#c #c53#- #c54#He#c55#y\n"
            " [color=#FFFFFF]is listening to [color=#0080FF]Ab[color=#00FFFF]c [color=#00FF80]- "
            "[color=#00FF00]He[color=#80FF00]y\n");
}

TEST(Cli, MpegPrintsEveryFieldInRecordOrder) {
  std::string file = std::string(LANTERNFLY_FIXTURES) + "/tagged-v1v2.mp3";
  EXPECT_EQ(RunCommand({"mpeg", "--codepage", "932", file}).out,
            "result=true\nVersion=version 1 layer 3\nProtected=false\nBitrate=128\nFrequency=44100\nVBR=false\n"
            "ChannelMode=Joint stereo\nCopyright=false\nOriginal=true\nEmphasis=false\nDuration=1\nID3v1Version=1\n"
            "ID3v2Version=3\nFileSize=9132\n");
  EXPECT_EQ(RunCommand({"mpeg", "/no/such/file.mp3"}).out.substr(0, 13), "result=false\n");
}

TEST(Cli, Id3v1KeepsEachFieldOnOneLine) {
  std::string path = ::testing::TempDir() + "lanternfly-cli-tag.mp3";
  std::string tag(128, '\0');
  tag.replace(0, 3, "TAG");
  const std::string title = "a\nb\\c\xe9\r!";
  tag.replace(3, title.size(), title);
  std::ofstream(path, std::ios::binary) << tag;
  EXPECT_EQ(RunCommand({"id3v1", path}).out,
            "result=true\nArtist=\nAlbum=\nTitle=a\\r\\nb\\\\c\xc3\xa9!\nYear=\nGenre=Blues\nComment=\nTrack=\n");
  std::remove(path.c_str());
}

TEST(Cli, DemoAnnouncesBothSongsInBothRooms) {
  Result r = RunCommand({"demo"});
  EXPECT_EQ(r.status, 0);
  std::size_t count = 0;
  for (std::size_t at = 0; (at = r.out.find("as shown: is listening to Moth Orchestra - Glow\n", at)) != std::string::npos;
       ++at) {
    ++count;
  }
  EXPECT_EQ(count, 2u);
}

TEST(Cli, BadCallsExitWith2AndExplainOnStderr) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"nonsense"}, {"markup", "a", "b"}, {"expand"}, {"expand", "--pattern"}, {"expand", "a", "b"},
           {"pattern", "no equals sign"}, {"expand", "--pattern", "bad", "x"}, {"mpeg"},
           {"id3v1", "--codepage", "77777", "x"}}) {
    Result r = RunCommand(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err, "");
  }
  Result help = RunCommand({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("expand-first"), std::string::npos);
}

}  // namespace
}  // namespace lanternfly
