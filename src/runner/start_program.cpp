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
      if (os::IsRegularFile(candidate)) lastFailure = candidate + " is not executable";
      continue;
    }
    if (IsBatchFile(candidate, rules) && !FitsBatchCommandLine(args)) {
      error = std::string("\"") + name + "\" is the batch file " + candidate +
              ", and an argument holds \" % & < > ^ | or a control character, which its command"
              " interpreter would act on";
      return nullptr;
    }
    bool notFound = false;
    std::string reason;
    os::OwnedProcess process(os::StartProcess(candidate, args, output, reason, notFound,
                                              ChildEnvironment(candidate, args)));
    // A program that runs on by itself and fails at once (a launcher whose
    // tool is missing) did not start what was asked; what it said is why.
    if (process != nullptr && output == nullptr && os::FailedAtOnce(process.get(), reason)) {
      error =
          std::string("\"") + name + "\" could not be started (" + candidate + ": " + reason + ")";
      return nullptr;
    }
    if (process != nullptr) return process;
    lastFailure = candidate + ": " + reason;
    // A broken network share does not end the search; other failures do.
    if (!notFound && !IsNetworkPath(candidate)) {
      error = std::string("\"") + name + "\" could not be started (" + lastFailure + ")";
      return nullptr;
    }
  }
  if (direct) {
    error = std::string("\"") + name + "\" was not found";
  } else if (!hasPath) {
    error = std::string("\"") + name + "\" was not found: PATH is not set";
  } else {
    error = std::string("\"") + name + "\" was not found on PATH";
  }
  if (!lastFailure.empty()) error += " (" + lastFailure + ")";
  return nullptr;
}
