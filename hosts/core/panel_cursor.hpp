// The cursor and the selection of a panel as a person moves them with the
// keyboard.  The visible window (TopItem) follows the cursor; what a window
// shows is `RowsPerStripe` rows in each of `Stripes` stripes, so that every
// move costs the same whatever the panel holds.
#ifndef QUILLET_HOSTCORE_PANEL_CURSOR_HPP
#define QUILLET_HOSTCORE_PANEL_CURSOR_HPP

#include <string>
#include <vector>

#include "core/keys.hpp"
#include "core/panel_model.hpp"

namespace hostcore {

struct PanelWindow {
  int RowsPerStripe = 1;
  int Stripes = 1;
  int Capacity() const { return RowsPerStripe * Stripes; }
};

// Keeps CurrentItem within the rows and TopItem so that the cursor shows.
void KeepCursorVisible(PanelModel &panel, const PanelWindow &window);
// Moves the cursor by `step` rows (negative: up), stopping at either end.
void MoveCursor(PanelModel &panel, int step, const PanelWindow &window);
void CursorToFirst(PanelModel &panel, const PanelWindow &window);
void CursorToLast(PanelModel &panel, const PanelWindow &window);
// The navigation keys: Up, Down, Left and Right (a stripe sideways), PgUp,
// PgDn, Home, End.  False for any other key.
bool MovePanelCursor(PanelModel &panel, const KeyPress &key, const PanelWindow &window);

// Whether a row can be selected (not the ".." row).
bool Selectable(const PanelRow &row);
// Insert: toggles the selection of the current row and moves down.
void ToggleCurrent(PanelModel &panel, const PanelWindow &window);
// The row a window cell shows: stripe `stripe`, line `line`; -1 when the
// cell is past the last row.
int RowAt(const PanelModel &panel, const PanelWindow &window, int stripe, int line);
// The current row's name, "" when the panel is empty.
std::string CurrentRowName(const PanelModel &panel);
// The file a row stands for: its name when it is a full path, else the
// name in the panel's folder.
std::string RowPath(const PanelModel &panel, const PanelRow &row);

}  // namespace hostcore

#endif
