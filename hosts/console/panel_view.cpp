// Panels on the screen.
#include "console/panel_view.hpp"

#include "core/screen_text.hpp"

namespace console {

namespace {

// Frame, column titles, the separator and the status line.
const int kChromeRows = 5;

int InnerWidth(const hostcore::PanelModel &panel) {
  return static_cast<int>(panel.Rect.right - panel.Rect.left + 1) - 2;
}

int PanelRows(const hostcore::PanelModel &panel) {
  return std::max(1, static_cast<int>(panel.Rect.bottom - panel.Rect.top + 1) - kChromeRows);
}

std::string Centred(const std::string &text, int width) {
  int cells = hostcore::TextWidth(text);
  if (cells >= width) return hostcore::FitText(text, width, false, false);
  int left = (width - cells) / 2;
  return std::string(static_cast<size_t>(left), ' ') + hostcore::ShowableText(text) +
         std::string(static_cast<size_t>(width - cells - left), ' ');
}

}  // namespace

hostcore::ColumnLayout PanelColumns(const hostcore::PanelModel &panel) {
  hostcore::ModeColumns mode = hostcore::PanelModeColumns(panel);
  return hostcore::LayOutColumns(hostcore::ParseColumns(mode.Types, mode.Widths, mode.Titles),
                                 InnerWidth(panel));
}

hostcore::PanelWindow PanelWindowOf(const hostcore::PanelModel &panel) {
  hostcore::PanelWindow window;
  window.RowsPerStripe = PanelRows(panel);
  window.Stripes = std::max(1, PanelColumns(panel).Stripes);
  return window;
}

void DrawPanel(Terminal &term, hostcore::PanelModel &panel, const PanelLook &look) {
  int top = static_cast<int>(panel.Rect.top), left = static_cast<int>(panel.Rect.left);
  int height = static_cast<int>(panel.Rect.bottom - panel.Rect.top + 1);
  int width = InnerWidth(panel) + 2;
  hostcore::ColumnLayout layout = PanelColumns(panel);
  hostcore::PanelWindow window;
  window.RowsPerStripe = PanelRows(panel);
  window.Stripes = std::max(1, layout.Stripes);
  hostcore::KeepCursorVisible(panel, window);

  term.Frame(top, left, height, width, Role::PanelFrame, true);
  int separatorRow = top + height - 3;
  term.HorizontalLine(separatorRow, left + 1, width - 2, Role::PanelFrame, false);
  size_t perStripe = layout.Columns.size() / static_cast<size_t>(window.Stripes);
  if (perStripe == 0) perStripe = layout.Columns.size();

  // Column titles and the lines between columns.
  for (size_t c = 0; c < layout.Columns.size(); ++c) {
    const hostcore::PlacedColumn &column = layout.Columns[c];
    int x = left + 1 + column.Left;
    term.Put(top + 1, x, Centred(column.Format.Title, column.Width),
             Role::ColumnTitle);
    if (c + 1 < layout.Columns.size() && column.Left + column.Width < width - 2)
      term.VerticalLine(top + 1, x + column.Width, separatorRow - top - 1, Role::PanelFrame);
  }

  // The visible rows, stripe by stripe.
  for (int stripe = 0; stripe < window.Stripes; ++stripe) {
    for (int line = 0; line < window.RowsPerStripe; ++line) {
      int index = hostcore::RowAt(panel, window, stripe, line);
      if (index < 0) break;
      const hostcore::PanelRow &row = panel.Rows[static_cast<size_t>(index)];
      bool cursor = look.Active && index == panel.CurrentItem;
      Role role = look.RowColour(row, cursor);
      for (size_t c = perStripe * static_cast<size_t>(stripe);
           c < perStripe * static_cast<size_t>(stripe + 1) && c < layout.Columns.size(); ++c) {
        const hostcore::PlacedColumn &column = layout.Columns[c];
        term.Put(top + 2 + line, left + 1 + column.Left,
                 hostcore::CellText(column.Format, row, column.Width), role);
      }
    }
  }

  // The status line: the current row in the mode's status columns.
  hostcore::ModeColumns mode = hostcore::PanelModeColumns(panel);
  hostcore::ColumnLayout status = hostcore::LayOutColumns(
      hostcore::ParseColumns(mode.StatusTypes, mode.StatusWidths), width - 2);
  if (panel.CurrentItem >= 0 && panel.CurrentItem < static_cast<int>(panel.Rows.size())) {
    const hostcore::PanelRow &row = panel.Rows[static_cast<size_t>(panel.CurrentItem)];
    for (const hostcore::PlacedColumn &column : status.Columns) {
      term.Put(separatorRow + 1, left + 1 + column.Left,
               hostcore::CellText(column.Format, row, column.Width), Role::PanelText);
    }
  }

  // What is selected, on the line above the status line.
  std::string chosen = look.Selection;
  if (!chosen.empty()) {
    chosen = " " + hostcore::FitText(chosen, std::min(hostcore::TextWidth(chosen), width - 4),
                                     false, false) + " ";
    term.Put(separatorRow, left + (width - hostcore::TextWidth(chosen)) / 2, chosen,
             Role::PanelSelected);
  }

    std::string title = " " + hostcore::FitPath(look.Title, width - 6) + " ";
  term.Put(top, left + (width - hostcore::TextWidth(title)) / 2, title,
           look.Active ? Role::PanelActiveTitle : Role::PanelTitle);
}

}  // namespace console
