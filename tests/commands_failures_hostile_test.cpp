// Failures that used to pass in silence or cost the user's work: a commit
// that fails keeps its message, a cvs killed by a signal is reported, Add
// on a folder with a conflict still works and shows its names first, a
// missing TkDiff is said.  With the real cvs.
#include <sys/stat.h>

#include "commands/commands.hpp"
#include "commands_fixture.hpp"

namespace testsupport {
namespace {

class FailingCommands : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    MakeWorkingCopy({{"a.txt", "a\n"}, {"conflict.txt", "base\n"}, {"clean.txt", "c\n"}});
  }

  // Makes the repository refuse every commit, or accept them again.
  void RefuseCommits(bool refuse) {
    std::string admin = sandbox.Root() + "/admin";
    if (!Exists(admin)) sandbox.MustCvs("-Q checkout -d admin CVSROOT", sandbox.Root());
    WriteFile(admin + "/commitinfo", refuse ? "^proj /bin/false %r/%p %s\n" : "");
    sandbox.MustCvs("-Q commit -m rules commitinfo", admin);
  }

  void MakeConflict() {
    std::string other = sandbox.Checkout("proj", "other");
    WriteFile(other + "/conflict.txt", "theirs\n");
    sandbox.MustCvs("-Q commit -m theirs", other);
    WriteFile(wc + "/conflict.txt", "mine\n");
    sandbox.Cvs("-Q update conflict.txt", wc);
    ASSERT_NE(ReadFile(wc + "/conflict.txt").find("<<<<<<<"), std::string::npos);
  }

  std::string LogMessage(const std::string &file) {
    std::string output;
    sandbox.Cvs("log -N " + ShellQuote(file), wc, &output);
    return output;
  }
};

TEST_F(FailingCommands, AFailedCommitKeepsTheMessageForTheNextOne) {
  WriteFile(wc + "/a.txt", "a changed\n");
  RefuseCommits(true);
  EnterFolder(wc);

  host.script.Editor.push_back(standin::AppendAndSave("Explain the frobnicator\nin two lines\n"));
  host.script.Message.push_back(standin::Answer(0));  // confirm
  host.script.Message.push_back(standin::Answer(1));  // close the failure box
  Run(Command::Commit);
  ASSERT_EQ(host.Messages.size(), 2u);
  const standin::MessageCall &failure = host.Messages[1];
  EXPECT_EQ(failure.Flags, DWORD(FMSG_WARNING));
  // What happened, cvs's reasons, then that the message is kept.
  ASSERT_EQ(failure.ItemsNumber, 7);
  EXPECT_EQ(failure.Lines[1], "CVS ended with exit code 1");
  EXPECT_EQ(failure.Lines[2], "cvs commit: Pre-commit check failed");
  EXPECT_EQ(failure.Lines[3], "cvs [commit aborted]: correct above errors first!");
  EXPECT_EQ(failure.Lines[4], "Your message is kept for the next commit.");
  ExpectNoTempFiles();

  // Declining the confirmation keeps it too, now with what was added.
  host.Messages.clear();
  host.script.Editor.push_back(standin::AppendAndSave("and a third\n"));
  host.script.Message.push_back(standin::Answer(1));
  Run(Command::Commit);
  ASSERT_EQ(host.Editors.size(), 2u);

  // The next commit opens with the user's text above a fresh list, and
  // once it has gone through the text is not offered again.
  RefuseCommits(false);
  WriteFile(wc + "/clean.txt", "c changed\n");
  host.script.Editor.push_back(standin::AppendAndSave(""));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Commit);
  ASSERT_EQ(host.Editors.size(), 4u);  // the template, then cvs's output
  const std::string &content = host.Editors[2].Content;
  size_t list = content.find("CVS:     clean.txt\n");
  size_t kept = content.find("Explain the frobnicator\nin two lines\nand a third\n");
  EXPECT_NE(list, std::string::npos) << content;
  EXPECT_NE(kept, std::string::npos) << content;
  EXPECT_LT(kept, list);
  EXPECT_EQ(content.find("Explain", kept + 1), std::string::npos) << "offered twice:\n" << content;
  EXPECT_NE(LogMessage("a.txt").find("Explain the frobnicator"), std::string::npos);

  WriteFile(wc + "/clean.txt", "changed again\n");
  host.script.Editor.push_back(standin::AppendAndSave("plain\n"));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Commit);
  ASSERT_EQ(host.Editors.size(), 6u);
  EXPECT_EQ(host.Editors[4].Content.find("Explain"), std::string::npos);
  EXPECT_NE(host.Editors[4].Content.find("CVS:     clean.txt"), std::string::npos);
  ExpectNoTempFiles();
}

TEST_F(FailingCommands, ConflictsFromACvsKilledByASignalAreReportedNotMarked) {
  MakeConflict();
  // The real client answers, then dies as a signal would end it.
  WriteFile(tools / "cvs", "#!/bin/sh\n/usr/bin/cvs \"$@\"\nkill -KILL $$\n");
  Select({"clean.txt"});
  host.script.Message.push_back(standin::Answer(1));
  Run(Command::MarkConflicts);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Flags, DWORD(FMSG_WARNING));
  EXPECT_NE(host.Messages[0].Lines[1].find("137"), std::string::npos) << host.Messages[0].Lines[1];
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"clean.txt"}));

  // cvs's own failure code with a conflict still marks it.
  WriteRecordingCvs(tools.Path(), wrapperLog, false);
  Run(Command::MarkConflicts);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"conflict.txt"}));
  ExpectNoTempFiles();
}

TEST_F(FailingCommands, AddOnAFolderWithAConflictShowsTheNamesThenAdds) {
  MakeConflict();
  WriteFile(wc + "/new one.txt", "new\n");
  MakeDirs(wc + "/newdir");
  EnterFolder(wc);
  // Cancelled at the list of names: nothing is added, no folder made.
  host.script.Dialog.push_back(standin::Press(ItemOf(AddDialog(), "ok")));
  host.script.Message.push_back(standin::Answer(1));
  Run(Command::Add);
  ASSERT_EQ(host.Messages.size(), 1u);
  std::vector<std::string> lines = host.Messages[0].Lines;
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  EXPECT_EQ(lines, (std::vector<std::string>{"Add 2 item(s)", "new one.txt", "newdir"}));
  EXPECT_EQ(CvsCalls(), (std::vector<std::string>{"[-n][-q][update][-l][.]"}));
  EXPECT_FALSE(Exists(sandbox.Repository() + "/proj/newdir"));

  host.script.Dialog.push_back(standin::Press(ItemOf(AddDialog(), "ok")));
  host.script.Message.push_back(standin::Answer(0));
  host.script.Message.push_back(standin::Answer(1));  // should cvs add fail
  Run(Command::Add);
  EXPECT_EQ(LastCvsCall(), "[add][new one.txt][newdir]");
  EXPECT_TRUE(Exists(sandbox.Repository() + "/proj/newdir"));
  EXPECT_NE(ReadFile(wc + "/CVS/Entries").find("/new one.txt/0/"), std::string::npos);
  ExpectNoTempFiles();
}

TEST_F(FailingCommands, AMissingTkDiffIsSaid) {
  Select({"a.txt"});
  host.script.Dialog.push_back([](FarDialogItem *items, int count) {
    standin::SelectRadio(items, count, 16);  // "Visual TkDiff"
    return 18;
  });
  Run(Command::Diff);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[0], "Error");
  EXPECT_NE(host.Messages[0].Lines[1].find("TkDiff cannot be started"), std::string::npos);
  EXPECT_NE(host.Messages[0].Lines[1].find("quillet-tkdiff"), std::string::npos);
  // and how to get it
  ASSERT_EQ(host.Messages[0].Lines.size(), 4u);
  EXPECT_NE(host.Messages[0].Lines[2].find("apt-get install tkcvs"), std::string::npos);
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
