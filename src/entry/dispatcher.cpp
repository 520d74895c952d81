// OpenPlugin routing, and the run of one command chosen in the plug-ins menu.
#include "commands/commands.hpp"
#include "entry/command_table.hpp"
#include "entry/dispatch.hpp"
#include "os/os.hpp"
#include "panel/cvs_panel.hpp"
#include "runner/cvs_args.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/cvs_run.hpp"
#include "working_copy/run_check.hpp"

namespace {

// The visual tool takes no "--": a name that begins with "-" reaches it as
// a path of the current folder, which no tool reads as an option.
std::string NameForTool(const std::string &name) {
  if (!name.empty() && name[0] == '-') return std::string(".") + os::kSep + name;
  return name;
}

// Add on the whole folder means the entries here that cvs does not know yet;
// false (after telling the user) when there are none.
bool NewEntriesToAdd(CommandRun &run) {
  if (!CollectNewEntries(run.addedNames)) return false;
  if (run.addedNames.empty()) {
    ShowNotice(MessageText(MAddTitle), MessageText(MAddNothingNew));
    return false;
  }
  return true;
}

// What a command runs cvs on, for the question before it: its row says.
// False for a command that runs no cvs here: checkout and export ask for
// themselves, since a root typed into their dialog is the one cvs takes.
bool FoldersCvsVisits(const CommandRow &row, const CommandRun &run, Selection &folders,
                      bool &recursive) {
  recursive = true;
  folders = run.selection;
  switch (row.Reach) {
    case Visits::Names:
      // Differences runs nothing on the whole folder.
      if (row.Names == TakesNames::First) {
        if (run.wholeDirectory || run.selection.empty()) return false;
        folders.resize(1);
      }
      return true;
    case Visits::NamesAndHere:
      if (!run.wholeDirectory) folders.insert(folders.begin(), ".");
      return true;
    case Visits::Here:
      folders = Selection{"."};
      return true;
    case Visits::HereOnly:
      folders = Selection{"."};
      recursive = false;
      return true;
    default:
      return false;
  }
}

}  // namespace

void RunCommand(CommandRun &run, const CommandRow &row) {
  if (row.Confirms && ConfirmCommand(MessageText(row.Verb), run.selection) != 0) return;
  // Add may name more files than one command line holds: its names are
  // passed in batches that fit.
  const Selection *batchNames = nullptr;
  if (!run.wholeDirectory) {
    if (run.visualDiff) {
      run.args.Add(NameForTool(run.selection[0]));
    } else if (row.Names == TakesNames::InBatches) {
      batchNames = &run.selection;
    } else if (row.Names != TakesNames::None) {
      run.args.AddFileOperands(run.selection);
    }
  } else if (row.Names == TakesNames::InBatches) {
    // "cvs add" of a folder makes it in the repository at once: the user
    // sees every name before anything is added.
    if (!NewEntriesToAdd(run) || ConfirmCommand(MessageText(row.Verb), run.addedNames) != 0) return;
    batchNames = &run.addedNames;
  }

  CvsRun cvs(ExitRuleFor(row.Word != nullptr ? row.Word : ""), "HOME");
  if (!cvs.Ready()) return;
  if (run.visualDiff) {
    RunVisualDiff(run.args);
  } else if (batchNames != nullptr) {
    size_t batches = 1;
    cvs.Judge(RunInBatches(run.args, *batchNames, cvs.OutputPath().c_str(), &batches));
    const std::string note = FormatText(CheckedFormat(MAddBatches), static_cast<int>(batches));
    cvs.Show(batches > 1 ? note.c_str() : nullptr);
  } else {
    cvs.Run(run.args);
    cvs.Show();
  }
}

HANDLE DispatchCommand() {
  // The check made before the command holds for its runs only.
  ForgetCheck();
  const ForgetsCheck forget;
  CommandRun run;
  if (!CollectSelection(run.selection, run.wholeDirectory)) return INVALID_HANDLE_VALUE;
  const CommandRow *row = ShowCommandMenu(run.wholeDirectory);
  if (row == nullptr || row->Run == nullptr) return INVALID_HANDLE_VALUE;
  // cvs (or TkDiff, which runs cvs) takes the root and the CVS folder of
  // every folder it visits.
  Selection folders;
  bool recursive = true;
  if (FoldersCvsVisits(*row, run, folders, recursive) && !MayRunCvsOn(folders, recursive))
    return INVALID_HANDLE_VALUE;
  return row->Run(run, *row);
}

HANDLE OpenFromHost(int openFrom, INT_PTR item) {
  (void)item;  // the text after the prefix does not choose anything
  switch (openFrom) {
    case OPEN_COMMANDLINE:
      return CreatePanel();
    case OPEN_PLUGINSMENU:
      return DispatchCommand();
    default:
      return INVALID_HANDLE_VALUE;
  }
}
