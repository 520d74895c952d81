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

}  // namespace

const DialogDeclaration &CheckoutDialog(bool checkout) {
  static const DialogDeclaration forCheckout = CheckoutDeclaration(MVerbCheckout);
  static const DialogDeclaration forExport = CheckoutDeclaration(MVerbExport);
  return checkout ? forCheckout : forExport;
}

int CheckoutOrExport(bool checkout) {
  CheckoutChoices &choices = gChoices;
  choices.Destination.clear();
  if (!checkout) choices.Date = "now";

  DialogSession dialog(CheckoutDialog(checkout));
  for (;;) {
    // What the user left is kept, whichever way the dialog closed.
    const std::string closedBy = dialog.Show();
    if (closedBy.empty() || closedBy == "cancel") return 0;
    if (!choices.Module.empty()) break;
    ShowErrorText(GetMsg(MModuleRequired));
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
