// File panels.
#include "console/file_panel.hpp"

namespace console {

Role PlainRowRole(const hostcore::PanelRow &row, bool cursor) {
  if (cursor) return row.Selected ? Role::PanelCursorSelected : Role::PanelCursor;
  if (row.Selected) return Role::PanelSelected;
  return hostcore::IsFolderRow(row) ? Role::PanelFolder : Role::PanelText;
}

PanelLook FilePanelLook(const hostcore::PanelModel &panel, bool active) {
  PanelLook look;
  look.Title = panel.CurDir;
  look.Active = active;
  look.RowColour = PlainRowRole;
  return look;
}

}  // namespace console
