// The viewer in tmux: it shows a file of a gigabyte a screen at a time, and
// the search line comes with the last search selected, so that typing
// replaces it.
#include <unistd.h>

#include "console_tui_fixture.hpp"

namespace {

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

}  // namespace
