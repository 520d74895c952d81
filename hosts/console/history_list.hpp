// The history of an edit line (Ctrl+Down or Alt+Down): the entries kept
// under its history name, newest first.
#ifndef QUILLET_CONSOLE_HISTORY_LIST_HPP
#define QUILLET_CONSOLE_HISTORY_LIST_HPP

#include <string>
#include <vector>

#include "console/terminal.hpp"

namespace console {

// `entries` newest last, as the core keeps them.  Returns true with the
// chosen entry in `chosen`.
bool RunHistoryList(Terminal &term, const std::vector<std::string> &entries, int y, int x,
                    int width, std::string &chosen);

}  // namespace console

#endif
