#include "platform/Files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace lanternfly {
namespace {

class SystemFilesTest : public ::testing::Test {
 protected:
  SystemFilesTest() { std::filesystem::create_directories(folder); }
  ~SystemFilesTest() override { std::filesystem::remove_all(folder); }

  std::string Path(const std::string& name) const { return (folder / name).string(); }
  void Write(const std::string& name, std::string_view bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }

  std::unique_ptr<Files> files = SystemFiles();
  // One folder a test: CTest runs the tests side by side.
  std::filesystem::path folder =
      std::filesystem::path(::testing::TempDir()) /
      ("lanternfly-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
};

TEST_F(SystemFilesTest, ReplaceWritesTheWholeFileInOneStepAndRenameReplacesAnOlderFile) {
  std::string path = Path("settings.ini");
  ASSERT_TRUE(files->Replace(path, "first\r\n"));
  ASSERT_TRUE(files->Replace(path, "second\r\n"));
  EXPECT_EQ(ReadSharedFile(*files, path), (WholeFile{ReadOutcome::kRead, "second\r\n"}));
  EXPECT_EQ(files->OpenExisting(path + ".new"), nullptr);
  EXPECT_FALSE(files->Replace(Path("no-such-folder/settings.ini"), "x"));
  // The backup is renamed over an older one.
  Write("settings.ini.bak", "old");
  ASSERT_TRUE(files->Rename(path, Path("settings.ini.bak")));
  EXPECT_FALSE(files->Exists(path));
  EXPECT_EQ(ReadSharedFile(*files, Path("settings.ini.bak")).bytes, "second\r\n");
  EXPECT_FALSE(files->Rename(path, Path("settings.ini.bak")));
}

// Only a path with nothing at it may be taken for missing: whatever is there
// but does not read must not be replaced as if it were new.
TEST_F(SystemFilesTest, ReadSharedFileTellsMissingFromUnreadable) {
  Write("empty.ini", "");
  Write("some.ini", "a\r\nb");
  std::filesystem::create_directory(folder / "folder.ini");
  const struct {
    std::string name;
    WholeFile expected;
  } cases[] = {
      {"some.ini", {ReadOutcome::kRead, "a\r\nb"}},
      {"empty.ini", {ReadOutcome::kRead, ""}},
      {"none.ini", {ReadOutcome::kMissing, ""}},
      {"no-such-folder/none.ini", {ReadOutcome::kMissing, ""}},
      {"some.ini/below.ini", {ReadOutcome::kMissing, ""}},
      {"folder.ini", {ReadOutcome::kUnreadable, ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadSharedFile(*files, Path(c.name)), c.expected) << c.name;
}

// An editor that holds the file open for writing does not keep it from
// being read.
TEST_F(SystemFilesTest, ReadSharedFileReadsAFileHeldOpenForWriting) {
  Write("held.ini", "kept");
  std::ofstream editor(Path("held.ini"), std::ios::binary | std::ios::app);
  ASSERT_TRUE(editor.is_open());
  EXPECT_EQ(ReadSharedFile(*files, Path("held.ini")), (WholeFile{ReadOutcome::kRead, "kept"}));
}

}  // namespace
}  // namespace lanternfly
