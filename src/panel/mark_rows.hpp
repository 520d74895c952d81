// Mark on the status panel: the states are on its rows already, so marking
// selects by the rows' letters and runs no cvs.
#ifndef QUILLET_MARK_ROWS_HPP
#define QUILLET_MARK_ROWS_HPP

#include "panel/state_classes.hpp"

// When the active panel is one of this module's status panels, selects its
// files whose letter is of `stateClass` and unselects its other files (as
// the file panel's Mark makes the files in the state its selection);
// folders on the disk, whose files the panel does not show, keep their
// selection.  Rows whose state was not read are never selected, and the
// user is told how many there were.  False, doing nothing, when the active
// panel is no status panel.
bool MarkStatusRows(StateClass stateClass);

#endif
