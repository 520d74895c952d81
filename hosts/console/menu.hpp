// A menu from the core's model: a framed list with the title on top and the
// bottom line under it, hot keys highlighted, separators drawn across.
#ifndef QUILLET_CONSOLE_MENU_HPP
#define QUILLET_CONSOLE_MENU_HPP

#include "console/terminal.hpp"
#include "core/menu_model.hpp"

namespace console {

// Runs the menu until a row is chosen (Enter or its hot key) or Esc;
// returns the row or -1.
int RunMenu(Terminal &term, hostcore::MenuModel &menu);

}  // namespace console

#endif
