// OpenPlugin routing: the command line opens a status panel, the plug-ins
// menu runs one command to its end.
#include "commands/commands.hpp"
#include "host/dispatch.hpp"
#include "panel/cvs_panel.hpp"

HANDLE OpenFromHost(int openFrom, INT_PTR item) {
  (void)item;  // the text after the prefix does not choose anything
  switch (openFrom) {
    case OPEN_COMMANDLINE:
      return CreatePanel();
    case OPEN_PLUGINSMENU:
      return DispatchCommand();
    default:
      return INVALID_HANDLE_VALUE;
  }
}
