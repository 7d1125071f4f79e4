#include "platform/Files.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace lanternfly {
namespace {

TEST(SystemFiles, ReplaceWritesTheWholeFileInOneStep) {
  std::unique_ptr<Files> files = SystemFiles();
  std::string path = ::testing::TempDir() + "lanternfly-settings-test.ini";
  ASSERT_TRUE(files->Replace(path, "first\r\n"));
  ASSERT_TRUE(files->Replace(path, "second\r\n"));
  EXPECT_EQ(ReadWholeFile(*files, path), "second\r\n");
  EXPECT_EQ(files->OpenExisting(path + ".new"), nullptr);
  EXPECT_FALSE(files->Replace(::testing::TempDir() + "no-such-folder/settings.ini", "x"));
  std::remove(path.c_str());
  EXPECT_EQ(ReadWholeFile(*files, path), std::nullopt);
}

}  // namespace
}  // namespace lanternfly
