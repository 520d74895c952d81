// The terminal belongs to one program at a time: the console host in tmux
// with the real cvs, or stand-ins for it, that want the terminal.  A
// password asked by an ssh stand-in (through CVS_RSH, on an :ext: root)
// gets the plain terminal and the screen comes back; a program's stray
// write never lands on the host's screen; Ctrl+C there ends a tree with a
// background child; a hang-up ends cvs and leaves no temporary file.
#include <signal.h>
#include <unistd.h>

#include <fstream>

#include "console_tui_fixture.hpp"

namespace {

using testsupport::ReadFile;
using testsupport::ShellQuote;
using testsupport::WriteScript;

class TerminalHandOffTest : public tuitest::ConsoleTuiTest {
 protected:
  // Every CVS/Root below `work` names `root`.
  void UseRoot(const std::string &work, const std::string &root) {
    ASSERT_EQ(0, testsupport::Shell("find " + ShellQuote(work) +
                                    " -path '*/CVS/Root' -exec sh -c 'echo \"$0\" > \"$1\"' " +
                                    ShellQuote(root) + " {} \\;"));
  }

  // The process ids a stand-in wrote, one a line, once it has written them.
  std::vector<pid_t> Pids(const std::string &file, size_t count) {
    std::vector<pid_t> pids;
    for (int i = 0; i < 300 && pids.size() < count; ++i) {
      pids.clear();
      std::ifstream in(file);
      for (long pid; in >> pid;) pids.push_back(static_cast<pid_t>(pid));
      if (pids.size() < count) usleep(50 * 1000);
    }
    EXPECT_EQ(count, pids.size()) << file;
    return pids;
  }

  // Whether the process is gone (or only waits to be reaped), within a while.
  static bool Gone(pid_t pid) {
    for (int i = 0; i < 200; ++i) {
      std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
      std::string line;
      if (!std::getline(stat, line)) return true;
      size_t close = line.rfind(')');
      if (close != std::string::npos && line.compare(close + 2, 1, "Z") == 0) return true;
      usleep(50 * 1000);
    }
    return false;
  }
};

TEST_F(TerminalHandOffTest, ThePanelsOwnRefreshLendsALoginNoTerminal) {
  std::string work = MakeDemo();
  UseRoot(work, ":ext:localhost:" + dir / "demo/repo");
  // ssh's part: the password asked on /dev/tty with echo off, as ssh asks
  // it, then the server run here.
  std::string ssh = dir / "fake-ssh", answers = dir / "answers", asked = dir / "asked";
  WriteScript(ssh,
              "while [ $# -gt 0 ]; do case $1 in -l) shift 2 ;; --) shift; break ;; -*) shift ;; "
              "*) break ;; esac; done\n"
              "printf 'password for %s: ' \"$1\" >/dev/tty\n"
              "echo $$ >> " +
                  ShellQuote(asked) +
                  "\n"
                  "stty -echo </dev/tty\n"
                  "IFS= read -r answer </dev/tty\n"
                  "stty echo </dev/tty\n"
                  "echo \"$answer\" >> " +
                  ShellQuote(answers) +
                  "\n"
                  "[ \"$answer\" = sesame ] || exit 255\n"
                  "shift\n"
                  "exec sh -c \"$*\"\n");
  Start(work, "--command cvs:", "", 100, 30, {{"CVS_RSH", ssh}});
  // The panel's own refresh lends no terminal: the login cannot ask there,
  // and the run fails.
  Pids(asked, 1);
  Expect("CVS ended with exit code");
  EXPECT_EQ(std::string::npos, screen->Last.find("has the terminal now")) << screen->Last;
  EXPECT_EQ(std::string::npos, screen->Last.find("password for")) << screen->Last;
  EXPECT_EQ("\n", ReadFile(answers).substr(0, 1));  // nothing could be typed
}

TEST_F(TerminalHandOffTest, AStrayWriteToTheTerminalNeverLandsOnTheScreen) {
  std::string work = MakeDemo();
  std::string bin = dir / "bin", real;
  testsupport::MakeDirs(bin);
  ASSERT_EQ(0, testsupport::Shell("command -v cvs", "", &real));
  real.erase(real.find_last_not_of("\n") + 1);
  std::string runs = dir / "runs";
  WriteScript(bin + "/cvs", "printf 'SCRIBBLE from cvs\\n' >/dev/tty\n" + ShellQuote(real) +
                                " \"$@\"\nstatus=$?\necho $$ >> " + ShellQuote(runs) +
                                "\nexit $status\n");
  Start(work, "--command cvs:", bin);
  Pids(runs, 1);
  ExpectStatusPanel();
  EXPECT_EQ(std::string::npos, screen->Last.find("SCRIBBLE")) << screen->Last;
  EXPECT_NE(std::string::npos, LeftRow("hello.c").find("\xE2\x94\x82M\xE2\x94\x82"));
  // Read again: the screen comes back whole after the second run too.
  std::string mark = MarkBeforeReading(work);
  screen->Keys({"C-r"});
  Pids(runs, 2);
  ExpectReadAgain(mark);
  EXPECT_EQ(std::string::npos, screen->Last.find("SCRIBBLE")) << screen->Last;
  Quit();
}

// The background child of a shell script ignores Ctrl+C; it goes all the
// same when Ctrl+C breaks the run at the lent terminal.  (Break in "CVS
// Running..." ends the whole group: the runner's tests show it.)
TEST_F(TerminalHandOffTest, BreakAtTheLentTerminalEndsTheTreeWithItsBackgroundChild) {
  std::string work = MakeDemo();
  std::string bin = dir / "bin", pids = dir / "pids";
  testsupport::MakeDirs(bin);
  // Its third line is written once it has the terminal (a write from the
  // background stops it until then).
  // The panel's own runs get no terminal: the stand-in acts up only for a
  // command the user chose (log), and is the real client otherwise.
  std::string real;
  ASSERT_EQ(0, testsupport::Shell("command -v cvs", "", &real));
  real.erase(real.find_last_not_of("\n") + 1);
  WriteScript(bin + "/cvs", "case \" $* \" in *' log '*) ;; *) exec " + ShellQuote(real) +
                                " \"$@\" ;; esac\necho $$ >> " + ShellQuote(pids) +
                                "\nsleep 300 &\necho $! >> " + ShellQuote(pids) +
                                "\nprintf 'A line: ' >/dev/tty\necho $$ >> " + ShellQuote(pids) +
                                "\nread line </dev/tty\nsleep 300\n");
  Start(work, "--command cvs:", bin);
  ExpectStatusPanel();
  Command("l");
  Expect("item(s)");
  screen->Keys({"Enter"});
  std::vector<pid_t> tree = Pids(pids, 3);
  Expect("has the terminal now");
  Expect("A line:");
  screen->Keys({"C-c"});
  ExpectGone("has the terminal now");
  ExpectStatusPanel();
  for (pid_t pid : tree) EXPECT_TRUE(Gone(pid)) << pid;
}

TEST_F(TerminalHandOffTest, AHangUpEndsCvsAndLeavesNoTemporaryFile) {
  std::string work = MakeDemo();
  std::string bin = dir / "bin", pids = dir / "pids";
  testsupport::MakeDirs(bin);
  // The stand-in's parent is the console host.
  WriteScript(bin + "/cvs", "echo $$ >> " + ShellQuote(pids) + "\necho $PPID >> " +
                                ShellQuote(pids) + "\nexec sleep 300\n");
  Start(work, "--command cvs:", bin);
  Expect("CVS Running...");
  std::vector<pid_t> pid = Pids(pids, 2);
  EXPECT_FALSE(testsupport::ListDir(dir / "tmp").empty());  // the run's output file
  screen.reset();                                           // the terminal goes away
  for (pid_t each : pid) EXPECT_TRUE(Gone(each)) << each;
  EXPECT_TRUE(testsupport::ListDir(dir / "tmp").empty());
}

}  // namespace
