// Showing a menu through the host.
#include "ui/menu.hpp"

#include "host/host.hpp"
#include "working_copy/run_check.hpp"

int ShowMenu(const char *title, const char *bottom, const FarMenuItem *items, int count,
             DWORD flags) {
  NoteUserPause();
  return HostInfo.Menu(HostInfo.ModuleNumber, -1, -1, 0, flags, title, bottom, nullptr, nullptr,
                       nullptr, items, count);
}
