// A program started without capture (the visual diff's launcher) runs on
// by itself while a console host owns the terminal: it must never read
// from or write over the host's screen, and a launcher that fails at once
// (its tool is missing) must say why instead of writing it to the terminal.
#include <gtest/gtest.h>
#include <unistd.h>

#include "os/os.hpp"
#include "runner/start_program.hpp"
#include "test_support.hpp"

namespace {

class DetachedStart : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::MakeDirs(dir / "bin");
    testsupport::MakeDirs(dir / "tmp");
    env.Set("PATH", dir / "bin");
    env.Set("TMPDIR", dir / "tmp");
  }
  os::Process *Start(const std::string &name, std::string &error) {
    const char *args[] = {name.c_str(), "one", nullptr};
    return StartProgram(name.c_str(), args, nullptr, error).release();
  }
  testsupport::TempDir dir;
  testsupport::ScopedEnv env;
};

std::string Link(const std::string &path) {
  char target[4096];
  ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
  return length > 0 ? std::string(target, static_cast<size_t>(length)) : "";
}

TEST_F(DetachedStart, ALauncherThatFailsAtOnceSaysWhyAndWritesNothingElsewhere) {
  testsupport::WriteScript(dir / "bin/launcher",
                           "echo \"launcher: 3: exec: tkdiff: not found\" >&2\nexit 127\n");
  std::string error;
  EXPECT_EQ(nullptr, Start("launcher", error));
  EXPECT_NE(std::string::npos, error.find("exit code 127: launcher: 3: exec: tkdiff: not found"))
      << error;
  // Failing with nothing to say still fails; ending well at once is a start.
  testsupport::WriteScript(dir / "bin/quiet", "exit 3\n");
  EXPECT_EQ(nullptr, Start("quiet", error));
  EXPECT_NE(std::string::npos, error.find("exit code 3")) << error;
  testsupport::WriteScript(dir / "bin/forks", "echo started in the background\nexit 0\n");
  os::Process *process = Start("forks", error);
  ASSERT_NE(nullptr, process) << error;
  os::FreeProcess(process);
}

TEST_F(DetachedStart, AProgramThatRunsOnHasNoTerminalAndNoFileLeft) {
  testsupport::WriteScript(dir / "bin/tool",
                           "echo $$ > " + testsupport::ShellQuote(dir / "pid") +
                               "\necho chatter; echo more >&2; exec /bin/sleep 30\n");
  std::string error;
  os::Process *process = Start("tool", error);
  ASSERT_NE(nullptr, process) << error;
  // Its input is /dev/null; its output a file without a name, never the
  // terminal or whatever this process writes to.
  std::string pid = testsupport::ReadFile(dir / "pid");
  std::string fds = "/proc/" + pid.substr(0, pid.find('\n')) + "/fd/";
  EXPECT_EQ("/dev/null", Link(fds + "0"));
  for (const char *fd : {"1", "2"}) {
    std::string target = Link(fds + fd);
    EXPECT_NE(std::string::npos, target.find("(deleted)")) << target;
    EXPECT_NE(Link(std::string("/proc/self/fd/") + fd), target);
  }
  EXPECT_EQ(Link(fds + "1"), Link(fds + "2"));
  EXPECT_TRUE(testsupport::ListDir(dir / "tmp").empty());
  os::TerminateProcess(process, 1);
  EXPECT_EQ(1, os::ProcessExitCode(process));
  os::FreeProcess(process);
}

}  // namespace
