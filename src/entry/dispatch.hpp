// The plug-ins menu side of OpenPlugin: selection, command menu and the run
// of the chosen command.
#ifndef QUILLET_ENTRY_DISPATCH_HPP
#define QUILLET_ENTRY_DISPATCH_HPP

#include <string>

#include "entry/command_table.hpp"
#include "runner/cvs_args.hpp"

// Entry point from the host for OpenPlugin: the command line opens a panel,
// the plug-ins menu runs the dispatcher.
HANDLE OpenFromHost(int openFrom, INT_PTR item);

// Collects the selection, shows the command menu and runs the chosen
// command.  The new panel's handle for "&Browse", else INVALID_HANDLE_VALUE.
HANDLE DispatchCommand();

// Reads the active panel: the explicitly selected names relative to the
// panel's folder, or "." with `wholeDirectory` set.  False when the active
// panel is not a file panel.
bool CollectSelection(Selection &out, bool &wholeDirectory);

// A name as the panel shows it, made relative to the panel's folder
// `curDir` when it starts with that folder (letter case aside) followed by a
// separator; other names are returned unchanged.
std::string RelativeToPanel(const char *name, const char *curDir);

// Shows the command menu (and the Mark sub-menu); the chosen command's row,
// or null when the user chose none.
const CommandRow *ShowCommandMenu(bool wholeDirectory);

#endif
