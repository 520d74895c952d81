// The walk before a command, on a worker thread: a walk over a large or
// deep working copy takes a while, and the user can break it off.  The
// small "Checking folders..." dialog shows only when the walk has not
// ended within a moment, so that a quick check shows nothing at all.
#include <atomic>

#include "far/field_text.hpp"
#include "host/host.hpp"
#include "os/os.hpp"
#include "os/owners.hpp"
#include "runner/close_claim.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"

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
  std::atomic<int> Claim{kDialogOpen};
  // Set when the walk has woken the host's thread instead of closing the
  // dialog itself: the dialog's next message closes it there.
  std::atomic<bool> CloseOnHostThread{false};
};

// How long the walk lets a woken host take to close the dialog itself.
const int kHostWakeMs = 2000;

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
      if (!ClaimWatcherClose(check->Claim)) return;
      // A host that reads the console closes the dialog on its own thread
      // (some hosts change their windows on the calling thread); one that
      // does not (our own hosts) gets the close from here.
      check->CloseOnHostThread.store(true);
      if (os::WakeHostThread()) {
        for (int waited = 0; waited < kHostWakeMs && check->CloseOnHostThread.load();
             waited += kPollMs)
          os::Pause(kPollMs);
      }
      if (check->CloseOnHostThread.exchange(false))
        HostInfo.SendDlgMessage(dialog, DM_CLOSE, kWatcherCloseCode, 0);
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
  if (message != DN_CLOSE && CurrentCheck != nullptr &&
      CurrentCheck->CloseOnHostThread.exchange(false)) {
    // The walk has ended and woke this thread: the dialog closes here.
    HostInfo.SendDlgMessage(dialog, DM_CLOSE, kWatcherCloseCode, 0);
    if (message == DN_KEY) return 1;
  }
  if (message == DN_CLOSE && CurrentCheck != nullptr) {
    if (!AllowDialogClose(CurrentCheck->Claim, param1)) return 0;
    if (param1 != kWatcherCloseCode) CurrentCheck->Stop.store(true);
  }
  return HostInfo.DefDlgProc(dialog, message, param1, param2);
}

void ShowCheckDialog(CheckContext &check) {
  FarDialogItem items[2] = {};
  items[0].Type = DI_DOUBLEBOX;
  items[0].X1 = 3;
  items[0].Y1 = 1;
  items[0].X2 = 38;
  items[0].Y2 = 5;
  CopyToField(items[0].Data, MessageText(MCheckingTitle));
  items[1].Type = DI_BUTTON;
  items[1].Y1 = 4;
  items[1].Flags = DIF_CENTERGROUP;
  items[1].DefaultButton = 1;
  CopyToField(items[1].Data, MessageText(MRunBreak));
  HostInfo.DialogEx(HostInfo.ModuleNumber, -1, -1, 42, 7, nullptr, items, 2, 0, 0, CheckDialogProc,
                    reinterpret_cast<LONG_PTR>(&check));
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
  int open = kDialogOpen;
  if (check.Claim.compare_exchange_strong(open, kUserCloses)) check.Stop.store(true);
  check.NoDialog.store(true);
  worker.Join();
  return check.Result;
}
