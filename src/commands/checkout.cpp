// Checkout and Export: one dialog, one argument list, one run.
#include "commands/commands.hpp"
#include "host/host.hpp"
#include "ui/boxes.hpp"
#include "ui/dialog.hpp"
#include "ui/run_dialog.hpp"

namespace {

// Shared by Checkout and Export: module, root, revision, date and the check
// box carry over from one run to the next; the destination is asked anew.
struct CheckoutChoices {
  std::string Module;
  std::string Root;
  std::string Destination;
  std::string Revision;
  std::string Date;
  bool Recursive = true;
};
CheckoutChoices gChoices;

}  // namespace

int CheckoutOrExport(bool checkout) {
  CheckoutChoices &choices = gChoices;
  choices.Destination.clear();
  if (!checkout) choices.Date = "now";

  DialogBuilder dialog;
  dialog.Add(DialogItem(DI_DOUBLEBOX, 3, 1, 72, 12, 0, 0, 0, 0, GetMsg(checkout ? MVerbCheckout : MVerbExport)));
  dialog.Add(DialogItem(DI_BUTTON, 0, 11, 0, 0, 0, 0, DIF_CENTERGROUP, 1, GetMsg(MOk)));
  const int cancel = dialog.Add(DialogItem(DI_BUTTON, 0, 11, 0, 0, 0, 0, DIF_CENTERGROUP, 0, GetMsg(MCancel)));
  dialog.Add(DialogItem(DI_TEXT, 5, 2, 70, 0, 0, 0, 0, 0, GetMsg(MModuleLabel)));
  const int moduleEdit = dialog.Add(
      HistoryEdit(5, 3, 70, 1, "module", DIF_HISTORY | DIF_SELECTONENTRY, choices.Module));
  dialog.Add(DialogItem(DI_TEXT, 5, 4, 70, 0, 0, 0, 0, 0,
                        GetMsg(MCheckoutRoot)));
  const int rootEdit = dialog.Add(HistoryEdit(
      5, 5, 70, 0, "cvsroot", DIF_HISTORY | DIF_USELASTHISTORY | DIF_SELECTONENTRY, choices.Root));
  dialog.Add(DialogItem(DI_TEXT, 5, 7, 17, 0, 0, 0, 0, 0, GetMsg(MCheckoutDestination)));
  const int destinationEdit = dialog.Add(HistoryEdit(
      18, 7, 50, 0, "destination", DIF_HISTORY | DIF_SELECTONENTRY, choices.Destination));
  dialog.Add(DialogItem(DI_TEXT, 5, 9, 17, 0, 0, 0, 0, 0, GetMsg(MCheckoutRevision)));
  const int revisionEdit = dialog.Add(
      HistoryEdit(18, 9, 34, 0, "revision", DIF_HISTORY | DIF_SELECTONENTRY, choices.Revision));
  dialog.Add(DialogItem(DI_TEXT, 37, 9, 41, 0, 0, 0, 0, 0, GetMsg(MCheckoutDate)));
  const int dateEdit = dialog.Add(HistoryEdit(42, 9, 50, 0, "date", DIF_HISTORY, choices.Date));
  const int recursiveCheck = dialog.Add(
      DialogItem(DI_CHECKBOX, 55, 9, 65, 0, 0, choices.Recursive, 0, 0, GetMsg(MRecursive)));
  dialog.Add(DialogItem(DI_TEXT, 4, 6, 71, 6, 0, 0, DIF_SEPARATOR, 0, ""));
  dialog.Add(DialogItem(DI_TEXT, 4, 10, 71, 10, 0, 0, DIF_SEPARATOR, 0, ""));

  for (;;) {
    const int result = dialog.Run(76, 14);
    // What the user left is kept, whichever way the dialog closed.
    choices.Module = dialog.Value(moduleEdit);
    choices.Root = dialog.Value(rootEdit);
    choices.Destination = dialog.Value(destinationEdit);
    choices.Revision = dialog.Value(revisionEdit);
    choices.Date = dialog.Value(dateEdit);
    choices.Recursive = dialog.Selected(recursiveCheck);
    if (result == -1 || result == cancel) return 0;
    if (!dialog.Empty(moduleEdit)) break;
    ShowErrorText(GetMsg(MModuleRequired));
  }

  const std::string module = dialog.Value(moduleEdit, 127);
  const std::string root = dialog.Value(rootEdit, 239);
  const std::string destination = dialog.Value(destinationEdit, 127);
  const std::string revision = dialog.Value(revisionEdit, 31);
  const std::string date = dialog.Value(dateEdit, 31);
  const bool recursive = choices.Recursive;
  // Without a root of its own, cvs takes the one of the working copy it
  // runs in.
  if (root.empty() && !MayRunOnCurrentFolderRoot()) return 0;

  CvsArgs args = {"cvs"};
  if (!root.empty()) {
    args.Add("-d");
    args.Add(root);
  }
  args.Add(checkout ? "checkout" : "export");
  if (!destination.empty()) {
    args.Add("-d");
    args.Add(destination);
  }
  if (!revision.empty()) {
    args.Add("-r");
    args.Add(revision);
  }
  if (!date.empty()) {
    args.Add("-D");
    args.Add(date);
  }
  if (!recursive) args.Add("-l");
  args.Add(module);

  const TempFile output = TempFileOrSay("TEMP");
  if (output.empty()) return kRunNoOutputFile;
  int result = RunCvs(args, output.c_str());
  // The output is shown at once; only a run that never got going (the
  // runner's own negative codes) is flagged as a failure first, since its
  // output file holds nothing that would explain it.
  ReportOutcome(result < 0 ? result : 0, output.c_str());
  return result;
}
