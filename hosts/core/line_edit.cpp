// Editing one line of text.
#include "core/line_edit.hpp"

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
}
}  // namespace

LineEdit NewLineEdit(const std::string &text, size_t maxBytes, bool selectAll) {
  LineEdit line;
  line.MaxBytes = maxBytes;
  SetLineText(line, text);
  line.AllSelected = selectAll && !line.Text.empty();
  return line;
}

void SetLineText(LineEdit &line, const std::string &text) {
  line.Text = text;
  line.Cursor = line.Text.size();
  line.AllSelected = false;
  CutToLimit(line);
  line.Cursor = line.Text.size();
}

void InsertText(LineEdit &line, const std::string &text) {
  if (line.AllSelected) {
    line.Text.clear();
    line.Cursor = 0;
    line.AllSelected = false;
  }
  line.Text.insert(line.Cursor, text);
  line.Cursor += text.size();
  CutToLimit(line);
}

bool EditLineKey(LineEdit &line, const KeyPress &key, bool *changed) {
  std::string before = line.Text;
  bool handled = true;
  if (TypesText(key)) {
    InsertText(line, Utf8Of(key.Char));
  } else if (Is(key, vk::Back)) {
    if (line.AllSelected) {
      SetLineText(line, "");
    } else if (line.Cursor > 0) {
      size_t start = PreviousCharacter(line.Text, line.Cursor);
      line.Text.erase(start, line.Cursor - start);
      line.Cursor = start;
    }
  } else if (Is(key, vk::Delete)) {
    if (line.AllSelected) {
      SetLineText(line, "");
    } else if (line.Cursor < line.Text.size()) {
      line.Text.erase(line.Cursor, NextCharacter(line.Text, line.Cursor) - line.Cursor);
    }
  } else if (Is(key, vk::Left)) {
    line.Cursor = PreviousCharacter(line.Text, line.Cursor);
  } else if (Is(key, vk::Right)) {
    line.Cursor = NextCharacter(line.Text, line.Cursor);
  } else if (Is(key, vk::Home)) {
    line.Cursor = 0;
  } else if (Is(key, vk::End)) {
    line.Cursor = line.Text.size();
  } else if (Is(key, 'Y', PKF_CONTROL)) {
    SetLineText(line, "");
  } else {
    handled = false;
  }
  if (handled && !TypesText(key) && !Is(key, vk::Back) && !Is(key, vk::Delete))
    line.AllSelected = false;
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
