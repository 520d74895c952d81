// Plain files on POSIX systems: lstat for the kind of an entry, and an
// open that refuses a link (O_NOFOLLOW) and never blocks on a FIFO
// (O_NONBLOCK), checked again on the open descriptor.
#include "os/plain_file.hpp"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os {

bool IsPlainFile(const std::string &path) {
  struct stat info;
  return !path.empty() && lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsPlainDirectory(const std::string &path) {
  struct stat info;
  return !path.empty() && lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool EntryExists(const std::string &path) {
  struct stat info;
  return !path.empty() && lstat(path.c_str(), &info) == 0;
}

bool ResolvedPath(const std::string &path, std::string &resolved) {
  resolved.clear();
  char *whole = realpath(path.c_str(), nullptr);
  if (whole == nullptr) return false;
  resolved = whole;
  free(whole);
  return true;
}

PlainRead ReadPlainFile(const std::string &path, size_t maxBytes, std::string &content) {
  content.clear();
  if (path.empty()) return PlainRead::Missing;
  return ReadPlainFileAt(AT_FDCWD, path, maxBytes, content);
}

PlainRead ReadPlainFileAt(int folderFd, const std::string &name, size_t maxBytes,
                          std::string &content) {
  content.clear();
  struct stat info;
  if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
    return errno == ENOENT || errno == ENOTDIR ? PlainRead::Missing : PlainRead::Failed;
  if (!S_ISREG(info.st_mode)) return PlainRead::NotPlain;
  const int fd =
      openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ELOOP ? PlainRead::NotPlain : PlainRead::Failed;
  // The entry may have been swapped between the lstat and the open.
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return PlainRead::NotPlain;
  }
  PlainRead result = PlainRead::Read;
  char buffer[65536];
  for (;;) {
    const size_t room = maxBytes - content.size();
    const ssize_t got = read(fd, buffer, room < sizeof buffer ? room + 1 : sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result = PlainRead::Failed;
      break;
    }
    if (got == 0) break;
    if (static_cast<size_t>(got) > room) {
      content.append(buffer, room);
      result = PlainRead::TooLarge;
      break;
    }
    content.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  if (result == PlainRead::Failed) content.clear();
  return result;
}

}  // namespace os
