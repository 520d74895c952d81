// The console host for daily work, driven in tmux: the selection kept by
// name on the status panel; the mouse; F7, F6, F8 and group selection at
// the smallest screen with a wide name; the host's own cd; names quoted
// for the shell; and F10's question (answered No by the mouse).
#include "console/terminal.hpp"
#include "console_tui_fixture.hpp"

namespace tuitest {

namespace {

const std::string kKanji = "\xE6\xBC\xA2\xE5\xAD\x97";  // two wide characters

class DailyWorkTest : public ConsoleTuiTest {
 protected:
  // Sends `clicks` presses and releases of `button` (64, 65: the wheel) on
  // where `text` first shows from column `from` on (one cell a character).
  void ClickOn(const std::string &text, int clicks = 1, int button = 0, int from = 0) {
    std::istringstream lines(screen->Screen());
    std::string line;
    for (int y = 0; std::getline(lines, line); ++y) {
      for (int x = 0, at = 0; at < static_cast<int>(line.size()); ++at) {
        if ((line[static_cast<size_t>(at)] & 0xC0) == 0x80) continue;
        if (x++ < from || line.compare(static_cast<size_t>(at), text.size(), text) != 0) continue;
        std::string cell = std::to_string(x) + ";" + std::to_string(y + 1);
        std::string bytes;
        for (int i = 0; i < clicks; ++i)
          bytes += "\x1b[<" + std::to_string(button) + ";" + cell + "M" +
                   (button < 64 ? "\x1b[<" + std::to_string(button) + ";" + cell + "m" : "");
        screen->Bytes(bytes);
        return;
      }
    }
    ADD_FAILURE() << text << " not on\n" << screen->Screen();
  }
  // Whether the terminal reports the mouse in the SGR form, as tmux knows it.
  std::string MouseReporting() {
    std::string flags;
    testsupport::Shell("tmux -S " + testsupport::ShellQuote(dir / "tmux.sock") +
                           " display -p '#{mouse_standard_flag}#{mouse_sgr_flag}'",
                       "", &flags);
    return flags;
  }
  void ExpectSelected(const std::string &name, bool selected = true) {
    EXPECT_TRUE(screen->WaitUntil([&](const std::string &) {
      return ShownSelected(name) == selected;
    })) << name
        << " on\n"
        << screen->StyledScreen();
  }
  void Run(const std::string &line) {
    screen->Type(line);
    screen->Keys({"Enter"});
    Expect("Press any key");
    screen->Keys({"Space"});
    ExpectGone("Press any key");
  }
};

TEST_F(DailyWorkTest, TheStatusPanelKeepsItsSelectionAndCursorByName) {
  std::string work = MakeDemo();
  Start(work, "--command cvs:");
  ExpectStatusPanel();
  // hello.c and patchme.txt; the cursor then rests on README.txt.
  screen->Keys({"Home", "Down", "Down", "Down", "Down", "Insert", "Down", "Down", "Insert"});
  Expect("98 bytes in 2 selected files");
  // Read again after a command of the module and after a shell command,
  // each time with a new file before the others.
  std::string mark = MarkBeforeReading(work);
  Command("l");
  Expect("Show log for 2");
  screen->Keys({"Enter"});
  Expect("[locked]");
  screen->Keys({"Escape"});
  ExpectReadAgain(mark);
  mark = MarkBeforeReading(work);
  Run("true");
  ExpectReadAgain(mark);
  ExpectSelected("hello.c");
  ExpectSelected("patchme.txt");
  screen->Keys({"C-j"});  // the cursor never left README.txt
  screen->Type("x");
  Expect(work + ">README.txt x");
  Quit();
}

TEST_F(DailyWorkTest, TheMouseMovesClicksEntersScrollsAndPresses) {
  std::string files = dir / "files";
  testsupport::MakeDirs(files + "/sub");
  for (int i = 10; i < 70; ++i) testsupport::WriteFile(files + "/file" + std::to_string(i), "x");
  std::string text;
  for (int i = 1; i <= 80; ++i) text += "line " + std::to_string(i) + "\n";
  testsupport::WriteFile(files + "/file10", text);
  Start(files);
  Expect(files + ">");
  EXPECT_EQ("11\n", MouseReporting());
  ClickOn("file13");
  screen->Keys({"C-j"});
  screen->Type("x");
  Expect(files + ">file13 x");
  screen->Keys({"Escape"});
  ClickOn("file13", 20, 65);  // the wheel, down
  Expect("file69");
  screen->Keys({"Home"});
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) { return !LeftRow("sub").empty(); }));
  ClickOn("sub", 2);
  Expect(files + "/sub>");
  // The key bar's F10, and a box's button.
  ClickOn("10Quit");
  Expect("Do you want to quit");
  ClickOn("[ No ]");
  ExpectGone("Do you want to quit");
  // A menu row: the plug-ins menu's CVS.
  screen->Keys({"F11"});
  Expect("Plugins");
  ClickOn("CVS", 1, 0, 30);
  Expect("CVS: ");
  screen->Keys({"Escape"});
  ExpectGone("CVS: ");
  // A dialog's button, then the wheel in the viewer.
  screen->Keys({"F7"});
  Expect("Create the folder");
  screen->Type("by-mouse");
  ClickOn("[ OK ]");
  ExpectGone("Create the folder");
  EXPECT_TRUE(testsupport::Exists(files + "/sub/by-mouse"));
  screen->Keys({"Home", "Enter"});
  Expect(files + ">");
  ClickOn("file10");
  screen->Keys({"F3"});
  Expect("line 5\n");
  ClickOn("line 2", 3, 65);
  ExpectGone("line 5\n");
  Expect("line 10\n");
  screen->Keys({"Escape"});
  ExpectGone("View:");
  Quit();
  EXPECT_EQ("00\n", MouseReporting());  // the terminal is given back as it was
}

TEST_F(DailyWorkTest, FileWorkAtTheSmallestScreenDeletesNothingUnasked) {
  std::string files = dir / "files";
  testsupport::MakeDirs(files + "/src.c");  // a folder: + takes files only
  for (const std::string &name : {std::string("a.c"), std::string("notes.txt"), kKanji + ".c"})
    testsupport::WriteFile(files + "/" + name, "12345");
  Start(files, "", "", console::kMinWidth, console::kMinHeight);
  Expect(files + ">");
  screen->Keys({"F7"});
  Expect("Create the folder");
  screen->Type(kKanji);
  screen->Keys({"Enter"});
  ExpectGone("Create the folder");
  testsupport::WriteFile(files + "/" + kKanji + "/inner.txt", "x");
  // The cursor is on the new folder.  F6 offers the other panel's folder,
  // here this one: the folder is there already, which a box says, and the
  // destination is offered again.
  screen->Keys({"F6"});
  Expect("Rename or move " + kKanji + " to:");
  screen->Keys({"Enter"});
  Expect("is already there");
  screen->Keys({"Enter"});
  Expect("Rename or move " + kKanji + " to:");
  screen->Type("renamed");
  screen->Keys({"Enter"});
  ExpectGone("Rename ");
  EXPECT_EQ("x", testsupport::ReadFile(files + "/renamed/inner.txt"));
  // F8 on it (the cursor followed the name) says it goes whole; Esc keeps
  // it, Enter deletes it.
  screen->Keys({"F8"});
  Expect("with everything in it?");
  screen->Keys({"Escape"});
  ExpectGone("with everything in it?");
  EXPECT_TRUE(testsupport::Exists(files + "/renamed/inner.txt"));
  screen->Keys({"F8"});
  Expect("with everything in it?");
  screen->Keys({"Enter"});
  ExpectGone("renamed");
  EXPECT_FALSE(testsupport::Exists(files + "/renamed"));
  // Group selection: + by masks, * inverts, Shift with the arrows.
  screen->Keys({"+"});
  Expect("Select the files");
  screen->Type("*.c");  // replaces the "*" offered
  screen->Keys({"Enter"});
  Expect("10 bytes in 2 selected files");
  screen->Keys({"*"});
  Expect("5 bytes in 1 selected file");
  screen->Keys({"Home", "S-Down", "S-Down"});  // from ".." over the folder
  Expect("5 bytes in 2 selected files");
  // F8 names what is selected, and deletes that only.
  screen->Keys({"F8"});
  Expect("Delete these 2 entries?");
  Expect("src.c/");
  screen->Keys({"Enter"});
  ExpectGone("notes.txt");
  EXPECT_EQ((std::vector<std::string>{"a.c", kKanji + ".c"}), testsupport::ListDir(files));
  Quit();
}

TEST_F(DailyWorkTest, CdMovesThePanelAndCtrlJQuotesEveryCharacterTheShellTreats) {
  std::string files = dir / "files";
  testsupport::MakeDirs(files + "/my dir");
  testsupport::WriteFile(files + "/it's $HOME;`x`\n(1)*", "a");
  Start(files);
  Expect(files + ">");
  screen->Type("cd 'my dir'");
  screen->Keys({"Enter"});
  Expect(files + "/my dir>");
  screen->Type("cd ..");
  screen->Keys({"Enter"});
  Expect(files + ">");
  // A folder that is not there: a box, and the line stays as typed.
  screen->Type("cd nowhere");
  screen->Keys({"Enter"});
  Expect("There is no folder");
  screen->Keys({"Enter"});
  Expect(files + ">cd nowhere");
  screen->Keys({"Escape"});
  ExpectGone(">cd nowhere");
  screen->Keys({"End"});
  screen->Type("mv ");
  screen->Keys({"C-j"});
  Run("moved");
  Expect("moved");
  EXPECT_EQ("a", testsupport::ReadFile(files + "/moved"));
  Quit();
}

}  // namespace

}  // namespace tuitest
