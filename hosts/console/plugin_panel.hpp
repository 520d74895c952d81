// A plug-in panel on the screen, drawn from what the module described
// (OpenPluginInfo): its title, the highlighting of the two attribute bits
// the module sets (0x800: changed here, 0x40: changed in the repository),
// and the info view (Ctrl+L) that shows its info lines on the other side.
#ifndef QUILLET_CONSOLE_PLUGIN_PANEL_HPP
#define QUILLET_CONSOLE_PLUGIN_PANEL_HPP

#include "console/panel_view.hpp"

namespace console {

PanelLook PluginPanelLook(const hostcore::PanelModel &panel, bool active);
// The info view in `rect` about `source` (the other panel).
void DrawInfoPanel(Terminal &term, const RECT &rect, const hostcore::PanelModel &source);

}  // namespace console

#endif
