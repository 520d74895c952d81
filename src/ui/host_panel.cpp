// The host's panels and command line, through its Control service; its
// character table through CharTable.
#include "ui/host_panel.hpp"

#include <string.h>

#include "far/field_text.hpp"
#include "host/host.hpp"

bool ReadActivePanel(PanelInfo &info) {
  memset(&info, 0, sizeof(info));
  if (HostInfo.Control == nullptr) return false;
  return HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_GETPANELINFO, &info) != 0;
}

void SelectInActivePanel(PanelInfo &info) {
  HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_SETSELECTION, &info);
  HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_REDRAWPANEL, nullptr);
}

void ClosePluginPanel(HANDLE panel, const std::string &directory) {
  HostInfo.Control(panel, FCTL_CLOSEPLUGIN, const_cast<char *>(directory.c_str()));
}

void InsertIntoCommandLine(const std::string &text) {
  HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_INSERTCMDLINE, const_cast<char *>(text.c_str()));
}

void HostDecodeTable(unsigned char table[256]) {
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  if (HostInfo.CharTable == nullptr) return;
  CharTableSet set;
  memset(&set, 0, sizeof(set));
  if (HostInfo.CharTable(1, reinterpret_cast<char *>(&set), sizeof(set)) == -1) return;
  memcpy(table, set.DecodeTable, 256);
}

const char *PointToName(const char *path) {
  if (path == nullptr) return "";
  // The host's standard functions are only ours to call when its record
  // was complete enough to carry them.
  if (HostInfo.FSF == &HostFsf && HostFsf.PointToName != nullptr) return HostFsf.PointToName(path);
  return PathNamePart(path);
}
