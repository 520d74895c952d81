// A plug-in panel in the host: it asks the module for its description and
// rows, routes directory changes and keys, and closes it on request.
#include <string.h>

#include "standin/standin.hpp"

namespace standin {

namespace {

void FreeItems(Host &host) {
  PanelModel &panel = host.ActivePanel();
  if (host.PluginItems != nullptr && host.Current != nullptr) {
    host.Current->FreeFindData(panel.PluginHandle, host.PluginItems, host.PluginItemsNumber);
  }
  host.PluginItems = nullptr;
  host.PluginItemsNumber = 0;
}

}  // namespace

void Host::OpenPluginPanel(const Module &module, HANDLE plugin) {
  Current = &module;
  PanelModel &panel = ActivePanel();
  panel.Plugin = true;
  panel.PluginHandle = plugin;
  panel.CurrentItem = 0;
  RefreshPluginPanel();
}

void Host::RefreshPluginPanel() {
  PanelModel &panel = ActivePanel();
  if (!panel.Plugin || Current == nullptr) return;
  FreeItems(*this);
  memset(&panel.Described, 0, sizeof(panel.Described));
  Current->GetOpenPluginInfo(panel.PluginHandle, &panel.Described);
  if (panel.Described.CurDir != nullptr) panel.CurDir = panel.Described.CurDir;
  PluginPanelItem *items = nullptr;
  int count = 0;
  if (!Current->GetFindData(panel.PluginHandle, &items, &count, 0)) {
    items = nullptr;
    count = 0;
  }
  PluginItems = items;
  PluginItemsNumber = count;
  panel.Rows.clear();
  if (panel.Described.Flags & OPIF_ADDDOTS) {
    PanelRow dots;
    dots.Name = "..";
    dots.Attributes = FILE_ATTRIBUTE_DIRECTORY;
    panel.Rows.push_back(dots);
  }
  for (int i = 0; i < count; ++i) {
    const PluginPanelItem &item = items[i];
    PanelRow row;
    row.Name = item.FindData.cFileName;
    row.Attributes = item.FindData.dwFileAttributes;
    row.UserData = item.UserData;
    row.Selected = (item.Flags & PPIF_SELECTED) != 0;
    if (item.Description != nullptr) row.Description = item.Description;
    for (int c = 0; c < item.CustomColumnNumber && item.CustomColumnData != nullptr; ++c) {
      row.CustomColumns.push_back(item.CustomColumnData[c] != nullptr ? item.CustomColumnData[c]
                                                                      : "");
    }
    panel.Rows.push_back(row);
  }
  if (panel.CurrentItem >= static_cast<int>(panel.Rows.size())) panel.CurrentItem = 0;
}

void Host::EnterRow(const std::string &name) {
  PanelModel &panel = ActivePanel();
  if (!panel.Plugin || Current == nullptr) return;
  Current->SetDirectory(panel.PluginHandle, name.c_str(), 0);
  panel.CurrentItem = 0;
  RefreshPluginPanel();
}

int Host::PressKey(int key, unsigned int controlState) {
  PanelModel &panel = ActivePanel();
  if (!panel.Plugin || Current == nullptr) return 0;
  int handled = Current->ProcessKey(panel.PluginHandle, key, controlState);
  if (CloseRequested) {
    CloseRequested = false;
    ClosePluginPanel();
    ActivePanel().CurDir = CloseDirectory;
  }
  return handled;
}

void Host::ClosePluginPanel() {
  PanelModel &panel = ActivePanel();
  if (!panel.Plugin || Current == nullptr) return;
  FreeItems(*this);
  Current->ClosePlugin(panel.PluginHandle);
  panel.Plugin = false;
  panel.PluginHandle = nullptr;
  panel.Rows.clear();
  panel.CurrentItem = 0;
  memset(&panel.Described, 0, sizeof(panel.Described));
}

}  // namespace standin
