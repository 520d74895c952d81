// The Update command's options dialog.
#include "commands/commands.hpp"
#include "commands/dialog_items.hpp"
#include "host/host.hpp"

namespace {

enum {
  kOk = 1,
  kCancel = 2,
  kCurrentBranch = 3,
  kTrunk = 4,
  kRevision = 5,
  kDate = 6,
  kRevisionEdit = 7,
  kDateEdit = 8,
  kRecursive = 9,
  kCreateFolders = 10,
  kItemCount = 14
};

// The dialog keeps whatever the user left in it for the next Update.
FarDialogItem gItems[kItemCount] = {
    DialogItem(DI_DOUBLEBOX, 3, 1, 47, 13, 0, 0, 0, 0, ""),
    DialogItem(DI_BUTTON, 0, 12, 0, 0, 0, 0, DIF_CENTERGROUP, 1, "OK"),
    DialogItem(DI_BUTTON, 0, 12, 0, 0, 0, 0, DIF_CENTERGROUP, 0, "Cancel"),
    DialogItem(DI_RADIOBUTTON, 5, 2, 35, 0, 0, 1, DIF_GROUP, 0, "to current branch (no options)"),
    DialogItem(DI_RADIOBUTTON, 5, 3, 39, 0, 0, 0, 0, 0, "to main trunk, clear all tags (-A)"),
    DialogItem(DI_RADIOBUTTON, 5, 4, 36, 0, 0, 0, 0, 0, "to a specific revision/tag (-r)"),
    DialogItem(DI_RADIOBUTTON, 5, 6, 36, 0, 0, 0, 0, 0, "to a revision no later than date (-D)"),
    HistoryEdit(6, 5, 22, 0, "revision", DIF_HISTORY | DIF_SELECTONENTRY),
    HistoryEdit(6, 7, 22, 0, "date", DIF_HISTORY),
    DialogItem(DI_CHECKBOX, 5, 9, 15, 0, 0, 1, 0, 0, "R&ecursive"),
    DialogItem(DI_CHECKBOX, 5, 10, 15, 0, 0, 0, 0, 0, "Re-create missing folders (-d)"),
    DialogItem(DI_TEXT, 4, 8, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""),
    DialogItem(DI_TEXT, 4, 11, 28, 10, 0, 0, DIF_SEPARATOR, 0, ""),
    DialogItem(DI_TEXT, 27, 7, 39, 0, 0, 0, 0, 0, "(YYYY-MM-DD)"),
};

// The revision or date handed to cvs; it must outlive the run.
char gValue[256];

}  // namespace

bool AskUpdateOptions(CvsArgs &args) {
  for (;;) {
    int result = RunDialog(gItems, kItemCount, 51, 14);
    if (result == -1 || result == kCancel) return false;
    if (gItems[kRevision].Selected && EditEmpty(gItems[kRevisionEdit])) {
      ShowErrorBox("Error\n Revision or tag is required");
      continue;
    }
    if (gItems[kDate].Selected && EditEmpty(gItems[kDateEdit])) {
      ShowErrorBox("Error\n Date is required");
      continue;
    }
    break;
  }
  if (!gItems[kRecursive].Selected) args.push_back("-l");
  if (gItems[kCreateFolders].Selected) args.push_back("-d");
  if (gItems[kTrunk].Selected) {
    args.push_back("-A");
  } else if (gItems[kRevision].Selected) {
    CopyToField(gValue, gItems[kRevisionEdit].Data);
    args.push_back("-r");
    args.push_back(gValue);
  } else if (gItems[kDate].Selected) {
    CopyToField(gValue, gItems[kDateEdit].Data);
    args.push_back("-D");
    args.push_back(gValue);
  }
  return true;
}
