// One line of text being edited: the command line and a dialog's edit
// lines.  The cursor is a byte offset that always sits between characters.
#ifndef QUILLET_HOSTCORE_LINE_EDIT_HPP
#define QUILLET_HOSTCORE_LINE_EDIT_HPP

#include <stddef.h>

#include <string>

#include "core/keys.hpp"

namespace hostcore {

struct LineEdit {
  std::string Text;
  size_t Cursor = 0;
  // The whole text is selected (an edit line entered with
  // DIF_SELECTONENTRY): typing replaces it, a move keeps it.
  bool AllSelected = false;
  size_t MaxBytes = 0;  // 0: no limit; else text is cut to this many bytes
};

// A line holding `text` with the cursor at its end.
LineEdit NewLineEdit(const std::string &text, size_t maxBytes = 0, bool selectAll = false);
void InsertText(LineEdit &line, const std::string &text);
void SetLineText(LineEdit &line, const std::string &text);
// Typing, Backspace, Del, Left, Right, Home, End, Ctrl+Y (clear).  Returns
// whether the key was the line's; `changed` tells whether the text changed.
bool EditLineKey(LineEdit &line, const KeyPress &key, bool *changed = nullptr);
// The first cell to show so that the cursor stays inside `width` cells,
// given the first cell shown before.
int LineScroll(const LineEdit &line, int width, int shownFrom);

}  // namespace hostcore

#endif
