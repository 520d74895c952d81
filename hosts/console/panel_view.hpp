// Drawing one panel, file or plug-in: the double frame with the title, the
// column titles, the rows of the visible window in their columns and
// stripes, and the status line of the current row.  Only the rows that
// show are touched, so a panel of 100,000 rows draws as fast as one of ten.
#ifndef QUILLET_CONSOLE_PANEL_VIEW_HPP
#define QUILLET_CONSOLE_PANEL_VIEW_HPP

#include <functional>
#include <string>

#include "console/terminal.hpp"
#include "core/column_layout.hpp"
#include "core/panel_cursor.hpp"
#include "core/panel_model.hpp"

namespace console {

// The colour of a row's cells.
using RowRole = std::function<Role(const hostcore::PanelRow &row, bool cursor)>;

struct PanelLook {
  std::string Title;
  bool Active = false;
  RowRole RowColour;
  // What is selected (hostcore::SelectionSummary), counted by the caller
  // when the selection may have changed rather than at every drawing.
  std::string Selection;
};

// The columns of the panel's current view mode laid out in its frame.
hostcore::ColumnLayout PanelColumns(const hostcore::PanelModel &panel);
// The visible window of rows the panel's Rect holds in its current mode.
hostcore::PanelWindow PanelWindowOf(const hostcore::PanelModel &panel);
// Draws the panel in its Rect (set it first); keeps its cursor visible.
void DrawPanel(Terminal &term, hostcore::PanelModel &panel, const PanelLook &look);

}  // namespace console

#endif
