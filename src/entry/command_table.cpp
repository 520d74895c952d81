// The table of the plug-ins menu's commands, and what runs each of them.
#include "entry/command_table.hpp"

#include "commands/commands.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/mark_rows.hpp"
#include "texts/messages.hpp"

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
  CheckoutOrExport(true);
  return INVALID_HANDLE_VALUE;
}

HANDLE RunExport(CommandRun &, const CommandRow &) {
  CheckoutOrExport(false);
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
#define QUILLET_COMMAND(id, menuText, place, cursor, verb, word, runs, confirms, names, visits) \
  {Command::id, #id, menuText, Place::place, cursor, verb, word, runs, confirms,                \
   TakesNames::names, Visits::visits},
#include "entry/command_list.hpp"
#undef QUILLET_COMMAND
};

}  // namespace

const CommandRow &CommandAt(Command command) { return kCommands[static_cast<size_t>(command)]; }

const CommandRow *CommandsBegin() { return kCommands; }
const CommandRow *CommandsEnd() { return kCommands + sizeof kCommands / sizeof kCommands[0]; }
