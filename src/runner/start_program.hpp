// Starting programs: starting a program by name, and whether the programs
// started get a terminal.  The run under the "CVS Running..." dialog is
// ui/run_dialog.hpp.
#ifndef QUILLET_START_PROGRAM_HPP
#define QUILLET_START_PROGRAM_HPP

#include <stdio.h>

#include <string>

#include "os/os.hpp"
#include "os/owners.hpp"

// Starts a program by name without waiting: a name with a directory part as
// given, else the first match on PATH.  Empty on failure, with the reason.
os::OwnedProcess StartProgram(const char *name, const char *const *args, FILE *output,
                              std::string &error);
// Why a program did not start, in the user's words.
std::string StartFailureText(const os::StartFailure &failure);

// While one of these lives, the programs started get no terminal to ask
// the user anything on (os::SetChildTerminal): the panel's own runs, which
// the user did not choose.
class RunsWithoutTerminal {
 public:
  RunsWithoutTerminal() : before_(os::ChildTerminalAllowed()) { os::SetChildTerminal(false); }
  ~RunsWithoutTerminal() { os::SetChildTerminal(before_); }
  RunsWithoutTerminal(const RunsWithoutTerminal &) = delete;
  RunsWithoutTerminal &operator=(const RunsWithoutTerminal &) = delete;

 private:
  bool before_;
};

#endif
