// Who closes the "CVS Running..." dialog: the user (Break or Esc) or the
// watcher when the process has ended.  One claim decides, so that the
// watcher never sends to a dialog the user has closed, and no close ever
// waits for the other thread (a host may handle both under one lock).
#ifndef QUILLET_CLOSE_CLAIM_HPP
#define QUILLET_CLOSE_CLAIM_HPP

#include <atomic>

enum CloseClaim { kDialogOpen = 0, kUserCloses = 1, kWatcherCloses = 2 };

// The close code the watcher sends with DM_CLOSE; the user's are 1 or -1.
const int kWatcherCloseCode = 2;

// The watcher may send DM_CLOSE only while nobody has begun to close.
inline bool ClaimWatcherClose(std::atomic<int> &claim) {
  int open = kDialogOpen;
  return claim.compare_exchange_strong(open, kWatcherCloses);
}

// Whether the dialog may close now (its answer to DN_CLOSE).  A user close
// that comes while the watcher is sending is refused: the dialog stays
// until the watcher's own close, a moment later.
inline bool AllowDialogClose(std::atomic<int> &claim, int closeCode) {
  int state = kDialogOpen;
  if (claim.compare_exchange_strong(state, kUserCloses)) return true;
  if (state == kWatcherCloses) return closeCode == kWatcherCloseCode;
  return true;  // the user's close, asked again
}

#endif
