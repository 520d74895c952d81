// Cursor moves and selection in a panel.
#include "core/panel_cursor.hpp"

#include <algorithm>

#include "core/platform.hpp"

namespace hostcore {

namespace {
int RowCount(const PanelModel &panel) { return static_cast<int>(panel.Rows.size()); }
}  // namespace

void KeepCursorVisible(PanelModel &panel, const PanelWindow &window) {
  int count = RowCount(panel);
  int capacity = std::max(1, window.Capacity());
  panel.CurrentItem = std::max(0, std::min(panel.CurrentItem, count - 1));
  if (panel.CurrentItem < panel.TopItem) panel.TopItem = panel.CurrentItem;
  if (panel.CurrentItem >= panel.TopItem + capacity)
    panel.TopItem = panel.CurrentItem - capacity + 1;
  // No empty space at the end while there are rows above the window.
  panel.TopItem = std::max(0, std::min(panel.TopItem, count - capacity));
}

void MoveCursor(PanelModel &panel, int step, const PanelWindow &window) {
  panel.CurrentItem += step;
  KeepCursorVisible(panel, window);
}

void CursorToFirst(PanelModel &panel, const PanelWindow &window) {
  panel.CurrentItem = 0;
  KeepCursorVisible(panel, window);
}

void CursorToLast(PanelModel &panel, const PanelWindow &window) {
  panel.CurrentItem = RowCount(panel) - 1;
  KeepCursorVisible(panel, window);
}

bool MovePanelCursor(PanelModel &panel, const KeyPress &key, const PanelWindow &window) {
  if (key.Mods != 0) return false;
  int page = std::max(1, window.Capacity() - 1);
  switch (key.Vk) {
    case vk::Up:
      MoveCursor(panel, -1, window);
      return true;
    case vk::Down:
      MoveCursor(panel, 1, window);
      return true;
    case vk::Left:
      MoveCursor(panel, window.Stripes > 1 ? -window.RowsPerStripe : -1, window);
      return true;
    case vk::Right:
      MoveCursor(panel, window.Stripes > 1 ? window.RowsPerStripe : 1, window);
      return true;
    case vk::Prior:
      MoveCursor(panel, -page, window);
      return true;
    case vk::Next:
      MoveCursor(panel, page, window);
      return true;
    case vk::Home:
      CursorToFirst(panel, window);
      return true;
    case vk::End:
      CursorToLast(panel, window);
      return true;
    default:
      return false;
  }
}

bool Selectable(const PanelRow &row) { return row.Name != ".."; }

void ToggleCurrent(PanelModel &panel, const PanelWindow &window) {
  if (panel.Rows.empty()) return;
  ClampCurrent(panel);
  PanelRow &row = panel.Rows[static_cast<size_t>(panel.CurrentItem)];
  if (Selectable(row)) row.Selected = !row.Selected;
  MoveCursor(panel, 1, window);
}

int RowAt(const PanelModel &panel, const PanelWindow &window, int stripe, int line) {
  int row = panel.TopItem + stripe * window.RowsPerStripe + line;
  return row >= 0 && row < RowCount(panel) ? row : -1;
}

std::string CurrentRowName(const PanelModel &panel) {
  if (panel.CurrentItem < 0 || panel.CurrentItem >= RowCount(panel)) return "";
  return panel.Rows[static_cast<size_t>(panel.CurrentItem)].Name;
}

std::string RowPath(const PanelModel &panel, const PanelRow &row) {
  if (!row.Name.empty() && (row.Name[0] == '/' || row.Name[0] == kPathSeparator ||
                            (row.Name.size() > 1 && row.Name[1] == ':')))
    return row.Name;
  return JoinPath(panel.CurDir, row.Name);
}

}  // namespace hostcore
