// F7, F6 and F8's file work on hostile folders: deleting never follows a
// link out of the folder deleted, an entry that cannot go is named and
// the rest of the work stays, and a name that would replace or escape is
// refused with nothing changed.
#include <sys/stat.h>
#include <unistd.h>

#include "console/file_operations.hpp"
#include "test_support.hpp"

namespace {

using testsupport::Exists;
using testsupport::MakeDirs;
using testsupport::ReadFile;
using testsupport::WriteFile;

class FileOperationsTest : public ::testing::Test {
 protected:
  testsupport::TempDir dir;
};

TEST_F(FileOperationsTest, DeletingAFolderRemovesLinksNotWhatTheyPointAt) {
  MakeDirs(dir / "outside/deep");
  WriteFile(dir / "outside/keep.txt", "kept");
  MakeDirs(dir / "gone/sub/subsub");
  WriteFile(dir / "gone/sub/subsub/inner.txt", "x");
  ASSERT_EQ(0, symlink((dir / "outside").c_str(), (dir / "gone/to-folder").c_str()));
  ASSERT_EQ(0, symlink((dir / "outside/keep.txt").c_str(), (dir / "gone/sub/to-file").c_str()));
  ASSERT_EQ(0, symlink("nowhere", (dir / "gone/dangling").c_str()));
  ASSERT_EQ(0, symlink((dir / "outside").c_str(), (dir / "link-beside").c_str()));
  EXPECT_TRUE(console::IsRealFolder(dir / "gone"));
  EXPECT_FALSE(console::IsRealFolder(dir / "link-beside"));
  std::string error;
  EXPECT_TRUE(console::DeleteEntry(dir / "gone", error)) << error;
  EXPECT_TRUE(console::DeleteEntry(dir / "link-beside", error)) << error;
  struct stat info;
  EXPECT_NE(0, lstat((dir / "gone").c_str(), &info));
  EXPECT_NE(0, lstat((dir / "link-beside").c_str(), &info));
  EXPECT_EQ("kept", ReadFile(dir / "outside/keep.txt"));
  EXPECT_TRUE(console::IsRealFolder(dir / "outside/deep"));
}

TEST_F(FileOperationsTest, WhatCannotBeDeletedIsNamedAndTheRestStays) {
  if (!testsupport::RunsUnprivileged()) return;
  MakeDirs(dir / "locked/inner");
  WriteFile(dir / "locked/inner/stuck.txt", "x");
  chmod((dir / "locked/inner").c_str(), 0555);
  std::string error;
  EXPECT_FALSE(console::DeleteEntry(dir / "locked", error));
  EXPECT_NE(std::string::npos, error.find("locked/inner/stuck.txt")) << error;
  EXPECT_NE(std::string::npos, error.find("Permission denied")) << error;
  EXPECT_TRUE(Exists(dir / "locked/inner/stuck.txt"));
  chmod((dir / "locked/inner").c_str(), 0755);
}

TEST_F(FileOperationsTest, NewNamesThatWouldReplaceOrLeaveTheFolderAreRefused) {
  WriteFile(dir / "a.txt", "a");
  WriteFile(dir / "b.txt", "b");
  MakeDirs(dir / "made");
  WriteFile(dir / "made/b.txt", "b");
  const std::pair<std::string, bool> cases[] = {
      {"new", true},  {"b.txt", false}, {"", false},    {".", false},
      {"..", false},  {"../escape", false}, {"x/y", false}, {"\xE6\xBC\xA2\xE5\xAD\x97", true}};
  for (const auto &c : cases) {
    std::string error;
    EXPECT_EQ(c.second, console::MakeFolder(dir / "made", c.first, error)) << c.first;
    EXPECT_EQ(c.second, error.empty()) << c.first << ": " << error;
    // Renaming goes within the folder, never over an entry already there.
    EXPECT_EQ(c.second, console::RenameEntry(dir / "a.txt", c.first, error)) << c.first << error;
    EXPECT_TRUE(!c.second || console::RenameEntry(dir / c.first, "a.txt", error)) << error;
    EXPECT_EQ("a", ReadFile(dir / "a.txt"));
    EXPECT_EQ("b", ReadFile(dir / "b.txt"));
  }
  EXPECT_FALSE(Exists(dir.Path() + "/../escape"));
}

}  // namespace
