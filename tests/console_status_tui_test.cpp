// The console host in tmux on a working copy whose repository has gone:
// the failure is told with its exit code, no file shows a state cvs did
// not give, and the info view says why.
#include "console_tui_fixture.hpp"

namespace tuitest {

namespace {

const std::string kBar = "\xE2\x94\x82";  // the line between columns

TEST_F(ConsoleTuiTest, AFailedStatusRunIsToldAndLeavesKeptFilesWithoutALetter) {
  std::string work = MakeDemo();
  ASSERT_EQ(0, testsupport::Shell("mv repo moved", dir / "demo"));
  Start(work, "--command cvs:");
  Expect("exit code 1");
  screen->Keys({"Escape"});
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &) {
    return Matches(LeftRow("scratch.txt"), "scratch\\.txt +" + kBar + "\\?" + kBar);
  })) << screen->Last;
  // A file the working copy keeps: no letter.  One it does not know: "?".
  EXPECT_TRUE(Matches(LeftRow("hello.c"), "hello\\.c +" + kBar + " " + kBar)) << LeftRow("hello.c");
  // The info view gives the end of the last line of cvs: here that no
  // root could be found.
  screen->Keys({"C-l"});
  Expect("States not read");
  EXPECT_TRUE(Matches(LineWith(screen->Last, "States not read"), "CVSROOT environment variable"))
      << screen->Last;
  Quit();
}

}  // namespace

}  // namespace tuitest
