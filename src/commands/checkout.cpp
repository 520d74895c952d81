// Checkout and Export: one dialog, one argument list, one run.
#include "commands/commands.hpp"
#include "host/host.hpp"
#include "ui/boxes.hpp"
#include "ui/dialog.hpp"
#include "ui/cvs_run.hpp"

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
  // The date holds what Export put there itself, not what the user typed:
  // Checkout then starts without it.
  bool DateIsExportsOwn = false;
};
CheckoutChoices gChoices;

const int kCheckout = 3;

// What Export offers as its date: the latest of everything.
const char kExportDate[] = "now";

// The date option of a run: Export's own "now" stands only where no
// revision or tag is given, for cvs would take the two together as "that
// tag, as it stood at that date" and could fetch nothing.
bool PassesDate(bool checkout, const std::string &revision, const std::string &date,
                bool dateIsExportsOwn) {
  if (date.empty()) return false;
  return checkout || revision.empty() || !dateIsExportsOwn;
}

}  // namespace

int CheckoutOrExport(int command) {
  const bool checkout = command == kCheckout;
  CheckoutChoices &choices = gChoices;
  choices.Destination.clear();
  if (!checkout) {
    choices.Date = kExportDate;
    choices.DateIsExportsOwn = true;
  } else if (choices.DateIsExportsOwn) {
    // Every file of a working copy checked out at a date stays at it:
    // later updates would never bring anything.
    choices.Date.clear();
    choices.DateIsExportsOwn = false;
  }

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
    const std::string date = dialog.Value(dateEdit);
    if (date != choices.Date) choices.DateIsExportsOwn = false;
    choices.Date = date;
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
  if (PassesDate(checkout, revision, date, choices.DateIsExportsOwn)) {
    args.Add("-D");
    args.Add(date);
  }
  if (!recursive) args.Add("-l");
  args.Add(module);

  CvsRun cvs(ExitRuleFor(checkout ? "checkout" : "export"), "TEMP");
  if (!cvs.Ready()) return kRunNoOutputFile;
  const RunVerdict &verdict = cvs.Run(args);
  // A run that fetched nothing (a tag not there, a date before the
  // module) may still end with 0: the user is told before the output.
  if (verdict.What != RunVerdict::NotStarted && verdict.Scan.FilesWritten == 0)
    ShowNotice(GetMsg(checkout ? MVerbCheckout : MVerbExport),
               GetMsg(checkout ? MCheckedOutNothing : MExportedNothing));
  // The output is shown at once; only a run that never got going or was
  // broken off is flagged as a failure first.
  cvs.Show();
  return verdict.ExitCode;
}
