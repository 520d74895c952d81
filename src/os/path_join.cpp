// Joining and splitting paths for an explicit separator.
#include "os/path_join.hpp"

std::string JoinPath(const std::string &directory, const std::string &name, char sep) {
  if (!directory.empty() && directory.back() == sep) return directory + name;
  return directory + sep + name;
}

std::string BareName(const std::string &path, char sep) {
  size_t at = path.rfind(sep);
  return at == std::string::npos ? path : path.substr(at + 1);
}
