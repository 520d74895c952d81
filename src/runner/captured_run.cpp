// Starting a program with its output captured, and ending it.
#include "runner/captured_run.hpp"

#include <string>
#include <vector>

#include "os/os.hpp"
#include "runner/cvs_args.hpp"
#include "runner/run_codes.hpp"
#include "runner/start_program.hpp"
#include "runner/temp_file.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"

CapturedRun::~CapturedRun() {
  ended_.store(true);
  worker_.Join();
}

int CapturedRun::Start(const CvsArgs &args, const char *outputPath) {
  if (args.empty() || outputPath == nullptr) return kRunNoInput;
  const std::vector<const char *> argv = args.Argv();
  output_ = OpenTempFile(outputPath, "w");
  if (output_ == nullptr) return kRunNoOutputFile;
  std::string error;
  process_ = StartProgram(argv[0], argv.data(), output_.get(), error);
  if (process_ == nullptr) {
    // Nothing runs: the reason goes where the user will read the output.
    fprintf(output_.get(), "%s\n", FormatText(CheckedFormat(MRunNotStarted), error.c_str()).c_str());
    output_.reset();
    return kRunNotStarted;
  }
  return 0;
}

void CapturedRun::DoWork(void *raw) {
  CapturedRun *run = static_cast<CapturedRun *>(raw);
  try {
    (*run->work_)(run->ended_);
  } catch (...) {
    run->failure_ = std::current_exception();
  }
}

void CapturedRun::StartAlongside(const AlongsideWork &work) {
  if (!work || process_ == nullptr) return;
  work_ = &work;
  worker_.Start(DoWork, this);
}

void CapturedRun::FinishWork() {
  ended_.store(true);
  if (worker_.Started()) {
    worker_.Join();
  } else if (work_ != nullptr) {
    DoWork(this);
  }
  work_ = nullptr;
  if (failure_) std::rethrow_exception(failure_);
}

int CapturedRun::Finish(bool broken, int brokenCode) {
  if (process_ == nullptr) return kRunNotStarted;
  if (broken) os::TerminateProcess(process_.get(), brokenCode);
  const int exitCode = os::ProcessExitCode(process_.get());
  process_.reset();
  output_.reset();
  // The process is gone, so all it wrote is in the file.
  FinishWork();
  return exitCode;
}
