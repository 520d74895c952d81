// Helpers shared by the Linux tests: scratch folders, environment and files
// (scratch_files.hpp), shell commands, a sandbox with a real cvs repository,
// and the fixture that loads the module into the stand-in host
// (module_fixture.hpp).
#ifndef QUILLET_TEST_SUPPORT_HPP
#define QUILLET_TEST_SUPPORT_HPP

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "module_fixture.hpp"
#include "scratch_files.hpp"
#include "standin/standin.hpp"

namespace testsupport {

// Path of a helper program, and of the tests' source folder.
std::string ProgramPath(const std::string &name);
std::string TestsSourceDir();

// Runs `command` with /bin/sh in `cwd` (current folder when empty); returns
// the exit status and puts standard output and error in `output`.
int Shell(const std::string &command, const std::string &cwd = "", std::string *output = nullptr);
std::string ShellQuote(const std::string &text);
// Writes an executable /bin/sh script of `body` (the "#!" line goes first).
void WriteScript(const std::string &path, const std::string &body);

// A repository and working copies of a real cvs, with HOME, TMP, TMPDIR,
// XDG_STATE_HOME and CVSROOT of their own so that nothing of the machine's
// settings leaks in.
class CvsSandbox {
 public:
  CvsSandbox();
  const std::string &Root() const { return dir_.Path(); }
  std::string Home() const { return dir_ / "home"; }
  std::string Tmp() const { return dir_ / "tmp"; }
  std::string State() const { return dir_ / "state"; }
  std::string Repository() const { return dir_ / "repo"; }
  // Imports `files` (relative path -> content) as module `module`.
  void Import(const std::string &module, const std::map<std::string, std::string> &files);
  // Checks `module` out into Root()/`into` and returns that path.
  std::string Checkout(const std::string &module, const std::string &into);
  // Runs "cvs <args>" in `cwd`; returns the exit status; output optional.
  int Cvs(const std::string &args, const std::string &cwd, std::string *output = nullptr);
  // Fails the test when "cvs <args>" does not succeed.
  void MustCvs(const std::string &args, const std::string &cwd);

 private:
  TempDir dir_;
  ScopedEnv env_;
};

// Writes an executable "cvs" into `dir` that appends one line per run to
// `log` ("[arg1][arg2]...", after "folder:" when `logFolder`) and then runs
// the real client; put `dir` first on PATH to see the exact command lines.
void WriteRecordingCvs(const std::string &dir, const std::string &log, bool logFolder);

// Failures that root never meets.  Each returns true where the test's body
// is to run: in the run that already has the conditions, or in the second
// run of the same test case that it starts to get them (the first run then
// only checks that the second passed, and returns false).
// - As a user without privileges: as root the case runs again under
//   setpriv as user 65534 (or, where that user cannot reach the test
//   program, as root without the capabilities that pass over permissions).
bool RunsUnprivileged();
// - In a private mount namespace, where the test may mount folders read-only
//   (/tmp is read-only from the start; scratch folders are made under
//   /var/tmp).  Only root can have one: tests skip where
//   PrivateMountsPossible is false.
bool RunsWithReadOnlyMounts();
bool PrivateMountsPossible();
// Mounts `dir` read-only over itself (inside RunsWithReadOnlyMounts only).
void MountReadOnly(const std::string &dir);

}  // namespace testsupport

#endif
