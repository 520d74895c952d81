// The part of a run that is processes and files: the program started with
// its standard output and standard error in a file, the caller's work
// beside it on a worker thread, and its end (a break ends the program and
// everything it started).  Whatever shows the wait drives it: Start, wait
// on Process(), Finish.
#ifndef QUILLET_CAPTURED_RUN_HPP
#define QUILLET_CAPTURED_RUN_HPP

#include <stdio.h>

#include <atomic>
#include <exception>
#include <functional>

#include "os/owners.hpp"
#include "runner/cvs_args.hpp"
#include "runner/run_codes.hpp"

// Work of the caller's own done while the program runs; `ended` turns true
// once the program has ended and all it wrote is in the output file.
typedef std::function<void(const std::atomic<bool> &ended)> AlongsideWork;

class CapturedRun {
 public:
  CapturedRun() = default;
  // The work alongside is told the run has ended and is waited for.
  ~CapturedRun();
  CapturedRun(const CapturedRun &) = delete;
  CapturedRun &operator=(const CapturedRun &) = delete;

  // Opens the output file and starts args[0] (found as StartProgram finds
  // it).  0 when the program runs; else kRunNoInput, kRunNoOutputFile, or
  // kRunNotStarted with the reason written into the output file.
  int Start(const CvsArgs &args, const char *outputPath);
  // Starts `work` beside the running program, on a worker thread; where no
  // thread can be had it runs on the caller's thread in Finish.
  void StartAlongside(const AlongsideWork &work);

  os::Process *Process() const { return process_.get(); }
  FILE *Output() const { return output_.get(); }

  // Ends the run: the program is ended first (with `brokenCode` as its
  // code) when `broken`; waits until it is gone, closes the output, then
  // lets the work alongside finish, rethrowing what it threw.  The exit
  // code.
  int Finish(bool broken, int brokenCode);

 private:
  static void DoWork(void *raw);
  void FinishWork();

  os::OwnedFile output_;
  os::OwnedProcess process_;
  const AlongsideWork *work_ = nullptr;
  std::atomic<bool> ended_{false};
  std::exception_ptr failure_;
  os::JoinedThread worker_;
};

#endif
