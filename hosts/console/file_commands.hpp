// F7, F6 and F8 on the active panel: make a folder, rename the current
// entry, delete the selected entries (or the current one) after a
// confirmation that names them.  They work on a file panel and on a
// plug-in panel that lists real files (OPIF_REALNAMES); both panels are
// read again afterwards, a plug-in panel through the module.
#ifndef QUILLET_CONSOLE_FILE_COMMANDS_HPP
#define QUILLET_CONSOLE_FILE_COMMANDS_HPP

#include "console/terminal.hpp"
#include "core/host_core.hpp"

namespace console {

void MakeFolderCommand(Terminal &term, hostcore::HostCore &core);
void RenameCommand(Terminal &term, hostcore::HostCore &core);
void DeleteCommand(Terminal &term, hostcore::HostCore &core);

}  // namespace console

#endif
