// The commands of the plug-ins menu, one row each, made from the list in
// command_list.hpp.  A command is its row: what the menu shows and where,
// how the confirmation names it, what runs it, whether it asks first and
// which names it takes.
#ifndef QUILLET_ENTRY_COMMAND_TABLE_HPP
#define QUILLET_ENTRY_COMMAND_TABLE_HPP

#include "far/far_api.hpp"
#include "runner/cvs_args.hpp"

// Which names of the selection go onto the command's command line.
enum class TakesNames {
  None,       // none: the command builds its own line, or runs none
  All,        // every name, after "--" when one looks like an option
  First,      // the first name only
  InBatches,  // every name, in as many runs as the system's limit needs
};

// The folders the command's cvs run visits, for the question asked before
// it runs where a working copy could make cvs start a program.
enum class Visits {
  Nothing,          // it runs no cvs here, or asks for itself
  Names,            // the names it takes (the whole folder when none is selected)
  NamesAndHere,     // those and the current folder (the commit's own query)
  Here,             // the current folder and below
  HereOnly,         // the current folder alone
};

// Which menus show a command.  In a folder without a CVS folder the menu
// offers only what can work there: for the whole folder what makes a
// working copy, for selected files what runs on files.
enum class Place {
  Anywhere,       // the command menu, in or out of a working copy
  Files,          // the command menu; out of a working copy for selected files only
  WorkingCopy,    // the command menu in a working copy only
  OpensMarkMenu,  // the command menu's row that opens the Mark sub-menu
  MarkMenu,       // the Mark sub-menu
};

// The commands, in the order of the list: Command::Log and the like.
enum class Command {
#define QUILLET_COMMAND(id, ...) id,
#include "entry/command_list.hpp"
#undef QUILLET_COMMAND
};

struct CommandRun;
struct CommandRow;
// What runs a command; the handle of a new panel, or INVALID_HANDLE_VALUE.
typedef HANDLE (*CommandAction)(CommandRun &run, const CommandRow &row);

// No text: a separator's menu text, the verb of a command that asks nothing.
const int kNoText = -1;

struct CommandRow {
  Command Id;
  const char *Name;     // the list's name of it: "Log"
  int MenuText;         // message number of its menu row; kNoText for a separator
  Place Where;
  bool StartsSelected;  // the menu's cursor starts here
  int Verb;             // message number of its name in the confirmation's heading
  const char *Word;     // the cvs command word of a plain run, else null
  CommandAction Run;
  bool Confirms;        // asks before it runs: it has no dialog of its own
  TakesNames Names;
  Visits Reach;
};

// Everything one command of the menu works with.
struct CommandRun {
  Selection selection;
  bool wholeDirectory = false;
  bool visualDiff = false;
  CvsArgs args;
  Selection addedNames;  // the folder's new entries for Add on the whole folder
};

// The row of `command`.
const CommandRow &CommandAt(Command command);
// Every row, in the order of the list (and of the menus).
const CommandRow *CommandsBegin();
const CommandRow *CommandsEnd();

// The common end of a plain run: confirmation (for a row that confirms),
// the names, the output file, the run and its outcome.
void RunCommand(CommandRun &run, const CommandRow &row);

#endif
