// The document view under the viewer and the editor.
#include "console/text_view.hpp"

#include "console/input_box.hpp"
#include "console/key_bar.hpp"
#include "core/column_layout.hpp"
#include "core/host_texts.hpp"
#include "core/screen_text.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

int TextRows(const Terminal &term) { return std::max(1, term.Height() - 2); }

void DrawTextView(Terminal &term, hostcore::TextDocument &document, const std::string &title,
                  const std::vector<std::string> &keys, const std::string &note) {
  int rows = TextRows(term), width = term.Width();
  hostcore::KeepDocumentCursorVisible(document, rows, width);
  std::string where = " " + std::to_string(document.Row + 1) + "/" +
                      std::to_string(document.Lines.size()) + " " + Say(HostText::EditorColumn) +
                      " " + std::to_string(hostcore::CursorCell(document) + 1) + " ";
  std::string flags = document.ReadOnly   ? std::string(" ") + Say(HostText::EditorLocked)
                      : document.Modified ? std::string(" *")
                                          : "";
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
  InputBoxText box{Say(HostText::TitleSearch), Say(HostText::AskSearchFor),
                   Say(HostText::ButtonFind), "SearchText"};
  box.Width = 56;
  box.StartFromHistory = true;
  box.NeedText = true;
  return AskLine(term, histories, box, text);
}

void SearchDocument(Terminal &term, hostcore::TextDocument &document, bool ask,
                    hostcore::HistoryStore &histories, std::string &needle, std::string &note) {
  if (ask && !AskSearchText(term, histories, needle)) return;
  if (needle.empty()) return;
  note =
      hostcore::FindInDocument(document, needle, ask) ? "" : Say(HostText::ErrorNotFound, {needle});
}

}  // namespace console
