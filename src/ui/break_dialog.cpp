// The "Break" dialog of a worker and its close from the worker's thread.
#include "ui/break_dialog.hpp"

#include "far/field_text.hpp"
#include "host/host.hpp"
#include "os/os.hpp"
#include "texts/messages.hpp"

namespace {
// How long the worker lets a woken host take to close the dialog itself.
const int kHostWakeMs = 2000;
const int kPollMs = 5;
const int kDialogWidth = 42;
const int kDialogHeight = 7;
}  // namespace

void ShowBreakDialog(int titleId, FARWINDOWPROC proc, LONG_PTR param) {
  FarDialogItem items[2] = {};
  items[0].Type = DI_DOUBLEBOX;
  items[0].X1 = 3;
  items[0].Y1 = 1;
  items[0].X2 = 38;
  items[0].Y2 = 5;
  CopyToField(items[0].Data, MessageText(titleId));
  items[1].Type = DI_BUTTON;
  items[1].Y1 = 4;
  items[1].Flags = DIF_CENTERGROUP;
  items[1].DefaultButton = 1;
  CopyToField(items[1].Data, MessageText(MRunBreak));
  HostInfo.DialogEx(HostInfo.ModuleNumber, -1, -1, kDialogWidth, kDialogHeight, nullptr, items, 2,
                    0, 0, proc, param);
}

bool DialogCloser::CloseFromWorker(HANDLE dialog) {
  if (!ClaimWatcherClose(claim_)) return false;
  closeOnHostThread_.store(true);
  if (os::WakeHostThread()) {
    for (int waited = 0; waited < kHostWakeMs && closeOnHostThread_.load(); waited += kPollMs)
      os::Pause(kPollMs);
  }
  if (closeOnHostThread_.exchange(false))
    HostInfo.SendDlgMessage(dialog, DM_CLOSE, kWatcherCloseCode, 0);
  return true;
}

bool DialogCloser::CloseIfWoken(HANDLE dialog, int message) {
  if (message == DN_CLOSE || !closeOnHostThread_.exchange(false)) return false;
  HostInfo.SendDlgMessage(dialog, DM_CLOSE, kWatcherCloseCode, 0);
  return message == DN_KEY;
}

bool DialogCloser::ClosedByWorker() {
  int open = kDialogOpen;
  claim_.compare_exchange_strong(open, kUserCloses);
  return claim_.load() == kWatcherCloses;
}
