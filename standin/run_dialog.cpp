// DialogEx with a dialog procedure: the host thread runs the procedure and
// waits on a condition until the module closes the dialog from its watcher
// thread, or until the scripted user presses "Break" or Esc.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>

#include "standin/services.hpp"
#include "standin/standin.hpp"

namespace standin {

namespace {

struct OpenDialog {
  std::mutex mutex;
  std::condition_variable changed;
  bool closeRequested = false;
  bool closedBySender = false;  // the sender already asked the procedure
  int closeCode = -1;
  FARWINDOWPROC proc = nullptr;
  std::vector<int> *procMessages = nullptr;
};

// Dialogs that are open now; a message to any other handle is late.
std::mutex openMutex;
std::set<OpenDialog *> openDialogs;

}  // namespace

int FARAPI ServiceDialogEx(INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                           FarDialogItem *items, int count, DWORD, DWORD, FARWINDOWPROC proc,
                           LONG_PTR param) {
  Record("DialogEx");
  Host &host = Host::Get();
  DialogCall call = NewDialogCall(true, number, x1, y1, x2, y2, help, items, count);

  OpenDialog dialog;
  dialog.proc = proc;
  dialog.procMessages = &call.ProcMessages;
  HANDLE handle = &dialog;
  {
    std::lock_guard<std::mutex> lock(openMutex);
    openDialogs.insert(&dialog);
  }
  call.ProcMessages.push_back(DN_INITDIALOG);
  if (proc != nullptr) proc(handle, DN_INITDIALOG, 0, param);

  int result;
  for (;;) {
    std::unique_lock<std::mutex> lock(dialog.mutex);
    int waitMs =
        host.script.RunBreakAfterMs >= 0 ? host.script.RunBreakAfterMs : host.script.RunTimeoutMs;
    bool byModule = dialog.changed.wait_for(lock, std::chrono::milliseconds(waitMs),
                                            [&] { return dialog.closeRequested; });
    result = byModule ? dialog.closeCode
                      : (host.script.RunBreakAfterMs >= 0 ? host.script.RunBreakItem : -1);
    dialog.closeRequested = false;
    if (byModule && dialog.closedBySender) break;
    lock.unlock();
    if (byModule && host.script.BreakAsModuleCloses) {
      host.script.BreakAsModuleCloses = false;
      call.ProcMessages.push_back(DN_CLOSE);
      if (proc == nullptr || proc(handle, DN_CLOSE, host.script.RunBreakItem, 0)) {
        result = host.script.RunBreakItem;
        break;
      }
    }
    // The dialog asks its procedure before it closes, whoever closes it.
    call.ProcMessages.push_back(DN_CLOSE);
    LONG_PTR allowed = proc != nullptr ? proc(handle, DN_CLOSE, result, 0) : 1;
    if (allowed) break;
  }
  {
    std::lock_guard<std::mutex> lock(openMutex);
    openDialogs.erase(&dialog);
  }
  if (items != nullptr && count > 0) call.ItemsOut.assign(items, items + count);
  call.Result = result;
  host.Dialogs.push_back(call);
  return result;
}

LONG_PTR FARAPI ServiceSendDlgMessage(HANDLE handle, int message, int param1, LONG_PTR param2) {
  Record("SendDlgMessage(" + std::to_string(message) + ", " + std::to_string(param1) + ", " +
         std::to_string(param2) + ")");
  OpenDialog *dialog = static_cast<OpenDialog *>(handle);
  std::lock_guard<std::mutex> openLock(openMutex);
  if (openDialogs.count(dialog) == 0) {
    ++Host::Get().LateDialogMessages;
    return 0;
  }
  if (message == DM_CLOSE) {
    bool closedBySender = false;
    if (Host::Get().script.CloseOnSenderThread) {
      // The dialog stays registered (openMutex is held) while its
      // procedure decides on this thread.
      dialog->procMessages->push_back(DN_CLOSE);
      if (dialog->proc != nullptr && !dialog->proc(handle, DN_CLOSE, param1, 0)) return 0;
      closedBySender = true;
    }
    std::lock_guard<std::mutex> lock(dialog->mutex);
    dialog->closeRequested = true;
    dialog->closedBySender = closedBySender;
    dialog->closeCode = param1;
    dialog->changed.notify_all();
    return 1;
  }
  return 0;
}

LONG_PTR FARAPI ServiceDefDlgProc(HANDLE, int message, int param1, LONG_PTR) {
  Record("DefDlgProc(" + std::to_string(message) + ", " + std::to_string(param1) + ")");
  return (message == DN_CLOSE || message == DN_INITDIALOG) ? 1 : 0;
}

}  // namespace standin
