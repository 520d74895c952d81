// Starting programs by name on Windows: the PATH order, ".com" before
// ".exe", nothing from the current folder or a relative PATH entry, the refusal of what cmd would
// act on in a batch file's command line, and a batch launcher started
// with the revisions of a visual diff.
#include <string>
#include <vector>

#include "commands/commands.hpp"
#include "os/os.hpp"
#include "runner/cvs_args.hpp"
#include "runner/start_program.hpp"
#include "win_support.hpp"

namespace {

using wintest::ReadFile;

class WindowsStartProgram : public ::testing::Test {
 protected:
  // A copy of the test child under `name` in `folder`.
  void Plant(const std::string &folder, const std::string &name) {
    wintest::MakeDirs(folder);
    wintest::CopyInto(wintest::ProgramPath("runner_child"), folder + "\\" + name);
  }

  // Starts `name` with the step "self"; the file the child reports as its
  // own, or the error.
  std::string StartedFile(const std::string &name) {
    std::string output = dir / "self";
    FILE *file = os::OpenOutputFile(output);
    const char *args[] = {name.c_str(), "self", nullptr};
    std::string error;
    os::Process *process = StartProgram(name.c_str(), args, file, error).release();
    if (process == nullptr) {
      fclose(file);
      return "error: " + error;
    }
    EXPECT_EQ(os::ProcessExitCode(process), 0);
    os::FreeProcess(process);
    fclose(file);
    std::string text = ReadFile(output);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
  }

  wintest::TempDir dir;
  wintest::ScopedEnv env;
};

TEST_F(WindowsStartProgram, PathIsSearchedInOrderWithComBeforeExe) {
  Plant(dir / "a", "probe.exe");
  Plant(dir / "b", "probe.exe");
  env.Set("PATH", dir / "a" + ";" + dir / "b");
  EXPECT_EQ(StartedFile("probe"), dir / "a\\probe.exe");
  // Empty entries are skipped, quotes removed, a trailing backslash kept.
  env.Set("PATH", ";;\"" + dir / "b" + "\\\";" + dir / "a");
  EXPECT_EQ(StartedFile("probe"), dir / "b\\probe.exe");

  // In one folder ".com" wins over ".exe"; a name with an extension is
  // taken as it is.
  Plant(dir / "a", "probe.com");
  env.Set("PATH", dir / "a");
  EXPECT_EQ(StartedFile("probe"), dir / "a\\probe.com");
  EXPECT_EQ(StartedFile("probe.exe"), dir / "a\\probe.exe");
  // A folder of the program's name is no program.
  wintest::MakeDirs(dir / "c\\probe.com");
  Plant(dir / "c", "probe.exe");
  env.Set("PATH", dir / "c");
  EXPECT_EQ(StartedFile("probe"), dir / "c\\probe.exe");
}

TEST_F(WindowsStartProgram, NothingIsStartedFromTheCurrentFolder) {
  Plant(dir / "workcopy", "probe.exe");
  Plant(dir / "bin", "probe.exe");
  wintest::ScopedCwd cwd(dir / "workcopy");
  env.Set("PATH", dir / "bin");
  EXPECT_EQ(StartedFile("probe"), dir / "bin\\probe.exe");
  env.Set("PATH", dir / "empty");
  EXPECT_EQ(StartedFile("probe"), "error: \"probe\" was not found on PATH");
  env.Unset("PATH");
  EXPECT_EQ(StartedFile("probe"), "error: \"probe\" was not found: PATH is not set");
  // Asked for through a folder, it is used as given.
  env.Set("PATH", dir / "bin");
  EXPECT_EQ(StartedFile(".\\probe"), dir / "workcopy\\probe.exe");
  EXPECT_EQ(StartedFile(dir / "workcopy\\probe.exe"), dir / "workcopy\\probe.exe");
}

// PATH entries that are not whole paths (".", "bin", an empty one) would
// name folders of wherever the user is browsing: they are passed over.
TEST_F(WindowsStartProgram, RelativePathEntriesFindNothing) {
  Plant(dir / "workcopy", "probe.exe");
  Plant(dir / "workcopy\\bin", "probe.com");
  Plant(dir / "tools", "probe.exe");
  wintest::ScopedCwd cwd(dir / "workcopy");
  env.Set("PATH", ".;bin;;\"bin\";.\\bin");
  EXPECT_EQ(StartedFile("probe"), "error: \"probe\" was not found on PATH");
  env.Set("PATH", ";.;bin;" + dir / "tools" + ";");
  EXPECT_EQ(StartedFile("probe"), dir / "tools\\probe.exe");
}

// A batch file that writes its arguments, one "[argument]" each, into
// RECORD; cmd keeps the quotes that the command line carries.
const char kRecordingBatch[] =
    "@echo off\r\n"
    ":next\r\n"
    "if \"%~1\"==\"\" goto done\r\n"
    ">>\"%QUILLET_RECORD%\" echo [%~1]\r\n"
    "shift\r\n"
    "goto next\r\n"
    ":done\r\n"
    ">>\"%QUILLET_RECORD%\" echo end\r\n";

TEST_F(WindowsStartProgram, BatchFilesRefuseWhatCmdWouldActOn) {
  wintest::MakeDirs(dir / "bin");
  wintest::WriteFile(dir / "bin\\launch.bat", kRecordingBatch);
  env.Set("PATH", dir / "bin");
  env.Set("QUILLET_RECORD", dir / "record");
  for (const char *name : {"a&calc.txt", "a|b", "a>b", "50%.txt", "up^", "say\"hi\""}) {
    SCOPED_TRACE(name);
    const char *args[] = {"launch", "-r", "1.2", name, nullptr};
    std::string error;
    EXPECT_EQ(StartProgram("launch", args, nullptr, error), nullptr);
    EXPECT_NE(error.find("is the batch file"), std::string::npos) << error;
  }
  // The same names reach a program that is no batch file untouched.
  Plant(dir / "bin", "echoer.exe");
  std::string output = dir / "out";
  FILE *file = os::OpenOutputFile(output);
  const char *args[] = {"echoer", "args", "a&calc.txt", "50%.txt", nullptr};
  std::string error;
  os::Process *process = StartProgram("echoer", args, file, error).release();
  ASSERT_NE(process, nullptr) << error;
  EXPECT_EQ(os::ProcessExitCode(process), 0);
  os::FreeProcess(process);
  fclose(file);
  EXPECT_NE(ReadFile(output).find("[a&calc.txt]\r\n[50%.txt]\r\n"), std::string::npos);
  EXPECT_FALSE(wintest::Exists(dir / "record"));
}

// The visual diff starts tkdiff.bat from PATH with the revisions and the
// file, without waiting for it.
TEST_F(WindowsStartProgram, TheVisualDiffStartsTkdiffBatWithTheRevisions) {
  wintest::MakeDirs(dir / "bin");
  wintest::WriteFile(dir / "bin\\tkdiff.bat", kRecordingBatch);
  env.Set("PATH", dir / "bin");
  env.Set("QUILLET_RECORD", dir / "record");
  const char *args[] = {"cvs", "diff", "-u", "-r", "1.2", "-r", "1.3", "two words.c", nullptr};
  EXPECT_EQ(RunVisualDiff(CvsArgs::FromArgv(args)), 0);
  ASSERT_TRUE(wintest::WaitForFile(dir / "record", 30000));
  for (int waited = 0; waited < 30000 && ReadFile(dir / "record").find("end") == std::string::npos;
       waited += 50) {
    Sleep(50);
  }
  EXPECT_EQ(wintest::ReadLines(dir / "record"),
            (std::vector<std::string>{"[-r]", "[1.2]", "[-r]", "[1.3]", "[two words.c]", "end"}));
}

}  // namespace
