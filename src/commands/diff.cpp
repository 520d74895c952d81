// The Differences command: the comparison dialog and the visual tool.
#include <string.h>

#include "commands/commands.hpp"
#include "host/host.hpp"
#include "runner/program_search.hpp"
#include "runner/runner.hpp"
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
  Source From = kDefault;
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

// The items of one side in the dialog.
struct SideItems {
  int Default, Revision, Date, RevisionEdit, DateEdit;
};

SideItems AddSide(DialogBuilder &dialog, int top, const char *defaultText, const DiffSide &side) {
  SideItems at;
  at.Default = dialog.Add(DialogItem(DI_RADIOBUTTON, 5, top, 35, 0, 0,
                                     side.From == DiffSide::kDefault, DIF_GROUP, 0, defaultText));
  at.Revision = dialog.Add(DialogItem(DI_RADIOBUTTON, 5, top + 1, 36, 0, 0,
                                      side.From == DiffSide::kRevision, 0, 0,
                                      GetMsg(MDiffRevision)));
  at.Date = dialog.Add(DialogItem(DI_RADIOBUTTON, 5, top + 3, 36, 0, 0,
                                  side.From == DiffSide::kDate, 0, 0,
                                  GetMsg(MDiffDate)));
  at.RevisionEdit = dialog.Add(HistoryEdit(6, top + 2, 22, 0, "revision",
                                           DIF_HISTORY | DIF_SELECTONENTRY, side.Revision));
  at.DateEdit = dialog.Add(HistoryEdit(6, top + 4, 22, 0, "date", DIF_HISTORY, side.Date));
  return at;
}

void ReadSide(const DialogBuilder &dialog, const SideItems &at, DiffSide &side) {
  side.From = dialog.Selected(at.Revision) ? DiffSide::kRevision
              : dialog.Selected(at.Date)   ? DiffSide::kDate
                                           : DiffSide::kDefault;
  side.Revision = dialog.Value(at.RevisionEdit);
  side.Date = dialog.Value(at.DateEdit);
}

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
      return GetMsg(MRevisionRequired);
  for (const DiffSide *side : {&choices.First, &choices.Second})
    if (side->From == DiffSide::kDate && side->Date.empty()) return GetMsg(MDateRequired);
  return nullptr;
}

}  // namespace

bool AskDiffOptions(CvsArgs &args, bool &visualDiff) {
  DiffChoices &choices = gChoices;
  DialogBuilder dialog;
  dialog.Add(DialogItem(DI_DOUBLEBOX, 3, 1, 47, 20, 0, 0, 0, 0, ""));
  const SideItems first = AddSide(dialog, 2, GetMsg(MDiffFileOnDisk), choices.First);
  dialog.Add(DialogItem(DI_TEXT, 4, 7, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""));
  const SideItems second = AddSide(dialog, 8, GetMsg(MDiffLatest), choices.Second);
  dialog.Add(DialogItem(DI_TEXT, 4, 13, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""));
  const int recursive = dialog.Add(
      DialogItem(DI_CHECKBOX, 5, 14, 15, 0, 0, choices.Recursive, 0, 0, GetMsg(MRecursive)));
  dialog.Add(DialogItem(DI_TEXT, 4, 15, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""));
  dialog.Add(DialogItem(DI_RADIOBUTTON, 5, 16, 35, 0, 0, !choices.Visual, DIF_GROUP, 0,
                        GetMsg(MDiffText)));
  const int visual = dialog.Add(
      DialogItem(DI_RADIOBUTTON, 5, 17, 36, 0, 0, choices.Visual, 0, 0, GetMsg(MDiffVisual)));
  dialog.Add(DialogItem(DI_TEXT, 4, 18, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""));
  dialog.Add(DialogItem(DI_BUTTON, 0, 19, 0, 0, 0, 0, DIF_CENTERGROUP, 1, GetMsg(MOk)));
  const int cancel = dialog.Add(DialogItem(DI_BUTTON, 0, 19, 0, 0, 0, 0, DIF_CENTERGROUP, 0, GetMsg(MCancel)));
  dialog.Add(DialogItem(DI_TEXT, 0, 1, 0, 0, 0, 0, DIF_CENTERGROUP, 1, GetMsg(MDiffTitle)));

  for (;;) {
    const int result = dialog.Run(51, 22);
    // What the user left is kept, whichever way the dialog closed.
    ReadSide(dialog, first, choices.First);
    ReadSide(dialog, second, choices.Second);
    choices.Recursive = dialog.Selected(recursive);
    choices.Visual = dialog.Selected(visual);
    if (result == -1 || result == cancel) return false;
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
    ShowErrorText(GetMsg(MTkDiffUnsafeName));
    return kRunNotStarted;
  }
  // "cvs", "diff", "-u" give way to the tool; the rest is handed on.
  CvsArgs toolArgs = {kVisualDiffLauncher};
  for (size_t entry = 3; entry < args.size(); ++entry) toolArgs.Add(args[entry]);
  std::string error;
  // TkDiff runs on by itself: letting go of the process ends nothing.
  if (StartProgram(kVisualDiffLauncher, toolArgs.Argv().data(), nullptr, error) == nullptr) {
    if (kLauncherMayBeMissing)
      error = error + "\n" + GetMsg(MTkDiffPackage) + "\n" + GetMsg(MTkDiffLauncher);
    ShowErrorText(FormatText(CheckedFormat(MTkDiffNotStarted), error.c_str()));
    return kRunNotStarted;
  }
  return 0;
}
