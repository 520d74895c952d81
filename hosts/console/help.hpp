// F1: the keys of the host, with the alternatives for keys that a terminal
// may not send.
#ifndef QUILLET_CONSOLE_HELP_HPP
#define QUILLET_CONSOLE_HELP_HPP

#include <string>

#include "console/terminal.hpp"

namespace console {

// The help text in the host's language, one line per row.
std::string HelpText();
void RunHelp(Terminal &term);

}  // namespace console

#endif
