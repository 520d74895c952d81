// The module's ten entry points.  Each forwards to the module's own code and
// lets no failure escape to the host.
#include <new>

#include "entry/dispatch.hpp"
#include "entry/language_count.hpp"
#include "far/far_api.hpp"
#include "host/host.hpp"
#include "panel/cvs_panel.hpp"

#ifdef _WIN32
#define QUILLET_EXPORT extern "C"
#else
#define QUILLET_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {
CvsPanel *PanelOf(HANDLE plugin) {
  if (plugin == nullptr || plugin == INVALID_HANDLE_VALUE) return nullptr;
  return static_cast<CvsPanel *>(plugin);
}
}  // namespace

QUILLET_EXPORT void FARAPI SetStartupInfo(const PluginStartupInfo *Info) {
  try {
    BindHost(Info);
    LimitHostMessages(FewestLanguageMessages(ModuleFileName()));
  } catch (...) {
  }
}

QUILLET_EXPORT void FARAPI GetPluginInfo(PluginInfo *Info) {
  try {
    DescribeModule(Info);
  } catch (...) {
  }
}

QUILLET_EXPORT int FARAPI GetMinFarVersion(void) { return FARMANAGERVERSION; }

QUILLET_EXPORT HANDLE FARAPI OpenPlugin(int OpenFrom, INT_PTR Item) {
  try {
    return OpenFromHost(OpenFrom, Item);
  } catch (...) {
    return INVALID_HANDLE_VALUE;
  }
}

QUILLET_EXPORT void FARAPI ClosePlugin(HANDLE hPlugin) {
  try {
    delete PanelOf(hPlugin);
  } catch (...) {
  }
}

QUILLET_EXPORT void FARAPI GetOpenPluginInfo(HANDLE hPlugin, OpenPluginInfo *Info) {
  try {
    CvsPanel *panel = PanelOf(hPlugin);
    if (panel != nullptr && Info != nullptr) panel->DescribePanel(Info);
  } catch (...) {
  }
}

QUILLET_EXPORT int FARAPI GetFindData(HANDLE hPlugin, PluginPanelItem **pPanelItem,
                                      int *pItemsNumber, int /*OpMode*/) {
  try {
    CvsPanel *panel = PanelOf(hPlugin);
    if (pPanelItem == nullptr || pItemsNumber == nullptr) return 0;
    *pPanelItem = nullptr;
    *pItemsNumber = 0;
    if (panel == nullptr) return 1;
    return panel->GetFindData(pPanelItem, pItemsNumber);
  } catch (...) {
    return 1;
  }
}

QUILLET_EXPORT void FARAPI FreeFindData(HANDLE /*hPlugin*/, PluginPanelItem *PanelItem,
                                        int ItemsNumber) {
  try {
    FreeFindItems(PanelItem, ItemsNumber);
  } catch (...) {
  }
}

QUILLET_EXPORT int FARAPI SetDirectory(HANDLE hPlugin, const char *Dir, int /*OpMode*/) {
  try {
    CvsPanel *panel = PanelOf(hPlugin);
    return panel != nullptr ? panel->SetDirectory(Dir) : 1;
  } catch (...) {
    return 1;
  }
}

QUILLET_EXPORT int FARAPI ProcessKey(HANDLE hPlugin, int Key, unsigned int ControlState) {
  try {
    CvsPanel *panel = PanelOf(hPlugin);
    return panel != nullptr ? panel->ProcessKey(Key, ControlState) : 0;
  } catch (...) {
    return 0;
  }
}
