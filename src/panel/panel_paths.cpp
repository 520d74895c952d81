#include "panel/panel_paths.hpp"

#include <ctype.h>
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

// A path named the same from every folder: "/x" where the separator is
// "/"; "C:\x" or a share "\\server\x" where it is "\".
bool IsAbsolute(const char *path, char sep) {
  if (sep == '/') return path[0] == '/';
  if (path[0] == '\\' && path[1] == '\\') return true;
  return isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\';
}

// `path`, relative to `base` (or, beginning with a separator, to the drive
// of `base`), with its "." and ".." steps taken.  ".." never climbs above
// the drive or the root.
std::string Resolve(const std::string &base, const char *path, char sep) {
  std::string result;
  if (path[0] == sep) {
    size_t first = base.find(sep);
    result = first == std::string::npos ? base : base.substr(0, first);
  } else {
    result = base;
  }
  // The part that ".." may not remove: "C:" or "" (the POSIX root).
  size_t rootEnd = result.find(sep);
  if (rootEnd == std::string::npos) rootEnd = result.size();
  const char *p = path;
  while (*p != '\0') {
    const char *end = strchr(p, sep);
    if (end == nullptr) end = p + strlen(p);
    std::string step(p, end);
    p = *end == '\0' ? end : end + 1;
    if (step.empty() || step == ".") continue;
    if (step == "..") {
      size_t last = result.rfind(sep);
      if (last != std::string::npos && last >= rootEnd && result.size() > rootEnd)
        result.erase(last);
      continue;
    }
    while (!result.empty() && result.back() == sep) result.pop_back();
    result += sep + step;
  }
  return result.empty() ? std::string(1, sep) : result;
}

}  // namespace

bool NextDirectory(const std::string &current, const char *dir, char sep, std::string &next) {
  const std::string here = WithoutTrailingSeparator(current, sep);
  if (dir == nullptr || (dir[0] == sep && dir[1] == '\0')) {
    size_t first = here.find(sep);
    if (first == std::string::npos) return false;
    next = CutAt(here, first, sep);
    return next != current;
  }
  if (strchr(dir, sep) != nullptr) {
    next = IsAbsolute(dir, sep) ? std::string(dir) : Resolve(here, dir, sep);
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
