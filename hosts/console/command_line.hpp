// The command line under the panels: the active folder as prompt, the line
// being typed, the host's own cd, and running what is not for the module
// through /bin/sh in the panel's folder, with the screen handed back to the
// terminal meanwhile.
#ifndef QUILLET_CONSOLE_COMMAND_LINE_HPP
#define QUILLET_CONSOLE_COMMAND_LINE_HPP

#include <string>

#include "console/input_line.hpp"
#include "console/terminal.hpp"

namespace console {

void DrawCommandLine(Terminal &term, int y, const std::string &folder, InputLine &line);
// The host's own cd, which moves the active panel instead of a shell's
// folder.
struct CdPlaces {
  std::string Current;   // the active panel's folder
  std::string Previous;  // where "cd -" goes; none when empty
  std::string Home;      // where "cd" alone and "~" go
};
// Whether `line` is a cd: "cd" alone or followed by a blank.
bool IsCdCommand(const std::string &line);
// The folder a cd names, relative paths from the current folder, "." and
// ".." resolved; false with the reason when the line names none.
bool CdTarget(const std::string &line, const CdPlaces &places, std::string &target,
              std::string &error);

// Runs `command` with /bin/sh -c in `folder` and waits for a key before the
// screen comes back; returns the shell's exit status (-1 when it could not
// start).
int RunShellCommand(Terminal &term, const std::string &folder, const std::string &command);

}  // namespace console

#endif
