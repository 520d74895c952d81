// Program search and command-line quoting.
#include "runner/program_search.hpp"

#include <ctype.h>
#include <string.h>

SearchRules WindowsSearchRules() {
  return SearchRules{';', '\\', {".com", ".exe", ".bat", ".cmd"}, true, 260};
}

SearchRules PosixSearchRules() { return SearchRules{':', '/', {}, false, 4096}; }

SearchRules HostSearchRules() {
#ifdef _WIN32
  return WindowsSearchRules();
#else
  return PosixSearchRules();
#endif
}

namespace {

bool IsSeparator(char c, const SearchRules &rules) {
  return c == '/' || (rules.DriveAndBackslash && c == '\\');
}

bool HasExtension(const std::string &name, const SearchRules &rules) {
  for (size_t i = name.size(); i > 0; --i) {
    char c = name[i - 1];
    if (IsSeparator(c, rules) || (rules.DriveAndBackslash && c == ':')) return false;
    if (c == '.') return true;
  }
  return false;
}

// The file itself, or the file with each extension.  False when a path has
// grown too long, which ends the search.
bool AddExpansions(const std::string &file, const SearchRules &rules,
                   std::vector<std::string> &candidates) {
  if (rules.Extensions.empty() || HasExtension(file, rules)) {
    if (file.size() >= rules.MaxPath) return false;
    candidates.push_back(file);
    return true;
  }
  for (const std::string &extension : rules.Extensions) {
    if (file.size() + extension.size() >= rules.MaxPath) return false;
    candidates.push_back(file + extension);
  }
  return true;
}

// A folder named the same from every current folder: "/bin" here; on
// Windows "C:\bin" or a share "\\server\bin", not "bin", "." or "C:bin"
// (relative to the current folder, which is the folder being browsed) nor
// "\bin" (relative to that folder's drive).
bool IsAbsoluteDirectory(const std::string &dir, const SearchRules &rules) {
  if (dir.empty()) return false;
  if (!rules.DriveAndBackslash) return dir[0] == '/';
  if (IsNetworkPath(dir)) return true;
  return dir.size() >= 3 && isalpha(static_cast<unsigned char>(dir[0])) && dir[1] == ':' &&
         IsSeparator(dir[2], rules);
}

}  // namespace

bool HasDirectoryPart(const std::string &name, const SearchRules &rules) {
  for (char c : name) {
    if (IsSeparator(c, rules) || (rules.DriveAndBackslash && c == ':')) return true;
  }
  return false;
}

std::vector<std::string> ProgramCandidates(const std::string &name, const std::string &pathText,
                                           const SearchRules &rules) {
  std::vector<std::string> candidates;
  if (name.empty()) return candidates;
  if (HasDirectoryPart(name, rules)) {
    AddExpansions(name, rules, candidates);
    return candidates;
  }
  size_t start = 0;
  while (start <= pathText.size()) {
    size_t end = pathText.find(rules.ListSeparator, start);
    if (end == std::string::npos) end = pathText.size();
    std::string dir;
    for (size_t i = start; i < end; ++i) {
      if (pathText[i] != '"') dir += pathText[i];
    }
    start = end + 1;
    // An empty or relative entry names a folder below the current one, the
    // folder being browsed: a working copy from elsewhere could plant a
    // "cvs" there.
    if (!IsAbsoluteDirectory(dir, rules)) continue;
    if (!IsSeparator(dir.back(), rules)) dir += rules.DirSeparator;
    if (!AddExpansions(dir + name, rules, candidates)) break;
  }
  return candidates;
}

std::string SearchPathWithoutRelativeEntries(const std::string &pathText,
                                             const SearchRules &rules) {
  std::string kept;
  size_t start = 0;
  while (start <= pathText.size()) {
    size_t end = pathText.find(rules.ListSeparator, start);
    if (end == std::string::npos) end = pathText.size();
    const std::string entry = pathText.substr(start, end - start);
    start = end + 1;
    std::string dir;
    for (char c : entry)
      if (c != '"') dir += c;
    if (!IsAbsoluteDirectory(dir, rules)) continue;
    if (!kept.empty()) kept += rules.ListSeparator;
    kept += entry;
  }
  return kept;
}

bool IsNetworkPath(const std::string &path) {
  return path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
         (path[1] == '\\' || path[1] == '/');
}

bool IsBatchFile(const std::string &path, const SearchRules &rules) {
  if (rules.Extensions.empty() || path.size() < 4) return false;
  std::string extension = path.substr(path.size() - 4);
  for (char &c : extension) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return extension == ".bat" || extension == ".cmd";
}

bool FitsBatchCommandLine(const char *const *args) {
  for (const char *const *entry = args; entry != nullptr && *entry != nullptr; ++entry) {
    for (const char *c = *entry; *c != '\0'; ++c) {
      if (static_cast<unsigned char>(*c) < 0x20 || strchr("\"%&<>^|", *c) != nullptr) return false;
    }
  }
  return true;
}
