// Running cvs (or any program): argument lists, the run under the
// "CVS Running..." dialog, temporary names, confirmation and outcome.
#ifndef QUILLET_RUNNER_HPP
#define QUILLET_RUNNER_HPP

#include <atomic>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "far/far_api.hpp"
#include "os/os.hpp"

// Argument list of one run: "cvs", options, command, names, then a null
// entry.  The strings belong to whoever built the list.
typedef std::vector<const char *> CvsArgs;
// The names a command acts on, or the single entry ".".
typedef std::vector<std::string> Selection;

enum RunResult {
  kRunBroken = -168,
  kRunNoInput = -1000,
  kRunNoOutputFile = -1001,
  kRunNotStarted = -1002
};

// Runs `args` (null-ended, entry 0 names the program) with standard output
// and standard error in `outputPath`.  Returns the exit code, or one of the
// RunResult codes.
int RunCvs(const char *const *args, const char *outputPath);
// The same, with `alongside` done on a worker thread while the program
// runs and the dialog stands, so that work of the caller's own hides behind
// the program's.  `ended` turns true once the program has ended (by itself
// or broken off) and everything it wrote is in the output file; the run
// returns only after `alongside` has.  `alongside` runs only when the
// program started, on the caller's thread after the run when no thread can
// be had; an exception it throws reaches the caller after the run.
int RunCvsWhile(const char *const *args, const char *outputPath,
                const std::function<void(const std::atomic<bool> &ended)> &alongside);

// Starts a program by name without waiting: a name with a directory part as
// given, else the first match on PATH.  Null on failure, with the reason.
os::Process *StartProgram(const char *name, const char *const *args, FILE *output,
                          std::string &error);

// A fresh, reserved temporary path "<dir><sep>quillet<N>", or "" when none.
// `fallbackVariable` names the environment variable used when TMP is unusable.
// Each candidate folder that is missing, too long for a name, cannot be
// written or has no free name is passed over for the next; when none gives
// a name, `whyNone` (when given) receives one line per folder tried.
std::string TempFileName(const char *fallbackVariable, std::string *whyNone = nullptr);
// TempFileName, and when it gives no name a warning box that names each
// folder tried and why it failed.
std::string TempFileNameOrSay(const char *fallbackVariable);
// The serial number the next name tries; it wraps from 99999999 to 2.
void SetTempSerial(unsigned long serial);
// The folders TempFileName tries, best first: on Windows TMP, TMP without
// its double quotes, the fallback, "\\", "."; elsewhere TMPDIR, TMP, "/tmp",
// the fallback, ".": the fallback is HOME for most callers, a folder the
// user may be browsing, so it is taken only when the system's temporary
// folder gives no name.  Unset variables are left out.
std::vector<std::string> TempDirectoryCandidates(const char *fallbackVariable, bool windowsRules);

// Appends the file names of a command, after "--" when one of them would
// otherwise pass for an option.  The strings must outlive the run.
void AppendFileOperands(CvsArgs &args, const Selection &names);

// A warning box with one OK button: "Error", then `lines` ("\n" between).
void ShowErrorText(const std::string &lines);

// OK/Cancel box listing up to ten names; 0 = go on.
int ConfirmCommand(int entryNumber, const Selection &selection);
// The all-in-one text of that box: heading line, up to ten names, "...".
std::string ConfirmationText(int entryNumber, const Selection &selection);
// Warning box on a non-zero code, then the output in the host's editor.
// `note`, when given, is one more line of the warning box.
void ReportOutcome(int exitCode, const char *outputPath, const char *note = nullptr);

#endif
