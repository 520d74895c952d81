// The file manager's keys of the console host in tmux: F5 copies and F6
// moves to the other panel's folder or renames, asking before it
// overwrites; a long copy shows its progress and Esc stops it whole;
// Ctrl+O shows the terminal's own screen; F1's help comes from the key
// table; and keys typed quickly after a command are not taken by the
// refresh's "CVS Running..." box.
#include "console_tui_fixture.hpp"

namespace tuitest {

namespace {

using testsupport::Exists;
using testsupport::ReadFile;
using testsupport::WriteFile;

class ConsoleKeysTest : public ConsoleTuiTest {
 protected:
  // Waits until `ready` holds for the files.
  void ExpectFiles(const std::function<bool()> &ready, const std::string &what) {
    EXPECT_TRUE(screen->WaitUntil([&](const std::string &) { return ready(); })) << what << " on\n"
                                                                                 << screen->Last;
  }
  // The other panel shows `folder`: Tab, the host's cd, Tab back.
  void OtherPanelTo(const std::string &here, const std::string &folder) {
    screen->Keys({"Tab"});
    screen->Type("cd " + folder);
    screen->Keys({"Enter"});
    Expect(folder + ">");
    screen->Keys({"Tab"});
    Expect(here + ">");
  }
};

TEST_F(ConsoleKeysTest, F5CopiesF6MovesOrRenamesAndOverwritingIsAsked) {
  std::string files = dir / "files", dest = dir / "files/dest";
  testsupport::MakeDirs(dest);
  WriteFile(files + "/a.txt", "alpha");
  WriteFile(files + "/b.txt", "beta");
  WriteFile(files + "/c.txt", "gamma");
  Start(files);
  Expect(files + ">");
  OtherPanelTo(files, dest);
  // Rows: "..", dest, a.txt, b.txt, c.txt.
  screen->Keys({"Home", "Down", "Down", "F5"});
  Expect("Copy a.txt to:");
  Expect(dest + "/");
  screen->Keys({"Enter"});
  ExpectFiles([&] { return Exists(dest + "/a.txt"); }, "a.txt copied");
  EXPECT_EQ("alpha", ReadFile(dest + "/a.txt"));
  // Again, over it: asked; Skip keeps it, Overwrite replaces it.
  WriteFile(files + "/a.txt", "alpha, changed");
  screen->Keys({"F5"});
  Expect("Copy a.txt to:");
  screen->Keys({"Enter"});
  Expect("already exists. Overwrite it?");
  screen->Keys({"s"});
  ExpectGone("Overwrite it?");
  EXPECT_EQ("alpha", ReadFile(dest + "/a.txt"));
  screen->Keys({"F5"});
  Expect("Copy a.txt to:");
  screen->Keys({"Enter"});
  Expect("already exists. Overwrite it?");
  screen->Keys({"Enter"});
  ExpectFiles([&] { return ReadFile(dest + "/a.txt") == "alpha, changed"; }, "a.txt overwritten");
  // The selection goes together: b.txt and c.txt moved.
  screen->Keys({"Down", "Insert", "Insert", "F6"});
  Expect("Move 2 entries to:");
  screen->Keys({"Enter"});
  ExpectFiles([&] { return Exists(dest + "/c.txt") && !Exists(files + "/b.txt"); }, "moved");
  EXPECT_EQ("beta", ReadFile(dest + "/b.txt"));
  EXPECT_FALSE(Exists(files + "/c.txt"));
  // F6 to a plain name renames in this folder, and the cursor follows it.
  screen->Keys({"Home", "Down", "Down", "F6"});
  Expect("Rename or move a.txt to:");
  screen->Type("renamed.txt");
  screen->Keys({"Enter"});
  ExpectFiles([&] { return Exists(files + "/renamed.txt"); }, "renamed");
  EXPECT_FALSE(Exists(files + "/a.txt"));
  screen->Keys({"C-j"});
  Expect(files + ">renamed.txt");
  Quit();
}

TEST_F(ConsoleKeysTest, ALongCopyShowsItsProgressAndEscStopsItLeavingNothing) {
  std::string files = dir / "files", dest = dir / "dest";
  testsupport::MakeDirs(files + "/many");
  testsupport::MakeDirs(dest);
  std::string block(64 * 1024, 'x');
  for (int i = 0; i < 3000; ++i) WriteFile(files + "/many/f" + std::to_string(i), block);
  Start(files);
  Expect(files + ">");
  OtherPanelTo(files, dest);
  screen->Keys({"Home", "Down", "F5"});
  Expect("Copy many to:");
  screen->Keys({"Enter"});
  Expect("Copying " + files + "/many/");
  Expect("1 of 1 entries");
  screen->Keys({"Escape"});
  Expect("Stopped: 0 of 1 entries done");
  screen->Keys({"Enter"});
  ExpectGone("Stopped");
  // Not a part of the folder, nor a temporary name, is left.
  EXPECT_TRUE(testsupport::ListDir(dest).empty());
  Quit();
}

TEST_F(ConsoleKeysTest, CtrlOShowsTheTerminalsOwnScreenUntilAKey) {
  std::string files = dir / "files";
  testsupport::MakeDirs(files);
  Start(files);
  Expect(files + ">");
  screen->Type("echo the-users-own-output");
  screen->Keys({"Enter"});
  Expect("Press any key");
  screen->Keys({"Space"});
  ExpectGone("the-users-own-output");
  screen->Keys({"C-o"});
  Expect("the-users-own-output");
  ExpectGone(files + ">");  // the panels and the command line are away
  screen->Keys({"Space"});
  Expect(files + ">");
  ExpectGone("the-users-own-output");
  Quit();
}

TEST_F(ConsoleKeysTest, F1ShowsEveryKeyOfTheTableAndLeavesWithEsc) {
  std::string files = dir / "files";
  testsupport::MakeDirs(files);
  Start(files);
  Expect(files + ">");
  Expect("5Copy");
  Expect("6RenMov");
  screen->Keys({"F1"});
  Expect("copy the selection");
  EXPECT_TRUE(Matches(LineWith(screen->Last, "Ctrl+O"), "the last command's output")) << screen->Last;
  // Further down: the editor's keys.
  screen->Keys({"PgDn", "PgDn"});
  Expect("delete the line");
  screen->Keys({"Escape"});
  ExpectGone("delete the line");
  Expect(files + ">");
  Quit();
}

TEST_F(ConsoleKeysTest, KeysTypedQuicklyAfterACommandAreNotTakenByTheRefreshsRunBox) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  Command("l");
  Expect("Show log for 1 item(s)");
  screen->Keys({"Enter"});
  Expect("[locked]");
  // Leave the output, open the plug-ins menu and take CVS: all at once,
  // while the panel is read again.
  screen->Keys({"Escape", "F11", "Enter"});
  Expect("CVS: ");
  screen->Keys({"Escape"});
  ExpectGone("CVS: ");
  // The refresh was not broken off: the states are there.
  ExpectStatusPanel();
  EXPECT_TRUE(Matches(LeftRow("hello.c"), "hello\\.c +\xE2\x94\x82M\xE2\x94\x82")) << screen->Last;
  screen->Keys({"C-l"});
  Expect("Info");
  EXPECT_EQ(std::string::npos, screen->Screen().find("broken off")) << screen->Last;
  Quit();
}

}  // namespace

}  // namespace tuitest
