// The user's own folder for what the module keeps between runs of the host
// (a commit message that did not reach the repository): on POSIX
// "quillet" in $XDG_STATE_HOME, else in $HOME/.local/state, as the console
// host keeps its histories; on Windows "Quillet" in %APPDATA%.  Its files
// are written whole: a new file beside, then renamed over the old one.
#ifndef QUILLET_OS_STATE_FOLDER_HPP
#define QUILLET_OS_STATE_FOLDER_HPP

#include <string>

namespace os {

// The folder, made (owner only) where it is missing; "" when the
// environment names none (a relative value names no place) or it cannot be
// made.
std::string StateFolder();
// The folder's path from the variables' values (null when unset), without
// making it.
std::string StateFolderFrom(const char *xdgStateHome, const char *home);

// Writes `text` as the whole content of `path`: into a new file of the
// owner's alone beside it, which then takes the place of `path` (a link
// there is replaced, never followed).  False, with `path` as it was, when
// the text cannot be written whole.
bool WriteWholeFile(const std::string &path, const std::string &text);

}  // namespace os

#endif
