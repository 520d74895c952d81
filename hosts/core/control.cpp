// The Control service: the panels and the command line as the module sees
// and changes them.
#include <string.h>

#include "core/column_layout.hpp"
#include "core/host_core.hpp"
#include "far/field_text.hpp"

namespace hostcore {

namespace {

// FCTL_GETCMDLINE's buffer holds this much, terminator included.
const size_t kCommandLineBuffer = 1024;

void FillFindData(const PanelRow &row, FAR_FIND_DATA &data) {
  CopyToField(data.cFileName, row.Name.c_str());
  data.dwFileAttributes = row.Attributes;
  data.nFileSizeHigh = static_cast<DWORD>(row.Size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(row.Size & 0xFFFFFFFFu);
  data.ftLastWriteTime.dwHighDateTime = static_cast<DWORD>(row.WriteTime >> 32);
  data.ftLastWriteTime.dwLowDateTime = static_cast<DWORD>(row.WriteTime & 0xFFFFFFFFu);
}

void FillItem(const PanelRow &row, PluginPanelItem &item, std::vector<char *> &columns) {
  memset(&item, 0, sizeof(item));
  FillFindData(row, item.FindData);
  item.UserData = row.UserData;
  item.Flags = row.Selected ? PPIF_SELECTED : 0;
  item.Description =
      const_cast<char *>(row.Description.empty() ? nullptr : row.Description.c_str());
  columns.clear();
  for (const std::string &text : row.CustomColumns)
    columns.push_back(const_cast<char *>(text.c_str()));
  item.CustomColumnData = columns.empty() ? nullptr : columns.data();
  item.CustomColumnNumber = static_cast<int>(columns.size());
}

std::string TextParam(void *param) {
  return param != nullptr ? static_cast<const char *>(param) : "";
}

}  // namespace

int HostCore::PanelIndexFor(HANDLE plugin, bool another) {
  int index = Active;
  if (plugin != INVALID_HANDLE_VALUE && plugin != nullptr) {
    for (int i = 0; i < 2; ++i) {
      if (Panels[i].Plugin && Panels[i].PluginHandle == plugin) index = i;
    }
  }
  return another ? 1 - index : index;
}

void HostCore::FillPanelInfo(int index, PanelInfo &info) {
  PanelModel &panel = Panels[index];
  memset(&info, 0, sizeof(info));
  info.PanelType = panel.PanelType;
  info.Plugin = panel.Plugin ? 1 : 0;
  info.PanelRect = panel.Rect;
  infoItems_.assign(panel.Rows.size(), PluginPanelItem());
  infoColumns_.assign(panel.Rows.size(), std::vector<char *>());
  for (size_t i = 0; i < panel.Rows.size(); ++i)
    FillItem(panel.Rows[i], infoItems_[i], infoColumns_[i]);
  // Selected items, or the item under the cursor (without the flag) when
  // nothing is selected; the ".." row stands for nothing.
  infoSelected_.clear();
  for (const PluginPanelItem &item : infoItems_) {
    if (item.Flags & PPIF_SELECTED) infoSelected_.push_back(item);
  }
  size_t current = static_cast<size_t>(panel.CurrentItem);
  if (infoSelected_.empty() && panel.CurrentItem >= 0 && current < infoItems_.size() &&
      panel.Rows[current].Name != "..") {
    infoSelected_.push_back(infoItems_[current]);
  }
  info.PanelItems = infoItems_.empty() ? nullptr : infoItems_.data();
  info.ItemsNumber = static_cast<int>(infoItems_.size());
  info.SelectedItems = infoSelected_.empty() ? nullptr : infoSelected_.data();
  info.SelectedItemsNumber = static_cast<int>(infoSelected_.size());
  info.CurrentItem = panel.CurrentItem;
  info.TopPanelItem = panel.TopItem;
  info.Visible = panel.Visible ? 1 : 0;
  info.Focus = index == Active ? 1 : 0;
  info.ViewMode = panel.ViewMode;
  ModeColumns mode = PanelModeColumns(panel);
  CopyToField(info.ColumnTypes, mode.Types.c_str());
  CopyToField(info.ColumnWidths, mode.Widths.c_str());
  CopyToField(info.CurDir, panel.CurDir.c_str());
}

int HostCore::Control(HANDLE plugin, int command, void *param) {
  ControlCall call;
  call.Plugin = plugin;
  call.Command = command;
  int result = 1;
  switch (command) {
    case FCTL_GETPANELINFO:
    case FCTL_GETANOTHERPANELINFO:
      if (param == nullptr) {
        result = 0;
        break;
      }
      FillPanelInfo(PanelIndexFor(plugin, command == FCTL_GETANOTHERPANELINFO),
                    *static_cast<PanelInfo *>(param));
      break;
    case FCTL_SETSELECTION:
    case FCTL_SETANOTHERSELECTION: {
      PanelModel &panel = Panels[PanelIndexFor(plugin, command == FCTL_SETANOTHERSELECTION)];
      const PanelInfo *info = static_cast<const PanelInfo *>(param);
      if (info == nullptr || (info->ItemsNumber > 0 && info->PanelItems == nullptr)) {
        result = 0;
        break;
      }
      for (int i = 0; i < info->ItemsNumber && static_cast<size_t>(i) < panel.Rows.size(); ++i) {
        panel.Rows[static_cast<size_t>(i)].Selected =
            (info->PanelItems[i].Flags & PPIF_SELECTED) != 0;
      }
      break;
    }
    case FCTL_CLOSEPLUGIN:
      call.Text = TextParam(param);
      CloseRequested = true;
      CloseDirectory = call.Text;
      ClosePanel = PanelIndexFor(plugin, false);
      break;
    case FCTL_INSERTCMDLINE:
      call.Text = TextParam(param);
      CommandLine += call.Text;
      front_->CommandLineChanged();
      break;
    case FCTL_SETCMDLINE:
      call.Text = TextParam(param);
      CommandLine = call.Text;
      front_->CommandLineChanged();
      break;
    case FCTL_GETCMDLINE:
      if (param != nullptr)
        CopyToField(static_cast<char *>(param), kCommandLineBuffer, CommandLine.c_str());
      break;
    case FCTL_REDRAWPANEL:
    case FCTL_REDRAWANOTHERPANEL:
      front_->PanelChanged(PanelIndexFor(plugin, command == FCTL_REDRAWANOTHERPANEL));
      break;
    case FCTL_UPDATEPANEL:
    case FCTL_UPDATEANOTHERPANEL:
      // Read again once the module's call has returned: the module may be
      // in the middle of its own listing.
      UpdateRequested[PanelIndexFor(plugin, command == FCTL_UPDATEANOTHERPANEL)] = true;
      break;
    case FCTL_SETANOTHERPANELDIR: {
      int index = PanelIndexFor(plugin, true);
      call.Text = TextParam(param);
      if (param == nullptr || Panels[index].Plugin) {
        result = 0;
        break;
      }
      result = ShowFolder(index, call.Text) ? 1 : 0;
      break;
    }
    case FCTL_SETVIEWMODE:
    case FCTL_SETANOTHERVIEWMODE: {
      int index = PanelIndexFor(plugin, command == FCTL_SETANOTHERVIEWMODE);
      const int *mode = static_cast<const int *>(param);
      if (mode == nullptr || *mode < 0 || *mode > 9) {
        result = 0;
        break;
      }
      Panels[index].ViewMode = *mode;
      front_->PanelChanged(index);
      break;
    }
    default:
      result = 0;
      break;
  }
  front_->ControlDone(call);
  return result;
}

}  // namespace hostcore
