// Folders made, entries renamed and deleted, through POSIX calls that do
// not follow links where a link could lead out of the folder.
#include "console/file_operations.hpp"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "core/host_texts.hpp"
#include "core/platform.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace {

// How deep deleting goes: each level holds a descriptor open.
const int kMaxDepth = 200;

std::string Reason(const std::string &path, int code) { return path + ": " + strerror(code); }

// Deletes entry `name` of the folder open as `parent`; `shown` is its path
// for the message.
bool DeleteAt(int parent, const std::string &name, const std::string &shown, int depth,
              std::string &error) {
  struct stat info;
  if (fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    error = Reason(shown, errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    if (depth >= kMaxDepth) {
      error = Say(HostText::ErrorNestedTooDeep, {shown});
      return false;
    }
    // O_NOFOLLOW: a folder swapped for a link meanwhile is not entered.
    Descriptor folder(
        openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    std::vector<std::string> names;
    if (folder.Get() < 0 || !ListFolder(folder.Get(), names)) {
      error = Reason(shown, errno);
      return false;
    }
    for (const std::string &child : names) {
      if (!DeleteAt(folder.Get(), child, shown + "/" + child, depth + 1, error)) return false;
    }
  }
  if (unlinkat(parent, name.c_str(), S_ISDIR(info.st_mode) ? AT_REMOVEDIR : 0) != 0) {
    error = Reason(shown, errno);
    return false;
  }
  return true;
}

bool Exists(const std::string &path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string NamePart(const std::string &path) {
  size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FolderPart(const std::string &path) {
  size_t cut = path.find_last_of('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? "/" : path.substr(0, cut);
}

Descriptor::~Descriptor() {
  if (fd_ >= 0) close(fd_);
}

bool ListFolder(int fd, std::vector<std::string> &names) {
  int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (copy < 0) return false;
  DIR *dir = fdopendir(copy);
  if (dir == nullptr) {
    int saved = errno;
    close(copy);
    errno = saved;
    return false;
  }
  errno = 0;
  while (dirent *entry = readdir(dir)) {
    if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
      names.push_back(entry->d_name);
  }
  int saved = errno;
  closedir(dir);
  errno = saved;
  return saved == 0;
}

bool DeleteEntryAt(int parent, const std::string &name, const std::string &shown,
                   std::string &error) {
  return DeleteAt(parent, name, shown, 0, error);
}

std::string NameProblem(const std::string &name) {
  if (name.empty()) return Say(HostText::ErrorEmptyName);
  if (name == "." || name == "..") return Say(HostText::ErrorDotName, {name});
  if (name.find('/') != std::string::npos) return Say(HostText::ErrorSlashInName);
  return "";
}

bool MakeFolder(const std::string &dir, const std::string &name, std::string &error) {
  error = NameProblem(name);
  if (!error.empty()) return false;
  std::string path = hostcore::JoinPath(dir, name);
  if (mkdir(path.c_str(), 0777) == 0) return true;
  error = errno == EEXIST ? Say(HostText::ErrorAlreadyExists, {path}) : Reason(path, errno);
  return false;
}

bool RenameEntry(const std::string &path, const std::string &newName, std::string &error) {
  error = NameProblem(newName);
  if (!error.empty()) return false;
  std::string target = hostcore::JoinPath(FolderPart(path), newName);
  int result = renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
  if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
    // A file system that cannot refuse to replace: look first.
    if (Exists(target)) {
      errno = EEXIST;
    } else {
      result = rename(path.c_str(), target.c_str());
    }
  }
  if (result == 0) return true;
  error = errno == EEXIST ? Say(HostText::ErrorAlreadyExists, {target}) : Reason(path, errno);
  return false;
}

bool IsRealFolder(const std::string &path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool DeleteEntry(const std::string &path, std::string &error) {
  std::string name = NamePart(path);
  if (name.empty() || name == "." || name == "..") {
    error = Say(HostText::ErrorNotDeletable, {path});
    return false;
  }
  Descriptor parent(open(FolderPart(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (parent.Get() < 0) {
    error = Reason(FolderPart(path), errno);
    return false;
  }
  return DeleteAt(parent.Get(), name, path, 0, error);
}

}  // namespace console
