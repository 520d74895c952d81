// The folders a cvs run visits, and whether cvs may run there before the
// user has said so.  A working copy is data from a stranger: a CVS/Root can
// name a program for cvs to start, and a CVS folder can hold links that cvs
// writes through.  cvs takes each folder's own CVS folder as it recurses,
// so every folder it will visit is looked at, and one that cannot be looked
// at counts as one that needs the user's word.
//
// Which folders cvs visits (found with the real client, 1.12):
// - every folder named on its command line, and below each;
// - for a file named on its command line, the folder it lies in;
// - below a folder, the subfolders named by "D" lines of CVS/Entries (and
//   "A D" lines of CVS/Entries.Log); where the folder has no "D" line at all
//   (nor a CVS folder, nor CVS/Entries), every subfolder holding a CVS
//   folder, even below a folder that is no working copy when CVSROOT is set;
// - where the folder's root is a repository on this machine, also every
//   subfolder that has a folder of the same name in the repository, named
//   or not (a client of a remote root never enters such a folder, an
//   update with -d included);
// - a named folder that does not exist is passed over; links are followed.
#ifndef QUILLET_CVS_VISITS_HPP
#define QUILLET_CVS_VISITS_HPP

#include <stddef.h>

#include <string>

#include "runner/runner.hpp"

struct VisitFinding {
  enum Kind { Nothing, RootOptions, AdminFolder, Unchecked };
  Kind What = Nothing;
  std::string Folder;  // as reached from the start, the start itself as given
  std::string Detail;  // the root, or why the folder is refused or unchecked
  explicit operator bool() const { return What != Nothing; }
};

struct VisitLimits {
  int MostDepth = 256;          // folders below the start
  size_t MostFolders = 200000;  // folders looked at in one walk
};

// The first thing in the way of cvs running unasked in `start` or, when
// `recursive`, in a folder below it that cvs would visit.  The walk never
// lists a folder whose subfolders its CVS/Entries names, unless its root is
// a repository on this machine, and never looks at a file on its own.
VisitFinding CheckFoldersCvsVisits(const std::string &start, bool recursive,
                                   const VisitLimits &limits = VisitLimits());

// The same for a command on `selection` (relative to the current folder):
// the current folder itself, then each selected folder and below (only the
// current folder with `recursive` false, as for "update -l").
VisitFinding CheckCommandFolders(const Selection &selection, bool recursive);

// The lines that say what was found, for the question before the command
// (ui/boxes.hpp).
std::vector<std::string> FindingLines(const VisitFinding &finding);

#endif
