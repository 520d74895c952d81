// The columns of a panel view mode: parsed from the host's column strings
// ("NOM,C3,C1,Z,D" with widths "0,3,8,0,5"), laid out in a given width,
// and the text of one cell for one row.  The status line uses the same.
#ifndef QUILLET_HOSTCORE_COLUMN_LAYOUT_HPP
#define QUILLET_HOSTCORE_COLUMN_LAYOUT_HPP

#include <string>
#include <vector>

#include "core/panel_model.hpp"
#include "core/screen_text.hpp"

namespace hostcore {

enum class ColumnKind { Name, Description, Custom, Size, Date, Time, Modified, Unknown };

struct ColumnFormat {
  std::string Type;  // as written, e.g. "NOM"
  ColumnKind Kind = ColumnKind::Unknown;
  int Custom = -1;          // C0..C9: the custom column's index
  bool Marks = false;       // N..M: selected rows carry a mark before the name
  bool NoPath = false;      // N..O: the name part only
  bool RightAlign = false;  // N..R: names flush right
  int Width = 0;            // as declared; 0 shares what is left
  std::string Title;        // the module's, or the host's own for the type
};

struct PlacedColumn {
  ColumnFormat Format;
  int Left = 0;  // from the panel's inner left edge
  int Width = 0;
};

struct ColumnLayout {
  std::vector<PlacedColumn> Columns;
  // Items flow down one stripe and on into the next ("N,N,N" or
  // "NO,C0,NO,C0" are three and two stripes of the same columns).
  int Stripes = 1;
};

// The column strings of a view mode.
struct ModeColumns {
  std::string Types, Widths;
  std::vector<std::string> Titles;  // "" where the module gave none
  std::string StatusTypes, StatusWidths;
  bool FullScreen = false;
};

// The host's own modes 0..9, used by file panels and for modes a plug-in
// does not describe.
ModeColumns HostModeColumns(int viewMode);
// The panel's current mode: the plug-in's description of it when it has
// one, else the host's (on a plug-in panel with the name part of each name).
ModeColumns PanelModeColumns(const PanelModel &panel);

std::vector<ColumnFormat> ParseColumns(const std::string &types, const std::string &widths,
                                       const std::vector<std::string> &titles = {});
// Places the columns in `width` cells, one cell of separator between two
// columns.  Zero-width columns share what the fixed ones leave, the first
// ones taking the odd cells; when that would give them fewer than
// kMinSharedWidth cells each, columns are dropped from the right until it
// does not.  A lone column takes the whole width; leftover cells go to the
// last column.
const int kMinSharedWidth = 5;
ColumnLayout LayOutColumns(const std::vector<ColumnFormat> &columns, int width);

// The text of `row` in `column`, showable and exactly `width` screen cells
// wide: cut (a cut name or custom text ends in "}") or padded, numbers and
// right-aligned names flush right.  Sizes too wide for the column are shown
// in K, M or G.
std::string CellText(const ColumnFormat &column, const PanelRow &row, int width);

}  // namespace hostcore

#endif
