// The key bar on the screen's last line: F1 to F12 with their labels.
#ifndef QUILLET_CONSOLE_KEY_BAR_HPP
#define QUILLET_CONSOLE_KEY_BAR_HPP

#include <string>
#include <vector>

#include "console/terminal.hpp"

namespace console {

// `labels[i]` belongs to F(i+1); missing ones are empty.
void DrawKeyBar(Terminal &term, int y, const std::vector<std::string> &labels);
// The function key (1 to 12) whose label covers column `x` of a bar
// `width` cells wide.
int KeyBarNumberAt(int width, int x);
// A left click on the key bar of the screen's last line: its key.
bool KeyBarClick(const Terminal &term, const MouseEvent &mouse, hostcore::KeyPress &key);

}  // namespace console

#endif
