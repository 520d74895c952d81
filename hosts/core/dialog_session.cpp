// The dialog protocol: initialisation, closes asked of the procedure, and
// DM_CLOSE from another thread waking the front end's wait.
#include "core/dialog_session.hpp"

#include <set>

#include "core/host_core.hpp"

namespace hostcore {

namespace {
Mutex &RegistryLock() {
  static Mutex lock;
  return lock;
}
std::set<DialogSession *> &OpenDialogs() {
  static std::set<DialogSession *> open;
  return open;
}
// The open dialogs' handles under a lock of their own: the default dialog
// procedure asks for them while a sender's thread holds the registry's.
Mutex &HandleLock() {
  static Mutex lock;
  return lock;
}
std::set<HANDLE> &OpenHandles() {
  static std::set<HANDLE> open;
  return open;
}
}  // namespace

void RegisterDialog(DialogSession *dialog) {
  {
    ScopedLock lock(RegistryLock());
    OpenDialogs().insert(dialog);
  }
  ScopedLock lock(HandleLock());
  OpenHandles().insert(dialog->Handle());
}

void UnregisterDialog(DialogSession *dialog) {
  {
    ScopedLock lock(RegistryLock());
    OpenDialogs().erase(dialog);
  }
  ScopedLock lock(HandleLock());
  OpenHandles().erase(dialog->Handle());
}

bool IsOpenDialog(HANDLE handle) {
  ScopedLock lock(HandleLock());
  return OpenHandles().count(handle) != 0;
}

bool SendToOpenDialog(HANDLE handle, int message, int param1, LONG_PTR param2, LONG_PTR &result) {
  ScopedLock lock(RegistryLock());
  for (DialogSession *dialog : OpenDialogs()) {
    if (dialog->Handle() == handle) {
      result = dialog->Send(message, param1, param2);
      return true;
    }
  }
  return false;
}

DialogSession::DialogSession(HostCore &core, bool ex, DialogModel model, FARWINDOWPROC proc,
                             LONG_PTR param)
    : Model(std::move(model)), core_(core), ex_(ex), proc_(proc), param_(param) {}

LONG_PTR DialogSession::AskProc(int message, int param1, LONG_PTR param2) {
  if (ex_) {
    ScopedLock lock(logLock_);
    procMessages_.push_back(message);
  }
  if (proc_ == nullptr) return DefaultDialogAnswer(message);
  return proc_(Handle(), message, param1, param2);
}

std::vector<int> DialogSession::ProcMessages() const {
  ScopedLock lock(logLock_);
  return procMessages_;
}

bool DialogSession::TakeModuleClose(int &code) {
  if (!closePending_) return false;
  code = closeCode_;
  takenApproved_ = approvedBySender_;
  closePending_ = false;
  approvedBySender_ = false;
  return true;
}

LONG_PTR DialogSession::Send(int message, int param1, LONG_PTR param2) {
  (void)param2;
  if (message != DM_CLOSE) return 0;
  bool approved = false;
  if (core_.Front().ClosesOnSenderThread()) {
    if (!AskProc(DN_CLOSE, param1, 0)) return 0;
    approved = true;
  }
  {
    ScopedLock lock(lock_);
    closePending_ = true;
    approvedBySender_ = approved;
    closeCode_ = param1;
  }
  core_.Front().WakeDialog(*this);
  return 1;
}

int DialogSession::Run() {
  RegisterDialog(this);
  AskProc(DN_INITDIALOG, 0, param_);
  int result;
  for (;;) {
    takenApproved_ = false;
    DialogClose close = core_.Front().ShowDialog(*this);
    // The module's own close code goes through as it is (its procedure
    // knows it); a user's is an item of the dialog or -1.
    result = close.ByModule ? close.Code : DialogResult(Model, close.Code);
    // A close the sender's thread already put to the procedure is final.
    if (close.ByModule && takenApproved_) break;
    if (AskProc(DN_CLOSE, result, 0)) break;
  }
  UnregisterDialog(this);
  return result;
}

}  // namespace hostcore
