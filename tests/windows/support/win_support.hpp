// Helpers of the Windows tests: scratch folders on C:, environment and
// files (shared with the Linux tests), copies of trees, processes by id, a
// module's export table, and a small host service table that the tests
// fill and script themselves (the run dialog, message boxes, the editor,
// panels).
#ifndef QUILLET_WIN_SUPPORT_HPP
#define QUILLET_WIN_SUPPORT_HPP

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "host/far_api.hpp"
#include "scratch_files.hpp"

namespace wintest {

// A helper program of tests/programs, built for Windows ("runner_child",
// "cvs"), as a full Windows path with ".exe".
std::string ProgramPath(const std::string &name);
// The tests' source folder (tests/), as a Windows path.
std::string TestsSourceDir();

// Scratch folders, environment and files: the helpers the Linux tests use.
using testsupport::Exists;
using testsupport::ListDir;
using testsupport::MakeDirs;
using testsupport::ReadFile;
using testsupport::ReadLines;
using testsupport::ScopedCwd;
using testsupport::ScopedEnv;
using testsupport::TempDir;
using testsupport::WriteFile;

void CopyInto(const std::string &from, const std::string &to);
// Copies a folder tree (files and folders) into `to`.
void CopyTree(const std::string &from, const std::string &to);
// Waits up to `ms` for a file to exist with something in it.
bool WaitForFile(const std::string &path, int ms);
// The process id a helper wrote with its "pid:" step, or 0.
DWORD ReadPid(const std::string &path);
// True when the process `pid` is gone within `ms` (never was, or ended).
bool ProcessGone(DWORD pid, int ms);

// The names a loaded module exports, read from its export table, sorted.
std::vector<std::string> ExportedNames(HMODULE module);

// What the host's standard handles and the C runtime's descriptors 1 and 2
// are at one moment.
struct StreamState {
  HANDLE StdOut, StdErr, Fd1, Fd2;
  bool operator==(const StreamState &other) const {
    return StdOut == other.StdOut && StdErr == other.StdErr && Fd1 == other.Fd1 && Fd2 == other.Fd2;
  }
};
StreamState CurrentStreams();
::std::ostream &operator<<(::std::ostream &out, const StreamState &state);

// One DialogEx call as the test host saw it.
struct DialogRecord {
  std::vector<FarDialogItem> Items;
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  std::vector<int> ProcMessages;
  int Result = 0;
  StreamState StreamsWhileOpen{};
};

// The host services a test needs, scripted by the test: DialogEx runs the
// dialog procedure and waits for the module's DM_CLOSE, or "presses" a
// button after BreakAfterMs; Message answers with MessageAnswer; Editor
// keeps a copy of the file it was asked to open; Control answers
// FCTL_GETPANELINFO with Panel.
struct TestHost {
  int BreakAfterMs = -1;  // -1: wait for the module (up to TimeoutMs)
  int BreakItem = 1;      // 1 = "Break", -1 = Esc
  int TimeoutMs = 60000;  // a dialog nobody closes ends as Esc
  int MessageAnswer = 0;
  int EditorResult = EEC_NOT_MODIFIED;
  std::vector<DialogRecord> Dialogs;
  std::vector<std::vector<std::string>> Messages;
  std::vector<std::string> EditorTexts;
  std::vector<std::string> EditorTitles;
  PanelInfo Panel{};
  std::vector<std::string> Calls;  // Control and AdvControl, in order
  int LateDialogMessages = 0;      // DM_CLOSE to a dialog that had closed

  // Fills `info` with this host's services and makes it the current host.
  void Bind(PluginStartupInfo &info);
  static TestHost *Current;
};

// Binds the module to a fresh TestHost for the length of each test.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  TestHost host;
  PluginStartupInfo info{};
};

}  // namespace wintest

#endif
