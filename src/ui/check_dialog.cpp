// The walk before a command, on a worker thread: a walk over a large or
// deep working copy takes a while, and the user can break it off.  The
// small "Checking folders..." dialog shows only when the walk has not
// ended within a moment, so that a quick check shows nothing at all.
#include <atomic>

#include "host/host.hpp"
#include "os/os.hpp"
#include "os/owners.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/break_dialog.hpp"

namespace {

// How long the walk may take before the dialog shows.
const int kQuietMs = 300;
const int kPollMs = 5;

struct CheckContext {
  const Selection *Folders = nullptr;
  bool Recursive = true;
  VisitLimits Limits;
  std::atomic<bool> Stop{false};
  VisitFinding Result;
  std::atomic<bool> Done{false};
  // The dialog: shown (its handle set), or known never to stand again.
  std::atomic<HANDLE> Dialog{nullptr};
  std::atomic<bool> NoDialog{false};
  DialogCloser Closer;
};

CheckContext *CurrentCheck = nullptr;

void Walk(void *raw) {
  CheckContext *check = static_cast<CheckContext *>(raw);
  check->Result = CheckCommandFolders(*check->Folders, check->Recursive, check->Limits);
  check->Done.store(true);
  // The dialog, once it stands, is closed from here; until the host's
  // thread has decided whether it shows, this thread waits for it.
  for (;;) {
    if (check->NoDialog.load()) return;
    HANDLE dialog = check->Dialog.load();
    if (dialog != nullptr) {
      check->Closer.CloseFromWorker(dialog);
      return;
    }
    os::Pause(kPollMs);
  }
}

LONG_PTR FARAPI CheckDialogProc(HANDLE dialog, int message, int param1, LONG_PTR param2) {
  if (message == DN_INITDIALOG) {
    CheckContext *check = reinterpret_cast<CheckContext *>(param2);
    CurrentCheck = check;
    check->Dialog.store(dialog);
    return 1;
  }
  // The walk has ended and woke this thread: the dialog closes here.
  if (CurrentCheck != nullptr && CurrentCheck->Closer.CloseIfWoken(dialog, message)) return 1;
  if (message == DN_CLOSE && CurrentCheck != nullptr) {
    if (!CurrentCheck->Closer.AllowClose(param1)) return 0;
    if (param1 != kWatcherCloseCode) CurrentCheck->Stop.store(true);
  }
  return HostInfo.DefDlgProc(dialog, message, param1, param2);
}

void ShowCheckDialog(CheckContext &check) {
  ShowBreakDialog(MCheckingTitle, CheckDialogProc, reinterpret_cast<LONG_PTR>(&check));
  CurrentCheck = nullptr;
}

}  // namespace

VisitFinding CheckWithBreak(const Selection &folders, bool recursive, const VisitLimits &limits) {
  CheckContext check;
  check.Folders = &folders;
  check.Recursive = recursive;
  check.Limits = limits;
  check.Limits.Stop = &check.Stop;
  os::JoinedThread worker;
  // The walk's reasons are the language file's words, read here for it.
  CopyTextsForWorkers();
  if (HostInfo.DialogEx == nullptr || !worker.Start(Walk, &check)) {
    check.NoDialog.store(true);
    return CheckCommandFolders(folders, recursive, limits);
  }
  for (int waited = 0; waited < kQuietMs && !check.Done.load(); waited += kPollMs)
    os::Pause(kPollMs);
  if (!check.Done.load()) ShowCheckDialog(check);
  // Whatever closed the dialog, the walk ends now: broken off by the user
  // or already done.
  if (!check.Closer.ClosedByWorker()) check.Stop.store(true);
  check.NoDialog.store(true);
  worker.Join();
  return check.Result;
}
