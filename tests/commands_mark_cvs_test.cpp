// The Mark sub-menu: a dry-run update of the real cvs decides which items of
// the active panel become the selection.
#include "commands_fixture.hpp"

namespace testsupport {
namespace {

class MarkTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    MakeWorkingCopy({{"mod.txt", "m\n"},
                     {"conflict.txt", "base\n"},
                     {"outdated.txt", "old\n"},
                     {"clean.txt", "clean\n"},
                     {"sub/inner.txt", "i\n"},
                     {"sub2/out.txt", "o\n"}});
    std::string other = sandbox.Checkout("proj", "other");
    WriteFile(other + "/conflict.txt", "theirs\n");
    WriteFile(other + "/outdated.txt", "new\n");
    WriteFile(other + "/sub2/out.txt", "new\n");
    sandbox.MustCvs("-Q commit -m theirs", other);

    WriteFile(wc + "/mod.txt", "changed\n");
    WriteFile(wc + "/sub/inner.txt", "changed\n");
    WriteFile(wc + "/added.txt", "added\n");
    sandbox.MustCvs("-Q add added.txt", wc);
    WriteFile(wc + "/unknown.txt", "?\n");
    MakeDirs(wc + "/newdir");
    WriteFile(wc + "/sub/unknown-inner.txt", "?\n");
    EnterFolder(wc);
  }
  // A merge that leaves conflict.txt with conflict markers.
  void MakeConflict() {
    WriteFile(wc + "/conflict.txt", "mine\n");
    sandbox.Cvs("-Q update conflict.txt", wc);
    ASSERT_NE(ReadFile(wc + "/conflict.txt").find("<<<<<<<"), std::string::npos);
  }
  // Mark `entry` on a query that fails: one warning naming `code`, the
  // output offered, and clean.txt, selected before, still the selection.
  void ExpectFailureReported(Command entry, const std::string &code) {
    host.Messages.clear();
    host.Editors.clear();
    host.script.Message.push_back(standin::Answer(0));
    Run(entry);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Flags, DWORD(FMSG_WARNING));
    EXPECT_NE(host.Messages[0].Lines[1].find(code), std::string::npos);
    EXPECT_EQ(host.Editors.size(), 1u);
    EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"clean.txt"}));
  }
};

TEST_F(MarkTest, ModifiedReplacesTheSelectionWithChangedFilesAndFolders) {
  Select({"clean.txt", "unknown.txt"});
  Run(Command::MarkModified);

  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"added.txt", "mod.txt", "sub"}));
  EXPECT_EQ(CvsCalls(), (std::vector<std::string>{"[-n][-q][update][.]"}));
  ASSERT_EQ(host.Menus.size(), 2u);
  EXPECT_EQ(host.Menus[1].Title, "CVS: Mark");
  EXPECT_EQ(host.Menus[1].Items.size(), 4u);
  EXPECT_STREQ(host.Menus[1].Items[3].Text, "&Not in repository");
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

TEST_F(MarkTest, OutOfDateAndUnknown) {
  Run(Command::MarkOutOfDate);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"conflict.txt", "outdated.txt", "sub2"}));

  // Only this folder is asked: unknown files inside known folders are not marked.
  Run(Command::MarkUnknown);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"newdir", "unknown.txt"}));
  EXPECT_EQ(LastCvsCall(), "[-n][-q][update][-l][.]");
  EXPECT_TRUE(host.Messages.empty());
  ExpectNoTempFiles();
}

TEST_F(MarkTest, ConflictsAreMarkedThoughCvsEndsWithAFailureCode) {
  MakeConflict();
  Select({"mod.txt"});
  Run(Command::MarkConflicts);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"conflict.txt"}));
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

// Conflicts take cvs's own failure code, but not a cvs that never ran: that
// is reported, and the selection stays.
TEST_F(MarkTest, ConflictsWithoutACvsToRunReportIt) {
  Select({"clean.txt"});
  Shell("rm " + ShellQuote(tools / "cvs"));
  env.Set("PATH", tools.Path());
  ExpectFailureReported(Command::MarkConflicts, "-1002");
  ExpectNoTempFiles();
}

// The other queries take cvs's failure code as a failure: it is shown, and
// the selection stays as it was.
// cvs ends a dry run with 1 whenever a file is in conflict; its answer is
// whole, so every query takes it.
TEST_F(MarkTest, AConflictInTheTreeDoesNotStopTheOtherQueries) {
  MakeConflict();
  Select({"clean.txt"});
  Run(Command::MarkModified);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"added.txt", "mod.txt", "sub"}));
  Run(Command::MarkOutOfDate);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"outdated.txt", "sub2"}));
  Run(Command::MarkUnknown);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"newdir", "unknown.txt"}));
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

TEST_F(MarkTest, InASubfolderItsOwnItemsAreMarked) {
  EnterFolder(wc + "/sub");
  Run(Command::MarkModified);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"inner.txt"}));
  Run(Command::MarkUnknown);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"unknown-inner.txt"}));
  ExpectNoTempFiles();
}

TEST_F(MarkTest, NothingInTheStateClearsTheSelection) {
  EnterFolder(wc + "/sub2");
  Select({"out.txt"});
  Run(Command::MarkModified);
  EXPECT_TRUE(SelectedRows().empty());
}

TEST_F(MarkTest, APluginPanelKeepsItsSelection) {
  host.ActivePanel().Plugin = true;
  Select({"clean.txt"});
  Run(Command::MarkModified);
  EXPECT_EQ(CvsCalls().size(), 1u);  // the query still runs
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"clean.txt"}));
  ExpectNoTempFiles();
}

// Every query, Conflicts too: cvs ends with 1 as it does for a conflict,
// but no conflict line explains it.
TEST_F(MarkTest, AMissingRepositoryIsReportedAndTouchesNothing) {
  Select({"clean.txt"});
  WriteFile(wc + "/CVS/Root", sandbox.Root() + "/no-such-repository\n");
  env.Unset("CVSROOT");
  for (Command entry : {Command::MarkModified, Command::MarkConflicts, Command::MarkOutOfDate,
                        Command::MarkUnknown}) {
    SCOPED_TRACE(CommandAt(entry).Name);
    ExpectFailureReported(entry, "exit code 1");
  }
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
