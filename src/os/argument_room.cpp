// Measuring the room for a started program's arguments.
#include "os/argument_room.hpp"

#ifdef _WIN32
#include "os/command_line.hpp"
#else
#include <string.h>
#include <unistd.h>

extern char **environ;
#endif

namespace os {

namespace {
// Left free for the settings of the started program's environment (its
// PATH, CVS_SERVER), which may be longer than this process's own.
const size_t kEnvironmentMargin = 64 * 1024;
}  // namespace

#ifdef _WIN32

size_t ArgumentRoom() {
  // The program's path comes first on the command line, in quotes.
  const size_t kCommandLineLimit = 32767;
  const size_t kProgramPath = 260 + 3;
  return kCommandLineLimit - kProgramPath;
}

size_t ArgumentCost(const std::string &argument) { return QuoteArgument(argument).size() + 1; }

#else

size_t ArgumentRoom() {
  long limit = sysconf(_SC_ARG_MAX);
  // POSIX promises at least 4096 bytes; Linux takes at least 128 KiB.
  if (limit <= 0) limit = 128 * 1024;
  size_t used = kEnvironmentMargin;
  for (char **entry = environ; entry != nullptr && *entry != nullptr; ++entry)
    used += strlen(*entry) + 1 + sizeof(char *);
  const size_t room = static_cast<size_t>(limit);
  return room > used ? room - used : 0;
}

size_t ArgumentCost(const std::string &argument) { return argument.size() + 1 + sizeof(char *); }

#endif

}  // namespace os
