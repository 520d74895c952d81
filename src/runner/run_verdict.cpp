// Judging a finished run: its exit code by the command's rule, its output
// for the lines that tell why it failed.
#include "runner/run_verdict.hpp"

#include <string.h>

#include "os/os.hpp"
#include "os/owners.hpp"
#include "runner/output_lines.hpp"
#include "runner/run_codes.hpp"
#include "runner/start_program.hpp"
#include "runner/temp_file.hpp"

namespace {

struct CommandRule {
  const char *Word;
  ExitRule Rule;
};

// The commands whose exit code means something else than 0 / failure.
const CommandRule kCommandRules[] = {
    {"diff", ExitRule::DifferencesFound},
    {"checkout", ExitRule::OutputAnswers},
    {"export", ExitRule::OutputAnswers},
};

// The parts of cvs's messages that tell of progress or of what it did, not
// of something that went wrong.
const char *const kProgressNotes[] = {
    ": Updating ",  ": Examining ",  ": Logging ",          ": Diffing ",
    ": Tagging ",   ": Exporting ",  ": scheduling ",       ": use 'cvs commit'",
    ": use `cvs commit'", "no comparison available", ": Removing ",
};

// The beginnings of lines that belong to the reports of the commands:
// never the cause of a failure.
const char *const kReportStarts[] = {
    "File: ",       "RCS file: ",      "Working file: ", "retrieving revision", "diff ",
    "Index: ",      "head:",           "branch:",        "locks:",              "access list:",
    "symbolic names:", "keyword substitution:", "total revisions:", "description:",
    "revision ",    "date: ",          "Checking in ",   "new revision:",       "initial revision:",
    "done",         "Directory ",      "Repository revision:", "Working revision:",
};

bool StartsWith(const std::string &line, const char *start) {
  return line.compare(0, strlen(start), start) == 0;
}

bool IsProgressNote(const std::string &line) {
  for (const char *note : kProgressNotes)
    if (line.find(note) != std::string::npos) return true;
  return false;
}

// A line that a command's report holds: indented, a separator, a state
// letter and a name, a diff line, or one of the report's labels.
bool IsReportLine(const std::string &line) {
  if (line.empty() || line[0] == ' ' || line[0] == '\t') return true;
  if (strchr("=+-@<>*", line[0]) != nullptr) return true;
  if (line.size() > 2 && line[1] == ' ' && strchr("UPAMRC?NIL", line[0]) != nullptr) return true;
  for (const char *start : kReportStarts)
    if (StartsWith(line, start)) return true;
  return false;
}

void AddCause(OutputScan &scan, const std::string &line) {
  if (scan.Causes.size() < kMaxCauses)
    scan.Causes.push_back(line);
  else
    ++scan.CausesLeft;
}

}  // namespace

ExitRule ExitRuleFor(const std::string &word) {
  for (const CommandRule &rule : kCommandRules)
    if (word == rule.Word) return rule.Rule;
  return ExitRule::ZeroOnly;
}

bool IsCvsMessage(const std::string &line) {
  for (const char *name : {"cvs", "cvs.exe"}) {
    const size_t length = strlen(name);
    if (line.size() > length + 1 && line.compare(0, length, name) == 0 &&
        (line[length] == ' ' || line[length] == '[' || line[length] == ':') &&
        line.find(':', length) != std::string::npos)
      return true;
  }
  return false;
}

void ScanOutputLine(OutputScan &scan, const char *text, size_t length) {
  // A NUL ends the line as a C string would end it.
  const std::string line(text, strnlen(text, length));
  ++scan.Lines;
  const bool previousForeign = scan.ForeignJustBefore;
  scan.ForeignJustBefore = false;
  if (line.find("aborted]") != std::string::npos) scan.Aborted = true;
  if (line.size() > 2 && line[1] == ' ') {
    if (line[0] == 'C') scan.Conflict = true;
    if (line[0] == 'U' || line[0] == 'P') ++scan.FilesWritten;
  }
  if (StartsWith(line, "new revision:") || StartsWith(line, "initial revision:"))
    ++scan.FilesCommitted;
  if (IsCvsMessage(line)) {
    if (IsProgressNote(line)) return;
    if (line.find("conflict") != std::string::npos) scan.ConflictMarkers = true;
    // "Permission denied" of ssh comes just before cvs's "end of file from
    // server": the line that says why goes with the one that says what.
    if (previousForeign) AddCause(scan, scan.Foreign);
    AddCause(scan, line);
    return;
  }
  if (!IsReportLine(line)) {
    scan.Foreign = line;
    scan.ForeignJustBefore = true;
  }
}

bool ScanOutputFile(const std::string &path, OutputScan &scan) {
  const os::OwnedFile output = OpenTempFile(path, "rb");
  if (output == nullptr) return false;
  OutputLines lines;
  StartOutputLines(lines, output.get());
  const char *text;
  size_t length;
  while (NextOutputLine(lines, text, length)) ScanOutputLine(scan, text, length);
  return true;
}

RunVerdict JudgeRun(ExitRule rule, int exitCode, const OutputScan &scan) {
  RunVerdict verdict;
  verdict.ExitCode = exitCode;
  verdict.Scan = scan;
  bool ok = false;
  switch (rule) {
    case ExitRule::ZeroOnly:
      ok = exitCode == 0;
      break;
    case ExitRule::DifferencesFound:
      ok = exitCode == 0 || (exitCode == 1 && scan.Lines > 0 && scan.Causes.empty());
      break;
    case ExitRule::ConflictExplains:
      ok = exitCode == 0 || (exitCode == 1 && scan.Conflict && !scan.Aborted);
      break;
    case ExitRule::CvsAnswered:
      ok = exitCode == 0 || exitCode == 1;
      break;
    case ExitRule::OutputAnswers:
      ok = exitCode >= 0;
      break;
  }
  if (ok) {
    verdict.What = RunVerdict::Succeeded;
  } else if (exitCode == kRunBroken) {
    verdict.What = RunVerdict::BrokenOff;
  } else if (exitCode == kRunNoInput || exitCode == kRunNoOutputFile ||
             exitCode == kRunNotStarted) {
    verdict.What = RunVerdict::NotStarted;
  } else {
    verdict.What = RunVerdict::Failed;
  }
  // Where cvs said nothing of its own, the last line of what it started
  // (or the runner's reason why it never started) is the cause.
  if (!verdict.Ok() && verdict.Scan.Causes.empty() && !scan.Foreign.empty())
    verdict.Scan.Causes.push_back(scan.Foreign);
  return verdict;
}
