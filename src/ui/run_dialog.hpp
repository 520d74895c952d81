// Running cvs (or any program) under the modal "CVS Running..." dialog.
#ifndef QUILLET_UI_RUN_DIALOG_HPP
#define QUILLET_UI_RUN_DIALOG_HPP

#include "runner/captured_run.hpp"
#include "runner/cvs_args.hpp"
#include "runner/run_codes.hpp"

// Runs `args` (entry 0 names the program) with standard output and
// standard error in `outputPath`.  Returns the exit code, or one of the
// RunResult codes (runner/runner.hpp).
int RunCvs(const CvsArgs &args, const char *outputPath);
// The same for a null-ended argument vector.
int RunCvs(const char *const *args, const char *outputPath);
// The same, with `alongside` done on a worker thread while the program
// runs and the dialog stands, so that work of the caller's own hides behind
// the program's.  `ended` turns true once the program has ended (by itself
// or broken off) and everything it wrote is in the output file; the run
// returns only after `alongside` has.  `alongside` runs only when the
// program started, on the caller's thread after the run when no thread can
// be had; an exception it throws reaches the caller after the run.
int RunCvsWhile(const CvsArgs &args, const char *outputPath, const AlongsideWork &alongside);
int RunCvsWhile(const char *const *args, const char *outputPath, const AlongsideWork &alongside);

#endif
