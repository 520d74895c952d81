// The Update command's options dialog.
#include "commands/commands.hpp"
#include "host/host.hpp"
#include "ui/boxes.hpp"
#include "ui/dialog.hpp"

namespace {

// What the user left in the dialog, offered again by the next Update.
struct UpdateChoices {
  enum Target { kCurrentBranch, kTrunk, kRevision, kDate };
  Target To = kCurrentBranch;
  std::string Revision;  // the edit lines as left
  std::string Date;
  bool Recursive = true;
  bool CreateFolders = false;
};
UpdateChoices gChoices;

}  // namespace

bool AskUpdateOptions(CvsArgs &args) {
  UpdateChoices &choices = gChoices;
  DialogBuilder dialog;
  dialog.Add(DialogItem(DI_DOUBLEBOX, 3, 1, 47, 13, 0, 0, 0, 0, ""));
  dialog.Add(DialogItem(DI_BUTTON, 0, 12, 0, 0, 0, 0, DIF_CENTERGROUP, 1, GetMsg(MOk)));
  const int cancel = dialog.Add(DialogItem(DI_BUTTON, 0, 12, 0, 0, 0, 0, DIF_CENTERGROUP, 0, GetMsg(MCancel)));
  dialog.Add(DialogItem(DI_RADIOBUTTON, 5, 2, 35, 0, 0,
                                           choices.To == UpdateChoices::kCurrentBranch, DIF_GROUP, 0,
                                           GetMsg(MUpdateCurrentBranch)));
  const int trunk = dialog.Add(DialogItem(DI_RADIOBUTTON, 5, 3, 39, 0, 0,
                                          choices.To == UpdateChoices::kTrunk, 0, 0,
                                          GetMsg(MUpdateTrunk)));
  const int revision = dialog.Add(DialogItem(DI_RADIOBUTTON, 5, 4, 36, 0, 0,
                                             choices.To == UpdateChoices::kRevision, 0, 0,
                                             GetMsg(MUpdateRevision)));
  const int date = dialog.Add(DialogItem(DI_RADIOBUTTON, 5, 6, 36, 0, 0,
                                         choices.To == UpdateChoices::kDate, 0, 0,
                                         GetMsg(MUpdateDate)));
  const int revisionEdit = dialog.Add(
      HistoryEdit(6, 5, 22, 0, "revision", DIF_HISTORY | DIF_SELECTONENTRY, choices.Revision));
  const int dateEdit = dialog.Add(HistoryEdit(6, 7, 22, 0, "date", DIF_HISTORY, choices.Date));
  const int recursive = dialog.Add(
      DialogItem(DI_CHECKBOX, 5, 9, 15, 0, 0, choices.Recursive, 0, 0, GetMsg(MRecursive)));
  const int createFolders = dialog.Add(DialogItem(DI_CHECKBOX, 5, 10, 15, 0, 0,
                                                  choices.CreateFolders, 0, 0,
                                                  GetMsg(MUpdateCreateFolders)));
  dialog.Add(DialogItem(DI_TEXT, 4, 8, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""));
  dialog.Add(DialogItem(DI_TEXT, 4, 11, 28, 10, 0, 0, DIF_SEPARATOR, 0, ""));
  dialog.Add(DialogItem(DI_TEXT, 27, 7, 39, 0, 0, 0, 0, 0, GetMsg(MDateFormat)));

  // What the user left is kept, whichever way the dialog closed.
  auto remember = [&]() {
    choices.To = dialog.Selected(trunk)      ? UpdateChoices::kTrunk
                 : dialog.Selected(revision) ? UpdateChoices::kRevision
                 : dialog.Selected(date)     ? UpdateChoices::kDate
                                             : UpdateChoices::kCurrentBranch;
    choices.Revision = dialog.Value(revisionEdit);
    choices.Date = dialog.Value(dateEdit);
    choices.Recursive = dialog.Selected(recursive);
    choices.CreateFolders = dialog.Selected(createFolders);
  };
  for (;;) {
    const int result = dialog.Run(51, 14);
    remember();
    if (result == -1 || result == cancel) return false;
    if (dialog.Selected(revision) && dialog.Empty(revisionEdit)) {
      ShowErrorText(GetMsg(MRevisionRequired));
      continue;
    }
    if (dialog.Selected(date) && dialog.Empty(dateEdit)) {
      ShowErrorText(GetMsg(MDateRequired));
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
    args.Add(dialog.Value(revisionEdit, 255));
  } else if (choices.To == UpdateChoices::kDate) {
    args.Add("-D");
    args.Add(dialog.Value(dateEdit, 255));
  }
  return true;
}
