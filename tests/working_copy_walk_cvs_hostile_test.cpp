// The walk before a command sees every folder the real cvs enters: the
// lines of CVS/Entries.Log read as the client reads them, folder entries
// that are links or no single name asked about, and a walk that stays
// bounded however large the entries and that a Break ends.  The panel's
// ignore list stays bounded however large its files.
#include <atomic>
#include <chrono>

#include "commands_fixture.hpp"
#include "working_copy/cvs_visits.hpp"
#include "working_copy/entries_file.hpp"
#include "working_copy/ignore_rules.hpp"

using namespace testsupport;

namespace {

class EntriesLogWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    sandbox.Import("proj", {{"a.c", "a\n"}, {"sub/s.c", "s\n"}});
    wc = sandbox.Checkout("proj", "wc");
    // "other" is a working-copy folder that no entry names yet; its CVS
    // folder holds a link, which the walk reports wherever it looks.
    MakeDirs(wc + "/other/CVS");
    WriteFile(wc + "/other/CVS/Root", sandbox.Repository() + "\n");
    WriteFile(wc + "/other/CVS/Repository", "proj/other\n");
    WriteFile(wc + "/other/CVS/Entries", "D\n");
    Shell("ln -s nowhere other/CVS/Entries.Backup", wc);
    entries = ReadFile(wc + "/CVS/Entries");
  }
  // Whether the real client, given `log` as CVS/Entries.Log, enters "other".
  bool CvsEnters(const std::string &log) {
    WriteFile(wc + "/CVS/Entries", entries);
    WriteFile(wc + "/CVS/Entries.Log", log);
    std::string output;
    sandbox.Cvs("-n update", wc, &output);
    WriteFile(wc + "/CVS/Entries", entries);
    return output.find("Updating other") != std::string::npos;
  }
  bool WalkEnters(const std::string &log) {
    WriteFile(wc + "/CVS/Entries.Log", log);
    const VisitFinding found = CheckFoldersCvsVisits(wc, true);
    return found.What == VisitFinding::AdminFolder && found.Folder == wc + "/other";
  }

  CvsSandbox sandbox;
  std::string wc, entries;
};

TEST_F(EntriesLogWalk, TheWalkEntersExactlyWhereTheRealClientDoes) {
  const struct {
    std::string Log;
    bool Entered;  // as the real client 1.12 behaves
  } cases[] = {
      {"A D/other////\n", true},
      // A line without a command letter is an entry added as it stands.
      {"D/other////\n", true},
      {"D/other////extra/fields\n", true},
      {"X D/other////\n", false},  // other letters are passed over
      {"AD/other////\n", false},   // no entry at all
      {"A D/other/x/y\n", false},  // too few fields
      {"A D/other////\nR D/other////\n", false},
      {"A D/other////\nR /other////\n", false},     // removal is by name, of either kind
      {"A D/other////\nA /other/1.1///\n", false},  // a file entry replaces the folder
      {"A D/other////\nR D/other/\n", true},        // a removal that is no entry removes nothing
      {std::string("A D/other////\0ignored\n", 22), false},  // a NUL spoils the line
      {std::string("X\0\nA D/other////\n", 18), true},
  };
  for (const auto &c : cases) {
    const std::string &log = c.Log;
    SCOPED_TRACE(log);
    ASSERT_EQ(CvsEnters(log), c.Entered) << "the real client reads this line otherwise";
    EXPECT_EQ(WalkEnters(log), c.Entered);
  }
}

TEST(EntriesFile, ANameIsNeverEmptyNorAPathAndAnyDLineSaysTheFoldersAreListed) {
  const FolderEntries read =
      ParseEntries("/a.c/1.1///\nD//x////\nDjunk\n/b.c/1.1///\n", "A D/c////\nR /b.c////\n");
  EXPECT_TRUE(read.NamesFolders);
  EXPECT_EQ(read.Folders, std::vector<std::string>{"c"});
  EXPECT_EQ(read.Files, std::vector<std::string>{"a.c"});
  EXPECT_FALSE(ParseEntries("/a.c/1.1///\n", "garbage\nX /b.c/1.1///\n").NamesFolders);
}

TEST(EntriesFile, ManyShortEntriesKeepTheOrderFirstMetAndTheLastWordOnEachName) {
  // Far more names than the table is first made for: it grows on the way.
  std::string entries, log;
  for (int i = 0; i < 20000; ++i) entries += "/" + std::to_string(i) + "/1.1///\n";
  for (int i = 0; i < 20000; i += 2) log += "R /" + std::to_string(i) + "/1.1///\n";
  for (int i = 0; i < 20000; i += 1000) log += "A D/" + std::to_string(i + 1) + "////\n";
  const FolderEntries read = ParseEntries(entries, log);
  ASSERT_EQ(read.Files.size(), 10000u - 20u);
  ASSERT_EQ(read.Folders.size(), 20u);
  EXPECT_EQ(read.Files.front(), "3");
  EXPECT_EQ(read.Files.back(), "19999");
  EXPECT_EQ(read.Folders.front(), "1");
  EXPECT_EQ(read.Folders.back(), "19001");
}

TEST_F(EntriesLogWalk, FolderEntriesThatAreLinksOrNoSingleNameAreAskedAbout) {
  Shell("rm -r other", wc);
  // The user's own project beside the working copy.
  const std::string mine = sandbox.Root() + "/mine";
  MakeDirs(mine + "/CVS");
  WriteFile(mine + "/CVS/Root", sandbox.Repository() + "\n");
  WriteFile(mine + "/CVS/Entries", "D\n");
  const struct {
    const char *Plant;
    const char *Folder;  // the folder named, below the working copy
    const char *Detail;
  } cases[] = {
      {"ln -s ../mine mine && echo 'D/mine////' >> CVS/Entries", "/mine",
       "it is a link, and cvs would work on whatever it leads to"},
      {"echo 'D/.////' >> CVS/Entries", "/.",
       "CVS/Entries names it as a folder, but it is no single folder name"},
      {"echo 'A D/..////' > CVS/Entries.Log", "/..",
       "CVS/Entries names it as a folder, but it is no single folder name"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Plant);
    WriteFile(wc + "/CVS/Entries", entries);
    Shell("rm -f mine CVS/Entries.Log", wc);
    Shell(c.Plant, wc);
    const VisitFinding found = CheckFoldersCvsVisits(wc, true);
    EXPECT_EQ(found.What, VisitFinding::OddFolder);
    EXPECT_EQ(found.Folder, wc + c.Folder);
    EXPECT_EQ(found.Detail, c.Detail);
  }
  // A named link back into the working copy: cvs would follow it without end.
  WriteFile(wc + "/CVS/Entries", entries);
  Shell("rm -f mine CVS/Entries.Log && ln -s . again && echo 'D/again////' >> CVS/Entries", wc);
  EXPECT_EQ(CheckFoldersCvsVisits(wc, true).What, VisitFinding::OddFolder);
}

TEST_F(EntriesLogWalk, TheWalkStaysBoundedAndABreakEndsIt) {
  Shell("rm -r other", wc);
  // Far more subfolder names than one walk looks at: the walk says so
  // without entering any.
  std::string many = entries;
  for (int i = 0; i < 200001; ++i) many += "D/f" + std::to_string(i) + "////\n";
  WriteFile(wc + "/CVS/Entries", many);
  VisitFinding found = CheckFoldersCvsVisits(wc, true);
  EXPECT_EQ(found.What, VisitFinding::Unchecked);
  EXPECT_EQ(found.Detail, "more than 200000 folders to look at");

  WriteFile(wc + "/CVS/Entries", entries);
  std::atomic<bool> stop{true};
  VisitLimits limits;
  limits.Stop = &stop;
  found = CheckFoldersCvsVisits(wc, true, limits);
  EXPECT_EQ(found.What, VisitFinding::Unchecked);
  EXPECT_EQ(found.Detail, "the check was broken off");
}

class OddEntryCommand : public CommandTest {};

TEST_F(OddEntryCommand, UpdateAsksBeforeMergingIntoALinkedProjectAndCancelRunsNothing) {
  MakeWorkingCopy({{"a.c", "a\n"}});
  const std::string mine = sandbox.Checkout("proj", "mine");
  WriteFile(mine + "/a.c", "my own work\n");
  Shell("ln -s ../mine mine && echo 'D/mine////' >> CVS/Entries", wc);
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Update);
  ASSERT_EQ(host.Messages.size(), 1u);
  const std::vector<std::string> &lines = host.Messages[0].Lines;
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[1], "cvs would enter mine:");
  EXPECT_EQ(lines[2], "it is a link, and cvs would work on whatever it leads to");
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_EQ(ReadFile(mine + "/a.c"), "my own work\n");
  ExpectNoTempFiles();
}

TEST_F(OddEntryCommand, ALongCheckShowsADialogWhoseBreakEndsIt) {
  MakeWorkingCopy({{"a.c", "a\n"}});
  std::string many = ReadFile(wc + "/CVS/Entries");
  for (int i = 0; i < 199000; ++i) many += "D/f" + std::to_string(i) + "////\n";
  WriteFile(wc + "/CVS/Entries", many);
  host.script.RunBreakAfterMs = 50;
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Update);
  ASSERT_EQ(host.Dialogs.size(), 1u);
  EXPECT_TRUE(host.Dialogs[0].Ex);
  EXPECT_STREQ(host.Dialogs[0].ItemsIn[0].Data, "Checking folders...");
  // Broken off, the folder counts as one that could not be checked.
  ASSERT_EQ(host.Messages.size(), 1u);
  ASSERT_GE(host.Messages[0].Lines.size(), 3u);
  EXPECT_EQ(host.Messages[0].Lines[1], "This folder could not be checked:");
  EXPECT_EQ(host.Messages[0].Lines[2], "the check was broken off");
  EXPECT_TRUE(CvsCalls().empty());
}

}  // namespace

namespace {

TEST(LargeIgnoreList, AMegabyteOfPatternsCostsNoMoreThanTheBoundPerName) {
  // Some 100,000 patterns: distinct wildcards, then plain names.
  std::string list;
  for (int i = 0; list.size() < (size_t(1) << 19); ++i) list += "*.x" + std::to_string(i) + "?\n";
  for (int i = 0; list.size() < (size_t(1) << 20) - 32; ++i)
    list += "plain" + std::to_string(i) + "\n";
  list += "last-plain\n";
  IgnoreRules rules;
  rules.Add(list);
  EXPECT_TRUE(rules.Cut());
  EXPECT_TRUE(rules.Ignores("last-plain"));  // plain names are never cut
  EXPECT_TRUE(rules.Ignores("a.x7z"));       // a wildcard within the bound
  // 5,000 unknown names against the whole list: within the bound this is
  // some five million matches, where every pattern would be 500 million.
  const auto start = std::chrono::steady_clock::now();
  size_t ignored = 0;
  for (int i = 0; i < 5000; ++i) ignored += rules.Ignores(("unknown-" + std::to_string(i)).c_str());
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(ignored, 0u);
  EXPECT_LT(seconds, 20.0);
}

}  // namespace
