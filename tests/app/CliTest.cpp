#include "app/Cli.h"

#include <gtest/gtest.h>

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

TEST(Cli, BadCallsExitWith2AndExplainOnStderr) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"nonsense"}, {"markup", "a", "b"}, {"expand"}, {"expand", "--pattern"}, {"expand", "a", "b"},
           {"pattern", "no equals sign"}, {"expand", "--pattern", "bad", "x"}}) {
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
