// Checkout and Export: one dialog, one argument list, one run.
#include "commands/commands.hpp"
#include "commands/dialog_items.hpp"
#include "host/host.hpp"
#include "runner/cvs_root.hpp"

namespace {

enum {
  kTitle = 0,
  kCancel = 2,
  kModuleLabel = 3,
  kModuleEdit = 4,
  kRootEdit = 6,
  kDestinationEdit = 8,
  kRevisionEdit = 10,
  kDateEdit = 12,
  kRecursive = 13,
  kItemCount = 16
};

// Shared by Checkout and Export; module, root, revision, date and the check
// box carry over from one run to the next.
FarDialogItem gItems[kItemCount] = {
    DialogItem(DI_DOUBLEBOX, 3, 1, 72, 12, 0, 0, 0, 0, ""),
    DialogItem(DI_BUTTON, 0, 11, 0, 0, 0, 0, DIF_CENTERGROUP, 1, "OK"),
    DialogItem(DI_BUTTON, 0, 11, 0, 0, 0, 0, DIF_CENTERGROUP, 0, "Cancel"),
    DialogItem(DI_TEXT, 5, 2, 70, 0, 0, 0, 0, 0, "&Module:"),
    HistoryEdit(5, 3, 70, 1, "module", DIF_HISTORY | DIF_SELECTONENTRY),
    DialogItem(DI_TEXT, 5, 4, 70, 0, 0, 0, 0, 0,
               "CVS &Root: (if empty CVS will use environment variable CVSROOT)"),
    HistoryEdit(5, 5, 70, 0, "cvsroot", DIF_HISTORY | DIF_USELASTHISTORY | DIF_SELECTONENTRY),
    DialogItem(DI_TEXT, 5, 7, 17, 0, 0, 0, 0, 0, "Destinatio&n:"),
    HistoryEdit(18, 7, 50, 0, "destination", DIF_HISTORY | DIF_SELECTONENTRY),
    DialogItem(DI_TEXT, 5, 9, 17, 0, 0, 0, 0, 0, "Revision/&Tag:"),
    HistoryEdit(18, 9, 34, 0, "revision", DIF_HISTORY | DIF_SELECTONENTRY),
    DialogItem(DI_TEXT, 37, 9, 41, 0, 0, 0, 0, 0, "&Date:"),
    HistoryEdit(42, 9, 50, 0, "date", DIF_HISTORY),
    DialogItem(DI_CHECKBOX, 55, 9, 65, 0, 0, 1, 0, 0, "R&ecursive"),
    DialogItem(DI_TEXT, 4, 6, 71, 6, 0, 0, DIF_SEPARATOR, 0, ""),
    DialogItem(DI_TEXT, 4, 10, 71, 10, 0, 0, DIF_SEPARATOR, 0, ""),
};

const int kCheckout = 3;

}  // namespace

int CheckoutOrExport(int command) {
  bool checkout = command == kCheckout;
  CopyToField(gItems[kTitle].Data, checkout ? "Checkout" : "Export");
  CopyToField(gItems[kModuleLabel].Data, GetMsg(MModuleLabel));
  CopyToField(gItems[kDestinationEdit].Data, "");
  if (!checkout) CopyToField(gItems[kDateEdit].Data, "now");

  for (;;) {
    int result = RunDialog(gItems, kItemCount, 76, 14);
    if (result == -1 || result == kCancel) return 0;
    if (!EditEmpty(gItems[kModuleEdit])) break;
    ShowErrorBox("Error\nModule name is required");
  }

  std::string module = EditValue(gItems[kModuleEdit], 127);
  std::string root = EditValue(gItems[kRootEdit], 239);
  std::string destination = EditValue(gItems[kDestinationEdit], 127);
  std::string revision = EditValue(gItems[kRevisionEdit], 31);
  std::string date = EditValue(gItems[kDateEdit], 31);
  bool recursive = gItems[kRecursive].Selected != 0;
  // Without a root of its own, cvs takes the one of the working copy it
  // runs in.
  if (root.empty() && !MayRunOnCurrentFolderRoot()) return 0;

  CvsArgs args;
  args.push_back("cvs");
  if (!root.empty()) {
    args.push_back("-d");
    args.push_back(root.c_str());
  }
  args.push_back(checkout ? "checkout" : "export");
  if (!destination.empty()) {
    args.push_back("-d");
    args.push_back(destination.c_str());
  }
  if (!revision.empty()) {
    args.push_back("-r");
    args.push_back(revision.c_str());
  }
  if (!date.empty()) {
    args.push_back("-D");
    args.push_back(date.c_str());
  }
  if (!recursive) args.push_back("-l");
  args.push_back(module.c_str());
  args.push_back(nullptr);

  std::string outputPath = TempFileNameOrSay("TEMP");
  if (outputPath.empty()) return kRunNoOutputFile;
  int result = RunCvs(args.data(), outputPath.c_str());
  // The output is shown at once; only a run that never got going (the
  // runner's own negative codes) is flagged as a failure first, since its
  // output file holds nothing that would explain it.
  ReportOutcome(result < 0 ? result : 0, outputPath.c_str());
  os::RemoveFile(outputPath);
  return result;
}
