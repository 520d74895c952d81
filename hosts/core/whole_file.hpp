// Files the host writes are written whole or not at all: the new text goes
// into a fresh file beside the old one, reaches the disk, and is renamed
// over the old file, so that a full disk, a crash or a second writer never
// leaves a file cut short.  And a lock that several hosts of one user
// share while they read, merge and write one file.
#ifndef QUILLET_HOSTCORE_WHOLE_FILE_HPP
#define QUILLET_HOSTCORE_WHOLE_FILE_HPP

#include <stdint.h>

#include <string>

namespace hostcore {

enum class LinkRule {
  Follow,  // a link is followed: the file it names is replaced, the link stays
  Replace  // a link is replaced by the new file; nothing is written through it
};

// Replaces the file at `path` with `text`.  An existing file keeps its
// permission bits (and, where the system lets us, its owner); a new one gets
// `newMode`.  The fresh file beside it has a name nobody can have planted,
// so nothing is ever written through a link there.  On failure the old
// file is as it was, nothing is left behind, and `error` says why.
bool ReplaceFileWhole(const std::string &path, const std::string &text, LinkRule links,
                      unsigned newMode, std::string &error);

// The size of a plain file; false when it cannot be looked up.
bool FileSize(const std::string &path, uint64_t &size);

// An exclusive lock on the file `path` (made when missing, never through a
// link), held while the object lives.  It waits for another holder.
class FileLock {
 public:
  explicit FileLock(const std::string &path);
  ~FileLock();
  FileLock(const FileLock &) = delete;
  FileLock &operator=(const FileLock &) = delete;
  bool Held() const { return held_; }

 private:
  intptr_t handle_ = -1;
  bool held_ = false;
};

}  // namespace hostcore

#endif
