// Full and light commit from the plug-ins menu, with the real cvs.
#include "commands_fixture.hpp"

namespace testsupport {
namespace {

const std::string kDash = "CVS: " + std::string(70, '-') + "\n";
const std::string kBanner = "CVS: Orvelle CVS Plugin fo FAR Manager https://quillet.example/  \n";

class CommitTest : public CommandTest {
 protected:
  void MakeChanges() {
    MakeWorkingCopy(
        {{"a.txt", "a\n"}, {"sub/b.txt", "b\n"}, {"lib/subx.c", "x\n"}, {"quiet.txt", "q\n"}});
    WriteFile(wc + "/a.txt", "a changed\n");
    WriteFile(wc + "/sub/b.txt", "b changed\n");
    WriteFile(wc + "/lib/subx.c", "x changed\n");
    WriteFile(wc + "/sub/new.txt", "new\n");
    sandbox.MustCvs("-Q add sub/new.txt", wc);
    EnterFolder(wc);
  }
  std::string RepositoryLog(const std::string &file, const std::string &revision) {
    std::string output;
    sandbox.Cvs("log -r" + revision + " " + ShellQuote(file), wc, &output);
    return output;
  }
};

TEST_F(CommitTest, FullCommitListsTheWholeTreeAndCommitsWithTheUsersMessage) {
  MakeChanges();
  host.script.Editor.push_back(standin::AppendAndSave("Fix the frobnicator\n"));
  host.script.Message.push_back(standin::Answer(0));

  EXPECT_EQ(Run(Command::Commit), INVALID_HANDLE_VALUE);

  ASSERT_GE(host.Editors.size(), 1u);
  const standin::EditorCall &edit = host.Editors[0];
  EXPECT_EQ(edit.Title, "CVS log");
  EXPECT_EQ(edit.Flags, DWORD(EF_DISABLEHISTORY));
  EXPECT_EQ(edit.X1, -1);
  EXPECT_EQ(edit.Y2, -1);
  EXPECT_EQ(edit.StartLine, 0);
  EXPECT_EQ(edit.StartChar, 1);
  // An empty first line for the user, where the cursor stands.
  EXPECT_EQ(edit.Content,
            "\n" + kDash + "CVS: Modified and Added Files:\n" +
                "CVS:     a.txt\nCVS:     lib/subx.c\nCVS:     sub/b.txt\nCVS:     sub/new.txt\n" + kDash +
                kBanner);

  // The confirmation names what is committed: the whole folder.
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Flags, DWORD(FMSG_LEFTALIGN | FMSG_ALLINONE | FMSG_MB_OKCANCEL));
  EXPECT_EQ(host.Messages[0].Lines.back(), ".");

  std::vector<std::string> calls = CvsCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], "[-n][-q][update][.]");
  EXPECT_EQ(calls[1].find("[commit][-F]["), 0u) << calls[1];
  EXPECT_EQ(calls[1].substr(calls[1].size() - 3), "[.]");

  EXPECT_EQ(Revision("a.txt", wc), "1.2");
  EXPECT_EQ(Revision("sub/b.txt", wc), "1.2");
  EXPECT_EQ(Revision("sub/new.txt", wc), "1.1");
  std::string log = RepositoryLog("a.txt", "1.2");
  EXPECT_NE(log.find("Fix the frobnicator"), std::string::npos) << log;
  // The template's lines are the module's, not the user's: the log holds
  // none of them.
  EXPECT_EQ(log.find("CVS:"), std::string::npos) << log;
  EXPECT_EQ(log.find("https://quillet.example/"), std::string::npos) << log;
  // The outcome of the commit is shown afterwards.
  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_NE(host.Editors[1].Content.find("new revision"), std::string::npos);
  ExpectNoTempFiles();
}

TEST_F(CommitTest, SelectionListsEveryChangedPathHoldingTheNameAndCommitsOnlyTheSelection) {
  MakeChanges();
  Select({"sub"});
  host.script.Editor.push_back(standin::AppendAndSave("only sub\n"));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Commit);

  ASSERT_GE(host.Editors.size(), 1u);
  EXPECT_EQ(host.Editors[0].Content, "\n" + kDash + "CVS: Modified and Added Files:\n" +
                                         "CVS:     lib/subx.c\nCVS:     sub/b.txt\nCVS:     sub/new.txt\n" +
                                         kDash + kBanner);
  EXPECT_EQ(LastCvsCall().substr(LastCvsCall().size() - 5), "[sub]");
  EXPECT_EQ(Revision("sub/b.txt", wc), "1.2");
  EXPECT_EQ(Revision("lib/subx.c", wc), "1.1.1.1");
  EXPECT_EQ(Revision("a.txt", wc), "1.1.1.1");
  ExpectNoTempFiles();
}

TEST_F(CommitTest, NothingToCommitIsSaidWithoutAnEditor) {
  const std::vector<std::string> nothing = {"Commit", "Nothing to commit: no file chosen is changed, added or removed."};
  MakeWorkingCopy({{"a.txt", "a\n"}, {"c.txt", "c\n"}});
  Run(Command::Commit);
  EXPECT_EQ(CvsCalls(), (std::vector<std::string>{"[-n][-q][update][.]"}));
  EXPECT_TRUE(host.Editors.empty());
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines, nothing);
  ExpectNoTempFiles();

  // A selection that matches no changed path ends the same way.
  WriteFile(wc + "/a.txt", "changed\n");
  WriteFile(wc + "/b.txt", "untracked\n");
  EnterFolder(wc);
  Select({"b.txt"});
  Run(Command::Commit);
  EXPECT_TRUE(host.Editors.empty());
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_EQ(host.Messages[1].Lines, nothing);
  EXPECT_EQ(Revision("a.txt", wc), "1.1.1.1");

  // The light commit asks cvs, which finds nothing: said too, and the
  // message stays for a commit that takes it.
  EnterFolder(wc);
  Select({"c.txt"});
  host.script.Editor.push_back(standin::AppendAndSave("for nothing\n"));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::LightCommit);
  ASSERT_EQ(host.Messages.size(), 4u);  // the confirmation, then the notice
  EXPECT_EQ(host.Messages[3].Lines, nothing);
  host.script.Editor.push_back(standin::LeaveEditor());
  Run(Command::LightCommit);
  EXPECT_EQ(host.Editors.back().Content.find("for nothing\n"), 0u) << host.Editors.back().Content;
  ExpectNoTempFiles();
}

TEST_F(CommitTest, LeavingTheEditorOrDecliningCommitsNothing) {
  MakeChanges();
  host.script.Editor.push_back(standin::LeaveEditor());
  Run(Command::Commit);
  EXPECT_EQ(host.Editors.size(), 1u);
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_EQ(CvsCalls().size(), 1u);
  ExpectNoTempFiles();

  host.script.Editor.push_back(standin::AppendAndSave("message\n"));
  host.script.Message.push_back(standin::Answer(1));
  Run(Command::Commit);
  EXPECT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(CvsCalls().size(), 2u);  // the two queries, no commit
  EXPECT_EQ(Revision("a.txt", wc), "1.1.1.1");
  ExpectNoTempFiles();
}

TEST_F(CommitTest, LightCommitOpensTheShortTemplateWithoutAQuery) {
  MakeChanges();
  Select({"a.txt", "quiet.txt"});
  host.script.Editor.push_back(standin::AppendAndSave("light\n"));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::LightCommit);

  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_EQ(host.Editors[0].Content, "\n" + kDash + kBanner);
  std::vector<std::string> calls = CvsCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].find("[commit][-F]["), 0u);
  EXPECT_EQ(calls[0].substr(calls[0].size() - 18), "[a.txt][quiet.txt]");
  EXPECT_EQ(Revision("a.txt", wc), "1.2");
  EXPECT_EQ(Revision("sub/b.txt", wc), "1.1.1.1");
  std::string log = RepositoryLog("a.txt", "1.2");
  EXPECT_NE(log.find("light"), std::string::npos);
  EXPECT_EQ(log.find("Orvelle CVS Plugin"), std::string::npos) << log;
  ExpectNoTempFiles();
}

TEST_F(CommitTest, LightCommitOpensTheEditorEvenWithNothingChanged) {
  MakeWorkingCopy({{"a.txt", "a\n"}});
  host.script.Editor.push_back(standin::LeaveEditor());
  Run(Command::LightCommit);
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_EQ(host.Editors[0].Content, "\n" + kDash + kBanner);
  EXPECT_TRUE(CvsCalls().empty());
  ExpectNoTempFiles();
}

TEST_F(CommitTest, OnlyTheTemplateIsRefusedAndARemovedFileIsListedAndCommitted) {
  MakeWorkingCopy({{"a.txt", "a\n"}, {"gone.txt", "g\n"}});
  WriteFile(wc + "/a.txt", "a changed\n");
  remove((wc + "/gone.txt").c_str());
  sandbox.MustCvs("-Q remove gone.txt", wc);
  EnterFolder(wc);

  // Saved with nothing of the user's: refused, nothing runs.
  host.script.Editor.push_back(standin::AppendAndSave("\n  \n"));
  Run(Command::Commit);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines,
            (std::vector<std::string>{"Error", "The message holds nothing but the template: "
                                               "nothing was committed."}));
  EXPECT_EQ(CvsCalls().size(), 1u);
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("CVS: Removed Files:\nCVS:     gone.txt\n"),
            std::string::npos)
      << host.Editors[0].Content;

  host.script.Editor.push_back(standin::AppendAndSave("drop gone.txt\n"));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Commit);
  EXPECT_EQ(Revision("a.txt", wc), "1.2");
  std::string log;
  sandbox.Cvs("log -r1.2 gone.txt", wc, &log);
  EXPECT_NE(log.find("state: dead"), std::string::npos) << log;
  EXPECT_NE(log.find("drop gone.txt"), std::string::npos) << log;
  ExpectNoTempFiles();
}

TEST_F(CommitTest, TheMessageIsKeptOnDiskUntilACommitInThatWorkingCopyGoesThrough) {
  MakeChanges();
  const std::string state = sandbox.State() + "/quillet";
  host.script.Editor.push_back(standin::AppendAndSave("Written once\n"));
  host.script.Message.push_back(standin::Answer(1));  // declined
  Run(Command::Commit);
  // One file for the working copy, its path first, the user's text after.
  std::vector<std::string> kept = ListDir(state);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].rfind("commit-", 0), 0u);
  EXPECT_EQ(ReadFile(state + "/" + kept[0]), wc + "\nWritten once\n");

  // Another working copy has none of it.
  std::string other = sandbox.Checkout("proj", "other");
  WriteFile(other + "/a.txt", "other change\n");
  EnterFolder(other);
  host.script.Editor.push_back(standin::LeaveEditor());
  Run(Command::Commit);
  EXPECT_EQ(host.Editors.back().Content.find("Written once"), std::string::npos);

  // Back in the first, it comes first; a commit that goes through ends it.
  EnterFolder(wc);
  host.script.Editor.push_back(standin::AppendAndSave(""));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Commit);
  EXPECT_EQ(host.Editors[host.Editors.size() - 2].Content.find("Written once\nCVS: "), 0u);
  EXPECT_NE(RepositoryLog("a.txt", "1.2").find("Written once"), std::string::npos);
  EXPECT_TRUE(ListDir(state).empty());
  ExpectNoTempFiles();
}

TEST_F(CommitTest, AFileThatStillHoldsConflictMarkersIsSaidToBeTheCause) {
  MakeWorkingCopy({{"a.txt", "base\n"}});
  std::string other = sandbox.Checkout("proj", "other");
  WriteFile(other + "/a.txt", "theirs\n");
  sandbox.MustCvs("-Q commit -m theirs", other);
  WriteFile(wc + "/a.txt", "mine\n");
  sandbox.Cvs("-Q update a.txt", wc);
  EnterFolder(wc);
  host.script.Editor.push_back(standin::AppendAndSave("merge\n"));
  host.script.Message.push_back(standin::Answer(0));
  host.script.Message.push_back(standin::Answer(1));
  Run(Command::LightCommit);
  ASSERT_EQ(host.Messages.size(), 2u);
  const std::vector<std::string> &box = host.Messages[1].Lines;
  std::string text;
  for (const std::string &line : box) text += line + "\n";
  EXPECT_NE(text.find("conflict"), std::string::npos) << text;
  EXPECT_NE(text.find("Nothing was committed: a file holds conflict markers"), std::string::npos)
      << text;
  EXPECT_NE(text.find("Your message is kept for the next commit."), std::string::npos) << text;
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
