// F3 on a panel item: view it, or show `cvs log` / `cvs diff` for it or for
// the selected files; and Ctrl+Enter, the item's name into the command line.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "far/field_text.hpp"
#include "os/command_line.hpp"
#include "os/os.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/folder_listing.hpp"
#include "panel/panel_paths.hpp"
#include "panel/state_classes.hpp"
#include "runner/cvs_args.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/cvs_run.hpp"
#include "ui/host_panel.hpp"
#include "ui/menu.hpp"
#include "working_copy/cvs_root.hpp"
#include "working_copy/cvs_visits.hpp"
#include "working_copy/run_check.hpp"

namespace {

enum ItemAction { kView = 0, kLogItem = 1, kDiffItem = 2, kLogSelected = 4, kDiffSelected = 5 };

// The menu's rows keep their last texts between uses.
FarMenuItem menuRows[6];

std::string NameOf(const PluginPanelItem &item) {
  const char *name = item.FindData.cFileName;
  return std::string(name, strnlen(name, sizeof(item.FindData.cFileName)));
}

bool HasCurrentItem(const PanelInfo &info) {
  return info.PanelItems != nullptr && info.ItemsNumber > 0 && info.CurrentItem >= 0 &&
         info.CurrentItem < info.ItemsNumber;
}

// Tells the user that the row `item` stands for an entry the disk lacks.
void SayNoFile(const PluginPanelItem &item) {
  const std::string name = PointToName(NameOf(item).c_str());
  ShowErrorText(FormatText(CheckedFormat(MNoFileThere), name.c_str()) + "\n" +
                MessageText(MNoFileWhy));
}

}  // namespace

int ChooseItemAction(const char *name, int selectedCount) {
  if (name == nullptr) name = "";
  char title[80];
  CopyToField(title, FormatText(CheckedFormat(MItemTitle), name));
  CopyToField(menuRows[0].Text, FormatText(CheckedFormat(MItemView), name));
  CopyToField(menuRows[1].Text, FormatText(CheckedFormat(MItemLog), name));
  CopyToField(menuRows[2].Text, FormatText(CheckedFormat(MItemDiff), name));
  CopyToField(menuRows[3].Text, "");
  menuRows[0].Selected = 1;
  menuRows[3].Separator = 1;
  int rows = 3;
  if (selectedCount > 0) {
    CopyToField(menuRows[4].Text, FormatText(CheckedFormat(MItemLogFiles), selectedCount));
    CopyToField(menuRows[5].Text, FormatText(CheckedFormat(MItemDiffFiles), selectedCount));
    rows = 6;
  }
  return ShowMenu(title, nullptr, menuRows, rows, FMENU_WRAPMODE);
}

// What keeps the panel's own run of cvs on `operands` from starting: the
// panel's folder as the listing judges it, then every folder cvs would
// visit for them (cvs takes a named folder's own root, and those below it).
VisitFinding CvsPanel::FindingForRun(const Selection &operands) {
  ReadCvsContext();
  if (CvsRefusal.empty()) return FindingAfterQuestions(operands, true);
  VisitFinding found;
  found.Folder = ".";
  found.What = RootCarriesOptions(CvsRoot) ? VisitFinding::RootOptions : VisitFinding::AdminFolder;
  found.Detail = found.What == VisitFinding::RootOptions ? CvsRoot : CvsRefusal;
  return found;
}

int CvsPanel::ShowItemMenu() {
  PanelInfo info;
  if (!ReadActivePanel(info)) return 0;
  if (info.PanelType != PTYPE_FILEPANEL || !HasCurrentItem(info)) return 0;
  const PluginPanelItem &current = info.PanelItems[info.CurrentItem];
  const char letter = static_cast<char>(current.UserData & 0xFF);
  const std::string currentPath = NameOf(current);

  std::vector<std::string> selected;
  for (int i = 0; info.SelectedItems != nullptr && i < info.SelectedItemsNumber; ++i) {
    const PluginPanelItem &item = info.SelectedItems[i];
    if (item.Flags & PPIF_SELECTED) selected.push_back(BareName(NameOf(item), os::kSep));
  }
  // The host's ".." row carries no path: there is no current file then.
  const bool hasName = currentPath.find(os::kSep) != std::string::npos;
  const std::string name = hasName ? BareName(currentPath, os::kSep) : std::string();

  // A file that is not in the repository is the host's to view.
  if (selected.empty() && (letter == kLetterUnknown || letter == kLetterIgnored)) return 0;
  const int choice =
      ChooseItemAction(hasName ? name.c_str() : nullptr, static_cast<int>(selected.size()));

  CvsArgs args = {"cvs"};
  Selection operands;
  switch (choice) {
    case kView:
      // The host would open nothing, or a file of that name made since.
      if (IsNoFileRow(current)) {
        SayNoFile(current);
        return 1;
      }
      return 0;
    case kLogItem:
    case kDiffItem:
      if (!hasName) return 1;
      args.Add(choice == kLogItem ? "log" : "diff");
      operands.push_back(name);
      break;
    case kLogSelected:
    case kDiffSelected:
      args.Add(choice == kLogSelected ? "log" : "diff");
      operands = selected;
      break;
    default:
      return 1;
  }
  // cvs works on the current directory, which another panel's listing may
  // have changed since this panel's was read.
  if (!os::ChangeDir(FolderToEnter(Directory, os::kSep))) {
    ShowErrorText(FormatText(CheckedFormat(MCannotEnter), Directory.c_str()));
    return 1;
  }
  const ForgetsCheck forget;
  const VisitFinding found = FindingForRun(operands);
  if (found) {
    std::string text;
    for (const std::string &line : FindingLines(found)) text += line + "\n";
    ShowErrorText(text + MessageText(MPanelRunsNoCvs));
    return 1;
  }
  // A name such as "-x.c" would pass for an option of log or diff.
  args.AddFileOperands(operands);

  // Without a name the user is told why, and the key counts as handled:
  // the host's own F3 is not what was asked for.
  CvsRun cvs(ExitRuleFor(args[1]), "TEMP");
  if (!cvs.Ready()) return 1;
  cvs.Run(args);
  cvs.Show();
  return 1;
}

int CvsPanel::SayWhenNoFile() {
  PanelInfo info;
  if (!ReadActivePanel(info) || !HasCurrentItem(info)) return 0;
  const PluginPanelItem &current = info.PanelItems[info.CurrentItem];
  if (!IsNoFileRow(current)) return 0;
  SayNoFile(current);
  return 1;
}

int CvsPanel::InsertItemName() {
  PanelInfo info;
  if (!ReadActivePanel(info)) return 0;
  if (!HasCurrentItem(info)) return 0;
  if (IsNoFileRow(info.PanelItems[info.CurrentItem])) return SayWhenNoFile();
  const std::string path = NameOf(info.PanelItems[info.CurrentItem]);
  const std::string name = PointToName(path.c_str());
  // The command line goes to a shell: the name stays one word of it, and
  // nothing in it ($(...), a newline, "&") is acted on.
  std::string quoted;
  if (!QuoteForHostShell(name, quoted)) {
    ShowErrorText(std::string(MessageText(MNameUnquotable)) + "\n" + MessageText(MNameUnquotableWhy));
    return 1;
  }
  quoted += ' ';
  InsertIntoCommandLine(quoted);
  return 1;
}
