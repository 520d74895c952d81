// The ignore list of cvs, built as the client builds it.
#include "working_copy/ignore_rules.hpp"

#include "os/os.hpp"
#include "os/path_join.hpp"
#include "os/plain_file.hpp"
#include "working_copy/cvs_root.hpp"

namespace {

const char kBuiltIn[] =
    "RCS SCCS CVS CVS.adm RCSLOG cvslog.* tags TAGS .make.state .nse_depinfo *~ #* .#* ,* _$* "
    "*$ *.old *.bak *.BAK *.orig *.rej .del-* *.a *.olb *.o *.obj *.so *.exe *.Z *.elc *.ln "
    "core";

// An ignore file larger than this is no list of patterns; it is passed over.
const size_t kIgnoreFileLimit = size_t(1) << 20;

inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void AddFile(IgnoreRules &rules, const std::string &path) {
  std::string content;
  if (os::ReadPlainFile(path, kIgnoreFileLimit, content) == os::PlainRead::Read) rules.Add(content);
}

// The CVSROOT/cvsignore of the repository that `directory`'s CVS/Root
// names, when that repository is on this machine; empty otherwise.
std::string RepositoryIgnoreFile(const std::string &directory) {
  static const std::string kFork = ":fork:";
  std::string root;
  ReadRootLine(JoinPath(JoinPath(directory, "CVS", os::kSep), "Root", os::kSep), kRootLineLength,
               root);
  // A :fork: server reads the same repository as a local run would.
  if (root.compare(0, kFork.size(), kFork) == 0) root = ":local:" + root.substr(kFork.size());
  const std::string admin = LocalRepositoryFolder(root, "CVSROOT");
  return admin.empty() ? "" : admin + "/cvsignore";
}

std::string HomeFolder() {
  std::string home;
  if (os::GetEnv("HOME", home) && !home.empty()) return home;
#ifdef _WIN32
  std::string drive, path;
  if (os::GetEnv("HOMEDRIVE", drive) && os::GetEnv("HOMEPATH", path)) return drive + path;
#endif
  return "";
}

// Where the bracket expression at `p` (just after its "[") matches `c`,
// sets `matched` and returns the pattern after its "]"; null when the
// bracket has no end, and "[" is then an ordinary character.
const char *MatchBracket(const char *p, char c, bool &matched) {
  const bool negate = *p == '!' || *p == '^';
  if (negate) ++p;
  bool found = false;
  for (bool first = true; first || *p != ']'; first = false) {
    if (*p == '\0') return nullptr;
    char low = *p++;
    if (low == '\\' && *p != '\0') low = *p++;
    char high = low;
    if (p[0] == '-' && p[1] != ']' && p[1] != '\0') {
      high = p[1];
      p += 2;
      if (high == '\\' && *p != '\0') high = *p++;
    }
    const unsigned char u = static_cast<unsigned char>(c);
    if (static_cast<unsigned char>(low) <= u && u <= static_cast<unsigned char>(high)) found = true;
  }
  matched = found != negate;
  return p + 1;
}

// Matches one element of the pattern (not "*") against `c`: returns the
// pattern after it, or null.
const char *MatchOne(const char *p, char c) {
  switch (*p) {
    case '\0':
      return nullptr;
    case '?':
      return p + 1;
    case '[': {
      bool matched = false;
      const char *after = MatchBracket(p + 1, c, matched);
      if (after != nullptr) return matched ? after : nullptr;
      return c == '[' ? p + 1 : nullptr;
    }
    case '\\':
      if (p[1] != '\0') return p[1] == c ? p + 2 : nullptr;
      return c == '\\' ? p + 1 : nullptr;
    default:
      return *p == c ? p + 1 : nullptr;
  }
}

}  // namespace

bool MatchesPattern(const char *pattern, const char *name) {
  // On a mismatch the last "*" takes one more character and the rest is
  // tried again from there.
  const char *star = nullptr, *starName = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      star = ++pattern;
      starName = name;
      continue;
    }
    const char *next = MatchOne(pattern, *name);
    if (next != nullptr) {
      pattern = next;
      ++name;
    } else if (star != nullptr) {
      pattern = star;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

void IgnoreRules::Add(const std::string &text) {
  size_t at = 0;
  for (;;) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    if (at == text.size()) return;
    size_t end = at;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    std::string word = text.substr(at, end - at);
    at = end;
    if (word == "!") {
      // cvs keeps ignoring its own folders whatever the list says.
      plain_.clear();
      wild_.clear();
      wildSeen_.clear();
      cut_ = false;
      plain_.insert("CVS");
    } else if (word.find('\0') != std::string::npos) {
      continue;
    } else if (word.find_first_of("*?[\\") == std::string::npos) {
      plain_.insert(word);
    } else if (wildSeen_.count(word) == 0) {
      if (wild_.size() >= kMostWildPatterns || word.size() > kLongestWildPattern) {
        cut_ = true;
        continue;
      }
      wildSeen_.insert(word);
      wild_.push_back(word);
    }
  }
}

bool IgnoreRules::Ignores(const char *name) const {
  if (plain_.count(name) != 0) return true;
  for (const std::string &pattern : wild_) {
    if (MatchesPattern(pattern.c_str(), name)) return true;
  }
  return false;
}

IgnoreRules IgnoreRules::ForFolder(const std::string &directory) {
  IgnoreRules rules;
  rules.Add(kBuiltIn);
  const std::string repositoryList = RepositoryIgnoreFile(directory);
  if (!repositoryList.empty()) AddFile(rules, repositoryList);
  const std::string home = HomeFolder();
  if (!home.empty()) AddFile(rules, JoinPath(home, ".cvsignore", os::kSep));
  std::string variable;
  if (os::GetEnv("CVSIGNORE", variable)) rules.Add(variable);
  AddFile(rules, JoinPath(directory, ".cvsignore", os::kSep));
  return rules;
}
