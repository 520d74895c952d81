// The arguments of each service call, and the records the module hands
// back, checked against what FAR 1.70 accepts.  What it refuses, misreads
// or would crash on goes to the core's contract (core/host_contract.hpp);
// the service then answers as it always did.
#ifndef QUILLET_HOSTCORE_SERVICE_CHECKS_HPP
#define QUILLET_HOSTCORE_SERVICE_CHECKS_HPP

#include "far/far_api.hpp"

namespace hostcore {

class HostCore;

void CheckGetMsg(HostCore &core, INT_PTR number, int id);
void CheckMenu(HostCore &core, INT_PTR number, DWORD flags, const int *breakKeys,
               const FarMenuItem *items, int count);
void CheckMessage(HostCore &core, INT_PTR number, DWORD flags, const char *const *items,
                  int itemsNumber, int buttonsNumber);
// `service` is "Dialog" or "DialogEx"; reserved and flags only DialogEx has.
void CheckDialog(HostCore &core, const char *service, INT_PTR number, int x2, int y2,
                 const FarDialogItem *items, int count, DWORD reserved, DWORD flags);
// A dialog message or the default procedure: the handle of an open dialog,
// and a message this host carries out.
void CheckDialogMessage(HostCore &core, const char *service, HANDLE dialog, int message);
void CheckControl(HostCore &core, HANDLE plugin, int command, void *param);
void CheckEditor(HostCore &core, const char *fileName, DWORD flags);
void CheckAdvControl(HostCore &core, INT_PTR number, int command, void *param);
void CheckCharTable(HostCore &core, int command, const char *buffer, int size);

// What the module hands back from its entry points.
void CheckPluginInfo(HostCore &core, const PluginInfo &info);
void CheckOpenedPanel(HostCore &core, HANDLE plugin);
void CheckOpenPluginInfo(HostCore &core, const OpenPluginInfo &info);
void CheckFoundItems(HostCore &core, const PluginPanelItem *items, int count);

}  // namespace hostcore

#endif
