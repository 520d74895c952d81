// A file panel on the screen: its title and row colours (folders bright,
// selected rows yellow, the cursor bar cyan).
#ifndef QUILLET_CONSOLE_FILE_PANEL_HPP
#define QUILLET_CONSOLE_FILE_PANEL_HPP

#include "console/panel_view.hpp"

namespace console {

PanelLook FilePanelLook(const hostcore::PanelModel &panel, bool active);
// The colour of a plain row: selected, folder or file, under the cursor or not.
Role PlainRowRole(const hostcore::PanelRow &row, bool cursor);

}  // namespace console

#endif
