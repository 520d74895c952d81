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

}  // namespace os
