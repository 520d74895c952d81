// The panels' life: file panels read from folders, plug-in panels read
// from the module, entering rows, keys, and the requests the module made.
#include <string.h>

#include "core/host_core.hpp"
#include "core/panel_selection.hpp"
#include "core/platform.hpp"
#include "core/service_checks.hpp"

namespace hostcore {

namespace {

std::string CurrentName(const PanelModel &panel) {
  size_t current = static_cast<size_t>(panel.CurrentItem);
  return panel.CurrentItem >= 0 && current < panel.Rows.size() ? panel.Rows[current].Name : "";
}

// The last part of a folder path: where ".." comes from.
std::string LastPart(const std::string &dir) {
  std::string path = dir;
  while (path.size() > 1 && (path.back() == '/' || path.back() == kPathSeparator)) path.pop_back();
  size_t cut = path.find_last_of(std::string("/") + kPathSeparator);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The cursor on the row named `name`; where there is none, on row
// `otherwise` (the place of a name that went away), within the rows.
void PutCursorOn(PanelModel &panel, const std::string &name, int otherwise = 0) {
  int row = name.empty() ? -1 : FindRow(panel, name);
  panel.CurrentItem = row >= 0 ? row : otherwise;
  ClampCurrent(panel);
}

}  // namespace

bool HostCore::ShowFolder(int index, const std::string &dir) {
  PanelModel &panel = Panels[index];
  if (panel.Plugin) return false;
  std::string keep;
  int place = 0;
  if (dir == panel.CurDir) {
    keep = CurrentName(panel);
    place = panel.CurrentItem;
  }
  if (ParentOf(panel.CurDir) == dir) keep = LastPart(panel.CurDir);
  bool read = ReadFileRows(dir, panel.Rows);
  panel.CurDir = dir;
  panel.PanelType = PTYPE_FILEPANEL;
  PutCursorOn(panel, keep, place);
  front_->PanelChanged(index);
  return read;
}

bool HostCore::RereadFolder(int index) {
  PanelModel &panel = Panels[index];
  std::unordered_set<std::string> selected = SelectedNames(panel);
  bool read = ShowFolder(index, panel.CurDir);
  Reselect(panel, selected);
  return read;
}

bool HostCore::FollowActivePanel() {
  const std::string &dir = ActivePanel().CurDir;
  return !dir.empty() && SetCurrentFolder(dir);
}

void HostCore::FreeFoundItems(PanelModel &panel) {
  if (panel.FoundItems != nullptr && Current != nullptr)
    Current->FreeFindData(panel.PluginHandle, panel.FoundItems, panel.FoundItemsNumber);
  if (PluginItems == panel.FoundItems) {
    PluginItems = nullptr;
    PluginItemsNumber = 0;
  }
  panel.FoundItems = nullptr;
  panel.FoundItemsNumber = 0;
}

void HostCore::DescribePanel(PanelModel &panel) {
  // Zeroed, StructSize included, as FAR hands it: the module fills it in.
  memset(&panel.Described, 0, sizeof(panel.Described));
  Current->GetOpenPluginInfo(panel.PluginHandle, &panel.Described);
  CheckOpenPluginInfo(*this, panel.Described);
}

void HostCore::OpenPluginPanel(const Module &module, HANDLE plugin) {
  CheckOpenedPanel(*this, plugin);
  Current = &module;
  PanelModel &panel = ActivePanel();
  if (!panel.Plugin) panel.FileViewMode = panel.ViewMode;
  panel.Plugin = true;
  panel.PluginHandle = plugin;
  panel.CurrentItem = 0;
  panel.TopItem = 0;
  panel.Rows.clear();  // the file panel's rows are not the module's
  RefreshPluginPanel();
  int start = panel.Described.StartPanelMode;
  if (start >= '0' && start <= '9') panel.ViewMode = start - '0';
}

void HostCore::RefreshPluginPanel() { RefreshPluginPanel(Active); }

void HostCore::RefreshPluginPanel(int index) {
  PanelModel &panel = Panels[index];
  if (!panel.Plugin || Current == nullptr) return;
  std::string keep = CurrentName(panel);
  int place = panel.CurrentItem;
  // The module hands fresh items each time: the host keeps the selection
  // by name while the panel stays in its folder.
  std::unordered_set<std::string> selected = SelectedNames(panel);
  std::string folder = panel.CurDir;
  FreeFoundItems(panel);
  DescribePanel(panel);
  if (panel.Described.CurDir != nullptr) panel.CurDir = panel.Described.CurDir;
  if (panel.CurDir != folder) {
    selected.clear();
    place = 0;
  }
  PluginPanelItem *items = nullptr;
  int count = 0;
  if (!Current->GetFindData(panel.PluginHandle, &items, &count, 0) || count < 0) {
    items = nullptr;
    count = 0;
  }
  CheckFoundItems(*this, items, count);
  if (items == nullptr) count = 0;
  // FAR asks for the description again whenever it draws the panel; what
  // the listing found out (the info lines) shows from the first drawing on.
  DescribePanel(panel);
  panel.FoundItems = items;
  panel.FoundItemsNumber = count;
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
    row.Name.assign(item.FindData.cFileName,
                    strnlen(item.FindData.cFileName, sizeof(item.FindData.cFileName)));
    row.Attributes = item.FindData.dwFileAttributes;
    row.UserData = item.UserData;
    row.Selected = (item.Flags & PPIF_SELECTED) != 0;
    row.Size =
        (static_cast<uint64_t>(item.FindData.nFileSizeHigh) << 32) | item.FindData.nFileSizeLow;
    row.WriteTime = (static_cast<uint64_t>(item.FindData.ftLastWriteTime.dwHighDateTime) << 32) |
                    item.FindData.ftLastWriteTime.dwLowDateTime;
    if (item.Description != nullptr) row.Description = item.Description;
    for (int c = 0; c < item.CustomColumnNumber && item.CustomColumnData != nullptr; ++c) {
      row.CustomColumns.push_back(item.CustomColumnData[c] != nullptr ? item.CustomColumnData[c]
                                                                      : "");
    }
    panel.Rows.push_back(row);
  }
  SortRows(panel.Rows);
  Reselect(panel, selected);
  PutCursorOn(panel, keep, place);
  front_->PanelChanged(index);
}

void HostCore::EnterRow(const std::string &name) {
  PanelModel &panel = ActivePanel();
  if (!panel.Plugin || Current == nullptr) return;
  std::string from = name == ".." ? LastPart(panel.CurDir) : "";
  Current->SetDirectory(panel.PluginHandle, name.c_str(), 0);
  panel.CurrentItem = 0;
  panel.TopItem = 0;
  RefreshPluginPanel();
  PutCursorOn(panel, from);
  CarryOutRequests();
}

void HostCore::EnterRoot() { EnterRow(std::string(1, kPathSeparator)); }

int HostCore::PressKey(int key, unsigned int controlState) {
  PanelModel &panel = ActivePanel();
  if (!panel.Plugin || Current == nullptr) return 0;
  int handled = Current->ProcessKey(panel.PluginHandle, key, controlState);
  CarryOutRequests();
  return handled;
}

void HostCore::CarryOutRequests() {
  if (CloseRequested) {
    CloseRequested = false;
    int index = ClosePanel;
    std::string dir = CloseDirectory.empty() ? Panels[index].CurDir : CloseDirectory;
    ClosePluginPanel(index);
    ShowFolder(index, dir);
  }
  for (int index = 0; index < 2; ++index) {
    if (!UpdateRequested[index]) continue;
    UpdateRequested[index] = false;
    if (Panels[index].Plugin) {
      RefreshPluginPanel(index);
    } else if (!Panels[index].CurDir.empty()) {
      RereadFolder(index);
    }
  }
}

void HostCore::ClosePluginPanel() { ClosePluginPanel(Active); }

void HostCore::ClosePluginPanel(int index) {
  PanelModel &panel = Panels[index];
  if (!panel.Plugin || Current == nullptr) return;
  FreeFoundItems(panel);
  Current->ClosePlugin(panel.PluginHandle);
  panel.Plugin = false;
  panel.PluginHandle = nullptr;
  panel.Rows.clear();
  panel.CurrentItem = 0;
  panel.TopItem = 0;
  panel.ViewMode = panel.FileViewMode;
  memset(&panel.Described, 0, sizeof(panel.Described));
  front_->PanelChanged(index);
}

}  // namespace hostcore
