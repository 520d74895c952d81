// A plug-in module reached through its ten exported entry points, loaded
// as the host loads it: by name, nothing else.
#ifndef QUILLET_HOSTCORE_MODULE_LOADER_HPP
#define QUILLET_HOSTCORE_MODULE_LOADER_HPP

#include <string>

#include "far/far_api.hpp"

namespace hostcore {

struct Module {
  void *Library = nullptr;
  std::string Path;
  PFN_SetStartupInfo SetStartupInfo = nullptr;
  PFN_GetPluginInfo GetPluginInfo = nullptr;
  PFN_GetMinFarVersion GetMinFarVersion = nullptr;
  PFN_OpenPlugin OpenPlugin = nullptr;
  PFN_ClosePlugin ClosePlugin = nullptr;
  PFN_GetOpenPluginInfo GetOpenPluginInfo = nullptr;
  PFN_GetFindData GetFindData = nullptr;
  PFN_FreeFindData FreeFindData = nullptr;
  PFN_SetDirectory SetDirectory = nullptr;
  PFN_ProcessKey ProcessKey = nullptr;
};

// Loads the module and resolves all ten entry points; false with a reason
// when the file cannot be loaded or an entry point is missing.
bool LoadModuleExports(const std::string &path, Module &module, std::string &error);
void UnloadModule(Module &module);

}  // namespace hostcore

#endif
