// Running programs: the codes of a run, starting a program by name, and
// temporary file names.  The run under the "CVS Running..." dialog is
// ui/run_dialog.hpp.
#ifndef QUILLET_RUNNER_HPP
#define QUILLET_RUNNER_HPP

#include <stdio.h>

#include <string>
#include <vector>

#include "os/os.hpp"
#include "os/owners.hpp"
#include "runner/cvs_args.hpp"
#include "runner/temp_file.hpp"

enum RunResult {
  kRunBroken = -168,
  kRunNoInput = -1000,
  kRunNoOutputFile = -1001,
  kRunNotStarted = -1002
};

// Starts a program by name without waiting: a name with a directory part as
// given, else the first match on PATH.  Empty on failure, with the reason.
os::OwnedProcess StartProgram(const char *name, const char *const *args, FILE *output,
                              std::string &error);

// While one of these lives, the programs started get no terminal to ask
// the user anything on (os::SetChildTerminal): the panel's own runs, which
// the user did not choose.
class RunsWithoutTerminal {
 public:
  RunsWithoutTerminal() : before_(os::ChildTerminalAllowed()) { os::SetChildTerminal(false); }
  ~RunsWithoutTerminal() { os::SetChildTerminal(before_); }
  RunsWithoutTerminal(const RunsWithoutTerminal &) = delete;
  RunsWithoutTerminal &operator=(const RunsWithoutTerminal &) = delete;

 private:
  bool before_;
};

// A fresh, reserved temporary path "<dir><sep>quillet<N>", or "" when none.
// `fallbackVariable` names the environment variable used when TMP is unusable.
// Each candidate folder that is missing, too long for a name, cannot be
// written or has no free name is passed over for the next; when none gives
// a name, `whyNone` (when given) receives one line per folder tried.
std::string TempFileName(const char *fallbackVariable, std::string *whyNone = nullptr);
// The serial number the next name tries; it wraps from 99999999 to 2.
void SetTempSerial(unsigned long serial);
// The folders TempFileName tries, best first: on Windows TMP, TMP without
// its double quotes, the fallback, "\\", "."; elsewhere TMPDIR, TMP, "/tmp",
// the fallback, ".": the fallback is HOME for most callers, a folder the
// user may be browsing, so it is taken only when the system's temporary
// folder gives no name.  Unset variables are left out.
std::vector<std::string> TempDirectoryCandidates(const char *fallbackVariable, bool windowsRules);

#endif
