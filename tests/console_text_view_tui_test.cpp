// The viewer and the editor in tmux: the viewer shows a file of a gigabyte
// a screen at a time, the search line comes with the last search selected
// so that typing replaces it, and a save keeps the file's own line ends.
#include <sys/stat.h>
#include <unistd.h>

#include "console_tui_fixture.hpp"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

class TextViewTest : public tuitest::ConsoleTuiTest {
 protected:
  // Starts on a folder holding `files` and puts the cursor on the last.
  void StartOn(const std::string &folder) {
    Start(folder);
    Expect(folder + ">");
    screen->Keys({"End"});
  }
  // F7, a search text typed over what the line holds, Enter.
  void Search(const std::string &text) {
    screen->Keys({"F7"});
    Expect("Search for");
    screen->Type(text);
    screen->Keys({"Enter"});
    ExpectGone("Search for");
  }
};

TEST_F(TextViewTest, TheViewerShowsAGigabyteFileAndSearchTypingReplacesTheLastText) {
  std::string files = dir / "files", big = dir / "files/sparse.log";
  testsupport::MakeDirs(files);
  WriteFile(big, "alpha at the start\n");
  ASSERT_EQ(0, truncate(big.c_str(), 1ll << 30));
  ASSERT_EQ(0, testsupport::Shell("printf '\\nbeta near the end\\nomega\\n' >> " +
                                  testsupport::ShellQuote(big)));
  StartOn(files);
  screen->Keys({"F3"});
  Expect("View: " + big);
  Expect("alpha at the start");
  screen->Keys({"C-End"});
  Expect("omega");
  screen->Keys({"C-Home"});
  Expect("alpha at the start");
  Search("alpha");
  // Asked again, the line holds "alpha" selected: typing replaces it (an
  // appended "alphabeta" would be found nowhere).
  Search("beta");
  Expect("beta near the end");
  EXPECT_EQ(std::string::npos, screen->Last.find("not found")) << screen->Last;
  screen->Keys({"Escape"});
  ExpectGone("View: ");
  Quit();
}

TEST_F(TextViewTest, AnEditedLineKeepsItsEndAndTheOthersKeepTheirs) {
  std::string files = dir / "files", notes = dir / "files/notes.txt";
  testsupport::MakeDirs(files);
  WriteFile(notes, "first\r\nsecond\nthird\r\n");
  chmod(notes.c_str(), 0640);
  StartOn(files);
  screen->Keys({"F4"});
  Expect("second");
  screen->Keys({"Down", "End"});
  screen->Type("!");
  screen->Keys({"F2"});
  Expect("saved");
  screen->Keys({"Escape"});
  ExpectGone("saved");
  EXPECT_EQ("first\r\nsecond!\nthird\r\n", ReadFile(notes));
  struct stat info;
  ASSERT_EQ(0, stat(notes.c_str(), &info));
  EXPECT_EQ(0640u, info.st_mode & 07777);
  Quit();
}

}  // namespace
