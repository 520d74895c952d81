// The host's own answers to a person's keys: entering rows, the module's
// two ways in, leaving a plug-in panel, reading panels again.
#include "core/host_core.hpp"
#include "core/module_entry.hpp"
#include "core/panel_cursor.hpp"
#include "core/platform.hpp"
#include "core/service_checks.hpp"

namespace hostcore {

namespace {
bool Valid(HANDLE plugin) { return plugin != nullptr && plugin != INVALID_HANDLE_VALUE; }
}  // namespace

bool HostCore::EnterCurrentRow() {
  PanelModel &panel = ActivePanel();
  if (panel.Rows.empty()) return true;
  ClampCurrent(panel);
  const PanelRow row = panel.Rows[static_cast<size_t>(panel.CurrentItem)];
  if (!IsFolderRow(row)) return true;
  FollowActivePanel();
  bool entered = true;
  if (panel.Plugin) {
    EnterRow(row.Name);
  } else {
    std::string target = row.Name == ".." ? ParentOf(panel.CurDir) : RowPath(panel, row);
    if (!target.empty()) entered = ShowFolder(Active, target);
  }
  FollowActivePanel();
  return entered;
}

void HostCore::OpenModule(int openFrom, INT_PTR item) {
  if (Current == nullptr) return;
  const Module &module = *Current;
  FollowActivePanel();
  HANDLE plugin = module.OpenPlugin(openFrom, item);
  if (plugin == nullptr) CheckOpenedPanel(*this, plugin);
  if (Valid(plugin)) {
    if (ActivePanel().Plugin) ClosePluginPanel();
    OpenPluginPanel(module, plugin);
  }
  CarryOutRequests();
  RereadFilePanels();
  // A command from the plug-ins menu may have changed the states a plug-in
  // panel shows.
  if (!Valid(plugin) && openFrom == OPEN_PLUGINSMENU) {
    for (int index = 0; index < 2; ++index) {
      if (Panels[index].Plugin) RereadPanel(index);
    }
  }
}

bool HostCore::RunPrefixedCommand(const std::string &line) {
  if (Current == nullptr) return false;
  std::string rest;
  if (!SplitPrefixedCommand(line, ReadModuleEntry(*Current, this).Prefixes, rest)) return false;
  OpenModule(OPEN_COMMANDLINE, reinterpret_cast<INT_PTR>(rest.c_str()));
  return true;
}

void HostCore::LeavePanel() {
  if (!ActivePanel().Plugin) {
    RereadPanel(Active);
    return;
  }
  std::string dir = ActivePanel().CurDir;
  ClosePluginPanel();
  ShowFolder(Active, dir);
  FollowActivePanel();
}

void HostCore::GoToRoot() {
  FollowActivePanel();
  if (ActivePanel().Plugin)
    EnterRoot();
  else
    ShowFolder(Active, std::string(1, kPathSeparator));
  FollowActivePanel();
}

void HostCore::SetViewMode(int mode) {
  if (mode < 0 || mode > 9) return;
  PanelModel &panel = ActivePanel();
  panel.ViewMode = mode;
  if (!panel.Plugin) panel.FileViewMode = mode;
  front_->PanelChanged(Active);
}

void HostCore::RereadPanel(int index) {
  PanelModel &panel = Panels[index];
  if (!panel.Plugin) {
    RereadFolder(index);
    return;
  }
  // The module lists the current folder: make it the panel's meanwhile.
  if (!panel.CurDir.empty()) SetCurrentFolder(panel.CurDir);
  RefreshPluginPanel(index);
  FollowActivePanel();
}

void HostCore::RereadFilePanels() {
  for (int index = 0; index < 2; ++index) {
    if (!Panels[index].Plugin && !Panels[index].CurDir.empty()) RereadFolder(index);
  }
}

}  // namespace hostcore
