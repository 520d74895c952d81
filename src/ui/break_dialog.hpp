// The small modal dialog that stands while another thread of the module
// works ("CVS Running...", "Checking folders..."): a title and a "Break"
// button.  The worker closes it when its work is done; the user's Break or
// Esc closes it too, and one claim decides who did (close_claim.hpp).
#ifndef QUILLET_BREAK_DIALOG_HPP
#define QUILLET_BREAK_DIALOG_HPP

#include <atomic>

#include "far/far_api.hpp"
#include "runner/close_claim.hpp"

// Shows the dialog titled by message `titleId` on the host's thread until
// it closes; `proc` gets its messages, `param` with DN_INITDIALOG.
void ShowBreakDialog(int titleId, FARWINDOWPROC proc, LONG_PTR param);

// Closing the dialog from the worker.  Some hosts change their windows
// only on the thread that called the module, so the worker wakes the
// host's thread and the dialog's next message closes it there; a host that
// cannot be woken (our own hosts) gets the close from the worker after a
// while.
class DialogCloser {
 public:
  // Worker thread: closes `dialog` unless the user has begun to close it
  // (false then).
  bool CloseFromWorker(HANDLE dialog);
  // The dialog procedure, for every message: where the worker woke the
  // host's thread, closes the dialog here; true when the message was the
  // key that woke it and goes no further.
  bool CloseIfWoken(HANDLE dialog, int message);
  // DN_CLOSE: whether the close may go ahead.
  bool AllowClose(int closeCode) { return AllowDialogClose(claim_, closeCode); }
  // The host's thread, once the dialog is gone: a worker that has not
  // claimed the close by now must not send.  True when the worker closed it.
  bool ClosedByWorker();

 private:
  std::atomic<int> claim_{kDialogOpen};
  std::atomic<bool> closeOnHostThread_{false};
};

#endif
