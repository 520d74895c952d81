// The command menu and the run of the chosen command.
#include "host/dispatch.hpp"

HANDLE DispatchCommand() {
  return INVALID_HANDLE_VALUE;
}
