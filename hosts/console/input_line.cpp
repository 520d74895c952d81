// Input lines.
#include "console/input_line.hpp"

#include <algorithm>

#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

void DrawInputLine(Terminal &term, int y, int x, int width, InputLine &line, bool focused,
                   Role role, Role focusRole) {
  if (width <= 0) return;
  line.ShownFrom = hostcore::LineScroll(line.Edit, width, line.ShownFrom);
  std::string text = line.Edit.Text;
  if (line.Hidden) text = std::string(static_cast<size_t>(hostcore::TextWidth(text)), '*');
  term.Put(y, x, hostcore::CellSlice(text, line.ShownFrom, width, hostcore::kTabEscaped), role);
  if (focused && hostcore::HasSelection(line.Edit) && !line.Hidden) {
    // The selected part over it, in the other colour.
    size_t start = hostcore::SelectionStart(line.Edit), end = hostcore::SelectionEnd(line.Edit);
    int from = hostcore::CellsBefore(text, start, hostcore::kTabEscaped);
    int to = hostcore::CellsBefore(text, end, hostcore::kTabEscaped);
    int first = std::max(from, line.ShownFrom), last = std::min(to, line.ShownFrom + width);
    if (last > first)
      term.Put(y, x + first - line.ShownFrom,
               hostcore::CellSlice(text, first, last - first, hostcore::kTabEscaped), focusRole);
  }
  if (focused) {
    int cursor = hostcore::CellsBefore(line.Edit.Text, line.Edit.Cursor, hostcore::kTabEscaped) -
                 line.ShownFrom;
    term.ShowCursor(y, x + std::max(0, std::min(cursor, width - 1)));
  }
}

}  // namespace console
