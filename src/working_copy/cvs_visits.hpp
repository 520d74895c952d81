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
// - a named folder that does not exist is passed over; links are followed,
//   and an entry "D/./..." makes cvs enter the folder itself again, without
//   end.
#ifndef QUILLET_CVS_VISITS_HPP
#define QUILLET_CVS_VISITS_HPP

#include <stddef.h>
#include <stdint.h>

#include <atomic>
#include <string>
#include <vector>

#include "working_copy/selection.hpp"

struct VisitFinding {
  enum Kind {
    Nothing,
    RootOptions,  // the root names a program for cvs to start
    AdminFolder,  // the CVS folder holds a link, a FIFO, a file too large...
    Unchecked,    // the folder could not be looked at
    OddFolder,    // a subfolder cvs enters is a link or no single name
    // The kinds below need the user's word once per working copy for the
    // session; the word given, the walk passes over them (AgreeTo).
    ForeignRepository,  // the repository's CVSROOT is another user's
    NotifyFile,         // CVS/Notify: cvs runs the repository's notify program
    SharedFolder,       // another user can change the folder under cvs
    RemoteHost,         // cvs logs in to a host, which may ask for a password
  };
  Kind What = Nothing;
  std::string Folder;  // as reached from the start, the start itself as given
  std::string Detail;  // the root, the host, or why the folder is refused or unchecked
  // Of what the walk read on its way (each folder's root, repository and
  // subfolders named), to tell whether anything changed since.
  uint64_t Fingerprint = 0;
  std::string Key;  // for the kinds that need the user's word: what it is given to
  explicit operator bool() const { return What != Nothing; }
  bool NeedsConsent() const { return What >= ForeignRepository; }
};

struct VisitLimits {
  int MostDepth = 256;          // folders below the start
  size_t MostFolders = 200000;  // folders and subfolder names looked at in one walk
  // A command the user chose asks before cvs logs in to a host; the panel's
  // own runs never lend the terminal, so for them a host asks nothing.
  bool AskForRemoteHosts = true;
  // Set (by another thread) to break the walk off; it then ends Unchecked.
  const std::atomic<bool> *Stop = nullptr;
};

// The user's word, for this session, that cvs may run despite `finding`
// (one of the kinds that need it); the walk then passes over it.
void AgreeTo(const VisitFinding &finding);
bool AgreedTo(const VisitFinding &finding);

// The first thing in the way of cvs running unasked in `start` or, when
// `recursive`, in a folder below it that cvs would visit.  The walk never
// lists a folder whose subfolders its CVS/Entries names, unless its root is
// a repository on this machine, and never looks at a file on its own.
VisitFinding CheckFoldersCvsVisits(const std::string &start, bool recursive,
                                   const VisitLimits &limits = VisitLimits());

// The same for a command on `selection` (relative to the current folder):
// the current folder itself, then each selected folder and below (only the
// current folder with `recursive` false, as for "update -l").
VisitFinding CheckCommandFolders(const Selection &selection, bool recursive,
                                 const VisitLimits &limits = VisitLimits());

// The lines that say what was found, for the question before the command
// (ui/boxes.hpp).
std::vector<std::string> FindingLines(const VisitFinding &finding);

#endif
