// How a module offers itself to the user (GetPluginInfo): its rows in the
// plug-ins menu and its command-line prefixes; and the command lines that
// go to it.
#ifndef QUILLET_HOSTCORE_MODULE_ENTRY_HPP
#define QUILLET_HOSTCORE_MODULE_ENTRY_HPP

#include <string>
#include <vector>

#include "core/menu_model.hpp"
#include "core/module_loader.hpp"

namespace hostcore {

struct ModuleEntry {
  std::vector<std::string> MenuStrings;  // the plug-ins menu rows
  std::vector<std::string> Prefixes;     // "cvs" (CommandPrefix lists them split by ':')
};

class HostCore;

// Asks the module; null strings and a null array are taken as none.  With
// a core, what FAR would refuse in the answer goes to its contract.
ModuleEntry ReadModuleEntry(const Module &module, HostCore *checker = nullptr);
// The host's plug-ins menu (F11) offering the module's rows.
MenuModel PluginsMenu(const ModuleEntry &entry);
// When `line` (leading blanks ignored) begins with one of the prefixes and
// a colon, case ignored, gives the text after the colon and returns true.
bool SplitPrefixedCommand(const std::string &line, const std::vector<std::string> &prefixes,
                          std::string &rest);

}  // namespace hostcore

#endif
