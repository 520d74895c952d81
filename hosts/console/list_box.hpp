// A framed list to choose one entry from (Enter), or none (Esc).
#ifndef QUILLET_CONSOLE_LIST_BOX_HPP
#define QUILLET_CONSOLE_LIST_BOX_HPP

#include <string>
#include <vector>

#include "console/terminal.hpp"

namespace console {

// Shows `entries` in a box whose top left corner is (top, left), `width`
// cells wide and at most `maxRows` rows high, the highlight on `start`.
// Returns the chosen entry's index, or -1.
int RunListBox(Terminal &term, const std::string &title, const std::vector<std::string> &entries,
               int start, int top, int left, int width, int maxRows);

}  // namespace console

#endif
