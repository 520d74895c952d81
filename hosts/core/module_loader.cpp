// Loads a module and binds its ten exports.
#include "core/module_loader.hpp"

#include "core/platform.hpp"

namespace hostcore {

namespace {
template <typename T>
bool Bind(void *library, const char *name, T &slot, std::string &error) {
  slot = reinterpret_cast<T>(LibrarySymbol(library, name));
  if (slot == nullptr) {
    error += std::string(error.empty() ? "" : ", ") + "missing entry point " + name;
    return false;
  }
  return true;
}
}  // namespace

bool LoadModuleExports(const std::string &path, Module &module, std::string &error) {
  error.clear();
  void *library = OpenLibrary(path, error);
  if (library == nullptr) return false;
  module = Module();
  module.Library = library;
  module.Path = path;
  bool ok = true;
  ok &= Bind(library, "SetStartupInfo", module.SetStartupInfo, error);
  ok &= Bind(library, "GetPluginInfo", module.GetPluginInfo, error);
  ok &= Bind(library, "GetMinFarVersion", module.GetMinFarVersion, error);
  ok &= Bind(library, "OpenPlugin", module.OpenPlugin, error);
  ok &= Bind(library, "ClosePlugin", module.ClosePlugin, error);
  ok &= Bind(library, "GetOpenPluginInfo", module.GetOpenPluginInfo, error);
  ok &= Bind(library, "GetFindData", module.GetFindData, error);
  ok &= Bind(library, "FreeFindData", module.FreeFindData, error);
  ok &= Bind(library, "SetDirectory", module.SetDirectory, error);
  ok &= Bind(library, "ProcessKey", module.ProcessKey, error);
  if (!ok) {
    UnloadModule(module);
    return false;
  }
  return true;
}

void UnloadModule(Module &module) {
  CloseLibrary(module.Library);
  module = Module();
}

}  // namespace hostcore
