// The file work a CVS user does beside cvs: making a folder (to add it),
// renaming, and deleting (to remove it from the repository afterwards).
// Each says why when it fails.  Deleting never follows a symbolic link: a
// link is removed itself, and a folder's contents are reached only through
// folders opened without following links, so nothing outside the folder
// deleted can go.
#ifndef QUILLET_CONSOLE_FILE_OPERATIONS_HPP
#define QUILLET_CONSOLE_FILE_OPERATIONS_HPP

#include <string>
#include <vector>

namespace console {

// The last part of a path, and the folder before it ("." for none).
std::string NamePart(const std::string &path);
std::string FolderPart(const std::string &path);

// A descriptor closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor();
  Descriptor(const Descriptor &) = delete;
  Descriptor &operator=(const Descriptor &) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// The names in the folder open as `fd` (which stays open), "." and ".."
// aside; false with errno set when it cannot be read.
bool ListFolder(int fd, std::vector<std::string> &names);

// Why `name` cannot be the name of a new entry in a folder ("" when it
// can): empty, "." or "..", or holding "/".
std::string NameProblem(const std::string &name);

// Makes folder `name` in `dir`; refuses a name that exists.
bool MakeFolder(const std::string &dir, const std::string &name, std::string &error);
// Renames `path` to `newName` in the same folder; refuses a name that
// exists rather than replacing it.
bool RenameEntry(const std::string &path, const std::string &newName, std::string &error);

// Whether `path` is a folder itself (a link to a folder is not).
bool IsRealFolder(const std::string &path);
// Deletes `path`: a file or a link, or a folder with everything in it.
// On failure what could be deleted is gone and `error` names the first
// entry that could not.
bool DeleteEntry(const std::string &path, std::string &error);
// The same for entry `name` of the folder open as `parent`; `shown` is its
// path for the message.
bool DeleteEntryAt(int parent, const std::string &name, const std::string &shown,
                   std::string &error);

}  // namespace console

#endif
