// The plug-ins menu side of OpenPlugin: selection, command menu and the run
// of the chosen command.
#ifndef QUILLET_ENTRY_DISPATCH_HPP
#define QUILLET_ENTRY_DISPATCH_HPP

#include <string>

#include "runner/runner.hpp"

// Menu entry numbers: the command menu's indexes 0..12 and the Mark
// sub-menu's entries 13..16.
enum MenuEntry {
  kEntryUpdate = 0,
  kEntryCommit = 1,
  kEntryLightCommit = 2,
  kEntryCheckout = 3,
  kEntryExport = 4,
  kEntryLog = 5,
  kEntryStat = 6,
  kEntryDiff = 7,
  kEntryAdd = 9,
  kEntryRemove = 10,
  kEntryBrowse = 11,
  kEntryMark = 12,
  kEntryMarkModified = 13,
  kEntryMarkConflicts = 14,
  kEntryMarkOutOfDate = 15,
  kEntryMarkUnknown = 16
};

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

// Shows the command menu (and the Mark sub-menu); a menu entry number or -1.
int ShowCommandMenu(bool wholeDirectory);

#endif
