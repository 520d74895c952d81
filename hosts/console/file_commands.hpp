// F5, F6, F7 and F8 on the active panel: copy, move or rename, make a
// folder, delete the selected entries (or the current one) after a
// confirmation that names them.  They work on a file panel and on a
// plug-in panel that lists real files (OPIF_REALNAMES); both panels are
// read again afterwards, a plug-in panel through the module.
#ifndef QUILLET_CONSOLE_FILE_COMMANDS_HPP
#define QUILLET_CONSOLE_FILE_COMMANDS_HPP

#include "console/terminal.hpp"
#include "core/host_core.hpp"

namespace console {

void MakeFolderCommand(Terminal &term, hostcore::HostCore &core);
// F5 copies, F6 moves (or renames) the selected entries, or the current
// one, to a destination asked in a one-line dialog: the other panel's
// folder to begin with.
void CopyCommand(Terminal &term, hostcore::HostCore &core, bool move);
void DeleteCommand(Terminal &term, hostcore::HostCore &core);

}  // namespace console

#endif
