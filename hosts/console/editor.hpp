// The host's editor (the Editor service, and F4 on a file).  Opened with
// the lock key posted first, it is read-only with scrolling and search;
// otherwise the text can be edited and saved with F2.  Esc or F10 leave,
// asking whether to save a change.
#ifndef QUILLET_CONSOLE_EDITOR_HPP
#define QUILLET_CONSOLE_EDITOR_HPP

#include "console/terminal.hpp"
#include "core/front_end.hpp"
#include "core/history.hpp"

namespace console {

// Whether it opened, and whether a changed text was saved.
hostcore::EditorOutcome RunEditor(Terminal &term, const hostcore::EditorRequest &request,
                                  hostcore::HistoryStore &histories);

}  // namespace console

#endif
