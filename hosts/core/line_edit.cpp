// Editing one line of text.
#include "core/line_edit.hpp"

#include <algorithm>

#include "core/screen_text.hpp"

namespace hostcore {

namespace {
// Cuts at a character boundary so that the text fits `maxBytes`.
void CutToLimit(LineEdit &line) {
  if (line.MaxBytes == 0 || line.Text.size() <= line.MaxBytes) return;
  size_t end = 0;
  while (end < line.Text.size()) {
    size_t next = NextCharacter(line.Text, end);
    if (next > line.MaxBytes) break;
    end = next;
  }
  line.Text.resize(end);
  if (line.Cursor > end) line.Cursor = end;
  if (line.Anchor != LineEdit::kNoSelection && line.Anchor > end) line.Anchor = end;
}

// Removes the selected text, the cursor where it was; false when none.
bool DeleteSelection(LineEdit &line) {
  if (!HasSelection(line)) {
    line.Anchor = LineEdit::kNoSelection;
    return false;
  }
  size_t start = SelectionStart(line), end = SelectionEnd(line);
  line.Text.erase(start, end - start);
  line.Cursor = start;
  line.Anchor = LineEdit::kNoSelection;
  return true;
}

bool IsMove(const KeyPress &key) {
  return key.Vk == vk::Left || key.Vk == vk::Right || key.Vk == vk::Home || key.Vk == vk::End;
}
}  // namespace

void SelectAll(LineEdit &line) {
  line.Anchor = line.Text.empty() ? LineEdit::kNoSelection : 0;
  line.Cursor = line.Text.size();
}

bool HasSelection(const LineEdit &line) {
  return line.Anchor != LineEdit::kNoSelection && line.Anchor != line.Cursor;
}

size_t SelectionStart(const LineEdit &line) {
  return HasSelection(line) ? std::min(line.Anchor, line.Cursor) : line.Cursor;
}

size_t SelectionEnd(const LineEdit &line) {
  return HasSelection(line) ? std::max(line.Anchor, line.Cursor) : line.Cursor;
}

LineEdit NewLineEdit(const std::string &text, size_t maxBytes, bool selectAll) {
  LineEdit line;
  line.MaxBytes = maxBytes;
  SetLineText(line, text);
  if (selectAll) SelectAll(line);
  return line;
}

void SetLineText(LineEdit &line, const std::string &text) {
  line.Text = text;
  line.Cursor = line.Text.size();
  line.Anchor = LineEdit::kNoSelection;
  CutToLimit(line);
  line.Cursor = line.Text.size();
}

void InsertText(LineEdit &line, const std::string &text) {
  DeleteSelection(line);
  line.Text.insert(line.Cursor, text);
  line.Cursor += text.size();
  CutToLimit(line);
}

bool EditLineKey(LineEdit &line, const KeyPress &key, bool *changed) {
  std::string before = line.Text;
  bool handled = true;
  if (IsMove(key) && (key.Mods == 0 || key.Mods == PKF_SHIFT)) {
    // Shift extends the selection from where it began (the cursor, when
    // there is none); a plain move ends it.
    if (key.Mods == PKF_SHIFT) {
      if (line.Anchor == LineEdit::kNoSelection) line.Anchor = line.Cursor;
    } else {
      line.Anchor = LineEdit::kNoSelection;
    }
    if (key.Vk == vk::Left) line.Cursor = PreviousCharacter(line.Text, line.Cursor);
    if (key.Vk == vk::Right) line.Cursor = NextCharacter(line.Text, line.Cursor);
    if (key.Vk == vk::Home) line.Cursor = 0;
    if (key.Vk == vk::End) line.Cursor = line.Text.size();
  } else if (TypesText(key)) {
    InsertText(line, Utf8Of(key.Char));
  } else if (Is(key, vk::Back)) {
    if (!DeleteSelection(line) && line.Cursor > 0) {
      size_t start = PreviousCharacter(line.Text, line.Cursor);
      line.Text.erase(start, line.Cursor - start);
      line.Cursor = start;
    }
  } else if (Is(key, vk::Delete)) {
    if (!DeleteSelection(line) && line.Cursor < line.Text.size())
      line.Text.erase(line.Cursor, NextCharacter(line.Text, line.Cursor) - line.Cursor);
  } else if (Is(key, 'Y', PKF_CONTROL)) {
    SetLineText(line, "");
  } else {
    handled = false;
  }
  if (changed != nullptr) *changed = line.Text != before;
  return handled;
}

int LineScroll(const LineEdit &line, int width, int shownFrom) {
  if (width <= 0) return 0;
  int cursor = CellsBefore(line.Text, line.Cursor, kTabEscaped);
  if (cursor < shownFrom) return cursor;
  if (cursor >= shownFrom + width) return cursor - width + 1;
  return shownFrom;
}

}  // namespace hostcore
