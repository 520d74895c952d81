// The module loaded through its exports (Quillet.dll in the stand-in host)
// on a copy, on C:, of the working copy recorded by
// tests/record_replay_reports.sh, with the cvs.exe stand-in first on PATH
// replaying what the real client printed for it.
#ifndef QUILLET_REPLAY_MODULE_HPP
#define QUILLET_REPLAY_MODULE_HPP

#include <string>
#include <vector>

#include "module_fixture.hpp"
#include "win_support.hpp"

namespace wintest {

class ReplayModuleTest : public testsupport::ModuleTest {
 protected:
  void SetUp() override;
  // Nothing of the module's is left in TMP or HOME, and the host's standard
  // handles and descriptors 1 and 2 are what they were before the runs.
  void TearDown() override;

  // Opens the panel on `dir` as the command-line prefix "cvs:" does.
  HANDLE OpenPanel(const std::string &dir);
  // Shows `dir` in the active file panel, read from disk, with the
  // process's current folder following it as the host keeps it.
  void ShowFolder(const std::string &dir);

  // The runs of cvs.exe, "FOLDER:[arg1][arg2]...", and what it got as the
  // message file of its last commit.
  std::vector<std::string> CvsCalls() { return ReadLines(dir / "cvs.log"); }
  std::string CommitMessage() { return ReadFile(dir / "cvs.log.message"); }
  void ForgetCvsCalls() { WriteFile(dir / "cvs.log", ""); }

  StreamState streams{};
  TempDir dir;
  ScopedEnv env;
  ScopedCwd cwd{dir.Path()};
  std::string copy;      // the working copy, dir\wc
  std::string programs;  // the folder of cvs.exe, first on PATH
  std::string tools;     // dir\bin, second on PATH, for the test's own programs
};

}  // namespace wintest

#endif
