// The host's viewer (F3 on a file): the file read-only, scrolling and search.
#ifndef QUILLET_CONSOLE_VIEWER_HPP
#define QUILLET_CONSOLE_VIEWER_HPP

#include <string>

#include "console/terminal.hpp"
#include "core/history.hpp"

namespace console {

// Shows the file until Esc, F3 or F10; false with a reason when it cannot
// be read.
bool RunViewer(Terminal &term, const std::string &path, hostcore::HistoryStore &histories,
               std::string &error);

}  // namespace console

#endif
