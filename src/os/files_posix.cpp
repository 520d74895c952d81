// The environment and files on POSIX systems.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "os/descriptors_posix.hpp"
#include "os/os.hpp"

namespace os {

bool GetEnv(const char *name, std::string &value) {
  const char *text = name != nullptr ? getenv(name) : nullptr;
  if (text == nullptr) return false;
  value = text;
  return true;
}

bool PathExists(const std::string &path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string &path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string &path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsExecutableFile(const std::string &path) {
  return IsRegularFile(path) && access(path.c_str(), X_OK) == 0;
}

bool ChangeDir(const std::string &path) { return !path.empty() && chdir(path.c_str()) == 0; }

std::string CurrentDir() {
  std::vector<char> buffer(4096);
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

bool RemoveFile(const std::string &path) { return !path.empty() && unlink(path.c_str()) == 0; }

bool MakePrivateFolder(const std::string &parent, const char *prefix, std::string &made) {
  std::string name = parent;
  if (name.empty() || name.back() != '/') name += '/';
  name += std::string(prefix) + "XXXXXX";
  made.clear();
  if (mkdtemp(&name[0]) == nullptr) return false;
  made = name;
  return true;
}

bool RemoveEmptyFolder(const std::string &path) {
  return !path.empty() && rmdir(path.c_str()) == 0;
}

CreateResult CreateExclusive(const std::string &path) {
  if (path.empty()) return CreateResult::Failed;
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
  CloseQuietly(fd);
  return CreateResult::Created;
}

FILE *OpenOutputFile(const std::string &path) {
  if (path.empty()) return nullptr;
  // Close-on-exec, so that a child sees the file only as the standard
  // output and error it is given; never through a link put at its place.
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  FILE *file = fdopen(fd, "w");
  if (file == nullptr) CloseQuietly(fd);
  return file;
}

FileIdentity IdentityOf(const std::string &path) {
  FileIdentity identity;
  struct stat info;
  if (path.empty() || lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return identity;
  identity.Device = static_cast<uint64_t>(info.st_dev);
  identity.Number = static_cast<uint64_t>(info.st_ino);
  identity.Known = true;
  return identity;
}

FILE *OpenSameFile(const std::string &path, const char *mode, const FileIdentity &expected) {
  const bool writing = mode != nullptr && mode[0] == 'w';
  if (path.empty() || mode == nullptr || (!writing && mode[0] != 'r')) return nullptr;
  if (!expected.Known) return writing ? OpenOutputFile(path) : fopen(path.c_str(), mode);
  int fd = open(path.c_str(), (writing ? O_WRONLY : O_RDONLY) | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<uint64_t>(info.st_dev) != expected.Device ||
      static_cast<uint64_t>(info.st_ino) != expected.Number ||
      (writing && ftruncate(fd, 0) != 0)) {
    CloseQuietly(fd);
    return nullptr;
  }
  FILE *file = fdopen(fd, writing ? "w" : "r");
  if (file == nullptr) CloseQuietly(fd);
  return file;
}

}  // namespace os
