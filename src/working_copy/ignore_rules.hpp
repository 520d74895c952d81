// Which files cvs passes over as not worth reporting: its built-in list,
// the repository's CVSROOT/cvsignore, the user's ~/.cvsignore, the
// CVSIGNORE variable and the folder's own .cvsignore, in that order, a lone
// "!" clearing what came before.  The panel shows such a file as cvs
// treats it, not as unknown.  The repository's list is read only where the
// folder's root is a repository on this machine (a path, :local: or
// :fork:); a remote repository's list is known only to its server.
#ifndef QUILLET_IGNORE_RULES_HPP
#define QUILLET_IGNORE_RULES_HPP

#include <stddef.h>

#include <string>
#include <unordered_set>
#include <vector>

class IgnoreRules {
 public:
  // The rules that hold for the files of `directory`.
  static IgnoreRules ForFolder(const std::string &directory);

  // Adds the words of `text` (separated by white space) as patterns.
  void Add(const std::string &text);
  bool Ignores(const char *name) const;
  // Whether patterns past the bounds below were passed over.
  bool Cut() const { return cut_; }

  // A list is a few dozen patterns; a list of a megabyte with many unknown
  // files would cost names times patterns at every re-read.  Patterns
  // without wildcards are looked up by name, whatever their number; of the
  // others, the same pattern twice counts once, and those past these bounds
  // are passed over (Cut): matching a name then costs at most this many
  // patterns of at most that length.
  static constexpr size_t kMostWildPatterns = 1000;
  static constexpr size_t kLongestWildPattern = 256;

 private:
  std::unordered_set<std::string> plain_;
  std::vector<std::string> wild_;
  std::unordered_set<std::string> wildSeen_;
  bool cut_ = false;
};

// Shell-style matching as cvs does it: "*", "?", "[a-z]", "[!x]" or "[^x]",
// and "\" taking the next character as it is.  Case-sensitive.
bool MatchesPattern(const char *pattern, const char *name);

#endif
