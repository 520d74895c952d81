// F1: the help made from the key table, every key and what it does, in the
// host's language.
#ifndef QUILLET_CONSOLE_HELP_HPP
#define QUILLET_CONSOLE_HELP_HPP

#include "console/terminal.hpp"

namespace console {

void RunHelp(Terminal &term);

}  // namespace console

#endif
