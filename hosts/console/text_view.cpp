// The document view under the viewer and the editor.
#include "console/text_view.hpp"

#include <string.h>

#include "console/dialog.hpp"
#include "console/key_bar.hpp"
#include "core/column_layout.hpp"
#include "core/dialog_model.hpp"
#include "core/screen_text.hpp"
#include "far/field_text.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

int TextRows(const Terminal &term) { return std::max(1, term.Height() - 2); }

void DrawTextView(Terminal &term, hostcore::TextDocument &document, const std::string &title,
                  const std::vector<std::string> &keys, const std::string &note) {
  int rows = TextRows(term), width = term.Width();
  hostcore::KeepDocumentCursorVisible(document, rows, width);
  std::string where = " " + std::to_string(document.Row + 1) + "/" +
                      std::to_string(document.Lines.size()) + " col " +
                      std::to_string(hostcore::CursorCell(document) + 1) + " ";
  std::string flags = document.ReadOnly ? " [locked]" : document.Modified ? " *" : "";
  std::string head = hostcore::ShowableText(title) + flags + (note.empty() ? "" : "  " + note);
  int headWidth = std::max(0, width - hostcore::TextWidth(where));
  term.Put(0, 0, hostcore::FitText(head, headWidth, false, true), Role::EditorStatus);
  term.Put(0, headWidth, where, Role::EditorStatus);
  for (int row = 0; row < rows; ++row) {
    int line = document.TopRow + row;
    std::string text;
    if (line < static_cast<int>(document.Lines.size()))
      text =
          hostcore::CellSlice(document.Lines[static_cast<size_t>(line)], document.LeftCell, width);
    else
      text = std::string(static_cast<size_t>(width), ' ');
    term.Put(1 + row, 0, text, Role::EditorText);
  }
  DrawKeyBar(term, term.Height() - 1, keys);
  if (document.ReadOnly) {
    term.HideCursor();
  } else {
    term.ShowCursor(1 + document.Row - document.TopRow,
                    hostcore::CursorCell(document) - document.LeftCell);
  }
}

bool TextViewMouse(const Terminal &term, hostcore::TextDocument &document, const MouseEvent &mouse,
                   hostcore::KeyPress &key) {
  if (KeyBarClick(term, mouse, key)) return true;
  if (!mouse.Wheel()) return false;
  int lines = static_cast<int>(document.Lines.size());
  int lastTop = std::max(0, lines - TextRows(term));
  int step = mouse.What == MouseEvent::WheelUp ? -kWheelRows : kWheelRows;
  int top = std::max(0, std::min(lastTop, document.TopRow + step));
  document.Row = std::max(0, std::min(lines - 1, document.Row + top - document.TopRow));
  document.TopRow = top;
  return false;
}

bool AskSearchText(Terminal &term, hostcore::HistoryStore &histories, std::string &text) {
  static const char kHistory[] = "SearchText";
  FarDialogItem items[5];
  memset(items, 0, sizeof(items));
  items[0] = FarDialogItem{DI_DOUBLEBOX, 3, 1, 52, 6, 0, {0}, 0, 0, ""};
  CopyToField(items[0].Data, "Search");
  items[1] = FarDialogItem{DI_TEXT, 5, 2, 0, 0, 0, {0}, 0, 0, ""};
  CopyToField(items[1].Data, "&Search for:");
  // The last search text comes selected: typing replaces it, a move keeps it.
  items[2] = FarDialogItem{
      DI_EDIT, 5, 3, 50, 0, 1, {0}, DIF_HISTORY | DIF_USELASTHISTORY | DIF_SELECTONENTRY, 0, ""};
  items[2].History = kHistory;
  CopyToField(items[2].Data, text.c_str());
  items[3] = FarDialogItem{DI_BUTTON, 0, 5, 0, 0, 0, {0}, DIF_CENTERGROUP, 1, ""};
  CopyToField(items[3].Data, "Find");
  items[4] = FarDialogItem{DI_BUTTON, 0, 5, 0, 0, 0, {0}, DIF_CENTERGROUP, 0, ""};
  CopyToField(items[4].Data, "Cancel");
  hostcore::DialogModel model = hostcore::NewDialog(0, -1, -1, 56, 8, nullptr, items, 5, histories);
  hostcore::DialogClose close = RunDialog(term, model, histories, nullptr);
  int result = hostcore::DialogResult(model, close.Code);
  if (result == 4) result = -1;
  hostcore::CloseDialog(model, result, items, 5, histories);
  if (result < 0) return false;
  text = hostcore::EditText(items[2]);
  return !text.empty();
}

bool SearchKey(Terminal &term, hostcore::TextDocument &document, const hostcore::KeyPress &key,
               hostcore::HistoryStore &histories, std::string &needle, std::string &note) {
  bool ask = Is(key, vk::F(7)) || (document.ReadOnly && key.Char == '/' && key.Mods == 0);
  bool again =
      Is(key, vk::F(7), PKF_SHIFT) || (document.ReadOnly && key.Char == 'n' && key.Mods == 0);
  if (!ask && !again) return false;
  if (ask && !AskSearchText(term, histories, needle)) return true;
  if (needle.empty()) return true;
  note = hostcore::FindInDocument(document, needle, ask) ? "" : "\"" + needle + "\" not found";
  return true;
}

}  // namespace console
