// One open dialog with the protocol around it: the dialog procedure
// (DN_INITDIALOG, DN_CLOSE asked before any close, which it may refuse),
// DM_CLOSE sent from any thread, and the front end's wait that it wakes.
#ifndef QUILLET_HOSTCORE_DIALOG_SESSION_HPP
#define QUILLET_HOSTCORE_DIALOG_SESSION_HPP

#include <vector>

#include "core/dialog_model.hpp"
#include "core/sync.hpp"
#include "far/far_api.hpp"

namespace hostcore {

class HostCore;

class DialogSession {
 public:
  DialogSession(HostCore &core, bool ex, DialogModel model, FARWINDOWPROC proc, LONG_PTR param);
  DialogSession(const DialogSession &) = delete;
  DialogSession &operator=(const DialogSession &) = delete;

  // Runs the dialog to its end and returns the closing item or -1.  The
  // items are not yet written back (HostCore does that).
  int Run();

  // The dialog's items and focus.
  DialogModel Model;
  // The items as the module handed them over.
  std::vector<FarDialogItem> ItemsIn;
  // Whether the module used DialogEx (it may have a procedure).
  bool IsEx() const { return ex_; }
  HANDLE Handle() { return this; }

  // The lock under which a front end checks for the module's close and
  // waits for it (its wake comes after the lock is released).
  Mutex &Lock() { return lock_; }
  // Under Lock(): whether a DM_CLOSE waits to be taken, and taking it.
  bool ModuleClosePending() const { return closePending_; }
  bool TakeModuleClose(int &code);

  // Messages sent to the procedure, in order (DN_INITDIALOG, DN_CLOSE...).
  std::vector<int> ProcMessages() const;

  // SendDlgMessage for this dialog, from any thread.
  LONG_PTR Send(int message, int param1, LONG_PTR param2);

 private:
  LONG_PTR AskProc(int message, int param1, LONG_PTR param2);

  HostCore &core_;
  bool ex_;
  FARWINDOWPROC proc_;
  LONG_PTR param_;
  Mutex lock_;
  bool closePending_ = false;
  bool approvedBySender_ = false;  // the pending close already passed DN_CLOSE
  bool takenApproved_ = false;
  int closeCode_ = -1;
  mutable Mutex logLock_;
  std::vector<int> procMessages_;
};

// Dialogs that are open now: a message to any other handle comes too late.
// The registry's lock is held while a sender's thread asks the procedure,
// so that the dialog stays registered meanwhile.
void RegisterDialog(DialogSession *dialog);
void UnregisterDialog(DialogSession *dialog);
// Whether `handle` is a dialog that is open now.
bool IsOpenDialog(HANDLE handle);
// Sends to an open dialog; false (and nothing sent) when it is not open.
bool SendToOpenDialog(HANDLE handle, int message, int param1, LONG_PTR param2, LONG_PTR &result);

}  // namespace hostcore

#endif
