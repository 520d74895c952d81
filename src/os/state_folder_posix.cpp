// The state folder and whole-file writes on POSIX systems.
#include "os/state_folder.hpp"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os {

namespace {

bool IsAbsolute(const char *value) { return value != nullptr && value[0] == '/'; }

// Makes every missing folder of `path`, each for its owner alone.
bool MakeFolders(const std::string &path) {
  for (size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
    const std::string part = path.substr(0, at);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (at == std::string::npos) break;
  }
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool WriteAll(int fd, const std::string &text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

std::string StateFolderFrom(const char *xdgStateHome, const char *home) {
  std::string state;
  if (IsAbsolute(xdgStateHome)) {
    state = xdgStateHome;
  } else if (IsAbsolute(home)) {
    state = std::string(home) + "/.local/state";
  } else {
    return "";
  }
  while (state.size() > 1 && state.back() == '/') state.pop_back();
  return state + "/quillet";
}

std::string StateFolder() {
  const std::string folder = StateFolderFrom(getenv("XDG_STATE_HOME"), getenv("HOME"));
  if (folder.empty() || !MakeFolders(folder)) return "";
  return folder;
}

bool WriteWholeFile(const std::string &path, const std::string &text) {
  if (path.empty()) return false;
  const std::string fresh = path + ".new" + std::to_string(static_cast<long>(getpid()));
  unlink(fresh.c_str());
  const int fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool written = WriteAll(fd, text) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(fresh.c_str(), path.c_str()) != 0) {
    unlink(fresh.c_str());
    return false;
  }
  return true;
}

}  // namespace os
