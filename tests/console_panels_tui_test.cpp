// The console host driven in tmux as a person would: the demo's status
// panel with the right letters, and with none that cvs did not give when
// its run failed; view modes, the info view, back to the file panel, the
// command line, the viewer and the editor, and a terminal that is too
// small.
#include <unistd.h>

#include "console_tui_fixture.hpp"

namespace tuitest {

namespace {

const std::string kBar = "\xE2\x94\x82";  // the line between columns

TEST_F(ConsoleTuiTest, TheDemoOpensOnTheStatusPanelWithEveryStateItsLetter) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  // Mode 2, as the file panel had: name and status letter.
  const std::vector<std::pair<std::string, std::string>> letters = {
      {"hello.c", "M"},      {"added.txt", "A"},  {"logo.bin", "A"},
      {"conflict.txt", "c"}, {"merge.txt", "N"},  {"patchme.txt", "U"},
      {"scratch.txt", "?"},  {"README.txt", " "}, {"tagged.txt", " "},
      {"removed.txt", "L"}};
  for (const auto &entry : letters) {
    std::string row = LeftRow(entry.first);
    EXPECT_TRUE(
        Matches(row, EscapeRegex(entry.first) + " +" + kBar + EscapeRegex(entry.second) + kBar))
        << entry.first << " in: " << row;
  }
  // The status text, the sticky tag and the binary option in mode 0.
  screen->Keys({"M-0"});
  Expect("WRev");
  EXPECT_TRUE(Matches(LeftRow("merge.txt"), "Needs Merge"));
  EXPECT_TRUE(Matches(LeftRow("patchme.txt"), "Needs Patch"));
  EXPECT_TRUE(Matches(LeftRow("conflict.txt"), "Unresolved"));
  EXPECT_TRUE(Matches(LeftRow("sub"), "sub +" + kBar));
  Quit();
}

TEST_F(ConsoleTuiTest, AFailedStatusRunIsToldAndLeavesKeptFilesWithALetterOfTheirOwn) {
  std::string work = MakeDemo();
  ASSERT_EQ(0, testsupport::Shell("mv repo moved", dir / "demo"));
  Start(work, "--command cvs:");
  Expect("exit code 1");
  screen->Keys({"Escape"});
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) {
    return Matches(LeftRow("scratch.txt"), "scratch\\.txt +" + kBar + "\\?" + kBar);
  })) << screen->Last;
  // A file the working copy keeps: "!", not the blank of an up-to-date
  // file.  One it does not know: "?".
  EXPECT_TRUE(Matches(LeftRow("hello.c"), "hello\\.c +" + kBar + "!" + kBar)) << LeftRow("hello.c");
  // The info view gives every line of cvs that says why, whole: the root
  // it ignored, and that none could be found.
  screen->Keys({"C-l"});
  Expect("States not read");
  EXPECT_TRUE(Matches(LineWith(screen->Last, "States not read"), "in directory"))
      << screen->Last;

  Quit();
}

TEST_F(ConsoleTuiTest, ViewModesSwitchWithAltDigitsAndWithExtendedCtrlDigits) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  screen->Keys({"M-3"});
  Expect("WorkRev");  // the title of mode 3's revision column
  Expect("Size");
  // Ctrl+4 as xterm's modifyOtherKeys and as CSI u send it.
  screen->Bytes("\x1b[27;5;52~");
  Expect("Revision");
  ExpectGone("WorkR");
  screen->Bytes("\x1b[53;5u");  // Ctrl+5: full screen, the other panel hidden
  Expect("RepRev");
  Expect("Modified");
  EXPECT_EQ(std::string::npos, screen->Last.find("\xE2\x95\x91\xE2\x95\x91"));
  screen->Keys({"M-2"});
  ExpectGone("RepRev");
  Quit();
}

TEST_F(ConsoleTuiTest, TheInfoViewShowsTheRootsAndShiftEscLeavesForTheFilePanel) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  screen->Keys({"C-l"});
  Expect("CVS Roots");
  Expect("Default Root");
  EXPECT_TRUE(Matches(LineWith(screen->Last, "Current Root"), "demo/repo"));
  EXPECT_TRUE(Matches(LineWith(screen->Last, "Default Root"), "not defined"));
  screen->Keys({"C-l"});
  ExpectGone("CVS Roots");
  // Ctrl+Enter goes to the module first: it puts the bare name of the
  // current row on the command line.
  screen->Keys({"Home", "Down", "Down", "Down", "Down"});  // hello.c
  screen->Bytes("\x1b[13;5u");
  screen->Type("x");
  Expect(work + ">hello.c x");
  screen->Keys({"Escape"});
  // Shift+Esc as the terminal sends it with extended keys.
  screen->Bytes("\x1b[27;2;27~");
  ExpectGone("CVS:");
  Expect("CVS ");  // the file panel lists the CVS folder itself
  // Back into the status panel, and out through the alternative key.
  screen->Type("cvs:");
  screen->Keys({"Enter"});
  ExpectStatusPanel();
  screen->Keys({"C-q"});
  ExpectGone("CVS:");
  Quit();
}

TEST_F(ConsoleTuiTest, TheStatusPanelEntersFoldersGoesUpAndToTheRoot) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  screen->Keys({"Home", "Down", "Enter"});  // sub
  Expect("/work/sub ");
  Expect("inner.txt");
  EXPECT_TRUE(Matches(LeftRow("inner.txt"), "inner\\.txt +" + kBar + " " + kBar));
  screen->Keys({"Home", "Enter"});  // ".."
  ExpectGone("inner.txt");
  Expect("hello.c");
  // Back on the folder it came from: Enter goes in again.
  screen->Keys({"Enter"});
  Expect("inner.txt");
  // Tab: the other panel is active, and the prompt shows its folder.
  Expect(work + "/sub>");
  screen->Keys({"Tab"});
  Expect(work + ">");
  screen->Keys({"Tab"});
  Expect(work + "/sub>");
  screen->Bytes("\x1c");  // Ctrl+Backslash: the root
  Expect("CVS:/ ");
  Expect("etc");
  Quit();
}

TEST_F(ConsoleTuiTest, CommandLinesRunInTheActiveFolderAndTheCurrentNameGoesOntoIt) {
  std::string work = MakeDemo();
  Start(work);
  Expect(work + ">");
  screen->Type("touch made-by-the-shell");
  screen->Keys({"Enter"});
  Expect("Press any key");
  screen->Keys({"Space"});
  Expect("made-by-the-shell");
  EXPECT_TRUE(testsupport::Exists(work + "/made-by-the-shell"));
  // Ctrl+Enter's alternative puts the current name on the command line.
  screen->Keys({"Home", "Down", "Down"});
  screen->Keys({"C-j"});
  screen->Type("x");
  Expect(work + ">sub x");
  screen->Keys({"Escape"});
  ExpectGone(work + ">sub");
  // Insert selects and moves on; Ctrl+R shows what changed behind the panel.
  screen->Keys({"Insert"});
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) { return ShownSelected("sub"); }))
      << screen->StyledScreen();
  testsupport::WriteFile(work + "/made-meanwhile.txt", "x");
  screen->Keys({"C-r"});
  Expect("made-meanwhile.txt");
  EXPECT_TRUE(ShownSelected("sub"));  // the selection stays
  Quit();
}

TEST_F(ConsoleTuiTest, RussianWhenTheLocaleAsksForItConvertedForTheTerminal) {
  std::string work = MakeDemo();
  // The locale need not be installed: LANG asks for the language.
  Start(work, "", "", 100, 30, {{"LC_ALL", ""}, {"LANG", "ru_RU.UTF-8"}});
  Expect(work + ">");
  // The menu's rows are Russian, and so are their hot keys: Log is the
  // sixth row.
  screen->Keys({"F11"});
  Expect("Модули");
  screen->Keys({"Enter"});
  Expect("CVS: ");
  screen->Keys({"Down", "Down", "Down", "Down", "Down", "Enter"});
  // Every text in Russian, the command word of the heading too.
  const std::string heading =
      "\xD0\x9F\xD0\xBE\xD0\xBA\xD0\xB0\xD0\xB7\xD0\xB0\xD1\x82\xD1\x8C "
      "\xD0\xB6\xD1\x83\xD1\x80\xD0\xBD\xD0\xB0\xD0\xBB:";
  Expect(heading + " 1 \xD0\xBE\xD0\xB1\xD1\x8A\xD0\xB5\xD0\xBA\xD1\x82(\xD0\xBE\xD0\xB2)");
  screen->Keys({"Escape"});
  ExpectGone(heading);
  screen->Keys({"F10"});
  Expect("Выйти из Quillet?");
  screen->Keys({"Enter"});
  int status = -1;
  EXPECT_TRUE(screen->WaitForEnd(&status)) << screen->Screen();
  EXPECT_EQ(0, status);
}

TEST_F(ConsoleTuiTest, F3ViewsAndF4EditsAFileAskingBeforeAChangeIsLost) {
  std::string files = dir / "files", notes = dir / "files/notes.txt";
  testsupport::MakeDirs(files);
  testsupport::WriteFile(notes, "first line\nsecond line\n");
  // A gigabyte, sorting before notes.txt.
  std::string big = files + "/big.log";
  testsupport::WriteFile(big, "alpha at the start\n");
  ASSERT_EQ(0, truncate(big.c_str(), 1ll << 30));
  ASSERT_EQ(0, testsupport::Shell("printf '\\nbeta near the end\\nomega\\n' >> " +
                                  testsupport::ShellQuote(big)));
  Start(files);
  Expect(files + ">");
  screen->Keys({"End"});  // after ".."
  screen->Keys({"F3"});
  Expect("View: " + notes);
  Expect("second line");
  screen->Type("x");  // the viewer takes no text
  screen->Keys({"Escape"});
  ExpectGone("View: ");
  // A change left without saving: the editor asks, and "Do not save" keeps the file.
  screen->Keys({"F4"});
  Expect("first line");
  screen->Type("NEW ");
  Expect("NEW first line");
  screen->Keys({"Escape"});
  Expect("Save it?");
  screen->Keys({"Right", "Enter"});
  ExpectGone("NEW first line");
  EXPECT_EQ("first line\nsecond line\n", testsupport::ReadFile(notes));
  // Asked again, "Save" writes it, the line ends as they were.
  screen->Keys({"F4"});
  Expect("first line");
  screen->Keys({"Down", "End"});
  screen->Type(" edited");
  screen->Keys({"Escape"});
  Expect("Save it?");
  screen->Keys({"Enter"});
  ExpectGone("second line edited");
  EXPECT_EQ("first line\nsecond line edited\n", testsupport::ReadFile(notes));
  // The gigabyte is viewed a screen at a time from either end; the search
  // line holds the last text selected, so that typing replaces it (an
  // appended "alphabeta" would be found nowhere).
  screen->Keys({"Home", "Down", "F3"});
  Expect("View: " + big);
  screen->Keys({"C-End"});
  Expect("omega");
  screen->Keys({"C-Home"});
  Expect("alpha at the start");
  for (const char *text : {"alpha", "beta"}) {
    screen->Keys({"F7"});
    Expect("Search for");
    screen->Type(text);
    screen->Keys({"Enter"});
    ExpectGone("Search for");
  }
  Expect("beta near the end");
  EXPECT_EQ(std::string::npos, screen->Last.find("not found")) << screen->Last;
  screen->Keys({"Escape"});
  ExpectGone("View: ");
  Quit();
}

TEST_F(ConsoleTuiTest, ASmallTerminalGetsAClearLineAndTheScreenComesBack) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:", "", 60, 20);
  Expect("needs a terminal of at least 80x24");
  screen->Resize(100, 30);
  ExpectStatusPanel();
  screen->Resize(70, 30);
  Expect("needs a terminal of at least 80x24");
  screen->Resize(80, 24);
  ExpectStatusPanel();
  Quit();
}

}  // namespace

}  // namespace tuitest
