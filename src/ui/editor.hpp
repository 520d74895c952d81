// The host's editor: a file opened for the user to write in, or a run's
// output opened locked for reading.
#ifndef QUILLET_UI_EDITOR_HPP
#define QUILLET_UI_EDITOR_HPP

#include "far/far_api.hpp"

// Opens `path` in the host's editor under `title` with the editor flags
// `flags`, the whole screen, the cursor at the start; the host's result
// (EEC_MODIFIED when the user saved a change).
int EditFile(const char *path, const char *title, DWORD flags);
// Opens a run's output in the editor, locked (the host's Ctrl+L, posted
// first), F6 allowed.
void ShowOutputLocked(const char *path, const char *title);

#endif
