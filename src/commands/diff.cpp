// The Differences command: the comparison dialog and the visual tool.
#include <string.h>

#include "commands/commands.hpp"
#include "commands/dialog_items.hpp"
#include "host/host.hpp"
#include "runner/program_search.hpp"

#ifdef _WIN32
const char *const kVisualDiffLauncher = "tkdiff.bat";
// A batch file is started through the command interpreter, which reads the
// whole command line with its own rules.
const bool kLauncherIsBatch = true;
const char *const kLauncherMissing = "";
#else
const char *const kVisualDiffLauncher = "quillet-tkdiff";
const bool kLauncherIsBatch = false;
// Where to get what is missing, when the launcher is not on PATH (./quillet
// puts it there only where TkDiff is installed).
const char *const kLauncherMissing =
    "\nTkDiff comes with the Debian package tkcvs (apt-get install tkcvs);"
    "\nits launcher quillet-tkdiff must be on PATH (./quillet puts it there).";
#endif

namespace {

enum {
  kFirstDisk = 1,
  kFirstRevision = 2,
  kFirstDate = 3,
  kFirstRevisionEdit = 4,
  kFirstDateEdit = 5,
  kSecondLatest = 7,
  kSecondRevision = 8,
  kSecondDate = 9,
  kSecondRevisionEdit = 10,
  kSecondDateEdit = 11,
  kRecursive = 13,
  kTextDiff = 15,
  kVisual = 16,
  kCancel = 19,
  kItemCount = 21
};

// The dialog keeps whatever the user left in it for the next comparison.
FarDialogItem gItems[kItemCount] = {
    DialogItem(DI_DOUBLEBOX, 3, 1, 47, 20, 0, 0, 0, 0, ""),
    DialogItem(DI_RADIOBUTTON, 5, 2, 35, 0, 0, 1, DIF_GROUP, 0, "File on disk"),
    DialogItem(DI_RADIOBUTTON, 5, 3, 36, 0, 0, 0, 0, 0, "Specific revision/tag (-r)"),
    DialogItem(DI_RADIOBUTTON, 5, 5, 36, 0, 0, 0, 0, 0, "Revision no later than date (-D)"),
    HistoryEdit(6, 4, 22, 0, "revision", DIF_HISTORY | DIF_SELECTONENTRY),
    HistoryEdit(6, 6, 22, 0, "date", DIF_HISTORY),
    DialogItem(DI_TEXT, 4, 7, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""),
    DialogItem(DI_RADIOBUTTON, 5, 8, 35, 0, 0, 1, DIF_GROUP, 0, "Latest version"),
    DialogItem(DI_RADIOBUTTON, 5, 9, 36, 0, 0, 0, 0, 0, "Specific revision/tag (-r)"),
    DialogItem(DI_RADIOBUTTON, 5, 11, 36, 0, 0, 0, 0, 0, "Revision no later than date (-D)"),
    HistoryEdit(6, 10, 22, 0, "revision", DIF_HISTORY | DIF_SELECTONENTRY),
    HistoryEdit(6, 12, 22, 0, "date", DIF_HISTORY),
    DialogItem(DI_TEXT, 4, 13, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""),
    DialogItem(DI_CHECKBOX, 5, 14, 15, 0, 0, 1, 0, 0, "R&ecursive"),
    DialogItem(DI_TEXT, 4, 15, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""),
    DialogItem(DI_RADIOBUTTON, 5, 16, 35, 0, 0, 1, DIF_GROUP, 0, "Default CVS text diff"),
    DialogItem(DI_RADIOBUTTON, 5, 17, 36, 0, 0, 0, 0, 0, "Visual TkDiff"),
    DialogItem(DI_TEXT, 4, 18, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""),
    DialogItem(DI_BUTTON, 0, 19, 0, 0, 0, 0, DIF_CENTERGROUP, 1, "OK"),
    DialogItem(DI_BUTTON, 0, 19, 0, 0, 0, 0, DIF_CENTERGROUP, 0, "Cancel"),
    DialogItem(DI_TEXT, 0, 1, 0, 0, 0, 0, DIF_CENTERGROUP, 1, "Compare"),
};

// Each side's revision or date handed on; they must outlive the run.
char gFirstValue[256];
char gSecondValue[256];

// Appends one side's option: "-r" or "-D" with its value, or nothing.
void AppendSide(CvsArgs &args, int revisionButton, int dateButton, int revisionEdit, int dateEdit,
                char (&value)[256]) {
  if (gItems[revisionButton].Selected) {
    CopyToField(value, gItems[revisionEdit].Data);
    args.push_back("-r");
    args.push_back(value);
  } else if (gItems[dateButton].Selected) {
    CopyToField(value, gItems[dateEdit].Data);
    args.push_back("-D");
    args.push_back(value);
  }
}

// TkDiff compares revisions only: the file itself, or one or two revisions
// given by number or tag.
bool VisualCanShow() {
  if (gItems[kFirstDate].Selected || gItems[kSecondDate].Selected) return false;
  return !gItems[kFirstRevision].Selected || gItems[kSecondRevision].Selected;
}

// The error to show when a side asks for a revision or date but holds none:
// cvs would take an empty revision as none and an empty date as today's
// midnight, and compare something the user never named.
const char *MissingValue() {
  if ((gItems[kFirstRevision].Selected && EditEmpty(gItems[kFirstRevisionEdit])) ||
      (gItems[kSecondRevision].Selected && EditEmpty(gItems[kSecondRevisionEdit])))
    return "Error\n Revision or tag is required";
  if ((gItems[kFirstDate].Selected && EditEmpty(gItems[kFirstDateEdit])) ||
      (gItems[kSecondDate].Selected && EditEmpty(gItems[kSecondDateEdit])))
    return "Error\n Date is required";
  return nullptr;
}

}  // namespace

bool AskDiffOptions(CvsArgs &args, bool &visualDiff) {
  for (;;) {
    int result = RunDialog(gItems, kItemCount, 51, 22);
    if (result == -1 || result == kCancel) return false;
    if (gItems[kVisual].Selected && !VisualCanShow()) {
      visualDiff = true;
      return false;
    }
    const char *missing = MissingValue();
    if (missing == nullptr) break;
    ShowErrorBox(missing);
  }

  if (gItems[kVisual].Selected) {
    visualDiff = true;
    AppendSide(args, kFirstRevision, kFirstDate, kFirstRevisionEdit, kFirstDateEdit, gFirstValue);
    AppendSide(args, kSecondRevision, kSecondDate, kSecondRevisionEdit, kSecondDateEdit,
               gSecondValue);
    return true;
  }

  visualDiff = false;
  if (!gItems[kRecursive].Selected) args.push_back("-l");
  AppendSide(args, kFirstRevision, kFirstDate, kFirstRevisionEdit, kFirstDateEdit, gFirstValue);
  AppendSide(args, kSecondRevision, kSecondDate, kSecondRevisionEdit, kSecondDateEdit,
             gSecondValue);
  return true;
}

int RunVisualDiff(const char *const *args) {
  if (args == nullptr) return -1000;
  if (kLauncherIsBatch && !FitsBatchCommandLine(args)) {
    ShowErrorBox("Error\nTkDiff cannot be started on a name or revision holding \" % & < > ^ or |");
    return kRunNotStarted;
  }
  // "cvs", "diff", "-u" give way to the tool; the rest is handed on.
  std::vector<const char *> toolArgs;
  toolArgs.push_back(kVisualDiffLauncher);
  size_t skipped = 0;
  for (const char *const *entry = args; *entry != nullptr; ++entry) {
    if (skipped < 3) {
      ++skipped;
      continue;
    }
    toolArgs.push_back(*entry);
  }
  toolArgs.push_back(nullptr);
  std::string error;
  os::Process *process = StartProgram(kVisualDiffLauncher, toolArgs.data(), nullptr, error);
  if (process == nullptr) {
    ShowErrorText("TkDiff cannot be started: " + error + kLauncherMissing);
    return kRunNotStarted;
  }
  os::FreeProcess(process);
  return 0;
}
