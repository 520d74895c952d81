// A radio button of a group: "(*) Label" for the selected one.  The group
// rule (which buttons clear when one is chosen) is the core's.
#ifndef QUILLET_CONSOLE_RADIO_GROUP_HPP
#define QUILLET_CONSOLE_RADIO_GROUP_HPP

#include "console/terminal.hpp"
#include "core/hot_key.hpp"

namespace console {

void DrawRadioButton(Terminal &term, int y, int x, const hostcore::HotKeyLabel &label,
                     bool selected, bool focused, const BoxLook &look);

}  // namespace console

#endif
