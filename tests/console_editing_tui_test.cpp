// Editing in the console host in tmux: Ctrl+Y deletes the editor's line;
// the editor asks before saving over a file changed on the disk since it
// was opened; edit lines replace a selected text when typing or with
// Backspace; and the viewer's hex view on F4.
#include "console_tui_fixture.hpp"

namespace tuitest {

namespace {

using testsupport::Exists;
using testsupport::ReadFile;
using testsupport::WriteFile;

class ConsoleEditingTest : public ConsoleTuiTest {
 protected:
  void ExpectFile(const std::string &path, const std::string &content) {
    EXPECT_TRUE(screen->WaitUntil([&](const std::string &) {
      return Exists(path) && ReadFile(path) == content;
    })) << path
        << " holds \"" << (Exists(path) ? ReadFile(path) : "(none)") << "\" on\n"
        << screen->Last;
  }
};

TEST_F(ConsoleEditingTest, CtrlYDeletesALineAndAChangeOnTheDiskIsNotSavedOverUnasked) {
  std::string files = dir / "files", notes = dir / "files/notes.txt";
  testsupport::MakeDirs(files);
  WriteFile(notes, "one\ntwo\nthree\n");
  Start(files);
  Expect(files + ">");
  screen->Keys({"Home", "Down", "F4"});
  Expect("notes.txt");
  Expect("three");
  screen->Keys({"C-y"});
  ExpectGone("one");
  screen->Keys({"F2"});
  ExpectFile(notes, "two\nthree\n");
  // Changed meanwhile on the disk (an update, say): F2 asks; keeping on
  // editing leaves the disk's text, saving over it writes the editor's.
  WriteFile(notes, "from elsewhere\n");
  screen->Type("x");
  screen->Keys({"F2"});
  Expect("was changed on the disk since it was opened");
  screen->Keys({"k"});
  ExpectGone("was changed on the disk");
  EXPECT_EQ("from elsewhere\n", ReadFile(notes));
  screen->Keys({"Escape"});
  Expect("The file has been changed. Save it?");
  screen->Keys({"s"});
  Expect("was changed on the disk since it was opened");
  screen->Keys({"Enter"});
  ExpectGone("The file has been changed");
  ExpectFile(notes, "xtwo\nthree\n");
  Expect(files + ">");
  // Saved by the editor itself, the file asks nothing the next time.
  screen->Keys({"F4"});
  Expect("xtwo");
  screen->Keys({"Delete", "F2"});
  ExpectFile(notes, "two\nthree\n");
  EXPECT_EQ(std::string::npos, screen->Screen().find("changed on the disk"));
  screen->Keys({"Escape"});
  Expect(files + ">");
  Quit();
}

TEST_F(ConsoleEditingTest, TypingOrBackspaceOverASelectedTextReplacesIt) {
  std::string files = dir / "files";
  testsupport::MakeDirs(files);
  Start(files);
  Expect(files + ">");
  screen->Keys({"F7"});
  Expect("Create the folder");
  screen->Type("abcdef");
  screen->Keys({"S-Left", "S-Left", "S-Left"});
  screen->Type("X");
  Expect("abcX");
  screen->Keys({"Enter"});
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) { return Exists(files + "/abcX"); }))
      << screen->Last;
  screen->Keys({"F7"});
  Expect("Create the folder");
  screen->Type("hello");
  screen->Keys({"S-Home", "BSpace"});
  screen->Type("bye");
  screen->Keys({"Enter"});
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) { return Exists(files + "/bye"); }))
      << screen->Last;
  EXPECT_FALSE(Exists(files + "/hellobye"));
  // The command line too.
  screen->Type("echo keep-drop");
  screen->Keys({"S-Left", "S-Left", "S-Left", "S-Left", "BSpace"});
  Expect(files + ">echo keep-");
  ExpectGone("keep-drop");
  screen->Keys({"Escape"});
  Quit();
}

TEST_F(ConsoleEditingTest, F4InTheViewerShowsTheBytesInHexAndBack) {
  std::string files = dir / "files";
  testsupport::MakeDirs(files);
  WriteFile(files + "/data.bin", std::string("Hello\x01\xff", 7) + "world\n");
  Start(files);
  Expect(files + ">");
  screen->Keys({"Home", "Down", "F3"});
  Expect("View:");
  Expect("4Hex");
  screen->Keys({"F4"});
  Expect("48 65 6c 6c 6f 01 ff 77");
  Expect("Hello..world.");
  Expect("4Text");
  screen->Keys({"F4"});
  ExpectGone("48 65 6c");
  Expect("Hello");
  screen->Keys({"Escape"});
  ExpectGone("View:");
  Quit();
}

}  // namespace

}  // namespace tuitest
