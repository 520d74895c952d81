// The plug-ins menu's commands, one line each in the order of the menus:
// the command menu's rows first, then the Mark sub-menu's.  The enum of
// commands, the table that runs them and both menus are made from here, so
// a new command is a line here and its texts.
//
// QUILLET_COMMAND(id, menu text, place, cursor, verb, cvs word, runs it,
//                 confirms, names taken, folders visited)
//   menu text  message number of its menu row; kNoText for the separator
//   place      which menus show it (Place in command_table.hpp)
//   cursor     the menu's cursor starts on it
//   verb       message number of its name in the confirmation's heading
//   cvs word   the cvs command word of a plain run, else nullptr
//   runs it    the function that runs it (command_table.cpp), or nullptr
//   confirms   asks before it runs: it has no dialog of its own
//   names      which names of the selection go onto its command line
//   visits     the folders its cvs run visits, for the question before it
// Included by command_table.hpp and command_table.cpp; no include guard.
QUILLET_COMMAND(Update, MMenuUpdate, Files, true, MVerbUpdate, "update", RunUpdate, false, All, Names)
QUILLET_COMMAND(Commit, MMenuCommit, Files, false, MVerbCommit, nullptr, RunCommit, false, All, NamesAndHere)
QUILLET_COMMAND(LightCommit, MMenuLightCommit, Files, false, MVerbCommit, nullptr, RunLightCommit, false, All, NamesAndHere)
QUILLET_COMMAND(Checkout, MMenuCheckout, Anywhere, false, MVerbCheckout, nullptr, RunCheckout, false, None, Nothing)
QUILLET_COMMAND(Export, MMenuExport, Anywhere, false, MVerbExport, nullptr, RunExport, false, None, Nothing)
QUILLET_COMMAND(Log, MMenuLog, Files, false, MVerbLog, "log", RunPlain, true, All, Names)
QUILLET_COMMAND(Stat, MMenuStat, Files, false, MVerbStat, "stat", RunPlain, true, All, Names)
QUILLET_COMMAND(Diff, MMenuDiff, Files, false, MVerbDiff, "diff", RunDiff, false, First, Names)
QUILLET_COMMAND(Annotate, MMenuAnnotate, Files, false, MVerbAnnotate, "annotate", RunPlain, true, All, Names)
QUILLET_COMMAND(Separator, kNoText, WorkingCopy, false, kNoText, nullptr, nullptr, false, None, Nothing)
QUILLET_COMMAND(Add, MMenuAdd, WorkingCopy, false, MVerbAdd, "add", RunAdd, false, InBatches, Names)
QUILLET_COMMAND(Remove, MMenuRemove, WorkingCopy, false, MVerbRemove, "remove", RunPlain, true, All, Names)
QUILLET_COMMAND(Browse, MMenuBrowse, WorkingCopy, false, kNoText, nullptr, Browse, false, None, Nothing)
QUILLET_COMMAND(Mark, MMenuMark, OpensMarkMenu, false, kNoText, nullptr, nullptr, false, None, Nothing)
QUILLET_COMMAND(MarkModified, MMenuMarkModified, MarkMenu, true, kNoText, nullptr, MarkModified, false, None, Here)
QUILLET_COMMAND(MarkConflicts, MMenuMarkConflicts, MarkMenu, false, kNoText, nullptr, MarkConflicts, false, None, Here)
QUILLET_COMMAND(MarkOutOfDate, MMenuMarkOutOfDate, MarkMenu, false, kNoText, nullptr, MarkOutOfDate, false, None, Here)
QUILLET_COMMAND(MarkUnknown, MMenuMarkUnknown, MarkMenu, false, kNoText, nullptr, MarkUnknown, false, None, HereOnly)
