// The Add command's dialog.  Remove has none: the dispatcher confirms it.
#include "commands/commands.hpp"
#include "commands/dialog_items.hpp"

namespace {

enum { kCancel = 2, kBinary = 3, kItemCount = 5 };

// The check box keeps its last state for the next Add.
FarDialogItem gItems[kItemCount] = {
    DialogItem(DI_DOUBLEBOX, 3, 1, 27, 5, 0, 0, 0, 0, ""),
    DialogItem(DI_BUTTON, 0, 4, 0, 0, 0, 0, DIF_CENTERGROUP, 1, "OK"),
    DialogItem(DI_BUTTON, 0, 4, 0, 0, 0, 0, DIF_CENTERGROUP, 0, "Cancel"),
    DialogItem(DI_CHECKBOX, 5, 2, 15, 0, 0, 0, 0, 0, "Binary (-kb)"),
    DialogItem(DI_TEXT, 4, 3, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""),
};

}  // namespace

bool AskAddOptions(CvsArgs &args) {
  int result = RunDialog(gItems, kItemCount, 31, 7);
  if (result == -1 || result == kCancel) return false;
  if (gItems[kBinary].Selected) args.push_back("-kb");
  return true;
}
