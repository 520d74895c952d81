// The command line under the panels: the active folder as prompt, the line
// being typed, and running what is not for the module through /bin/sh in
// the panel's folder, with the screen handed back to the terminal meanwhile.
#ifndef QUILLET_CONSOLE_COMMAND_LINE_HPP
#define QUILLET_CONSOLE_COMMAND_LINE_HPP

#include <string>

#include "console/input_line.hpp"
#include "console/terminal.hpp"

namespace console {

void DrawCommandLine(Terminal &term, int y, const std::string &folder, InputLine &line);
// Runs `command` with /bin/sh -c in `folder` and waits for a key before the
// screen comes back; returns the shell's exit status (-1 when it could not
// start).
int RunShellCommand(Terminal &term, const std::string &folder, const std::string &command);

}  // namespace console

#endif
