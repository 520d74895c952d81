// Path rules of the panel, written for an explicit separator so that both
// the drive-letter paths of Windows and POSIX paths follow the same code.
#ifndef QUILLET_PANEL_PATHS_HPP
#define QUILLET_PANEL_PATHS_HPP

#include <string>

#include "os/path_join.hpp"

// The directory that a panel in `current` moves to when the host asks for
// `dir` (null or the separator alone for the root, ".." for the parent, an
// absolute path for itself, any other path holding a separator relative to
// `current` with its "." and ".." steps taken, else a sub-folder).  Returns false
// when nothing changes: the root or parent of a path without separator
// (the drive alone, "C:"), or of the POSIX root "/".  A root cut that
// would leave nothing keeps the separator, so POSIX paths end at "/".
bool NextDirectory(const std::string &current, const char *dir, char sep, std::string &next);

// The folder to make current for a panel in `directory`.  Where the
// separator is "\", a drive alone ("C:") becomes its root ("C:\"), since
// making "C:" current keeps whatever folder of that drive was current.
std::string FolderToEnter(const std::string &directory, char sep);

#endif
