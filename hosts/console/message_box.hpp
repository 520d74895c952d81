// A message box from the core's model: title, lines, a row of buttons;
// warnings in the warning colours.
#ifndef QUILLET_CONSOLE_MESSAGE_BOX_HPP
#define QUILLET_CONSOLE_MESSAGE_BOX_HPP

#include <string>
#include <vector>

#include "console/terminal.hpp"
#include "core/message_model.hpp"

namespace console {

// Runs the box until a button is pressed (Enter on the focused one, or its
// hot key) or Esc; returns the button or -1.  A box without buttons is
// drawn and returns -1 at once.
int RunMessageBox(Terminal &term, hostcore::MessageModel &box);
// Draws the box (for one that stays while work goes on).
void DrawMessage(Terminal &term, const hostcore::MessageModel &box);
// The host's own question or note.
int AskUser(Terminal &term, const std::string &title, const std::vector<std::string> &lines,
            const std::vector<std::string> &buttons, bool warning);

}  // namespace console

#endif
