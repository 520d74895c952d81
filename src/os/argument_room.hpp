// How many arguments a started program may be given at once: the system
// refuses a longer list ("Argument list too long"), so a command on very
// many names runs in batches that fit.
#ifndef QUILLET_OS_ARGUMENT_ROOM_HPP
#define QUILLET_OS_ARGUMENT_ROOM_HPP

#include <stddef.h>

#include <string>

namespace os {

// The room, in the measure of ArgumentCost, for the arguments of a program
// started now: on POSIX systems the system's limit less this process's
// environment (which the program gets too) and a margin for what the
// module sets in it; on Windows the 32,767 characters of a command line
// less the longest program path.
size_t ArgumentRoom();
// What one argument takes of that room: its bytes, the NUL and the pointer
// to it; on Windows its quoted form and the blank before it.
size_t ArgumentCost(const std::string &argument);

}  // namespace os

#endif
