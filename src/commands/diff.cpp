// The Differences command: the comparison dialog and the visual tool.
#include <string.h>

#include "commands/commands.hpp"
#include "runner/cvs_args.hpp"
#include "runner/program_search.hpp"
#include "runner/run_codes.hpp"
#include "runner/start_program.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/dialog.hpp"

#ifdef _WIN32
const char *const kVisualDiffLauncher = "tkdiff.bat";
// A batch file is started through the command interpreter, which reads the
// whole command line with its own rules.
const bool kLauncherIsBatch = true;
const bool kLauncherMayBeMissing = false;
#else
const char *const kVisualDiffLauncher = "quillet-tkdiff";
const bool kLauncherIsBatch = false;
// Where to get what is missing, when the launcher is not on PATH (./quillet
// puts it there only where TkDiff is installed).
const bool kLauncherMayBeMissing = true;
#endif

namespace {

// One side of the comparison as the user left it.
struct DiffSide {
  enum Source { kDefault, kRevision, kDate };  // the file on disk / the latest version
  int From = kDefault;
  std::string Revision;
  std::string Date;
};

// What the user left in the dialog, offered again by the next comparison.
struct DiffChoices {
  DiffSide First;
  DiffSide Second;
  bool Recursive = true;
  bool Visual = false;
};
DiffChoices gChoices;

// Appends one side's option: "-r" or "-D" with its value, or nothing.
void AppendSide(CvsArgs &args, const DiffSide &side) {
  if (side.From == DiffSide::kRevision) {
    args.Add("-r");
    args.Add(side.Revision.substr(0, 255));
  } else if (side.From == DiffSide::kDate) {
    args.Add("-D");
    args.Add(side.Date.substr(0, 255));
  }
}

// TkDiff compares revisions only: the file itself, or one or two revisions
// given by number or tag.
bool VisualCanShow(const DiffChoices &choices) {
  if (choices.First.From == DiffSide::kDate || choices.Second.From == DiffSide::kDate) return false;
  return choices.First.From != DiffSide::kRevision || choices.Second.From == DiffSide::kRevision;
}

// The error to show when a side asks for a revision or date but holds none:
// cvs would take an empty revision as none and an empty date as today's
// midnight, and compare something the user never named.
const char *MissingValue(const DiffChoices &choices) {
  for (const DiffSide *side : {&choices.First, &choices.Second})
    if (side->From == DiffSide::kRevision && side->Revision.empty())
      return MessageText(MRevisionRequired);
  for (const DiffSide *side : {&choices.First, &choices.Second})
    if (side->From == DiffSide::kDate && side->Date.empty()) return MessageText(MDateRequired);
  return nullptr;
}

}  // namespace

const DialogDeclaration &DiffDialog() {
  DiffSide &first = gChoices.First;
  DiffSide &second = gChoices.Second;
  static const DialogDeclaration dialog = {
      51, 22,
      {Box(3, 1, 47, 20),
       Radio("firstDisk", MDiffFileOnDisk, Field(first.From, DiffSide::kDefault), 5, 2, 35,
             DIF_GROUP),
       Radio("firstRevision", MDiffRevision, Field(first.From, DiffSide::kRevision), 5, 3, 36),
       Radio("firstDate", MDiffDate, Field(first.From, DiffSide::kDate), 5, 5, 36),
       Edit("firstRevisionEdit", Field(first.Revision), "revision", 6, 4, 22, DIF_SELECTONENTRY),
       Edit("firstDateEdit", Field(first.Date), "date", 6, 6, 22),
       Separator(4, 7, 28, 8),
       Radio("secondLatest", MDiffLatest, Field(second.From, DiffSide::kDefault), 5, 8, 35,
             DIF_GROUP),
       Radio("secondRevision", MDiffRevision, Field(second.From, DiffSide::kRevision), 5, 9, 36),
       Radio("secondDate", MDiffDate, Field(second.From, DiffSide::kDate), 5, 11, 36),
       Edit("secondRevisionEdit", Field(second.Revision), "revision", 6, 10, 22,
            DIF_SELECTONENTRY),
       Edit("secondDateEdit", Field(second.Date), "date", 6, 12, 22),
       Separator(4, 13, 28, 8),
       Check("recursive", MRecursive, Field(gChoices.Recursive), 5, 14, 15),
       Separator(4, 15, 28, 8),
       Radio("text", MDiffText, Field(gChoices.Visual, false), 5, 16, 35, DIF_GROUP),
       Radio("visual", MDiffVisual, Field(gChoices.Visual, true), 5, 17, 36),
       Separator(4, 18, 28, 8),
       Button("ok", MOk, 19).AsDefault(),
       Button("cancel", MCancel, 19),
       Text("title", MDiffTitle, 0, 1, 0, 0, DIF_CENTERGROUP).AsDefault()}};
  return dialog;
}

bool AskDiffOptions(CvsArgs &args, bool &visualDiff) {
  const DiffChoices &choices = gChoices;
  DialogSession dialog(DiffDialog());
  for (;;) {
    // What the user left is kept, whichever way the dialog closed.
    const std::string closedBy = dialog.Show();
    if (closedBy.empty() || closedBy == "cancel") return false;
    if (choices.Visual && !VisualCanShow(choices)) {
      visualDiff = true;
      return false;
    }
    const char *missing = MissingValue(choices);
    if (missing == nullptr) break;
    ShowErrorText(missing);
  }

  visualDiff = choices.Visual;
  if (!choices.Visual && !choices.Recursive) args.Add("-l");
  AppendSide(args, choices.First);
  AppendSide(args, choices.Second);
  return true;
}

int RunVisualDiff(const CvsArgs &args) {
  if (args.empty()) return kRunNoInput;
  if (kLauncherIsBatch && !FitsBatchCommandLine(args.Argv().data())) {
    ShowErrorText(MessageText(MTkDiffUnsafeName));
    return kRunNotStarted;
  }
  // "cvs", "diff", "-u" give way to the tool; the rest is handed on.
  CvsArgs toolArgs = {kVisualDiffLauncher};
  for (size_t entry = 3; entry < args.size(); ++entry) toolArgs.Add(args[entry]);
  std::string error;
  // TkDiff runs on by itself: letting go of the process ends nothing.
  if (StartProgram(kVisualDiffLauncher, toolArgs.Argv().data(), nullptr, error) == nullptr) {
    if (kLauncherMayBeMissing)
      error = error + "\n" + MessageText(MTkDiffPackage) + "\n" + MessageText(MTkDiffLauncher);
    ShowErrorText(FormatText(CheckedFormat(MTkDiffNotStarted), error.c_str()));
    return kRunNotStarted;
  }
  return 0;
}
