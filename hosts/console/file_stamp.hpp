// What tells that a file changed on the disk since it was read: its
// identity, size and change time.  The editor takes one when it opens a
// file and after each save, and asks before saving over a file whose stamp
// is no longer the one it took.
#ifndef QUILLET_CONSOLE_FILE_STAMP_HPP
#define QUILLET_CONSOLE_FILE_STAMP_HPP

#include <stdint.h>

#include <string>

namespace console {

struct FileStamp {
  bool Exists = false;
  uint64_t Device = 0, Inode = 0, Size = 0;
  int64_t Seconds = 0, Nanoseconds = 0;  // the last change of the contents
  bool operator==(const FileStamp &other) const;
  bool operator!=(const FileStamp &other) const { return !(*this == other); }
};

// The stamp of `path` (a link is followed, as saving follows it).
FileStamp StampOf(const std::string &path);

}  // namespace console

#endif
