// Starting a program by name, without waiting for it.
#include <string>

#include "runner/start_program.hpp"

#include "os/os.hpp"
#include "runner/child_environment.hpp"
#include "runner/program_search.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "working_copy/run_check.hpp"

std::string StartFailureText(const os::StartFailure &failure) {
  switch (failure.What) {
    case os::StartFailure::None:
      return std::string();
    case os::StartFailure::NoProgram:
      return MessageText(MStartNoProgram);
    case os::StartFailure::NoOutput:
      return MessageText(MStartNoOutput);
    case os::StartFailure::NoHandle:
      return MessageText(MStartNoHandle);
    case os::StartFailure::NoMemory:
      return MessageText(MStartNoMemory);
    case os::StartFailure::System:
      return failure.Said.empty() ? FormatText(CheckedFormat(MStartSystemError), failure.Code)
                                  : failure.Said;
    case os::StartFailure::EndedAtOnce: {
      const std::string ended = FormatText(CheckedFormat(MStartEndedAtOnce), failure.Code);
      return failure.Said.empty() ? ended : ended + ": " + failure.Said;
    }
  }
  return std::string();
}

os::OwnedProcess StartProgram(const char *name, const char *const *args, FILE *output,
                              std::string &error) {
  error.clear();
  if (name == nullptr || *name == '\0' || args == nullptr || args[0] == nullptr) {
    error = MessageText(MStartNoProgram);
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
    os::StartFailure failure;
    os::OwnedProcess process(
        os::StartProcess(candidate, args, output, failure, ChildEnvironment(candidate, args)));
    // A program that runs on by itself and fails at once (a launcher whose
    // tool is missing) did not start what was asked; what it said is why.
    if (process != nullptr && output == nullptr && os::FailedAtOnce(process.get(), failure)) {
      const std::string why = candidate + ": " + StartFailureText(failure);
      error = FormatText(CheckedFormat(MStartNotStarted), name, why.c_str());
      return nullptr;
    }
    if (process != nullptr) return process;
    lastFailure = candidate + ": " + StartFailureText(failure);
    // A broken network share does not end the search; other failures do.
    if (!failure.NotFound && !IsNetworkPath(candidate)) {
      error = FormatText(CheckedFormat(MStartNotStarted), name, lastFailure.c_str());
      return nullptr;
    }
  }
  const int notFound = direct ? MStartNotFound : !hasPath ? MStartNoPath : MStartNotOnPath;
  error = FormatText(CheckedFormat(notFound), name);
  if (!lastFailure.empty()) error += " (" + lastFailure + ")";
  return nullptr;
}
