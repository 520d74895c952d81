// Where a program is looked for, and which arguments a batch file may take.
// Pure functions over text, so that the rules of both systems can be checked
// anywhere.
#ifndef QUILLET_PROGRAM_SEARCH_HPP
#define QUILLET_PROGRAM_SEARCH_HPP

#include <stddef.h>

#include <string>
#include <vector>

struct SearchRules {
  char ListSeparator;                   // between PATH entries
  char DirSeparator;                    // appended to a PATH entry
  std::vector<std::string> Extensions;  // tried in order on a name without one
  bool DriveAndBackslash;               // "\\" and "X:" also mark a directory part
  size_t MaxPath;                       // a composed path this long ends the search
};

SearchRules WindowsSearchRules();
SearchRules PosixSearchRules();
// The rules of the system the module was built for.
SearchRules HostSearchRules();

// True when `name` names a file through a directory ("bin/cvs", "C:cvs").
bool HasDirectoryPart(const std::string &name, const SearchRules &rules);

// The files to try for `name`, in order.  A name with a directory part is
// used as given; any other name is looked for in the entries of `pathText`
// only (never in the current directory), double quotes removed, and empty
// or relative entries (".", "bin", "C:bin", "\\bin" on Windows) skipped.  A name without an
// extension is tried with each of the rules' extensions instead.
std::vector<std::string> ProgramCandidates(const std::string &name, const std::string &pathText,
                                           const SearchRules &rules);

// `pathText` without its empty and relative entries, the others as they
// stand (quotes kept), joined by the rules' list separator: the PATH a
// program started in a working copy gets, so that neither it nor what it
// starts finds a program there.
std::string SearchPathWithoutRelativeEntries(const std::string &pathText, const SearchRules &rules);

// True for a path on a network share ("\\server\..." or "//server/...").
bool IsNetworkPath(const std::string &path);

// True for a batch file ("x.bat", "x.cmd", any letter case) under rules
// that search extensions: the command interpreter reads its command line.
bool IsBatchFile(const std::string &path, const SearchRules &rules);
// False when an argument holds what the command interpreter would act on
// in a batch file's command line (" % & < > ^ | or a control character),
// so that a file named "a&calc" can never start a second program.
bool FitsBatchCommandLine(const char *const *args);

#endif
