// Reading CVS/Root safely, and the rule that keeps a root's method options
// from starting programs without the user's consent.
#include "working_copy/cvs_root.hpp"

#include <ctype.h>

#include <algorithm>

#include "os/plain_file.hpp"

bool ReadRootLine(const std::string &path, size_t maxChars, std::string &line) {
  const os::PlainRead read = os::ReadPlainFile(path, maxChars, line);
  if (read != os::PlainRead::Read && read != os::PlainRead::TooLarge) {
    line.clear();
    return false;
  }
  line.resize(std::min(line.size(), line.find_first_of(std::string("\r\n\0", 3))));
  return true;
}

bool RootCarriesOptions(const std::string &root) {
  if (root.empty() || root[0] != ':') return false;
  size_t methodEnd = root.find(':', 1);
  return root.find(';', 1) < methodEnd;
}

namespace {

// A whole path on this system: "/x"; on Windows also "\x" and "C:\x".
bool IsWholePath(const std::string &path) {
  if (!path.empty() && path[0] == '/') return true;
#ifdef _WIN32
  if (!path.empty() && path[0] == '\\') return true;
  return path.size() >= 3 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path[2] == '\\' || path[2] == '/');
#else
  return false;
#endif
}

}  // namespace

std::string LocalRepositoryFolder(const std::string &root, const std::string &repository) {
  static const std::string kLocal = ":local:";
  std::string path;
  if (root.compare(0, kLocal.size(), kLocal) == 0) {
    path = root.substr(kLocal.size());
    // cvs takes no repository by a relative path: such a root names none.
    if (!IsWholePath(path)) return "";
  } else if (IsWholePath(root)) {
    path = root;
  } else {
    return "";
  }
  if (repository.empty()) return "";
  if (IsWholePath(repository)) return repository;
  return path + "/" + repository;
}

std::string RemoteShellHost(const std::string &root) {
  std::string rest;
  if (root.empty()) return "";
  if (root[0] == ':') {
    const size_t methodEnd = root.find(':', 1);
    if (methodEnd == std::string::npos) return "";
    const std::string method = root.substr(1, methodEnd - 1);
    if (method != "ext" && method != "server") return "";
    rest = root.substr(methodEnd + 1);
  } else {
    // Without a method, "host:path" means the remote shell; a path is local.
    if (IsWholePath(root) || root.find(':') == std::string::npos) return "";
    rest = root;
  }
  const size_t hostEnd = rest.find_first_of(":/");
  std::string host = rest.substr(0, hostEnd);
  const size_t at = host.rfind('@');
  if (at != std::string::npos) host.erase(0, at + 1);
  return host;
}

std::string LocalRepositoryRoot(const std::string &root) {
  static const std::string kFork = ":fork:";
  // A :fork: server reads the same repository as a local run would.
  const std::string local =
      root.compare(0, kFork.size(), kFork) == 0 ? ":local:" + root.substr(kFork.size()) : root;
  std::string admin = LocalRepositoryFolder(local, "CVSROOT");
  return admin.empty() ? admin : admin.substr(0, admin.size() - std::string("/CVSROOT").size());
}
