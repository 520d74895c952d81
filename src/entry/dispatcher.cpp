// OpenPlugin routing, and the run of one command chosen in the plug-ins menu.
#include "commands/commands.hpp"
#include "entry/dispatch.hpp"
#include "host/host.hpp"
#include "panel/cvs_panel.hpp"
#include "runner/cvs_visits.hpp"

namespace {

// Everything one command of the menu works with; the argument list points
// into the selection and the names, so all live as long as the command.
struct CommandRun {
  Selection selection;
  bool wholeDirectory = false;
  bool confirmed = false;
  bool visualDiff = false;
  CvsArgs args;
  Selection addedNames;    // the folder's new entries for Add on the whole folder
  std::string visualName;  // the file as the visual tool is given it
};

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
    HostInfo.Message(
        HostInfo.ModuleNumber, FMSG_ALLINONE | FMSG_MB_OK, nullptr,
        reinterpret_cast<const char *const *>("Add\nThis folder holds nothing that is new to CVS"),
        0, 0);
    return false;
  }
  return true;
}

// Confirmation, file names, output file, run, outcome and clean-up.
void RunCommand(CommandRun &run, int entry) {
  if (!run.confirmed && ConfirmCommand(entry, run.selection) != 0) return;
  // Add may name more files than one command line holds: its names are
  // passed in batches that fit.
  const Selection *addNames = nullptr;
  if (!run.wholeDirectory) {
    if (run.visualDiff) {
      run.visualName = NameForTool(run.selection[0]);
      run.args.push_back(run.visualName.c_str());
    } else if (entry == kEntryAdd) {
      addNames = &run.selection;
    } else {
      AppendFileOperands(run.args, run.selection);
    }
  } else if (entry == kEntryAdd) {
    // "cvs add" of a folder makes it in the repository at once: the user
    // sees every name before anything is added.
    if (!NewEntriesToAdd(run) || ConfirmCommand(entry, run.addedNames) != 0) return;
    addNames = &run.addedNames;
  }

  std::string outputPath = TempFileNameOrSay("HOME");
  if (outputPath.empty()) return;
  if (run.visualDiff) {
    run.args.push_back(nullptr);
    RunVisualDiff(run.args.data());
  } else if (addNames != nullptr) {
    size_t batches = 1;
    int exitCode = RunInBatches(run.args, *addNames, outputPath.c_str(), &batches);
    const std::string note = "cvs add ran " + std::to_string(batches) +
                             " times, on as many names as one command line holds";
    ReportOutcome(exitCode, outputPath.c_str(), batches > 1 ? note.c_str() : nullptr);
  } else {
    run.args.push_back(nullptr);
    int exitCode = RunCvs(run.args.data(), outputPath.c_str());
    ReportOutcome(exitCode, outputPath.c_str());
  }
  os::RemoveFile(outputPath);
}

// What a command runs cvs on, for the question before it: the selection
// for most; the whole current folder for the marking queries (and for the
// commit's own query besides the files it commits); the first name for
// Differences, which runs nothing on the whole folder.  False for a command
// that runs no cvs here: checkout and export ask for themselves, since a
// root typed into their dialog is the one cvs takes.
bool FoldersCvsVisits(int entry, const CommandRun &run, Selection &folders, bool &recursive) {
  recursive = true;
  folders = run.selection;
  switch (entry) {
    case kEntryUpdate:
    case kEntryLog:
    case kEntryStat:
    case kEntryAdd:
    case kEntryRemove:
      return true;
    case kEntryDiff:
      if (run.wholeDirectory || run.selection.empty()) return false;
      folders.resize(1);
      return true;
    case kEntryCommit:
    case kEntryLightCommit:
      if (!run.wholeDirectory) folders.insert(folders.begin(), ".");
      return true;
    case kEntryMarkModified:
    case kEntryMarkConflicts:
    case kEntryMarkOutOfDate:
      folders = Selection{"."};
      return true;
    case kEntryMarkUnknown:
      folders = Selection{"."};
      recursive = false;
      return true;
    default:
      return false;
  }
}

}  // namespace

HANDLE DispatchCommand() {
  CommandRun run;
  if (!CollectSelection(run.selection, run.wholeDirectory)) return INVALID_HANDLE_VALUE;
  int entry = ShowCommandMenu(run.wholeDirectory);
  // cvs (or TkDiff, which runs cvs) takes the root and the CVS folder of
  // every folder it visits.
  Selection folders;
  bool recursive = true;
  if (FoldersCvsVisits(entry, run, folders, recursive) && !MayRunCvsOn(folders, recursive))
    return INVALID_HANDLE_VALUE;
  run.args.assign(2, nullptr);
  run.args[0] = "cvs";

  switch (entry) {
    case kEntryUpdate:
      run.args[1] = "update";
      if (!AskUpdateOptions(run.args)) break;
      run.confirmed = true;
      RunCommand(run, entry);
      break;
    case kEntryCommit:
    case kEntryLightCommit:
      CommitFiles(run.selection, entry == kEntryCommit);
      break;
    case kEntryCheckout:
    case kEntryExport:
      CheckoutOrExport(entry);
      break;
    case kEntryLog:
      run.args[1] = "log";
      RunCommand(run, entry);
      break;
    case kEntryStat:
      run.args[1] = "stat";
      RunCommand(run, entry);
      break;
    case kEntryDiff:
      if (run.wholeDirectory || run.selection.empty()) break;
      run.selection.resize(1);
      run.args[1] = "diff";
      run.args.push_back("-u");
      if (!AskDiffOptions(run.args, run.visualDiff)) break;
      run.confirmed = true;
      RunCommand(run, entry);
      break;
    case kEntryAdd:
      run.args[1] = "add";
      if (!AskAddOptions(run.args)) break;
      run.confirmed = true;
      RunCommand(run, entry);
      break;
    case kEntryRemove:
      run.args[1] = "remove";
      RunCommand(run, entry);
      break;
    case kEntryBrowse:
      return CreatePanel();
    case kEntryMarkModified:
      if (CollectModified(".", run.selection, false)) MarkInPanel(run.selection);
      break;
    case kEntryMarkConflicts:
      if (CollectConflicts(".", run.selection, false)) MarkInPanel(run.selection);
      break;
    case kEntryMarkOutOfDate:
      if (QueryStates(".", run.selection, "UP", false, false)) MarkInPanel(run.selection);
      break;
    case kEntryMarkUnknown:
      if (QueryStates(".", run.selection, "?", true, false)) MarkInPanel(run.selection);
      break;
    default:
      break;
  }
  return INVALID_HANDLE_VALUE;
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
