// The host's two panels as plain data: a file panel read from the file
// system, or a plug-in panel read from the module.
#ifndef QUILLET_HOSTCORE_PANEL_MODEL_HPP
#define QUILLET_HOSTCORE_PANEL_MODEL_HPP

#include <stdint.h>

#include <string>
#include <vector>

#include "far/far_api.hpp"

namespace hostcore {

// One row of a panel.
struct PanelRow {
  std::string Name;  // cFileName as the host reports it
  DWORD Attributes = 0;
  bool Selected = false;
  DWORD_PTR UserData = 0;
  std::string Description;                 // filled for plug-in rows
  std::vector<std::string> CustomColumns;  // filled for plug-in rows ("" for null)
  uint64_t Size = 0;
  uint64_t WriteTime = 0;  // FILETIME ticks; 0 when unknown
};

// The host's model of one of its two panels.
struct PanelModel {
  int PanelType = PTYPE_FILEPANEL;
  bool Plugin = false;
  HANDLE PluginHandle = nullptr;  // the open plug-in panel, when Plugin
  std::string CurDir;
  std::vector<PanelRow> Rows;
  int CurrentItem = 0;
  int TopItem = 0;
  int ViewMode = 2;
  int FileViewMode = 2;  // the file panel's mode, back when a plug-in panel closes
  bool Visible = true;
  RECT Rect{0, 1, 39, 22};  // on screen, frame included
  // What the module last described with GetOpenPluginInfo (plug-in panels).
  OpenPluginInfo Described{};
  // The items of the last GetFindData, handed back by FreeFindData.
  PluginPanelItem *FoundItems = nullptr;
  int FoundItemsNumber = 0;
};

bool IsFolderRow(const PanelRow &row);
// Folders first (".." before all), then files, each by name: letters
// compared without case, then byte by byte.
bool RowComesBefore(const PanelRow &a, const PanelRow &b);
void SortRows(std::vector<PanelRow> &rows);

// The file panel's rows for `dir`: ".." (unless `dir` is a root) and the
// folder's entries in panel order.  False when the folder cannot be read
// (the rows then hold ".." alone).
bool ReadFileRows(const std::string &dir, std::vector<PanelRow> &rows);
// The folder above `dir`, or "" at a root.
std::string ParentOf(const std::string &dir);

// The row named `name` (or whose name ends in a separator and `name`).
int FindRow(const PanelModel &panel, const std::string &name);
// Keeps CurrentItem within the rows.
void ClampCurrent(PanelModel &panel);

}  // namespace hostcore

#endif
