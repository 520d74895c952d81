// Files of a working copy's administrative folder, read as data from a
// stranger: only a plain file is opened (a regular file that is no link, so
// that a link to a device, a FIFO or a file elsewhere is never followed),
// and never more of it than the caller bounds.
#ifndef QUILLET_OS_PLAIN_FILE_HPP
#define QUILLET_OS_PLAIN_FILE_HPP

#include <stddef.h>

#include <string>

namespace os {

// A regular file that is not a link (on Windows: not a reparse point).
bool IsPlainFile(const std::string &path);
// A directory that is not a link (on Windows: not a reparse point).
bool IsPlainDirectory(const std::string &path);
// Whether the path names anything at all, a dangling link included.
bool EntryExists(const std::string &path);

// The whole path that `path` names once every link in it is followed;
// false when it cannot be resolved (a dangling link, a loop).  On Windows
// the full path of what the last link leads to.
bool ResolvedPath(const std::string &path, std::string &resolved);

enum class PlainRead {
  Read,      // the whole file is in `content`
  TooLarge,  // the file holds more than the bound; its first `maxBytes` are in `content`
  Missing,   // there is no such entry
  NotPlain,  // a link, a folder, a FIFO, a device...: nothing was read
  Failed,    // it could not be opened or read
};
// Reads the plain file `path`, at most `maxBytes` of it.  Opening neither
// follows a link nor waits for a writer.
PlainRead ReadPlainFile(const std::string &path, size_t maxBytes, std::string &content);
#ifndef _WIN32
// The same for the entry `name` of the open folder `folderFd`.
PlainRead ReadPlainFileAt(int folderFd, const std::string &name, size_t maxBytes,
                          std::string &content);
#endif

}  // namespace os

#endif
