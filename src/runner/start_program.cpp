// Starting a program by name, without waiting for it.
#include <string>

#include "host/host.hpp"
#include "os/os.hpp"
#include "runner/child_environment.hpp"
#include "runner/program_search.hpp"
#include "runner/run_check.hpp"
#include "runner/runner.hpp"

os::OwnedProcess StartProgram(const char *name, const char *const *args, FILE *output,
                              std::string &error) {
  error.clear();
  if (name == nullptr || *name == '\0' || args == nullptr || args[0] == nullptr) {
    error = GetMsg(MStartNoProgram);
    return nullptr;
  }
  // What was checked before a question or an editor must still hold.
  error = CheckNoLongerHolds();
  if (!error.empty()) return nullptr;
  const SearchRules rules = HostSearchRules();
  const bool direct = HasDirectoryPart(name, rules);
  std::string pathText;
  const bool hasPath = os::GetEnv("PATH", pathText);
  std::string lastFailure;
  for (const std::string &candidate : ProgramCandidates(name, pathText, rules)) {
    if (!os::IsExecutableFile(candidate)) {
      if (os::IsRegularFile(candidate))
        lastFailure = FormatText(CheckedFormat(MStartNotExecutable), candidate.c_str());
      continue;
    }
    if (IsBatchFile(candidate, rules) && !FitsBatchCommandLine(args)) {
      error = FormatText(CheckedFormat(MStartBatchUnsafe), name, candidate.c_str());
      return nullptr;
    }
    bool notFound = false;
    std::string reason;
    os::OwnedProcess process(os::StartProcess(candidate, args, output, reason, notFound,
                                              ChildEnvironment(candidate, args)));
    // A program that runs on by itself and fails at once (a launcher whose
    // tool is missing) did not start what was asked; what it said is why.
    if (process != nullptr && output == nullptr && os::FailedAtOnce(process.get(), reason)) {
      const std::string failure = candidate + ": " + reason;
      error = FormatText(CheckedFormat(MStartNotStarted), name, failure.c_str());
      return nullptr;
    }
    if (process != nullptr) return process;
    lastFailure = candidate + ": " + reason;
    // A broken network share does not end the search; other failures do.
    if (!notFound && !IsNetworkPath(candidate)) {
      error = FormatText(CheckedFormat(MStartNotStarted), name, lastFailure.c_str());
      return nullptr;
    }
  }
  const int notFound = direct ? MStartNotFound : !hasPath ? MStartNoPath : MStartNotOnPath;
  error = FormatText(CheckedFormat(notFound), name);
  if (!lastFailure.empty()) error += " (" + lastFailure + ")";
  return nullptr;
}
