// RunCvs with real child processes under the stand-in host's
// "CVS Running..." dialog: exit codes, the shared output file, "Break",
// the runner's own codes, and the host's standard streams.
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <new>
#include <string>
#include <vector>

#include "host/host.hpp"
#include "runner/run_codes.hpp"
#include "runner/start_program.hpp"
#include "test_support.hpp"
#include "ui/run_dialog.hpp"

namespace {

using testsupport::ProgramPath;
using testsupport::ReadFile;

struct StreamIdentity {
  dev_t Device[2];
  ino_t Inode[2];
  bool operator==(const StreamIdentity &other) const {
    for (int i = 0; i < 2; ++i) {
      if (Device[i] != other.Device[i] || Inode[i] != other.Inode[i]) return false;
    }
    return true;
  }
};

// What the test process's own descriptors 1 and 2 refer to.
StreamIdentity CurrentStreams() {
  StreamIdentity identity{};
  for (int fd = 1; fd <= 2; ++fd) {
    struct stat info;
    if (fstat(fd, &info) == 0) {
      identity.Device[fd - 1] = info.st_dev;
      identity.Inode[fd - 1] = info.st_ino;
    }
  }
  return identity;
}

class RunCvsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Reset();
    if (host.Language.empty()) {
      host.LoadLanguage(testsupport::TestsSourceDir() + "/../lang/quillet_en.lng");
    }
    info = host.StartupInfo();
    BindHost(&info);
    streams = CurrentStreams();
  }

  void TearDown() override {
    // The host's streams are where they were, nothing was sent to a closed
    // dialog, and no child is left running or unreaped.
    EXPECT_TRUE(CurrentStreams() == streams);
    EXPECT_EQ(host.LateDialogMessages, 0);
    int status;
    errno = 0;
    EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
  }

  // Runs the helper program with the given steps.
  int RunChild(const std::vector<std::string> &steps, const std::string &output) {
    std::string program = ProgramPath("runner_child");
    std::vector<const char *> args{program.c_str()};
    for (const std::string &step : steps) args.push_back(step.c_str());
    args.push_back(nullptr);
    return RunCvs(args.data(), output.c_str());
  }

  standin::Host &host = standin::Host::Get();
  PluginStartupInfo info{};
  StreamIdentity streams{};
  testsupport::TempDir dir;
};

TEST_F(RunCvsTest, ExitCodeOfAProcessThatEndsByItselfComesBack) {
  std::string output = dir / "out";
  EXPECT_EQ(RunChild({"out:fine", "exit:0"}, output), 0);
  EXPECT_EQ(ReadFile(output), "fine\n");
  EXPECT_EQ(RunChild({"err:broken", "exit:3"}, output), 3);
  EXPECT_EQ(ReadFile(output), "broken\n");
  EXPECT_EQ(RunChild({"exit:255"}, output), 255);

  // Each run showed the dialog, closed by the watcher with result 2.
  ASSERT_EQ(host.Dialogs.size(), 3u);
  for (const standin::DialogCall &call : host.Dialogs) EXPECT_EQ(call.Result, 2);
  const standin::DialogCall &call = host.Dialogs[0];
  EXPECT_TRUE(call.Ex);
  EXPECT_EQ((std::vector<int>{call.X1, call.Y1, call.X2, call.Y2}),
            (std::vector<int>{-1, -1, 42, 7}));
  ASSERT_EQ(call.ItemsIn.size(), 2u);
  const FarDialogItem &box = call.ItemsIn[0];
  const FarDialogItem &button = call.ItemsIn[1];
  EXPECT_EQ((std::vector<int>{box.Type, box.X1, box.Y1, box.X2, box.Y2}),
            (std::vector<int>{DI_DOUBLEBOX, 3, 1, 38, 5}));
  EXPECT_STREQ(box.Data, "CVS Running...");
  EXPECT_EQ((std::vector<int>{button.Type, button.X1, button.Y1, button.DefaultButton}),
            (std::vector<int>{DI_BUTTON, 0, 4, 1}));
  EXPECT_EQ(button.Flags, static_cast<DWORD>(DIF_CENTERGROUP));
  EXPECT_STREQ(button.Data, "Break");
}

// A host may run the procedure's DN_CLOSE on the thread that sent DM_CLOSE,
// here the watcher itself: the run must end there without waiting for it.
TEST_F(RunCvsTest, AWatcherWhoseCloseRunsOnItsOwnThreadEndsTheRun) {
  host.script.CloseOnSenderThread = true;
  std::string output = dir / "out";
  EXPECT_EQ(RunChild({"out:fine", "exit:4"}, output), 4);
  EXPECT_EQ(ReadFile(output), "fine\n");
  ASSERT_EQ(host.Dialogs.size(), 1u);
  EXPECT_EQ(host.Dialogs[0].Result, 2);
  EXPECT_EQ(host.Dialogs[0].ProcMessages, (std::vector<int>{DN_INITDIALOG, DN_CLOSE}));
}

// The user presses Break just as the watcher closes the dialog for the
// ended process: the user's close is refused, the watcher's closes the
// dialog, and the process keeps its own exit code.
TEST_F(RunCvsTest, ABreakAsTheProcessEndsLeavesTheCloseToTheWatcher) {
  host.script.BreakAsModuleCloses = true;
  std::string output = dir / "out";
  EXPECT_EQ(RunChild({"out:done", "exit:5"}, output), 5);
  ASSERT_EQ(host.Dialogs.size(), 1u);
  EXPECT_EQ(host.Dialogs[0].Result, 2);
  EXPECT_EQ(host.Dialogs[0].ProcMessages, (std::vector<int>{DN_INITDIALOG, DN_CLOSE, DN_CLOSE}));
}

TEST_F(RunCvsTest, BothStreamsLandInOneFileInTheOrderWritten) {
  std::string output = dir / "out";
  testsupport::WriteFile(output, "old content that must go\n");
  EXPECT_EQ(
      RunChild({"out:one", "err:two", "out:three", "sleep:20", "err:four", "out:five"}, output), 0);
  EXPECT_EQ(ReadFile(output), "one\ntwo\nthree\nfour\nfive\n");
}

TEST_F(RunCvsTest, BreakAndEscEndTheProcessAndReturnMinus168) {
  for (int item : {1, -1}) {
    SCOPED_TRACE(item);
    host.Reset();
    host.script.RunBreakAfterMs = 700;
    host.script.RunBreakItem = item;
    std::string output = dir / "out";
    std::string pidFile = dir / "pid";
    unlink(pidFile.c_str());
    EXPECT_EQ(RunChild({"out:started", "pid:" + pidFile, "sleep:600000", "out:never"}, output),
              kRunBroken);
    // What the process wrote before the break stays in the file.
    std::string text = ReadFile(output);
    EXPECT_EQ(text.find("never"), std::string::npos);
    // The process is gone, not merely abandoned.
    std::string pidText = ReadFile(pidFile);
    if (!pidText.empty()) {
      EXPECT_EQ(text, "started\n");
      pid_t pid = static_cast<pid_t>(std::stol(pidText));
      errno = 0;
      EXPECT_EQ(kill(pid, 0), -1);
      EXPECT_EQ(errno, ESRCH);
    }
    ASSERT_EQ(host.Dialogs.size(), 1u);
    EXPECT_EQ(host.Dialogs[0].Result, item);
  }
}

// True once `pid` has ended: no such process, or one that only waits to be
// reaped by whoever adopted it.
bool Ended(pid_t pid) {
  std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  if (stat.empty()) return true;
  size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}

TEST_F(RunCvsTest, BreakEndsWhatTheProcessStartedToo) {
  host.script.RunBreakAfterMs = 700;
  std::string pidFile = dir / "grandchild";
  EXPECT_EQ(RunChild({"spawn:pid:" + pidFile + "+sleep:600000", "sleep:600000"}, dir / "out"),
            kRunBroken);
  std::string pidText;
  for (int i = 0; i < 50 && pidText.empty(); ++i) {
    pidText = ReadFile(pidFile);
    usleep(20000);
  }
  ASSERT_FALSE(pidText.empty());
  pid_t grandchild = static_cast<pid_t>(std::stol(pidText));
  bool ended = false;
  for (int i = 0; i < 250 && !ended; ++i) {
    ended = Ended(grandchild);
    if (!ended) usleep(20000);
  }
  EXPECT_TRUE(ended) << "the grandchild " << grandchild << " outlived the break";
  if (!ended) kill(grandchild, SIGKILL);

  // A process that ends by itself leaves what it started alone.
  host.Reset();
  unlink(pidFile.c_str());
  EXPECT_EQ(
      RunChild({"spawn:pid:" + pidFile + "+sleep:600000", "sleep:300", "exit:3"}, dir / "out"), 3);
  for (int i = 0; i < 50 && ReadFile(pidFile).empty(); ++i) usleep(20000);
  grandchild = static_cast<pid_t>(std::stol(ReadFile(pidFile)));
  EXPECT_FALSE(Ended(grandchild));
  kill(grandchild, SIGKILL);
}

TEST_F(RunCvsTest, MissingArgumentsOrPathStartNothing) {
  std::string output = dir / "out";
  std::string program = ProgramPath("runner_child");
  std::string pidFile = dir / "pid";
  std::string step = "pid:" + pidFile;
  const char *args[] = {program.c_str(), step.c_str(), nullptr};
  EXPECT_EQ(RunCvs(nullptr, output.c_str()), kRunNoInput);
  EXPECT_EQ(RunCvs(args, nullptr), kRunNoInput);
  const char *empty[] = {nullptr};
  EXPECT_EQ(RunCvs(empty, output.c_str()), kRunNoInput);
  EXPECT_FALSE(testsupport::Exists(output));
  EXPECT_FALSE(testsupport::Exists(pidFile));
  EXPECT_TRUE(host.Dialogs.empty());
}

TEST_F(RunCvsTest, OutputFileThatCannotBeCreatedStartsNothing) {
  std::string program = ProgramPath("runner_child");
  std::string pidFile = dir / "pid";
  std::string step = "pid:" + pidFile;
  const char *args[] = {program.c_str(), step.c_str(), nullptr};
  std::string output = dir / "missing-folder/out";
  EXPECT_EQ(RunCvs(args, output.c_str()), kRunNoOutputFile);
  EXPECT_FALSE(testsupport::Exists(pidFile));
  EXPECT_TRUE(host.Dialogs.empty());
}

TEST_F(RunCvsTest, AProgramThatCannotStartLeavesItsReasonInTheOutput) {
  testsupport::ScopedEnv env;
  testsupport::TempDir emptyBin;
  env.Set("PATH", emptyBin.Path());
  std::string output = dir / "out";
  const char *args[] = {"cvs", "--version", nullptr};
  int result = RunCvs(args, output.c_str());
  EXPECT_EQ(result, kRunNotStarted);
  EXPECT_NE(result, 0);
  std::string text = ReadFile(output);
  EXPECT_NE(text.find("cvs"), std::string::npos) << text;
  EXPECT_NE(text.find("not found on PATH"), std::string::npos) << text;
  EXPECT_EQ(text.find('\n'), text.size() - 1) << "one line: " << text;
  EXPECT_TRUE(host.Dialogs.empty());

  // A named file that does not exist, and one that may not be run.
  std::string missing = dir / "no-such-program";
  const char *direct[] = {missing.c_str(), nullptr};
  EXPECT_EQ(RunCvs(direct, output.c_str()), kRunNotStarted);
  EXPECT_NE(ReadFile(output).find("no-such-program\" was not found"), std::string::npos)
      << ReadFile(output);
  std::string plain = dir / "plain-file";
  testsupport::WriteFile(plain, "#!/bin/sh\nexit 0\n");
  chmod(plain.c_str(), 0644);
  const char *notExecutable[] = {plain.c_str(), nullptr};
  EXPECT_EQ(RunCvs(notExecutable, output.c_str()), kRunNotStarted);
  EXPECT_NE(ReadFile(output).find("not executable"), std::string::npos) << ReadFile(output);
}

TEST_F(RunCvsTest, ArgumentsWithBlanksAndQuotesArriveWhole) {
  std::string output = dir / "out";
  std::vector<std::string> steps = {"args",      "two words", "say \"hi\"", "back\\slash\\", "",
                                    "tab\there", "*.c",       "$HOME",      "a;b|c"};
  EXPECT_EQ(RunChild(steps, output), 0);
  std::string expected = "[" + ProgramPath("runner_child") + "]\n";
  for (const std::string &step : steps) expected += "[" + step + "]\n";
  EXPECT_EQ(ReadFile(output), expected);
}

}  // namespace

// ---- work done alongside a run ----

TEST_F(RunCvsTest, WorkAlongsideRunsWhileTheProgramRunsAndSeesAllOfItAtTheEnd) {
  std::string program = ProgramPath("runner_child");
  std::string output = dir / "out";
  const char *args[] = {program.c_str(), "out:first", "sleep:1500",
                        "out:second",    "exit:5",    nullptr};
  bool sawFirstWhileRunning = false;
  std::string atTheEnd;
  int calls = 0;
  int code = RunCvsWhile(args, output.c_str(), [&](const std::atomic<bool> &ended) {
    ++calls;
    while (!ended.load()) {
      if (ReadFile(output) == "first\n") sawFirstWhileRunning = !ended.load();
      if (sawFirstWhileRunning) break;
      usleep(1000);
    }
    while (!ended.load()) usleep(1000);
    atTheEnd = ReadFile(output);
  });
  EXPECT_EQ(code, 5);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(sawFirstWhileRunning);
  EXPECT_EQ(atTheEnd, "first\nsecond\n");
  // The dialog stood as for any run and was closed by the watcher.
  ASSERT_EQ(host.Dialogs.size(), 1u);
  EXPECT_EQ(host.Dialogs[0].Result, 2);
}

TEST_F(RunCvsTest, WorkAlongsideABrokenRunEndsAndItsFailureReachesTheCaller) {
  host.script.RunBreakAfterMs = 100;
  std::string program = ProgramPath("runner_child");
  std::string output = dir / "out";
  const char *args[] = {program.c_str(), "sleep:20000", nullptr};
  bool endedSeen = false;
  EXPECT_EQ(RunCvsWhile(args, output.c_str(),
                        [&](const std::atomic<bool> &ended) {
                          while (!ended.load()) usleep(1000);
                          endedSeen = true;
                        }),
            -168);
  EXPECT_TRUE(endedSeen);

  host.script.RunBreakAfterMs = -1;
  const char *quick[] = {program.c_str(), "exit:0", nullptr};
  EXPECT_THROW(
      RunCvsWhile(quick, output.c_str(), [](const std::atomic<bool> &) { throw std::bad_alloc(); }),
      std::bad_alloc);

  // A program that cannot start: nothing runs alongside.
  const char *missing[] = {"/no/such/program", nullptr};
  bool called = false;
  EXPECT_EQ(RunCvsWhile(missing, output.c_str(), [&](const std::atomic<bool> &) { called = true; }),
            kRunNotStarted);
  EXPECT_FALSE(called);
}
