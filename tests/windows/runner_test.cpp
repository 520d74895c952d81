// RunCvs on Windows with real child processes under the stand-in host's
// "CVS Running..." dialog: exit codes, both streams in one file, Break and
// Esc ending the process and what it started, the runner's own codes, the
// arguments as the child's C runtime splits them, and the host's standard
// handles and descriptors, which no run may change.
#include <io.h>

#include <string>
#include <vector>

#include "runner/output_lines.hpp"
#include "runner/run_codes.hpp"
#include "runner/start_program.hpp"
#include "ui/run_dialog.hpp"
#include "win_support.hpp"

namespace {

using wintest::ProgramPath;
using wintest::ReadFile;

class WindowsRunCvs : public wintest::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    streams = wintest::CurrentStreams();
    host.script.WhileRunStands = [this] { streamsWhileOpen.push_back(wintest::CurrentStreams()); };
  }

  void TearDown() override {
    // Every run leaves the host's standard handles and its descriptors 1
    // and 2 as they were, and none changed them while the dialog was open.
    EXPECT_EQ(wintest::CurrentStreams(), streams);
    EXPECT_GE(streamsWhileOpen.size(), host.Dialogs.size());
    for (const wintest::StreamState &seen : streamsWhileOpen) EXPECT_EQ(seen, streams);
    HostTest::TearDown();
  }

  int RunChild(const std::vector<std::string> &steps, const std::string &output) {
    std::string program = ProgramPath("runner_child");
    std::vector<const char *> args{program.c_str()};
    for (const std::string &step : steps) args.push_back(step.c_str());
    args.push_back(nullptr);
    return RunCvs(args.data(), output.c_str());
  }

  wintest::StreamState streams{};
  std::vector<wintest::StreamState> streamsWhileOpen;
  wintest::TempDir dir;
};

TEST_F(WindowsRunCvs, ExitCodesComeBackAndBothStreamsShareTheFileInOrder) {
  std::string output = dir / "out";
  wintest::WriteFile(output, "old content that must go\r\n");
  EXPECT_EQ(
      RunChild({"out:one", "err:two", "out:three", "sleep:20", "err:four", "out:five"}, output), 0);
  EXPECT_EQ(ReadFile(output), "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n");
  EXPECT_EQ(RunChild({"err:broken", "exit:3"}, output), 3);
  EXPECT_EQ(ReadFile(output), "broken\r\n");
  EXPECT_EQ(RunChild({"exit:255"}, output), 255);
  EXPECT_EQ(ReadFile(output), "");

  // Each run showed the dialog, closed by the watcher with result 2.
  ASSERT_EQ(host.Dialogs.size(), 3u);
  for (const standin::DialogCall &dialog : host.Dialogs) {
    EXPECT_EQ(dialog.Result, 2);
    EXPECT_EQ(dialog.ProcMessages, (std::vector<int>{DN_INITDIALOG, DN_CLOSE}));
  }
  const standin::DialogCall &dialog = host.Dialogs[0];
  EXPECT_EQ((std::vector<int>{dialog.X1, dialog.Y1, dialog.X2, dialog.Y2}),
            (std::vector<int>{-1, -1, 42, 7}));
  ASSERT_EQ(dialog.ItemsIn.size(), 2u);
  EXPECT_STREQ(dialog.ItemsIn[0].Data, "CVS Running...");
  EXPECT_STREQ(dialog.ItemsIn[1].Data, "Break");
}

// The host's own writes during and after a run stay out of the output file.
TEST_F(WindowsRunCvs, TheHostsStandardStreamsStayItsOwn) {
  std::string output = dir / "out";
  EXPECT_EQ(RunChild({"out:child", "handles"}, output), 0);
  // The child's descriptors 1 and 2 are its standard handles, and both
  // name the output file.
  EXPECT_EQ(ReadFile(output), "child\r\nhandles: same\r\n");
  fputs("written by the host after the run\n", stdout);
  fflush(stdout);
  EXPECT_EQ(ReadFile(output), "child\r\nhandles: same\r\n");
}

// A batch file's interpreter writes through its standard handles alone,
// without the C runtime's descriptors.
TEST_F(WindowsRunCvs, ABatchFilesOutputAndExitCodeComeBackToo) {
  wintest::ScopedEnv env;
  wintest::MakeDirs(dir / "bin");
  wintest::WriteFile(dir / "bin\\report.bat", "@echo from the batch file\r\n@exit /b 4\r\n");
  env.Set("PATH", dir / "bin");
  std::string output = dir / "out";
  const char *args[] = {"report", nullptr};
  EXPECT_EQ(RunCvs(args, output.c_str()), 4);
  EXPECT_EQ(ReadFile(output), "from the batch file\r\n");
}

TEST_F(WindowsRunCvs, BreakAndEscEndTheProcessAndWhatItStartedWithMinus168) {
  for (int item : {1, -1}) {
    SCOPED_TRACE(item);
    host.Dialogs.clear();
    host.script.RunBreakAfterMs = 1500;
    host.script.RunBreakItem = item;
    std::string output = dir / "out";
    std::string childPid = dir / ("child" + std::to_string(item));
    std::string grandchildPid = dir / ("grandchild" + std::to_string(item));
    EXPECT_EQ(RunChild({"out:started", "spawn:pid:" + grandchildPid + "+sleep:600000",
                        "pid:" + childPid, "sleep:600000", "out:never"},
                       output),
              kRunBroken);
    EXPECT_EQ(ReadFile(output), "started\r\n");
    ASSERT_EQ(host.Dialogs.size(), 1u);
    EXPECT_EQ(host.Dialogs[0].Result, item);
    // Both were running when the user broke, and both are gone.
    DWORD child = wintest::ReadPid(childPid);
    DWORD grandchild = wintest::ReadPid(grandchildPid);
    ASSERT_NE(child, 0u);
    ASSERT_NE(grandchild, 0u);
    EXPECT_TRUE(wintest::ProcessGone(child, 10000));
    EXPECT_TRUE(wintest::ProcessGone(grandchild, 10000));
  }
}

TEST_F(WindowsRunCvs, MissingInputOrAnUncreatableFileStartsNothing) {
  std::string output = dir / "out";
  std::string program = ProgramPath("runner_child");
  std::string pidFile = dir / "pid";
  std::string step = "pid:" + pidFile;
  const char *args[] = {program.c_str(), step.c_str(), nullptr};
  EXPECT_EQ(RunCvs(nullptr, output.c_str()), kRunNoInput);
  EXPECT_EQ(RunCvs(args, nullptr), kRunNoInput);
  const char *empty[] = {nullptr};
  EXPECT_EQ(RunCvs(empty, output.c_str()), kRunNoInput);
  EXPECT_FALSE(wintest::Exists(output));
  std::string uncreatable = dir / "missing-folder\\out";
  EXPECT_EQ(RunCvs(args, uncreatable.c_str()), kRunNoOutputFile);
  EXPECT_FALSE(wintest::Exists(pidFile));
  EXPECT_TRUE(host.Dialogs.empty());
}

TEST_F(WindowsRunCvs, AProgramThatCannotStartLeavesItsReasonInTheOutput) {
  wintest::ScopedEnv env;
  wintest::TempDir emptyBin;
  env.Set("PATH", emptyBin.Path());
  std::string output = dir / "out";
  const char *args[] = {"cvs", "--version", nullptr};
  EXPECT_EQ(RunCvs(args, output.c_str()), kRunNotStarted);
  std::string text = ReadFile(output);
  EXPECT_EQ(text, "Error: \"cvs\" was not found on PATH\r\n");

  // A named file that is there but is no program.
  std::string fake = dir / "fake.exe";
  wintest::WriteFile(fake, "no program");
  const char *direct[] = {fake.c_str(), nullptr};
  EXPECT_EQ(RunCvs(direct, output.c_str()), kRunNotStarted);
  text = ReadFile(output);
  EXPECT_EQ(text.rfind("Error: \"" + fake + "\" could not be started", 0), 0u) << text;
  EXPECT_TRUE(host.Dialogs.empty());
}

TEST_F(WindowsRunCvs, ArgumentsArriveWholeByTheRuntimesRules) {
  std::string output = dir / "out";
  std::vector<std::string> steps = {"args",
                                    "two words",
                                    "say \"hi\"",
                                    "back\\slash\\",
                                    "C:\\Program Files\\",
                                    "",
                                    "tab\there",
                                    "\\\\server\\share",
                                    "quote at end\"",
                                    "\\\"",
                                    "*.c",
                                    "%PATH%",
                                    "a;b|c&d"};
  EXPECT_EQ(RunChild(steps, output), 0);
  std::string expected = "[" + ProgramPath("runner_child") + "]\r\n";
  for (const std::string &step : steps) expected += "[" + step + "]\r\n";
  EXPECT_EQ(ReadFile(output), expected);
}

}  // namespace

namespace {

// The report is read while cvs writes it: a read that found the end of the
// file for now still gets what is written after it.
TEST(WindowsOutputLines, AFollowedFileGivesWhatIsWrittenAfterItsEnd) {
  wintest::TempDir dir;
  std::string path = dir / "report";
  wintest::WriteFile(path, "");
  FILE *writer = fopen(path.c_str(), "ab");
  FILE *reader = fopen(path.c_str(), "rb");
  ASSERT_NE(writer, nullptr);
  ASSERT_NE(reader, nullptr);
  OutputLines lines;
  StartOutputLines(lines, reader);
  lines.Following = true;
  const char *text = nullptr;
  size_t length = 0;
  EXPECT_FALSE(NextOutputLine(lines, text, length));
  fputs("first\r\nsecond, unfinished", writer);
  fflush(writer);
  ASSERT_TRUE(NextOutputLine(lines, text, length));
  EXPECT_EQ(std::string(text, length), "first");
  EXPECT_FALSE(NextOutputLine(lines, text, length));
  fputs(" now whole\r\nlast", writer);
  fclose(writer);
  lines.Following = false;
  ASSERT_TRUE(NextOutputLine(lines, text, length));
  EXPECT_EQ(std::string(text, length), "second, unfinished now whole");
  ASSERT_TRUE(NextOutputLine(lines, text, length));
  EXPECT_EQ(std::string(text, length), "last");
  EXPECT_FALSE(NextOutputLine(lines, text, length));
  fclose(reader);
}

}  // namespace
