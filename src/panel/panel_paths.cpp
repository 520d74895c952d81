#include "panel/panel_paths.hpp"

#include <string.h>

namespace {

// A separator at the end is no level of its own ("C:\" is the drive "C:",
// "/work/" is "/work"); the POSIX root "/" stays as it is.
std::string WithoutTrailingSeparator(std::string path, char sep) {
  while (path.size() > 1 && path.back() == sep) path.pop_back();
  return path;
}

// The path up to the separator at `at`; the separator alone when that
// would leave nothing (the parent and root of "/work" are "/").
std::string CutAt(const std::string &path, size_t at, char sep) {
  if (at == 0) return std::string(1, sep);
  return path.substr(0, at);
}

}  // namespace

std::string JoinPath(const std::string &directory, const std::string &name, char sep) {
  if (!directory.empty() && directory.back() == sep) return directory + name;
  return directory + sep + name;
}

std::string BareName(const std::string &path, char sep) {
  size_t at = path.rfind(sep);
  return at == std::string::npos ? path : path.substr(at + 1);
}

bool NextDirectory(const std::string &current, const char *dir, char sep, std::string &next) {
  const std::string here = WithoutTrailingSeparator(current, sep);
  if (dir == nullptr || (dir[0] == sep && dir[1] == '\0')) {
    size_t first = here.find(sep);
    if (first == std::string::npos) return false;
    next = CutAt(here, first, sep);
    return next != current;
  }
  if (strchr(dir, sep) != nullptr) {
    next = dir;
    return true;
  }
  if (strcmp(dir, "..") == 0) {
    size_t last = here.rfind(sep);
    if (last == std::string::npos) return false;
    next = CutAt(here, last, sep);
    return next != current;
  }
  next = JoinPath(current, dir, sep);
  return true;
}

std::string FolderToEnter(const std::string &directory, char sep) {
  if (sep == '\\' && directory.size() == 2 && directory[1] == ':') return directory + sep;
  return directory;
}
