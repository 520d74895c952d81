// Where the panel goes on the host's directory requests, for drive-letter
// paths with "\" and POSIX paths with "/".
#include <string>

#include "panel/panel_paths.hpp"
#include "test_support.hpp"

namespace {

// The next directory, or "(unchanged)".
std::string Next(const std::string &current, const char *dir, char sep) {
  std::string next;
  return NextDirectory(current, dir, sep, next) ? next : "(unchanged)";
}

}  // namespace

TEST(NextDirectory, DriveLetterPaths) {
  EXPECT_EQ(Next("C:\\work\\proj", "..", '\\'), "C:\\work");
  EXPECT_EQ(Next("C:\\work\\proj", "\\", '\\'), "C:");
  EXPECT_EQ(Next("C:\\work\\proj", nullptr, '\\'), "C:");
  EXPECT_EQ(Next("C:", "..", '\\'), "(unchanged)");
  EXPECT_EQ(Next("C:", "\\", '\\'), "(unchanged)");
  EXPECT_EQ(Next("C:\\work", "..", '\\'), "C:");
  // The host names a drive's root "C:\": that is the drive itself.
  EXPECT_EQ(Next("C:\\", "..", '\\'), "(unchanged)");
  EXPECT_EQ(Next("C:", "work", '\\'), "C:\\work");
  EXPECT_EQ(Next("C:\\", "work", '\\'), "C:\\work");
  EXPECT_EQ(Next("C:\\work\\proj", "sub", '\\'), "C:\\work\\proj\\sub");
  // A listed folder comes as its full path and is taken as it is.
  EXPECT_EQ(Next("C:\\work\\proj", "C:\\work\\proj\\sub", '\\'), "C:\\work\\proj\\sub");
  EXPECT_EQ(Next("C:\\work\\proj", "D:\\other", '\\'), "D:\\other");
  EXPECT_EQ(Next("C:\\work\\proj", "\\\\server\\share", '\\'), "\\\\server\\share");
  // Any other path with a separator is relative to the panel's folder, or
  // with a leading separator to its drive; ".." never leaves the drive.
  EXPECT_EQ(Next("C:\\work\\proj", "sub\\deeper", '\\'), "C:\\work\\proj\\sub\\deeper");
  EXPECT_EQ(Next("C:\\work\\proj", "..\\other\\.\\x", '\\'), "C:\\work\\other\\x");
  EXPECT_EQ(Next("C:\\work\\proj", "\\tools\\bin", '\\'), "C:\\tools\\bin");
  EXPECT_EQ(Next("C:\\work\\proj", "..\\..\\..\\x", '\\'), "C:\\x");
  // Comparisons are exact: "/" is no separator here, "..." no parent.
  EXPECT_EQ(Next("C:\\work", "a/b", '\\'), "C:\\work\\a/b");
  EXPECT_EQ(Next("C:\\work", "...", '\\'), "C:\\work\\...");
}

TEST(NextDirectory, PosixPaths) {
  EXPECT_EQ(Next("/work/proj", "..", '/'), "/work");
  EXPECT_EQ(Next("/work", "..", '/'), "/");
  EXPECT_EQ(Next("/", "..", '/'), "(unchanged)");
  EXPECT_EQ(Next("/work/proj", "/", '/'), "/");
  EXPECT_EQ(Next("/work/proj", nullptr, '/'), "/");
  EXPECT_EQ(Next("/", "/", '/'), "(unchanged)");
  EXPECT_EQ(Next("/work/proj/", "..", '/'), "/work");
  EXPECT_EQ(Next("/", "etc", '/'), "/etc");
  EXPECT_EQ(Next("/work/proj", "sub", '/'), "/work/proj/sub");
  EXPECT_EQ(Next("/work/proj", "/work/proj/sub", '/'), "/work/proj/sub");
  EXPECT_EQ(Next("/work/proj", "sub/deeper", '/'), "/work/proj/sub/deeper");
  EXPECT_EQ(Next("/work/proj", "./sub//x/", '/'), "/work/proj/sub/x");
  EXPECT_EQ(Next("/work/proj", "../other", '/'), "/work/other");
  EXPECT_EQ(Next("/work/proj", "../../../x", '/'), "/x");
  EXPECT_EQ(Next("/", "a/b", '/'), "/a/b");
  EXPECT_EQ(Next("/work", "C:\\x", '/'), "/work/C:\\x");
  // A relative path without a leading separator stays without a root.
  EXPECT_EQ(Next("work/proj", "..", '/'), "work");
  EXPECT_EQ(Next("work", "..", '/'), "(unchanged)");
}

TEST(PanelPaths, JoinAndBareName) {
  EXPECT_EQ(JoinPath("C:\\w", "a.c", '\\'), "C:\\w\\a.c");
  EXPECT_EQ(JoinPath("C:\\", "a.c", '\\'), "C:\\a.c");
  EXPECT_EQ(JoinPath("/", "etc", '/'), "/etc");
  EXPECT_EQ(JoinPath("/w", "a.c", '/'), "/w/a.c");
  EXPECT_EQ(BareName("C:\\work\\proj\\a.c", '\\'), "a.c");
  EXPECT_EQ(BareName("..", '\\'), "..");
  EXPECT_EQ(BareName("/work/two words.c", '/'), "two words.c");
  EXPECT_EQ(BareName("/work/sub/", '/'), "");
  // A drive alone is entered at its root; every other folder as it is.
  EXPECT_EQ(FolderToEnter("C:", '\\'), "C:\\");
  EXPECT_EQ(FolderToEnter("C:\\work", '\\'), "C:\\work");
  EXPECT_EQ(FolderToEnter("C:", '/'), "C:");
  EXPECT_EQ(FolderToEnter("/", '/'), "/");
}
