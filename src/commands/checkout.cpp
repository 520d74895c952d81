// Checkout and Export: one dialog, one argument list, one run.
#include "commands/commands.hpp"
#include "runner/run_codes.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/cvs_run.hpp"
#include "ui/dialog.hpp"

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

// Checkout and Export differ only in the frame's title.
DialogDeclaration CheckoutDeclaration(int title) {
  CheckoutChoices &c = gChoices;
  return {76, 14,
          {Box(3, 1, 72, 12, title),
           Button("ok", MOk, 11).AsDefault(),
           Button("cancel", MCancel, 11),
           Text("moduleLabel", MModuleLabel, 5, 2, 70),
           Edit("moduleEdit", Field(c.Module), "module", 5, 3, 70, DIF_SELECTONENTRY).WithFocus(),
           Text("rootLabel", MCheckoutRoot, 5, 4, 70),
           Edit("rootEdit", Field(c.Root), "cvsroot", 5, 5, 70,
                DIF_USELASTHISTORY | DIF_SELECTONENTRY),
           Text("destinationLabel", MCheckoutDestination, 5, 7, 17),
           Edit("destinationEdit", Field(c.Destination), "destination", 18, 7, 50,
                DIF_SELECTONENTRY),
           Text("revisionLabel", MCheckoutRevision, 5, 9, 17),
           Edit("revisionEdit", Field(c.Revision), "revision", 18, 9, 34, DIF_SELECTONENTRY),
           Text("dateLabel", MCheckoutDate, 37, 9, 41),
           Edit("dateEdit", Field(c.Date), "date", 42, 9, 50),
           Check("recursive", MRecursive, Field(c.Recursive), 55, 9, 65),
           Separator(4, 6, 71, 6),
           Separator(4, 10, 71, 10)}};
}

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

const DialogDeclaration &CheckoutDialog(bool checkout) {
  static const DialogDeclaration forCheckout = CheckoutDeclaration(MVerbCheckout);
  static const DialogDeclaration forExport = CheckoutDeclaration(MVerbExport);
  return checkout ? forCheckout : forExport;
}

int CheckoutOrExport(bool checkout) {
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

  DialogSession dialog(CheckoutDialog(checkout));
  for (;;) {
    // What the user left is kept, whichever way the dialog closed.
    const std::string offeredDate = choices.Date;
    const std::string closedBy = dialog.Show();
    // A date the user typed is the user's, whatever command comes next.
    if (choices.Date != offeredDate) choices.DateIsExportsOwn = false;
    if (closedBy.empty() || closedBy == "cancel") return 0;
    if (!choices.Module.empty()) break;
    ShowErrorText(MessageText(MModuleRequired));
  }

  const std::string module = choices.Module.substr(0, 127);
  const std::string root = choices.Root.substr(0, 239);
  const std::string destination = choices.Destination.substr(0, 127);
  const std::string revision = choices.Revision.substr(0, 31);
  const std::string date = choices.Date.substr(0, 31);
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
    ShowNotice(MessageText(checkout ? MVerbCheckout : MVerbExport),
               MessageText(checkout ? MCheckedOutNothing : MExportedNothing));
  // The output is shown at once; only a run that never got going or was
  // broken off is flagged as a failure first.
  cvs.Show();
  return verdict.ExitCode;
}
