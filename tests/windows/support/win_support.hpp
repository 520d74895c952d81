// Helpers of the Windows tests: scratch folders on C:, environment and
// files (shared with the Linux tests), copies of trees, processes by id, a
// module's export table, and the fixture that binds the module's code
// linked into a test to the stand-in host.
#ifndef QUILLET_WIN_SUPPORT_HPP
#define QUILLET_WIN_SUPPORT_HPP

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "far/far_api.hpp"
#include "scratch_files.hpp"
#include "standin/standin.hpp"

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

// The module's code, linked into the test, bound to the stand-in host's
// services for the length of each test, with the module's English
// messages; no message reaches a dialog that had closed.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  standin::Host &host = standin::Host::Get();
  PluginStartupInfo info{};
};

}  // namespace wintest

#endif
