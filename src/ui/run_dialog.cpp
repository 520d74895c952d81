// Running cvs under the modal "CVS Running..." dialog: the host's thread
// shows the dialog, a watcher thread waits for the process and closes the
// dialog when the process ends; "Break" or Esc ends the process.  On POSIX
// a process that stops to use the terminal (ssh asking for a password)
// closes the dialog too: the host then leaves its screen, the process gets
// the terminal until it ends, and the host takes its screen back.
#include "ui/run_dialog.hpp"

#include <atomic>

#include "far/user_screen.hpp"
#include "host/host.hpp"
#include "os/os.hpp"
#include "os/owners.hpp"
#include "runner/cvs_args.hpp"
#include "runner/run_codes.hpp"
#include "runner/start_program.hpp"
#include "texts/messages.hpp"
#include "ui/break_dialog.hpp"

namespace {

// Shared by RunCvs, RunDialogProc and WatchProcess for one run; lives in
// RunCvs's frame, which outlasts both the dialog and the watcher.
struct RunContext {
  os::Process *Process = nullptr;
  HANDLE Dialog = nullptr;
  os::OwnedEvent StopEvent;
  // Declared after the event: the watcher is waited for before the event
  // it waits on goes.
  os::JoinedThread Watcher;
  // Closed by the watcher: the process ended by itself or, with
  // WantsTerminal, stopped to use the terminal.
  DialogCloser Closer;
  std::atomic<bool> WantsTerminal{false};
};

// How the dialog (or the wait without one) ended.
enum class RunEnd { Ended, Broken, WantsTerminal };

// The current run, for dialog messages that do not carry it.
RunContext *CurrentRun = nullptr;

void WatchProcess(void *raw) {
  RunContext *context = static_cast<RunContext *>(raw);
  os::Process *process = context->Process;
  os::Event *stop = context->StopEvent.get();
  HANDLE dialog = context->Dialog;
  os::WaitResult result = os::WaitProcessOrEvent(process, stop);
  if (result == os::WaitResult::WantsTerminal) {
    context->WantsTerminal.store(true);
  } else if (result != os::WaitResult::ProcessEnded) {
    return;
  }
  context->Closer.CloseFromWorker(dialog);
}

LONG_PTR FARAPI RunDialogProc(HANDLE dialog, int message, int param1, LONG_PTR param2) {
  if (message == DN_INITDIALOG) {
    RunContext *context = reinterpret_cast<RunContext *>(param2);
    CurrentRun = context;
    context->Dialog = dialog;
    context->StopEvent.reset(os::NewEvent());
    // Without an event or a thread the dialog stays until the user closes
    // it, and the run ends as after "Break".
    if (context->StopEvent != nullptr) context->Watcher.Start(WatchProcess, context);
    return 1;
  }
  // The process has ended and the watcher woke this thread: the dialog
  // closes here, on the host's own thread.
  if (CurrentRun != nullptr && CurrentRun->Closer.CloseIfWoken(dialog, message)) return 1;
  if (message == DN_CLOSE && CurrentRun != nullptr) {
    if (!CurrentRun->Closer.AllowClose(param1)) return 0;
    os::SignalEvent(CurrentRun->StopEvent.get());
  }
  return HostInfo.DefDlgProc(dialog, message, param1, param2);
}

// Shows the dialog until the process ends, wants the terminal, or the user
// breaks.
RunEnd ShowRunDialog(os::Process *process) {
  RunContext context;
  context.Process = process;
  ShowBreakDialog(MRunTitle, RunDialogProc, reinterpret_cast<LONG_PTR>(&context));
  // The dialog is gone: a watcher that has not claimed the close by now
  // must not send, and it has to finish before the context goes away.
  const bool byWatcher = context.Closer.ClosedByWorker();
  os::SignalEvent(context.StopEvent.get());
  context.Watcher.Join();
  CurrentRun = nullptr;
  if (!byWatcher) return RunEnd::Broken;
  return context.WantsTerminal.load() ? RunEnd::WantsTerminal : RunEnd::Ended;
}

// The process stopped to use the terminal: the host leaves its screen, the
// process has the terminal until it ends, the host takes the screen back.
// Ended when it had the terminal; Broken (after a line in its output) when
// no host or terminal can give it, for it would wait for ever.
RunEnd LendTheTerminal(os::Process *process, FILE *output) {
  bool left = HostInfo.AdvControl != nullptr &&
              HostInfo.AdvControl(HostInfo.ModuleNumber, ACTL_QUILLET_LEAVESCREEN, nullptr) == 1;
  bool lent = left && os::LendTerminal(process, kRunBroken);
  if (left) HostInfo.AdvControl(HostInfo.ModuleNumber, ACTL_QUILLET_TAKESCREEN, nullptr);
  if (lent) return RunEnd::Ended;
  fprintf(output, "%s\n", MessageText(MRunWantsTerminal));
  fflush(output);
  return RunEnd::Broken;
}

}  // namespace

int RunCvs(const CvsArgs &args, const char *outputPath) {
  return RunCvsWhile(args, outputPath, nullptr);
}

int RunCvs(const char *const *args, const char *outputPath) {
  return RunCvsWhile(args, outputPath, nullptr);
}

int RunCvsWhile(const char *const *args, const char *outputPath, const AlongsideWork &alongside) {
  if (args == nullptr) return kRunNoInput;
  return RunCvsWhile(CvsArgs::FromArgv(args), outputPath, alongside);
}

int RunCvsWhile(const CvsArgs &args, const char *outputPath, const AlongsideWork &alongside) {
  CapturedRun run;
  const int started = run.Start(args, outputPath);
  if (started != 0) return started;
  run.StartAlongside(alongside);
  RunEnd end;
  if (HostInfo.DialogEx != nullptr) {
    end = ShowRunDialog(run.Process());
  } else {
    os::WaitResult result = os::WaitProcessOrEvent(run.Process(), nullptr);
    end = result == os::WaitResult::ProcessEnded    ? RunEnd::Ended
          : result == os::WaitResult::WantsTerminal ? RunEnd::WantsTerminal
                                                    : RunEnd::Broken;
  }
  if (end == RunEnd::WantsTerminal) end = LendTheTerminal(run.Process(), run.Output());
  return run.Finish(end == RunEnd::Broken, kRunBroken);
}
