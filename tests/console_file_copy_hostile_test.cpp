// F5 and F6's copying and moving on hostile and failing folders: a link
// planted at the destination is replaced, never written through; a copy
// that fails or is stopped leaves no half-written file or folder and no
// temporary name; folders go whole with their modes, times and links; and
// destinations that name nothing usable are refused before anything moves.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include "console/file_copy.hpp"
#include "test_support.hpp"

namespace {

using testsupport::Exists;
using testsupport::ListDir;
using testsupport::MakeDirs;
using testsupport::ReadFile;
using testsupport::WriteFile;

class FileCopyTest : public ::testing::Test {
 protected:
  // Copies (or moves) with every overwrite question answered `answer`;
  // the questions asked are kept.
  console::CopyReport Copy(const std::vector<std::string> &sources, const std::string &destination,
                           bool move = false,
                           console::Existing answer = console::Existing::Replace) {
    std::vector<std::string> targets;
    std::string error;
    EXPECT_TRUE(console::CopyTargets(sources, destination, dir.Path(), targets, error)) << error;
    console::CopyHooks hooks;
    hooks.AskReplace = [this, answer](const std::string &target) {
      asked.push_back(target);
      return answer;
    };
    return console::CopyEntries(sources, targets, move, hooks);
  }
  struct stat Info(const std::string &path) {
    struct stat info {};
    EXPECT_EQ(0, lstat(path.c_str(), &info)) << path;
    return info;
  }
  // No temporary name of a copy is left in `folder`.
  void ExpectNoLeftovers(const std::string &folder) {
    for (const std::string &name : ListDir(folder))
      EXPECT_EQ(std::string::npos, name.find(".quillet-")) << folder << "/" << name;
  }
  testsupport::TempDir dir;
  std::vector<std::string> asked;
};

TEST_F(FileCopyTest, AFolderGoesWholeWithModesTimesAndLinksAsLinks) {
  MakeDirs(dir / "src/tree/sub");
  WriteFile(dir / "src/tree/a.txt", "alpha");
  WriteFile(dir / "src/tree/sub/run.sh", "#!/bin/sh\n");
  ASSERT_EQ(0, chmod((dir / "src/tree/a.txt").c_str(), 0640));
  ASSERT_EQ(0, chmod((dir / "src/tree/sub/run.sh").c_str(), 0755));
  ASSERT_EQ(0, chmod((dir / "src/tree/sub").c_str(), 0750));
  struct timeval old[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(0, utimes((dir / "src/tree/a.txt").c_str(), old));
  ASSERT_EQ(0, symlink("a.txt", (dir / "src/tree/to-a").c_str()));
  MakeDirs(dir / "dst");
  console::CopyReport report = Copy({dir / "src/tree"}, "dst");
  EXPECT_TRUE(report.Failures.empty()) << report.Failures[0];
  EXPECT_EQ(1u, report.Done);
  EXPECT_EQ("alpha", ReadFile(dir / "dst/tree/a.txt"));
  EXPECT_EQ(0640u, Info(dir / "dst/tree/a.txt").st_mode & 07777);
  EXPECT_EQ(0755u, Info(dir / "dst/tree/sub/run.sh").st_mode & 07777);
  EXPECT_EQ(0750u, Info(dir / "dst/tree/sub").st_mode & 07777);
  EXPECT_EQ(1000000000, Info(dir / "dst/tree/a.txt").st_mtime);  // cvs compares times
  ASSERT_TRUE(S_ISLNK(Info(dir / "dst/tree/to-a").st_mode));
  char target[64] = {};
  ASSERT_GT(readlink((dir / "dst/tree/to-a").c_str(), target, sizeof target - 1), 0);
  EXPECT_STREQ("a.txt", target);
  EXPECT_EQ("alpha", ReadFile(dir / "src/tree/a.txt"));  // a copy leaves the source
  ExpectNoLeftovers(dir / "dst");
  ExpectNoLeftovers(dir / "dst/tree");
}

TEST_F(FileCopyTest, ALinkPlantedAtTheDestinationIsReplacedNeverWrittenThrough) {
  MakeDirs(dir / "outside/folder");
  WriteFile(dir / "outside/victim.txt", "precious");
  MakeDirs(dir / "src/sub");
  WriteFile(dir / "src/x.txt", "new text");
  WriteFile(dir / "src/sub/y.txt", "y");
  MakeDirs(dir / "dst");
  ASSERT_EQ(0, symlink((dir / "outside/victim.txt").c_str(), (dir / "dst/x.txt").c_str()));
  ASSERT_EQ(0, symlink((dir / "outside/folder").c_str(), (dir / "dst/sub").c_str()));
  console::CopyReport report = Copy({dir / "src/x.txt", dir / "src/sub"}, "dst/");
  EXPECT_EQ("precious", ReadFile(dir / "outside/victim.txt"));
  EXPECT_TRUE(ListDir(dir / "outside/folder").empty());
  // The file replaced the link, after the question; the folder was not
  // merged through the link to a folder outside, and says why.
  EXPECT_EQ((std::vector<std::string>{dir / "dst/x.txt"}), asked);
  EXPECT_TRUE(S_ISREG(Info(dir / "dst/x.txt").st_mode));
  EXPECT_EQ("new text", ReadFile(dir / "dst/x.txt"));
  EXPECT_EQ(1u, report.Done);
  ASSERT_EQ(1u, report.Failures.size());
  EXPECT_NE(std::string::npos, report.Failures[0].find(dir / "dst/sub")) << report.Failures[0];
  ExpectNoLeftovers(dir / "dst");
}

TEST_F(FileCopyTest, AFailureOrAStopLeavesNothingHalfWritten) {
  // A folder that cannot be copied whole (it holds a pipe) is not left
  // in part: the failure names the pipe.
  MakeDirs(dir / "src/box");
  WriteFile(dir / "src/box/fine.txt", "fine");
  ASSERT_EQ(0, mkfifo((dir / "src/box/pipe").c_str(), 0600));
  MakeDirs(dir / "dst");
  console::CopyReport report = Copy({dir / "src/box"}, "dst");
  EXPECT_EQ(0u, report.Done);
  ASSERT_EQ(1u, report.Failures.size());
  EXPECT_NE(std::string::npos, report.Failures[0].find("box/pipe")) << report.Failures[0];
  EXPECT_TRUE(ListDir(dir / "dst").empty());
  // Stopped while a large file is copied: the file is not there at all,
  // and an existing one it was to replace is as it was.
  std::string big = dir / "src/big.bin";
  int fd = open(big.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(0, ftruncate(fd, 8 << 20));
  close(fd);
  WriteFile(dir / "dst/big.bin", "old");
  std::vector<std::string> targets;
  std::string error;
  ASSERT_TRUE(console::CopyTargets({big}, "dst", dir.Path(), targets, error)) << error;
  console::CopyHooks hooks;
  hooks.AskReplace = [](const std::string &) { return console::Existing::Replace; };
  int calls = 0;
  uint64_t seen = 0;
  hooks.Progress = [&](const console::CopyProgress &progress) {
    seen = progress.Done;
    return ++calls < 3;
  };
  report = console::CopyEntries({big}, targets, false, hooks);
  EXPECT_TRUE(report.Stopped);
  EXPECT_GT(seen, 0u);
  EXPECT_EQ(0u, report.Done);
  EXPECT_EQ("old", ReadFile(dir / "dst/big.bin"));
  ExpectNoLeftovers(dir / "dst");
  // "Skip" leaves the existing file and counts nothing as done.
  WriteFile(dir / "src/small.txt", "new");
  WriteFile(dir / "dst/small.txt", "mine");
  report = Copy({dir / "src/small.txt"}, "dst", false, console::Existing::Skip);
  EXPECT_EQ(0u, report.Done);
  EXPECT_TRUE(report.Failures.empty());
  EXPECT_EQ("mine", ReadFile(dir / "dst/small.txt"));
}

TEST_F(FileCopyTest, DestinationsThatNameNothingUsableAreRefusedBeforeAnythingMoves) {
  MakeDirs(dir / "src/folder/inner");
  WriteFile(dir / "src/one.txt", "1");
  WriteFile(dir / "src/two.txt", "2");
  std::vector<std::string> targets;
  std::string error;
  // Several entries need a folder.
  EXPECT_FALSE(console::CopyTargets({dir / "src/one.txt", dir / "src/two.txt"}, "nofolder",
                                    dir.Path(), targets, error));
  EXPECT_NE(std::string::npos, error.find("nofolder")) << error;
  // Onto itself, and into itself (also through a link to it).
  EXPECT_FALSE(console::CopyTargets({dir / "src/one.txt"}, "src", dir.Path(), targets, error));
  EXPECT_FALSE(
      console::CopyTargets({dir / "src/folder"}, "src/folder/inner", dir.Path(), targets, error));
  ASSERT_EQ(0, symlink((dir / "src/folder/inner").c_str(), (dir / "way-in").c_str()));
  EXPECT_FALSE(console::CopyTargets({dir / "src/folder"}, "way-in", dir.Path(), targets, error));
  // A trailing "/" asks for a folder that must be there.
  EXPECT_FALSE(console::CopyTargets({dir / "src/one.txt"}, "new/", dir.Path(), targets, error));
  // One entry to a new name, relative to the panel's folder.
  ASSERT_TRUE(console::CopyTargets({dir / "src/one.txt"}, "uno.txt", dir / "src", targets, error));
  EXPECT_EQ((std::vector<std::string>{dir / "src/uno.txt"}), targets);
  EXPECT_EQ((std::vector<std::string>{"folder", "one.txt", "two.txt"}), ListDir(dir / "src"));
}

TEST_F(FileCopyTest, MovingRenamesInPlaceAndMergesAFolderOntoOneThatIsThere) {
  MakeDirs(dir / "a");
  WriteFile(dir / "a/old.txt", "text");
  console::CopyReport report = Copy({dir / "a/old.txt"}, "a/new.txt", true);
  EXPECT_EQ(1u, report.Done);
  EXPECT_FALSE(Exists(dir / "a/old.txt"));
  EXPECT_EQ("text", ReadFile(dir / "a/new.txt"));
  // Replacing a file asks first.
  WriteFile(dir / "a/other.txt", "other");
  report = Copy({dir / "a/other.txt"}, "a/new.txt", true, console::Existing::Stop);
  EXPECT_TRUE(report.Stopped);
  EXPECT_EQ("text", ReadFile(dir / "a/new.txt"));
  EXPECT_EQ(1u, asked.size());
  // A folder onto a folder: its entries go in, and it goes once all did.
  MakeDirs(dir / "from/box/deep");
  WriteFile(dir / "from/box/deep/d.txt", "d");
  MakeDirs(dir / "to/box");
  WriteFile(dir / "to/box/kept.txt", "kept");
  report = Copy({dir / "from/box"}, "to", true);
  EXPECT_TRUE(report.Failures.empty());
  EXPECT_EQ(1u, report.Done);
  EXPECT_EQ("d", ReadFile(dir / "to/box/deep/d.txt"));
  EXPECT_EQ("kept", ReadFile(dir / "to/box/kept.txt"));
  EXPECT_FALSE(Exists(dir / "from/box"));
}

}  // namespace
