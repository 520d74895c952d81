// The table of the plug-ins menu's commands, and what runs each of them.
#include "entry/command_table.hpp"

#include "commands/commands.hpp"
#include "entry/dispatch.hpp"
#include "host/messages.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/mark_rows.hpp"

namespace {

// A command with a dialog of its own asks its options first; a plain one
// runs as it stands.
HANDLE RunPlain(CommandRun &run, const CommandRow &row) {
  run.args = {"cvs", row.Word};
  RunCommand(run, row);
  return INVALID_HANDLE_VALUE;
}

HANDLE RunUpdate(CommandRun &run, const CommandRow &row) {
  run.args = {"cvs", row.Word};
  if (AskUpdateOptions(run.args)) RunCommand(run, row);
  return INVALID_HANDLE_VALUE;
}

HANDLE RunDiff(CommandRun &run, const CommandRow &row) {
  if (run.wholeDirectory || run.selection.empty()) return INVALID_HANDLE_VALUE;
  run.selection.resize(1);
  run.args = {"cvs", row.Word, "-u"};
  if (AskDiffOptions(run.args, run.visualDiff)) RunCommand(run, row);
  return INVALID_HANDLE_VALUE;
}

HANDLE RunAdd(CommandRun &run, const CommandRow &row) {
  run.args = {"cvs", row.Word};
  if (AskAddOptions(run.args)) RunCommand(run, row);
  return INVALID_HANDLE_VALUE;
}

HANDLE RunCommit(CommandRun &run, const CommandRow &) {
  CommitFiles(run.selection, true);
  return INVALID_HANDLE_VALUE;
}

HANDLE RunLightCommit(CommandRun &run, const CommandRow &) {
  CommitFiles(run.selection, false);
  return INVALID_HANDLE_VALUE;
}

HANDLE RunCheckout(CommandRun &, const CommandRow &) {
  CheckoutOrExport(kEntryCheckout);
  return INVALID_HANDLE_VALUE;
}

HANDLE RunExport(CommandRun &, const CommandRow &) {
  CheckoutOrExport(kEntryExport);
  return INVALID_HANDLE_VALUE;
}

HANDLE Browse(CommandRun &, const CommandRow &) { return CreatePanel(); }

// On the status panel the states are on its rows: Mark runs no cvs there.

HANDLE MarkModified(CommandRun &run, const CommandRow &) {
  if (MarkStatusRows(StateClass::Modified)) return INVALID_HANDLE_VALUE;
  // A file removed here is a change to commit as much as a modified one.
  if (QueryStates(".", run.selection, "MAR", false, false)) MarkInPanel(run.selection);
  return INVALID_HANDLE_VALUE;
}

HANDLE MarkConflicts(CommandRun &run, const CommandRow &) {
  if (MarkStatusRows(StateClass::Conflicts)) return INVALID_HANDLE_VALUE;
  if (CollectConflicts(".", run.selection, false)) MarkInPanel(run.selection);
  return INVALID_HANDLE_VALUE;
}

HANDLE MarkOutOfDate(CommandRun &run, const CommandRow &) {
  if (MarkStatusRows(StateClass::OutOfDate)) return INVALID_HANDLE_VALUE;
  if (QueryStates(".", run.selection, "UP", false, false)) MarkInPanel(run.selection);
  return INVALID_HANDLE_VALUE;
}

HANDLE MarkUnknown(CommandRun &run, const CommandRow &) {
  if (MarkStatusRows(StateClass::NotInRepository)) return INVALID_HANDLE_VALUE;
  if (QueryStates(".", run.selection, "?", true, false)) MarkInPanel(run.selection);
  return INVALID_HANDLE_VALUE;
}

const CommandRow kCommands[] = {
    // menu text, cursor, verb, cvs word, runs it, confirms, names taken, folders visited
    {MMenuUpdate, true, MVerbUpdate, "update", RunUpdate, false, TakesNames::All, Visits::Names},
    {MMenuCommit, false, MVerbCommit, nullptr, RunCommit, false, TakesNames::All, Visits::NamesAndHere},
    {MMenuLightCommit, false, MVerbCommit, nullptr, RunLightCommit, false, TakesNames::All, Visits::NamesAndHere},
    {MMenuCheckout, false, MVerbCheckout, nullptr, RunCheckout, false, TakesNames::None, Visits::Nothing},
    {MMenuExport, false, MVerbExport, nullptr, RunExport, false, TakesNames::None, Visits::Nothing},
    {MMenuLog, false, MVerbLog, "log", RunPlain, true, TakesNames::All, Visits::Names},
    {MMenuStat, false, MVerbStat, "stat", RunPlain, true, TakesNames::All, Visits::Names},
    {MMenuDiff, false, MVerbDiff, "diff", RunDiff, false, TakesNames::First, Visits::Names},
    {kNoText, false, kNoText, nullptr, nullptr, false, TakesNames::None, Visits::Nothing},
    {MMenuAdd, false, MVerbAdd, "add", RunAdd, false, TakesNames::InBatches, Visits::Names},
    {MMenuRemove, false, MVerbRemove, "remove", RunPlain, true, TakesNames::All, Visits::Names},
    {MMenuBrowse, false, kNoText, nullptr, Browse, false, TakesNames::None, Visits::Nothing},
    {MMenuMark, false, kNoText, nullptr, nullptr, false, TakesNames::None, Visits::Nothing},
    {MMenuMarkModified, true, kNoText, nullptr, MarkModified, false, TakesNames::None, Visits::Here},
    {MMenuMarkConflicts, false, kNoText, nullptr, MarkConflicts, false, TakesNames::None, Visits::Here},
    {MMenuMarkOutOfDate, false, kNoText, nullptr, MarkOutOfDate, false, TakesNames::None, Visits::Here},
    {MMenuMarkUnknown, false, kNoText, nullptr, MarkUnknown, false, TakesNames::None, Visits::HereOnly},
};

const int kCommandCount = static_cast<int>(sizeof kCommands / sizeof kCommands[0]);
static_assert(sizeof kCommands / sizeof kCommands[0] == kEntryMarkUnknown + 1,
              "one row for every menu entry number");

}  // namespace

const CommandRow *CommandAt(int entry) {
  return entry >= 0 && entry < kCommandCount ? &kCommands[entry] : nullptr;
}

int CommandCount() { return kCommandCount; }
