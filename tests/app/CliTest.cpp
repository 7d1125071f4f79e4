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
    EXPECT_TRUE(r.status == 2 && r.out.empty() && !r.err.empty()) << args.size();
  }
  Result help = RunCommand({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("expand-first"), std::string::npos);
}

}  // namespace
}  // namespace lanternfly
