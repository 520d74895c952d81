// Loads a plug-in module and resolves its exported entry points, as the
// host does: by name, nothing else.
#include "standin/standin.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace standin {

namespace {
void *Resolve(void *library, const char *name) {
#ifdef _WIN32
  return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
  return dlsym(library, name);
#endif
}

template <typename T>
bool Bind(void *library, const char *name, T &slot, std::string &error) {
  slot = reinterpret_cast<T>(Resolve(library, name));
  if (slot == nullptr) {
    error += std::string(error.empty() ? "" : ", ") + "missing entry point " + name;
    return false;
  }
  return true;
}
}  // namespace

bool LoadModule(const std::string &path, Module &module, std::string &error) {
  error.clear();
#ifdef _WIN32
  void *library = reinterpret_cast<void *>(LoadLibraryA(path.c_str()));
  if (library == nullptr) {
    error = "cannot load " + path;
    return false;
  }
#else
  void *library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char *reason = dlerror();
    error = "cannot load " + path + ": " + (reason != nullptr ? reason : "unknown reason");
    return false;
  }
#endif
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
  Host::Get().LoadLanguageBeside(path);
  return true;
}

void UnloadModule(Module &module) {
  if (module.Library != nullptr) {
#ifdef _WIN32
    FreeLibrary(static_cast<HMODULE>(module.Library));
#else
    dlclose(module.Library);
#endif
  }
  module = Module();
}

}  // namespace standin
