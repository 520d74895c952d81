// The Update command's options dialog.
#include "commands/commands.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/dialog.hpp"

namespace {

// What the user left in the dialog, offered again by the next Update.
struct UpdateChoices {
  enum Target { kCurrentBranch, kTrunk, kRevision, kDate };
  int To = kCurrentBranch;
  std::string Revision;  // the edit lines as left
  std::string Date;
  bool Recursive = true;
  bool CreateFolders = false;
};
UpdateChoices gChoices;

}  // namespace

const DialogDeclaration &UpdateDialog() {
  UpdateChoices &c = gChoices;
  static const DialogDeclaration dialog = {
      51, 14,
      {Box(3, 1, 47, 13),
       Button("ok", MOk, 12).AsDefault(),
       Button("cancel", MCancel, 12),
       Radio("branch", MUpdateCurrentBranch, Field(c.To, UpdateChoices::kCurrentBranch), 5, 2, 35,
             DIF_GROUP),
       Radio("trunk", MUpdateTrunk, Field(c.To, UpdateChoices::kTrunk), 5, 3, 39),
       Radio("revision", MUpdateRevision, Field(c.To, UpdateChoices::kRevision), 5, 4, 36),
       Radio("date", MUpdateDate, Field(c.To, UpdateChoices::kDate), 5, 6, 36),
       Edit("revisionEdit", Field(c.Revision), "revision", 6, 5, 22, DIF_SELECTONENTRY),
       Edit("dateEdit", Field(c.Date), "date", 6, 7, 22),
       Check("recursive", MRecursive, Field(c.Recursive), 5, 9, 15),
       Check("createFolders", MUpdateCreateFolders, Field(c.CreateFolders), 5, 10, 15),
       Separator(4, 8, 28, 8),
       Separator(4, 11, 28, 10),
       Text("dateFormat", MDateFormat, 27, 7, 39)}};
  return dialog;
}

bool AskUpdateOptions(CvsArgs &args) {
  const UpdateChoices &choices = gChoices;
  DialogSession dialog(UpdateDialog());
  for (;;) {
    const std::string closedBy = dialog.Show();
    if (closedBy.empty() || closedBy == "cancel") return false;
    if (choices.To == UpdateChoices::kRevision && choices.Revision.empty()) {
      ShowErrorText(MessageText(MRevisionRequired));
      continue;
    }
    if (choices.To == UpdateChoices::kDate && choices.Date.empty()) {
      ShowErrorText(MessageText(MDateRequired));
      continue;
    }
    break;
  }
  if (!choices.Recursive) args.Add("-l");
  if (choices.CreateFolders) args.Add("-d");
  if (choices.To == UpdateChoices::kTrunk) {
    args.Add("-A");
  } else if (choices.To == UpdateChoices::kRevision) {
    args.Add("-r");
    args.Add(choices.Revision.substr(0, 255));
  } else if (choices.To == UpdateChoices::kDate) {
    args.Add("-D");
    args.Add(choices.Date.substr(0, 255));
  }
  return true;
}
