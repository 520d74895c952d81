// The check made before a run, kept until the program starts: a question,
// a dialog or the editor of a commit message can take minutes, and the
// working copy can change meanwhile (its CVS/Root rewritten, a folder
// swapped for a link).  Right before it starts a program, the runner walks
// the same folders again and refuses when anything checked has changed.
#ifndef QUILLET_RUN_CHECK_HPP
#define QUILLET_RUN_CHECK_HPP

#include <string>

#include "working_copy/cvs_visits.hpp"
#include "working_copy/selection.hpp"

// Keeps the check of `folders` (as CheckCommandFolders takes them) and
// what it found and the user accepted (Nothing when nothing was in the way).
void RememberCheck(const Selection &folders, bool recursive, const VisitLimits &limits,
                   const VisitFinding &accepted);
void ForgetCheck();
// Why the program must not start: the kept check, made again, found
// something else; empty when nothing is kept or nothing changed.  What it
// finds then becomes the kept check.  Starts that follow one another with
// nothing for the user in between (the batches of one command) take the
// working copy as the run before them left it.
std::string CheckNoLongerHolds();
// A question, dialog, menu or editor stood for the user: the next start
// compares with what was kept before it.
void NoteUserPause();

// Keeps a check for the life of the holder.
class HeldCheck {
 public:
  HeldCheck(const Selection &folders, bool recursive, const VisitLimits &limits,
            const VisitFinding &accepted) {
    RememberCheck(folders, recursive, limits, accepted);
  }
  ~HeldCheck() { ForgetCheck(); }
  HeldCheck(const HeldCheck &) = delete;
  HeldCheck &operator=(const HeldCheck &) = delete;
};

// Forgets whatever check was kept when it goes: a command's check holds for
// that command's runs only.
class ForgetsCheck {
 public:
  ForgetsCheck() = default;
  ~ForgetsCheck() { ForgetCheck(); }
  ForgetsCheck(const ForgetsCheck &) = delete;
  ForgetsCheck &operator=(const ForgetsCheck &) = delete;
};

#endif
