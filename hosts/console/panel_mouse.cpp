// Panel cells to rows.
#include "console/panel_mouse.hpp"

#include "console/panel_view.hpp"

namespace console {

bool InsidePanel(const hostcore::PanelModel &panel, int y, int x) {
  return panel.Visible && y >= panel.Rect.top && y <= panel.Rect.bottom && x >= panel.Rect.left &&
         x <= panel.Rect.right;
}

int PanelRowAt(const hostcore::PanelModel &panel, int y, int x) {
  if (!InsidePanel(panel, y, x)) return -1;
  hostcore::PanelWindow window = PanelWindowOf(panel);
  // The rows start under the frame and the column titles.
  int line = y - static_cast<int>(panel.Rect.top) - 2;
  int inner = x - static_cast<int>(panel.Rect.left) - 1;
  if (line < 0 || line >= window.RowsPerStripe || inner < 0 || x >= panel.Rect.right) return -1;
  hostcore::ColumnLayout layout = PanelColumns(panel);
  size_t perStripe = layout.Columns.size() / static_cast<size_t>(window.Stripes);
  int stripe = window.Stripes - 1;
  for (size_t c = 0; perStripe > 0 && c < layout.Columns.size(); ++c) {
    const hostcore::PlacedColumn &column = layout.Columns[c];
    if (inner <= column.Left + column.Width) {  // the column or the line after it
      stripe = static_cast<int>(c / perStripe);
      break;
    }
  }
  return hostcore::RowAt(panel, window, stripe, line);
}

}  // namespace console
