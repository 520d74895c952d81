// The plug-ins menu's commands and the status panel's keys through the
// console host in tmux, against the real cvs: F3's diff in the locked
// viewer, Update with a tag and the tag offered again from the history, a
// full commit whose message is typed into the editor, Break of a slow run,
// and Mark > Modified in the file panel.
#include <unistd.h>

#include <chrono>

#include "console_tui_fixture.hpp"

namespace tuitest {

namespace {

class ConsoleCommandsTest : public ConsoleTuiTest {};

TEST_F(ConsoleCommandsTest, F3OnAModifiedFileShowsItsDiffInTheLockedViewer) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  // hello.c is the fifth row: "..", sub, added.txt, conflict.txt, hello.c.
  screen->Keys({"Home", "Down", "Down", "Down", "Down", "F3"});
  Expect("Diff hello.c");
  screen->Keys({"d"});
  Expect("[locked]");
  Expect("puts(\"hello, world\");");
  Expect("puts(\"hello\");");
  // Locked: typing changes nothing; search finds the change.
  screen->Type("zz");
  screen->Keys({"F7"});
  Expect("Search for");
  screen->Type("world");
  screen->Keys({"Enter"});
  ExpectGone("Search for");
  EXPECT_EQ(std::string::npos, screen->Last.find("zz"));
  EXPECT_EQ(std::string::npos, screen->Last.find("not found"));
  screen->Keys({"Escape"});
  ExpectGone("[locked]");
  ExpectStatusPanel();
  Quit();
}

TEST_F(ConsoleCommandsTest, UpdateToATagAndTheTagIsOfferedAgainFromTheHistory) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  std::string mark = MarkBeforeReading(work);
  Command("u");
  Expect("to a specific revision/tag (-r)");
  // The focus starts on OK: Tab over Cancel and the first two radio buttons.
  screen->Keys({"Tab", "Tab", "Tab", "Tab", "Space", "Tab", "Tab"});
  screen->Type("demo-1");
  Expect("(*) to a specific revision/tag");
  Expect(" demo-1");
  screen->Keys({"Enter"});
  Expect("[locked]");
  Expect("cvs update: Updating");
  screen->Keys({"Escape"});
  ExpectGone("[locked]");
  // patchme.txt now sits at the tag, where it is up to date.
  ExpectReadAgain(mark);
  EXPECT_TRUE(testsupport::ReadFile(work + "/CVS/Entries").find("/patchme.txt/1.1.1.1/") !=
              std::string::npos);
  mark = MarkBeforeReading(work);
  Command("u");
  Expect("to a specific revision/tag (-r)");
  // The dialog kept its state; the edit line's history offers the tag.
  screen->Keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "C-y"});
  ExpectGone(" demo-1 ");
  screen->Keys({"C-Down"});
  Expect("History");
  Expect("demo-1");
  screen->Keys({"Enter"});
  ExpectGone("History");
  Expect(" demo-1");
  screen->Keys({"Escape"});
  ExpectGone("to a specific revision/tag");
  ExpectReadAgain(mark);
  // Kept for the next run of the host.
  EXPECT_NE(std::string::npos,
            testsupport::ReadFile(dir / "state/quillet/histories").find("revision\tdemo-1"));
  Quit();
}

TEST_F(ConsoleCommandsTest, AFullCommitWithTheMessageTypedIntoTheEditor) {
  testsupport::CvsSandbox sandbox;
  sandbox.Import("proj", {{"a.txt", "one\n"}, {"b.txt", "two\n"}});
  std::string work = sandbox.Checkout("proj", "wc");
  testsupport::WriteFile(work + "/a.txt", "one, changed\n");
  Start(work);
  Expect(work + ">");
  Command("c");
  // The template lists the modified file; the editor is not locked.
  Expect("CVS: Modified and Added Files:");
  Expect("CVS:     a.txt");
  EXPECT_EQ(std::string::npos, screen->Last.find("[locked]"));
  screen->Type("Change the first file");
  screen->Keys({"Enter"});
  Expect("Change the first file");
  screen->Keys({"F2"});
  Expect("saved");
  screen->Keys({"Escape"});
  Expect("Commit 1 item(s)");
  screen->Keys({"Enter"});
  Expect("[locked]");
  Expect("new revision: 1.2");
  screen->Keys({"Escape"});
  ExpectGone("[locked]");
  std::string log;
  EXPECT_EQ(0, sandbox.Cvs("log a.txt", work, &log));
  EXPECT_NE(std::string::npos, log.find("Change the first file")) << log;
  EXPECT_EQ(std::string::npos, log.find("CVS:")) << log;
  // Nothing of the command is left in the temporary folder.
  EXPECT_EQ(std::vector<std::string>{}, testsupport::ListDir(dir / "tmp"));
  Quit();
}

TEST_F(ConsoleCommandsTest, BreakStopsASlowCvsAtOnce) {
  std::string work = MakeDemo();
  // A cvs that does not end by itself.
  testsupport::MakeDirs(dir / "slow");
  std::string sleeper = "sleep 60." + std::to_string(getpid());  // a name of its own
  testsupport::WriteScript(dir / "slow/cvs", "exec " + sleeper + "\n");
  Start(work, "", dir / "slow");
  Expect(work + ">");
  Command("l");
  Expect("Show log for 1 item(s)");
  screen->Keys({"Enter"});
  // The box takes keys once its button shows.
  Expect("[ Break ]");
  // "[s]leep" keeps pgrep off the shell that runs it.
  std::string running =
      "pgrep -f " + testsupport::ShellQuote("[s]" + sleeper.substr(1)) + " >/dev/null";
  EXPECT_EQ(0, testsupport::Shell(running));
  auto pressed = std::chrono::steady_clock::now();
  screen->Keys({"Escape"});
  Expect("The run of cvs was broken off");
  EXPECT_EQ(std::string::npos, screen->Last.find("-168")) << screen->Last;
  auto waited = std::chrono::steady_clock::now() - pressed;
  EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(waited).count(), 10);
  screen->Keys({"Escape"});
  ExpectGone("The run of cvs was broken off");
  // The stand-in is gone: nothing sleeps on for the rest of its minute.
  EXPECT_NE(0, testsupport::Shell(running));
  Quit();
}

TEST_F(ConsoleCommandsTest, MarkModifiedSelectsTheChangedFilesInTheFilePanel) {
  testsupport::CvsSandbox sandbox;
  sandbox.Import("proj",
                 {{"changed.txt", "one\n"}, {"same.txt", "two\n"}, {"sub/deep.txt", "3\n"}});
  std::string work = sandbox.Checkout("proj", "wc");
  testsupport::WriteFile(work + "/changed.txt", "one, changed\n");
  testsupport::WriteFile(work + "/new.txt", "new\n");
  sandbox.MustCvs("add new.txt", work);
  testsupport::WriteFile(work + "/unknown.txt", "?\n");
  Start(work);
  Expect(work + ">");
  Command("m");
  Expect("CVS: Mark");
  screen->Keys({"Enter"});
  ExpectGone("CVS: Mark");
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) { return ShownSelected("changed.txt"); }))
      << screen->StyledScreen();
  EXPECT_TRUE(ShownSelected("new.txt"));
  EXPECT_FALSE(ShownSelected("same.txt"));
  EXPECT_FALSE(ShownSelected("unknown.txt"));
  EXPECT_FALSE(ShownSelected("sub"));
  Quit();
}

}  // namespace

}  // namespace tuitest
