// The selection of a panel beyond Insert: carried by name across a
// re-read, grouped by a mask (+ and -), inverted (*), swept by Shift with
// the cursor keys, and counted for the panel's summary line.
#ifndef QUILLET_HOSTCORE_PANEL_SELECTION_HPP
#define QUILLET_HOSTCORE_PANEL_SELECTION_HPP

#include <stdint.h>

#include <string>
#include <unordered_set>

#include "core/keys.hpp"
#include "core/panel_cursor.hpp"
#include "core/panel_model.hpp"

namespace hostcore {

// The names of the selected rows, and the rows of a fresh listing selected
// again by them (rows already selected stay so).
std::unordered_set<std::string> SelectedNames(const PanelModel &panel);
void Reselect(PanelModel &panel, const std::unordered_set<std::string> &names);

// Whether a file name matches one of `masks`: wildcards * (any run), ?
// (one character) and [set] (a-z ranges, ! or ^ to negate), masks
// separated by commas or semicolons, letters compared without case.  As
// file-manager users expect, "x.*" also matches a name "x" without a dot.
bool MatchesMask(const std::string &name, const std::string &masks);

// `+`: selects the files (not folders) whose name part matches; `-`:
// unselects every row that matches, folders too.  Return how many rows
// changed.
int SelectByMask(PanelModel &panel, const std::string &masks);
int UnselectByMask(PanelModel &panel, const std::string &masks);
// `*`: files change state; folders keep theirs.
void InvertFileSelection(PanelModel &panel);

// Shift with a navigation key: every row the cursor leaves takes the
// opposite of the current row's state (Home and End also mark the row
// they land on); at an end the current row is toggled.  False for a key
// that is not Shift with a navigation key.
bool SelectWhileMoving(PanelModel &panel, const KeyPress &key, const PanelWindow &window);

struct SelectionTotal {
  int Rows = 0;
  uint64_t Bytes = 0;  // of the selected files
};
SelectionTotal SelectedTotal(const PanelModel &panel);
// "1,234 bytes in 3 selected files", or "" when nothing is selected.
std::string SelectionSummary(const PanelModel &panel);

}  // namespace hostcore

#endif
