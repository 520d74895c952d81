// The host's panels as the module sees them through Control.
#include <string.h>

#include "standin/services.hpp"
#include "standin/standin.hpp"

namespace standin {

namespace {

// PanelInfo arrays stay valid until the next request, as the host's do.
std::vector<PluginPanelItem> infoItems;
std::vector<PluginPanelItem> infoSelected;
std::vector<std::vector<char *>> infoColumns;

void FillItem(const PanelRow &row, PluginPanelItem &item, std::vector<char *> &columns) {
  memset(&item, 0, sizeof(item));
  strncpy(item.FindData.cFileName, row.Name.c_str(), sizeof(item.FindData.cFileName) - 1);
  item.FindData.dwFileAttributes = row.Attributes;
  item.UserData = row.UserData;
  item.Flags = row.Selected ? PPIF_SELECTED : 0;
  item.Description =
      const_cast<char *>(row.Description.empty() ? nullptr : row.Description.c_str());
  columns.clear();
  for (const std::string &text : row.CustomColumns) {
    columns.push_back(const_cast<char *>(text.c_str()));
  }
  item.CustomColumnData = columns.empty() ? nullptr : columns.data();
  item.CustomColumnNumber = static_cast<int>(columns.size());
}

void FillPanelInfo(PanelModel &panel, bool focused, PanelInfo &info) {
  memset(&info, 0, sizeof(info));
  info.PanelType = panel.PanelType;
  info.Plugin = panel.Plugin ? 1 : 0;
  info.PanelRect = RECT{0, 1, 39, 22};
  infoItems.assign(panel.Rows.size(), PluginPanelItem());
  infoColumns.assign(panel.Rows.size(), std::vector<char *>());
  for (size_t i = 0; i < panel.Rows.size(); ++i)
    FillItem(panel.Rows[i], infoItems[i], infoColumns[i]);
  // Selected items, or the item under the cursor (without the flag) when
  // nothing is selected; the ".." row stands for nothing.
  infoSelected.clear();
  for (const PluginPanelItem &item : infoItems) {
    if (item.Flags & PPIF_SELECTED) infoSelected.push_back(item);
  }
  if (infoSelected.empty() && panel.CurrentItem >= 0 &&
      static_cast<size_t>(panel.CurrentItem) < infoItems.size() &&
      panel.Rows[static_cast<size_t>(panel.CurrentItem)].Name != "..") {
    infoSelected.push_back(infoItems[static_cast<size_t>(panel.CurrentItem)]);
  }
  info.PanelItems = infoItems.empty() ? nullptr : infoItems.data();
  info.ItemsNumber = static_cast<int>(infoItems.size());
  info.SelectedItems = infoSelected.empty() ? nullptr : infoSelected.data();
  info.SelectedItemsNumber = static_cast<int>(infoSelected.size());
  info.CurrentItem = panel.CurrentItem;
  info.Visible = 1;
  info.Focus = focused ? 1 : 0;
  info.ViewMode = panel.ViewMode;
  strncpy(info.CurDir, panel.CurDir.c_str(), sizeof(info.CurDir) - 1);
}

PanelModel *PanelFor(HANDLE plugin, bool another) {
  Host &host = Host::Get();
  int index = host.Active;
  if (plugin != INVALID_HANDLE_VALUE && plugin != nullptr) {
    for (int i = 0; i < 2; ++i) {
      if (host.Panels[i].Plugin && host.Panels[i].PluginHandle == plugin) index = i;
    }
  }
  if (another) index = 1 - index;
  return &host.Panels[index];
}

}  // namespace

int FARAPI ServiceControl(HANDLE plugin, int command, void *param) {
  Record("Control(" + std::to_string(command) + ")");
  Host &host = Host::Get();
  ControlCall call;
  call.Plugin = plugin;
  call.Command = command;
  int result = 1;
  switch (command) {
    case FCTL_GETPANELINFO:
    case FCTL_GETANOTHERPANELINFO: {
      PanelModel *panel = PanelFor(plugin, command == FCTL_GETANOTHERPANELINFO);
      if (param == nullptr) {
        result = 0;
        break;
      }
      FillPanelInfo(*panel, panel == &host.ActivePanel(), *static_cast<PanelInfo *>(param));
      break;
    }
    case FCTL_SETSELECTION:
    case FCTL_SETANOTHERSELECTION: {
      PanelModel *panel = PanelFor(plugin, command == FCTL_SETANOTHERSELECTION);
      const PanelInfo *info = static_cast<const PanelInfo *>(param);
      if (info == nullptr) {
        result = 0;
        break;
      }
      for (int i = 0; i < info->ItemsNumber && static_cast<size_t>(i) < panel->Rows.size(); ++i) {
        panel->Rows[static_cast<size_t>(i)].Selected =
            (info->PanelItems[i].Flags & PPIF_SELECTED) != 0;
      }
      break;
    }
    case FCTL_CLOSEPLUGIN:
      call.Text = param != nullptr ? static_cast<const char *>(param) : "";
      host.CloseRequested = true;
      host.CloseDirectory = call.Text;
      break;
    case FCTL_INSERTCMDLINE:
      call.Text = param != nullptr ? static_cast<const char *>(param) : "";
      host.CommandLine += call.Text;
      break;
    case FCTL_SETCMDLINE:
      call.Text = param != nullptr ? static_cast<const char *>(param) : "";
      host.CommandLine = call.Text;
      break;
    case FCTL_GETCMDLINE:
      if (param != nullptr) {
        strncpy(static_cast<char *>(param), host.CommandLine.c_str(), 1023);
        static_cast<char *>(param)[1023] = '\0';
      }
      break;
    case FCTL_REDRAWPANEL:
    case FCTL_REDRAWANOTHERPANEL:
    case FCTL_UPDATEPANEL:
    case FCTL_UPDATEANOTHERPANEL:
      break;
    default:
      result = 0;
      break;
  }
  host.Controls.push_back(call);
  return result;
}

}  // namespace standin
