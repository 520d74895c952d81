// The one way the module runs cvs for the user: an output file of its own,
// the run under the "CVS Running..." dialog, the exit code judged by the
// command's rule, and what the user is shown: a failure box that says why
// (the lines of cvs that give the cause), then the output in the editor.
#ifndef QUILLET_UI_CVS_RUN_HPP
#define QUILLET_UI_CVS_RUN_HPP

#include <string>
#include <vector>

#include "runner/captured_run.hpp"
#include "runner/cvs_args.hpp"
#include "runner/run_verdict.hpp"
#include "runner/temp_file.hpp"

class CvsRun {
 public:
  // Takes the output file; when none can be made a box says why, and the
  // run is not Ready.  `fallbackVariable` as for TempFileName.
  CvsRun(ExitRule rule, const char *fallbackVariable);

  bool Ready() const { return !output_.empty(); }
  // Reads the output of a run that ended well too (what a commit
  // committed); by default only a rule that needs it, or a failure, has
  // the output read, so that a large report costs no second reading.
  void ReadEvenOnSuccess() { readOnSuccess_ = true; }
  const std::string &OutputPath() const { return output_.Path(); }

  // Runs `args` (with `alongside` beside it, as RunCvsWhile) and judges it.
  const RunVerdict &Run(const CvsArgs &args, const AlongsideWork &alongside = nullptr);
  // Judges a run made by other means into OutputPath() (runs in batches).
  const RunVerdict &Judge(int exitCode);
  const RunVerdict &Verdict() const { return verdict_; }

  // A failure box that says why, with `note` as one more line; then, unless
  // the box is closed, the output in the editor.  A success shows the
  // output at once.
  void Show(const char *note = nullptr) const;
  void Show(const std::vector<std::string> &notes) const;

 private:
  ExitRule rule_;
  bool readOnSuccess_ = false;
  TempFile output_;
  RunVerdict verdict_;
};

// The lines of the failure box between its title and its buttons: what
// happened (broken off, the exit code), then the cause lines of cvs, each
// whole, wrapped at blanks to the box's width, at most kMaxBoxLines in all
// (a last line then says how many more the output holds).
std::vector<std::string> FailureLines(const RunVerdict &verdict);
const size_t kBoxWidth = 66;
const size_t kMaxBoxLines = 16;
// Why a run gave no answer, for a line of the panel: "the run was broken
// off", or the cause lines ("\n" between), or the exit code.
std::string WhyNoAnswer(const RunVerdict &verdict);
// Shows `verdict` of the output at `outputPath` as CvsRun::Show does.
// `notes` are more lines of the failure box.
void ShowVerdict(const RunVerdict &verdict, const char *outputPath,
                 const std::vector<std::string> &notes);
// The same for a run judged by exit code alone (0 is success); a caller
// that wants the output shown without a failure box passes 0.
void ReportOutcome(int exitCode, const char *outputPath, const char *note = nullptr);

#endif
