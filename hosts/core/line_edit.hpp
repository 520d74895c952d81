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
  // The selection runs from Anchor to the cursor (either way); none when
  // Anchor is kNoSelection.  Typing, Backspace and Del replace it; a move
  // without Shift ends it and keeps the text.
  static const size_t kNoSelection = static_cast<size_t>(-1);
  size_t Anchor = kNoSelection;
  size_t MaxBytes = 0;  // 0: no limit; else text is cut to this many bytes
};

// A line holding `text` with the cursor at its end.
LineEdit NewLineEdit(const std::string &text, size_t maxBytes = 0, bool selectAll = false);
void InsertText(LineEdit &line, const std::string &text);
// The whole text selected (an edit line entered with DIF_SELECTONENTRY).
void SelectAll(LineEdit &line);
bool HasSelection(const LineEdit &line);
// The selection's first byte and the byte after it (equal for none).
size_t SelectionStart(const LineEdit &line);
size_t SelectionEnd(const LineEdit &line);
void SetLineText(LineEdit &line, const std::string &text);
// Typing, Backspace, Del, Left, Right, Home, End (with Shift: selecting),
// Ctrl+Y (clear).  Returns
// whether the key was the line's; `changed` tells whether the text changed.
bool EditLineKey(LineEdit &line, const KeyPress &key, bool *changed = nullptr);
// The first cell to show so that the cursor stays inside `width` cells,
// given the first cell shown before.
int LineScroll(const LineEdit &line, int width, int shownFrom);

}  // namespace hostcore

#endif
