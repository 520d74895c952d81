// Which files cvs passes over as not worth reporting: its built-in list,
// the repository's CVSROOT/cvsignore, the user's ~/.cvsignore, the
// CVSIGNORE variable and the folder's own .cvsignore, in that order, a lone
// "!" clearing what came before.  The panel shows such a file as cvs
// treats it, not as unknown.  The repository's list is read only where the
// folder's root is a repository on this machine (a path, :local: or
// :fork:); a remote repository's list is known only to its server.
#ifndef QUILLET_IGNORE_RULES_HPP
#define QUILLET_IGNORE_RULES_HPP

#include <string>
#include <vector>

class IgnoreRules {
 public:
  // The rules that hold for the files of `directory`.
  static IgnoreRules ForFolder(const std::string &directory);

  // Adds the words of `text` (separated by white space) as patterns.
  void Add(const std::string &text);
  bool Ignores(const char *name) const;

 private:
  std::vector<std::string> patterns_;
};

// Shell-style matching as cvs does it: "*", "?", "[a-z]", "[!x]" or "[^x]",
// and "\" taking the next character as it is.  Case-sensitive.
bool MatchesPattern(const char *pattern, const char *name);

#endif
