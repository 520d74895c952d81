// What the console host writes is written whole, on machines that fail and
// beside files that are not what they seem: a save on a full disk keeps
// the old file, a link planted where the histories are written is not
// written through, two hosts keep each other's histories, files too large
// to load are refused or viewed a screen at a time, and the demo script
// removes only a folder it made.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/file_view.hpp"
#include "core/history.hpp"
#include "core/text_document.hpp"
#include "core/whole_file.hpp"
#include "test_support.hpp"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

mode_t ModeOf(const std::string &path) {
  struct stat info;
  EXPECT_EQ(0, lstat(path.c_str(), &info)) << path;
  return info.st_mode;
}

// Writes past `bytes` fail with EFBIG for as long as it lives, as a full
// disk makes them fail.
class FullDisk {
 public:
  explicit FullDisk(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    oldSignal_ = signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, oldSignal_);
  }

 private:
  struct rlimit saved_;
  void (*oldSignal_)(int);
};

TEST(WholeWrites, AFailedSaveLeavesTheOldFileAndNothingBesideIt) {
  testsupport::TempDir dir;
  std::string path = dir / "notes.txt";
  WriteFile(path, "the old text\n");
  hostcore::TextDocument document;
  std::string error;
  ASSERT_TRUE(hostcore::LoadDocument(path, document, error)) << error;
  hostcore::InsertIntoDocument(document, std::string(64 * 1024, 'x'));
  {
    FullDisk full(4096);
    EXPECT_FALSE(hostcore::SaveDocument(path, document, error));
  }
  EXPECT_NE(std::string::npos, error.find("unchanged")) << error;
  EXPECT_NE(std::string::npos, error.find("too large")) << error;  // EFBIG's own words
  EXPECT_TRUE(document.Modified);
  EXPECT_EQ("the old text\n", ReadFile(path));
  EXPECT_EQ(std::vector<std::string>{"notes.txt"}, testsupport::ListDir(dir.Path()));
}

TEST(WholeWrites, ASaveKeepsTheModeAndWritesTheFileALinkNames) {
  testsupport::TempDir dir;
  std::string target = dir / "script.sh", link = dir / "link.sh";
  WriteFile(target, "#!/bin/sh\r\necho one\r\n");
  ASSERT_EQ(0, chmod(target.c_str(), 0750));
  ASSERT_EQ(0, symlink(target.c_str(), link.c_str()));
  hostcore::TextDocument document;
  std::string error;
  ASSERT_TRUE(hostcore::LoadDocument(link, document, error)) << error;
  document.Row = 1;
  document.Column = 8;
  hostcore::InsertIntoDocument(document, " two");
  ASSERT_TRUE(hostcore::SaveDocument(link, document, error)) << error;
  EXPECT_EQ("#!/bin/sh\r\necho one two\r\n", ReadFile(target));
  EXPECT_TRUE(S_ISLNK(ModeOf(link)));
  EXPECT_EQ(0750u, ModeOf(target) & 07777);
  EXPECT_EQ((std::vector<std::string>{"link.sh", "script.sh"}), testsupport::ListDir(dir.Path()));
}

TEST(WholeWrites, TheEditorRefusesAFileAboveItsSizeAndSaysWhichSize) {
  testsupport::TempDir dir;
  std::string path = dir / "big.log";
  WriteFile(path, "");
  ASSERT_EQ(0, truncate(path.c_str(), static_cast<off_t>(hostcore::kLargestEditedFile + 1)));
  hostcore::TextDocument document;
  std::string error;
  EXPECT_FALSE(hostcore::LoadDocument(path, document, error));
  EXPECT_NE(std::string::npos, error.find("at most 64 MiB")) << error;
}

// A sparse file of a gigabyte with a few lines at its end: the viewer shows
// its end and its start without reading what lies between.
TEST(FileViewTest, AGigabyteFileShowsAScreenAtATime) {
  testsupport::TempDir dir;
  std::string path = dir / "sparse.bin";
  const off_t gigabyte = 1ll << 30;
  WriteFile(path, "");
  ASSERT_EQ(0, truncate(path.c_str(), gigabyte));
  ASSERT_EQ(0, testsupport::Shell("printf '\\nlast but one\\r\\nthe last line\\n' >> " +
                                  testsupport::ShellQuote(path)));
  hostcore::FileView view;
  std::string error;
  ASSERT_TRUE(view.Open(path, error)) << error;
  std::vector<std::string> rows = view.Rows(3);
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ(hostcore::kLongestRow, rows[0].size());  // no line end: cut into rows
  view.ToEnd(2);
  EXPECT_EQ((std::vector<std::string>{"last but one", "the last line"}), view.Rows(5));
  view.Up(1);
  EXPECT_EQ(gigabyte - static_cast<off_t>(hostcore::kLongestRow), static_cast<off_t>(view.Top()));
  view.Down(5);
  EXPECT_EQ("the last line", view.Rows(1).at(0));  // never past the last row
}

TEST(FileViewTest, RowsScrollBothWaysAndSearchWrapsRound) {
  testsupport::TempDir dir;
  std::string path = dir / "text.txt";
  std::string content;
  for (int i = 0; i < 300; ++i) content += "line " + std::to_string(i) + "\n";
  content += std::string(hostcore::kLongestRow + 10, 'a') + "\nNeedle at the end";
  WriteFile(path, content);
  hostcore::FileView view;
  std::string error;
  ASSERT_TRUE(view.Open(path, error)) << error;
  view.Down(120);
  EXPECT_EQ("line 120", view.Rows(1).at(0));
  view.Up(20);
  EXPECT_EQ("line 100", view.Rows(1).at(0));
  int cell = -1;
  // From the top of the screen, with case ignored.
  ASSERT_TRUE(view.Find("NEEDLE", true, cell));
  EXPECT_EQ("Needle at the end", view.Rows(1).at(0));
  EXPECT_EQ(0, cell);
  ASSERT_TRUE(view.Find("line 7\n", false, cell));  // wrapped round to the start
  EXPECT_EQ("line 7", view.Rows(1).at(0));
  ASSERT_TRUE(view.Find("aaa", true, cell));
  EXPECT_EQ(std::string(hostcore::kLongestRow, 'a'), view.Rows(1).at(0));
  EXPECT_FALSE(view.Find("absent", true, cell));
}

TEST(HistoryFiles, TwoHostsKeepEachOthersEntries) {
  testsupport::TempDir dir;
  std::string path = dir / "histories";
  hostcore::HistoryStore start;
  hostcore::AddToHistory(start, "revision", "rel-1");
  hostcore::AddToHistory(start, "revision", "rel-2");
  ASSERT_TRUE(hostcore::SaveHistoriesToFile(start, path));
  // Both hosts read the same file, then each uses entries of its own.
  hostcore::HistoryStore firstBase = start, first = start, secondBase = start, second = start;
  hostcore::AddToHistory(first, "revision", "rel-3");
  hostcore::AddToHistory(first, "date", "yesterday");
  hostcore::AddToHistory(second, "revision", "rel-1");  // used again: now the newest
  hostcore::AddToHistory(second, "module", "demo");
  ASSERT_TRUE(hostcore::SaveHistoriesMerged(path, firstBase, first));
  ASSERT_TRUE(hostcore::SaveHistoriesMerged(path, secondBase, second));
  hostcore::HistoryStore onDisk;
  ASSERT_TRUE(hostcore::LoadHistoriesFromFile(path, onDisk));
  EXPECT_EQ((std::vector<std::string>{"rel-2", "rel-3", "rel-1"}), onDisk["revision"]);
  EXPECT_EQ(std::vector<std::string>{"yesterday"}, onDisk["date"]);
  EXPECT_EQ(std::vector<std::string>{"demo"}, onDisk["module"]);
  EXPECT_EQ(onDisk, second);  // the second host now offers the first one's entries too
  EXPECT_EQ(0600u, ModeOf(path) & 07777);
  // Nothing newer in the first host: its next save adds nothing back.
  ASSERT_TRUE(hostcore::SaveHistoriesMerged(path, firstBase, first));
  EXPECT_EQ(onDisk, first);
}

TEST(HistoryFiles, LinksWhereTheHistoriesGoAreNotWrittenThrough) {
  testsupport::TempDir dir;
  std::string victim = dir / "victim", path = dir / "histories";
  WriteFile(victim, "precious\n");
  // The old fixed name of the file written beside, and the file itself.
  ASSERT_EQ(0, symlink(victim.c_str(), (path + ".new").c_str()));
  ASSERT_EQ(0, symlink(victim.c_str(), path.c_str()));
  hostcore::HistoryStore store, base;
  hostcore::AddToHistory(store, "revision", "rel-1");
  ASSERT_TRUE(hostcore::SaveHistoriesMerged(path, base, store));
  EXPECT_EQ("precious\n", ReadFile(victim));
  EXPECT_FALSE(S_ISLNK(ModeOf(path)));
  EXPECT_EQ("revision\trel-1\n", ReadFile(path));
  // A link at the lock's place is not followed either: no lock, no save.
  std::string other = dir / "other";
  ASSERT_EQ(0, symlink(victim.c_str(), (other + ".lock").c_str()));
  EXPECT_FALSE(hostcore::SaveHistoriesMerged(other, base, store));
  EXPECT_EQ("precious\n", ReadFile(victim));
}

TEST(HistoryFiles, OnlyAbsoluteStateFoldersAreUsed) {
  struct Case {
    const char *state, *home, *folder;
  } cases[] = {
      {"/state", "/home/me", "/state/quillet"},
      {"/state/", "/home/me", "/state/quillet"},
      {"relative/state", "/home/me", "/home/me/.local/state/quillet"},
      {"", "/home/me", "/home/me/.local/state/quillet"},
      {nullptr, "/home/me", "/home/me/.local/state/quillet"},
      {"relative", "also-relative", ""},
      {nullptr, nullptr, ""},
  };
  for (const Case &c : cases)
    EXPECT_EQ(c.folder, hostcore::HistoriesFolder(c.state, c.home))
        << (c.state ? c.state : "(unset)") << " " << (c.home ? c.home : "(unset)");
}

TEST(DemoScript, RemovesOnlyAFolderItMade) {
  testsupport::TempDir dir;
  const std::string script = "env HOME=" + testsupport::ShellQuote(dir.Path()) + " " +
                             testsupport::TestsSourceDir() + "/../tools/make-demo.sh";
  std::string mine = dir / "mine";
  testsupport::MakeDirs(mine);
  WriteFile(mine + "/thesis.tex", "years of work\n");
  std::string output;
  EXPECT_NE(0,
            testsupport::Shell(script + " --fresh " + testsupport::ShellQuote(mine), "", &output));
  EXPECT_NE(std::string::npos, output.find("left as it is")) << output;
  EXPECT_EQ("years of work\n", ReadFile(mine + "/thesis.tex"));
  // Without --fresh, a folder without a demo in it is not taken either.
  EXPECT_NE(0, testsupport::Shell(script + " " + testsupport::ShellQuote(mine), "", &output));
  EXPECT_EQ("years of work\n", ReadFile(mine + "/thesis.tex"));
  // A demo it made is made again.
  std::string demo = dir / "demo";
  ASSERT_EQ(0, testsupport::Shell(script + " " + testsupport::ShellQuote(demo), "", &output))
      << output;
  WriteFile(demo + "/work/stray.txt", "made by the demo's user\n");
  ASSERT_EQ(0,
            testsupport::Shell(script + " --fresh " + testsupport::ShellQuote(demo), "", &output))
      << output;
  EXPECT_FALSE(testsupport::Exists(demo + "/work/stray.txt"));
  EXPECT_TRUE(testsupport::Exists(demo + "/work/CVS/Root"));
}

}  // namespace
