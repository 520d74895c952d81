// Nothing typed is lost and every outcome is said, through the console host
// in tmux with the real cvs: a commit message typed when the host is ended
// (SIGTERM) comes back in the next commit, and the next start says it was
// kept; a file's unsaved text at a hang-up lands beside it; differences
// found are no failure, and a failure gives every line of cvs that says why.
#include <signal.h>
#include <unistd.h>

#include "console_tui_fixture.hpp"

namespace tuitest {

namespace {

using testsupport::ListDir;
using testsupport::ReadFile;

class KeptTextTest : public ConsoleTuiTest {
 protected:
  // Sends `signal` to the console host and waits for it to end.
  void EndHostWith(int signal) {
    const int pid = screen->PanePid();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(0, kill(pid, signal));
    int status = -1;
    EXPECT_TRUE(screen->WaitForEnd(&status)) << screen->Screen();
  }
  // The kept commit messages in the user's state folder.
  std::vector<std::string> KeptMessages() {
    std::vector<std::string> kept;
    for (const std::string &name : ListDir(dir / "state/quillet"))
      if (name.rfind("commit-", 0) == 0) kept.push_back(name);
    return kept;
  }
};

TEST_F(KeptTextTest, ACommitMessageTypedWhenTheHostIsEndedComesBackInTheNextCommit) {
  testsupport::CvsSandbox sandbox;
  sandbox.Import("proj", {{"a.txt", "one\n"}});
  const std::string work = sandbox.Checkout("proj", "wc");
  testsupport::WriteFile(work + "/a.txt", "one, changed\n");
  Start(work);
  Expect(work + ">");
  Command("c");
  Expect("CVS: Modified and Added Files:");
  screen->Type("Keep this message");
  Expect("Keep this message");
  EndHostWith(SIGTERM);

  // Nothing reached the repository; the message waits on disk.
  std::string log;
  EXPECT_EQ(0, sandbox.Cvs("log a.txt", work, &log));
  EXPECT_EQ(std::string::npos, log.find("Keep this message")) << log;
  const std::vector<std::string> kept = KeptMessages();
  ASSERT_EQ(1u, kept.size());
  EXPECT_NE(std::string::npos, ReadFile(dir / "state/quillet" + "/" + kept[0]).find("Keep this message"));
  EXPECT_EQ(std::vector<std::string>{}, ListDir(dir / "tmp"));

  // The next start says so, and the next commit there offers it first.
  screen.reset();
  Start(work);
  Expect("Kept when Quillet was ended");
  Expect("was handed to the plug-in");
  screen->Keys({"Enter"});
  Expect(work + ">");
  Command("c");
  Expect("Keep this message");
  Expect("CVS: Modified and Added Files:");
  screen->Type("Done. ");
  screen->Keys({"F2"});
  Expect("saved");
  screen->Keys({"Escape"});
  Expect("Commit 1 item(s)");
  screen->Keys({"Enter"});
  Expect("new revision: 1.2");
  screen->Keys({"Escape"});
  ExpectGone("[locked]");
  EXPECT_EQ(0, sandbox.Cvs("log -r1.2 a.txt", work, &log));
  EXPECT_NE(std::string::npos, log.find("Done. Keep this message")) << log;
  EXPECT_EQ(std::string::npos, log.find("CVS:")) << log;
  EXPECT_EQ(std::vector<std::string>{}, KeptMessages());
  Quit();
}

TEST_F(KeptTextTest, AFilesUnsavedTextAtAHangUpIsSavedBesideItAndTheNextStartSaysWhere) {
  const std::string folder = dir / "notes";
  testsupport::MakeDirs(folder);
  testsupport::WriteFile(folder + "/todo.txt", "first\n");
  Start(folder);
  Expect(folder + ">");
  screen->Keys({"Home", "Down", "F4"});
  Expect("first");
  screen->Type("unsaved words ");
  Expect("unsaved words first");
  EndHostWith(SIGHUP);

  // The file is as it was; the text the user typed is beside it.
  EXPECT_EQ("first\n", ReadFile(folder + "/todo.txt"));
  EXPECT_EQ("unsaved words first\n", ReadFile(folder + "/todo.txt.recovered"));

  screen.reset();
  Start(folder);
  Expect("Kept when Quillet was ended");
  Expect("todo.txt.recovered");
  screen->Keys({"Enter"});
  ExpectGone("Kept when Quillet was ended");
  Quit();
  // Said once: the next start says nothing more.
  Start(folder);
  Expect(folder + ">");
  EXPECT_EQ(std::string::npos, screen->Last.find("Kept when")) << screen->Last;
  Quit();
}

TEST_F(KeptTextTest, DifferencesAreShownWithoutAFailureAndAFailureGivesEveryReasonOfCvs) {
  const std::string work = MakeDemo();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  screen->Keys({"Home", "Down", "Down", "Down", "Down", "Insert"});  // hello.c, modified
  Command("d");
  Expect("Compare");
  screen->Keys({"Enter"});
  // cvs diff ends with 1: the differences are its answer.
  Expect("[locked]");
  Expect("puts(\"hello, world\");");
  EXPECT_EQ(std::string::npos, screen->Last.find("exit code")) << screen->Last;
  screen->Keys({"Escape"});
  ExpectGone("[locked]");
  ExpectStatusPanel();

  // With its repository gone, cvs says why over three lines: each is shown
  // whole, the one that names the missing root first.
  ASSERT_EQ(0, testsupport::Shell("mv repo moved", dir / "demo"));
  Command("l");
  Expect("Show log for 1 item(s)");
  screen->Keys({"Enter"});
  Expect("CVS ended with exit code 1");
  Expect("cvs log: ignoring CVS/Root because it specifies a");
  Expect("cvs log: No CVSROOT specified!");
  Expect("cvs [log aborted]: or set the CVSROOT environment variable.");
  Expect((dir / "demo/repo").substr(0, 20));
}

}  // namespace

}  // namespace tuitest
