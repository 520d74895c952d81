// Input lines.
#include "console/input_line.hpp"

#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

void DrawInputLine(Terminal &term, int y, int x, int width, InputLine &line, bool focused,
                   Role role, Role focusRole) {
  if (width <= 0) return;
  line.ShownFrom = hostcore::LineScroll(line.Edit, width, line.ShownFrom);
  std::string text = line.Edit.Text;
  if (line.Hidden) text = std::string(static_cast<size_t>(hostcore::TextWidth(text)), '*');
  Role shown = focused && line.Edit.AllSelected ? focusRole : role;
  term.Put(y, x, hostcore::CellSlice(text, line.ShownFrom, width, hostcore::kTabEscaped), shown);
  if (focused) {
    int cursor =
        hostcore::CellsBefore(line.Edit.Text, line.Edit.Cursor, hostcore::kTabEscaped) -
        line.ShownFrom;
    term.ShowCursor(y, x + std::max(0, std::min(cursor, width - 1)));
  }
}

}  // namespace console
