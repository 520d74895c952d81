// A folder held open while a walk looks into it and below it.  Each step
// names one entry of the folder it starts from, so that a walk reaches
// folders whose whole path is longer than the system takes at once, and
// enters a folder that may be searched but not listed.  Meant for working
// copies, which are data from a stranger: nothing here waits on a FIFO or
// reads a device.
#ifndef QUILLET_OS_FOLDER_HPP
#define QUILLET_OS_FOLDER_HPP

#include <stdint.h>

#include <functional>
#include <memory>
#include <string>

#include "os/plain_file.hpp"

namespace os {

enum class EntryType {
  Missing,  // there is no such entry
  File,     // a regular file
  Folder,
  Link,    // a symbolic link (on Windows: any reparse point)
  Other,   // a FIFO, a device, a socket
  Failed,  // it could not be looked at
};

enum class EnterResult { Entered, NotAFolder, Failed };

// Tells two folders apart however they were reached (through links too).
struct FolderIdentity {
  uint64_t Device = 0;
  uint64_t Node = 0;
  bool Known = false;  // false where the system gave none: never equal to another
  bool operator<(const FolderIdentity &other) const {
    return Device != other.Device ? Device < other.Device : Node < other.Node;
  }
};

// Who besides the user can change an entry: its owner, when that is
// another user (the system's own account excepted), and anyone its mode
// lets write it (a group counts unless it is the user's own private group).
// On Windows every entry counts as the user's own: the temporary and
// profile folders are private there, and access lists are not read.
enum class Sharing {
  Own,               // the user's or the system's, written by nobody else
  OtherOwner,        // owned by another user
  WritableByOthers,  // its mode lets other users write it
  Unknown,           // it could not be looked at
};

class Folder {
 public:
  ~Folder();
  Folder(const Folder &) = delete;
  Folder &operator=(const Folder &) = delete;

  // Opens the folder `path`, following links; null when that is no folder
  // or it cannot be opened.
  static std::unique_ptr<Folder> Open(const std::string &path);
  // Opens the subfolder `name`.  A link to a folder is followed only when
  // `followLink`; otherwise it counts as no folder.
  std::unique_ptr<Folder> Enter(const std::string &name, bool followLink,
                                EnterResult &result) const;
  // What the entry `name` is, the link itself or, with `followLink`, what it
  // leads to (on Windows also a device name such as "CON", which is Other).
  EntryType TypeOf(const std::string &name, bool followLink) const;
  // Reads the entry `name` as ReadPlainFile reads a path.
  PlainRead ReadPlain(const std::string &name, size_t maxBytes, std::string &content) const;
  // Hands every entry but "." and ".." to `each`, with its type as the
  // listing gives it (a link as Link), looking no entry up on its own where
  // the system names types in the listing.  False when the folder cannot be
  // listed.
  bool EachEntry(const std::function<void(const std::string &name, EntryType type)> &each) const;
  const FolderIdentity &Identity() const { return identity_; }
  // Who can change the folder itself, and the entry `name` in it (what a
  // link leads to, with `followLink`).
  Sharing SharingOfSelf() const;
  Sharing SharingOf(const std::string &name, bool followLink) const;
  // The size of the entry `name` (what a link leads to, with `followLink`);
  // false when it cannot be looked at.
  bool SizeOf(const std::string &name, bool followLink, uint64_t &size) const;

 private:
  Folder() = default;
  FolderIdentity identity_;
#ifdef _WIN32
  std::string path_;
#else
  int fd_ = -1;
#endif
};

}  // namespace os

#endif
