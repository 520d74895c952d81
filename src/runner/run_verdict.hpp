// What a finished run of cvs means: each command judges its exit code by a
// rule of its own (diff ends with 1 when it finds differences, a dry-run
// update with 1 when a file is in conflict), and a failure is told with the
// lines of cvs that give its cause, whole.
#ifndef QUILLET_RUN_VERDICT_HPP
#define QUILLET_RUN_VERDICT_HPP

#include <stddef.h>

#include <string>
#include <vector>

// How the exit code of a run is judged.
enum class ExitRule {
  // 0 is success, anything else a failure.
  ZeroOnly,
  // diff: 0, or 1 with output and no error line of cvs (the files differ).
  DifferencesFound,
  // A dry-run update asked for states: 0, or 1 where a conflict line
  // explains the code and nothing says the run was cut short.
  ConflictExplains,
  // A dry-run update whose answer counts whatever cvs's own failure code
  // (0 or 1) says.
  CvsAnswered,
  // checkout and export: the output is the answer whatever code cvs gave;
  // only a run that never got going or was broken off fails.
  OutputAnswers,
};

// The rule of the cvs command `word` ("diff", "checkout"...) when it is
// run for the user: one table for every place that runs it.
ExitRule ExitRuleFor(const std::string &word);

// What is learnt of a run's output as it is read line by line.
struct OutputScan {
  size_t Lines = 0;            // lines of any kind
  bool Conflict = false;       // a "C name" line
  bool Aborted = false;        // a line holding "aborted]"
  size_t FilesWritten = 0;     // "U name" and "P name" lines
  size_t FilesCommitted = 0;   // "new revision:", "initial revision:", "Removing "
  bool ConflictMarkers = false;  // cvs refused a file that still holds or had a conflict
  // The lines that give the cause of a failure: cvs's own messages (its
  // notes of progress left out) and the line of another program (ssh)
  // just before one; whole, at most kMaxCauses of them.
  std::vector<std::string> Causes;
  size_t CausesLeft = 0;  // cause lines past kMaxCauses
  std::string Foreign;    // the last line of another program, or of the runner
  bool ForeignJustBefore = false;  // the line read last was that one
};
const size_t kMaxCauses = 40;

// Adds one line of output (without its line end).
void ScanOutputLine(OutputScan &scan, const char *line, size_t length);
// Scans the output file at `path`; false when it cannot be opened.
bool ScanOutputFile(const std::string &path, OutputScan &scan);

// Whether `line` is a message of cvs itself ("cvs update: ...",
// "cvs [commit aborted]: ...").
bool IsCvsMessage(const std::string &line);

struct RunVerdict {
  enum Kind { Succeeded, Failed, BrokenOff, NotStarted };
  Kind What = NotStarted;
  int ExitCode = 0;
  OutputScan Scan;
  bool Ok() const { return What == Succeeded; }
};

// Judges a run that ended with `exitCode` (or a runner code: broken off,
// not started) and whose output `scan` read.
RunVerdict JudgeRun(ExitRule rule, int exitCode, const OutputScan &scan);

#endif
