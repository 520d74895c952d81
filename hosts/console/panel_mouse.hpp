// Where the mouse is on a panel: inside its frame or not, and the row a
// click at a cell of its list means.
#ifndef QUILLET_CONSOLE_PANEL_MOUSE_HPP
#define QUILLET_CONSOLE_PANEL_MOUSE_HPP

#include "core/panel_model.hpp"

namespace console {

bool InsidePanel(const hostcore::PanelModel &panel, int y, int x);
// The row shown at (y, x), or -1: the frame, the titles, the status
// line, or below the last row.
int PanelRowAt(const hostcore::PanelModel &panel, int y, int x);

}  // namespace console

#endif
