// The CVS folder of a working copy, as data from a stranger.  cvs writes its
// files back (CVS/Entries through CVS/Entries.Backup, for one) whenever a
// status or a log finds a file's time changed, and it writes through a link
// wherever the link points; it reads a FIFO or a device until the end that
// never comes.  So cvs is started on a folder without the user's word only
// when its CVS folder is a real folder holding nothing but plain files, and
// the module reads those files itself only whole and within a bound.
#ifndef QUILLET_ADMIN_FOLDER_HPP
#define QUILLET_ADMIN_FOLDER_HPP

#include <stddef.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "os/folder.hpp"
#include "os/plain_file.hpp"

// The most of one administrative file that is read (CVS/Entries of a folder
// of some hundred thousand files stays well below it).
const size_t kAdminFileLimit = size_t(32) << 20;

// Why cvs must not start on its own in the working-copy folder `dir`, as a
// short line for the user (e.g. "Entries.Backup is not a plain file");
// empty when `dir`/CVS is a plain folder whose entries are all plain files.
// A plain folder "Base" (where `cvs edit` keeps its copies) is allowed.
std::string AdminFolderRefusal(const std::string &dir);
std::string AdminFolderRefusal(const os::Folder &dir);

// Why cvs must not start on its own in `dir` because of a file it tracks
// there: cvs reads a tracked file whose time has changed, and a FIFO or a
// device under that name (or a link to one) would hold it for ever.  Empty
// when there is none.  Only entries that the folder's listing shows as no
// plain file are looked at, so a folder of plain files costs one listing.
std::string TrackedFileRefusal(const std::string &dir);
// The same where the folder has been listed already: `notPlain` are the
// entries the listing named as no plain file or folder, `tracked` the files
// CVS/Entries names.
std::string TrackedFileRefusal(const std::string &dir, const std::vector<std::string> &notPlain,
                               const std::unordered_set<std::string> &tracked);

// Reads `dir`/CVS/`name` whole when it is a plain file within the bound.
os::PlainRead ReadAdminFile(const std::string &dir, const char *name, std::string &content);
// The same below an open working-copy folder.
os::PlainRead ReadAdminFile(const os::Folder &dir, const char *name, std::string &content);

#endif
