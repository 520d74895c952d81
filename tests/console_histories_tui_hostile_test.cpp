// Edit histories that cannot be kept: the console host says so once, and
// goes on.
#include "console_tui_fixture.hpp"

namespace {

class HistoriesTest : public tuitest::ConsoleTuiTest {};

TEST_F(HistoriesTest, HistoriesThatCannotBeWrittenAreSaidOnceARun) {
  testsupport::CvsSandbox sandbox;
  sandbox.Import("proj", {{"a.txt", "one\n"}});
  const std::string work = sandbox.Checkout("proj", "wc");
  // A state folder that can never be made, for root too: a file is in the way.
  testsupport::WriteFile(dir / "state-file", "not a folder\n");
  Start(work, "--command cvs:", "", 100, 30, {{"XDG_STATE_HOME", dir / "state-file"}});
  ExpectStatusPanel();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    Command("u");
    Expect("to a specific revision/tag (-r)");
    screen->Keys({"Tab", "Tab", "Tab", "Tab", "Space", "Tab", "Tab"});
    screen->Type("tag-" + std::to_string(round));
    screen->Keys({"Enter"});
    if (round == 0) {
      Expect("The edit histories cannot be saved in");
      Expect("state-file/quillet/histories");
      screen->Keys({"Enter"});
      ExpectGone("The edit histories cannot be saved in");
    }
    // The update runs all the same (and fails: there is no such tag).
    Expect("CVS ended with exit code 1");
    screen->Keys({"Escape"});
    ExpectGone("CVS ended with exit code 1");
  }
  // Said once: the second dialog's history goes unsaved without a word.
  EXPECT_EQ(std::string::npos, screen->Screen().find("cannot be saved"));
  Quit();
}

}  // namespace
