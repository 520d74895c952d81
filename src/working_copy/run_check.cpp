// Checking a working copy again right before cvs starts.
#include "working_copy/run_check.hpp"

#include "texts/format_text.hpp"
#include "texts/messages.hpp"

namespace {

struct KeptCheck {
  bool Kept = false;
  Selection Folders;
  bool Recursive = true;
  VisitLimits Limits;
  VisitFinding Accepted;
  // Whether the user had something in front of them since the last start.
  bool Paused = true;
};

KeptCheck &Kept() {
  static KeptCheck kept;
  return kept;
}

}  // namespace

void RememberCheck(const Selection &folders, bool recursive, const VisitLimits &limits,
                   const VisitFinding &accepted) {
  KeptCheck &kept = Kept();
  kept.Kept = true;
  kept.Folders = folders;
  kept.Recursive = recursive;
  kept.Limits = limits;
  // The walk right before the start is not broken off by a dialog that is gone.
  kept.Limits.Stop = nullptr;
  kept.Accepted = accepted;
}

void ForgetCheck() { Kept() = KeptCheck(); }

void NoteUserPause() { Kept().Paused = true; }

std::string CheckNoLongerHolds() {
  KeptCheck &kept = Kept();
  if (!kept.Kept) return "";
  const VisitFinding now = CheckCommandFolders(kept.Folders, kept.Recursive, kept.Limits);
  const bool same = now.What == kept.Accepted.What && now.Folder == kept.Accepted.Folder &&
                    now.Detail == kept.Accepted.Detail &&
                    now.Fingerprint == kept.Accepted.Fingerprint;
  if (same || !kept.Paused) {
    // What the run writes (the entries of an added folder) is the next
    // start's starting point.
    kept.Accepted = now;
    kept.Paused = false;
    return "";
  }
  std::string what = now ? FindingLines(now)[0] + " " + FindingLines(now)[1] : now.Folder;
  if (what.empty()) what = kept.Accepted.Folder.empty() ? "." : kept.Accepted.Folder;
  return FormatText(CheckedFormat(MCheckChanged), what.c_str());
}
