// An input line: the visible part of a line being edited, with the cursor.
#ifndef QUILLET_CONSOLE_INPUT_LINE_HPP
#define QUILLET_CONSOLE_INPUT_LINE_HPP

#include "console/terminal.hpp"
#include "core/line_edit.hpp"

namespace console {

struct InputLine {
  hostcore::LineEdit Edit;
  int ShownFrom = 0;    // first cell shown
  bool Hidden = false;  // a password: shown as stars
};

// Draws the line in `width` cells; when focused, puts the cursor there.
void DrawInputLine(Terminal &term, int y, int x, int width, InputLine &line, bool focused,
                   Role role, Role focusRole);

}  // namespace console

#endif
