// Processes on POSIX systems.
//
// A child process is waited for together with an event: the process is
// watched through a pidfd (Linux) or, where there is none, through a pipe
// that a small reaper thread writes once the child has ended; the event is
// a pipe as well, so one poll() waits for both.  A stop of the child (it
// wants the terminal, which the system tells only to a wait) is looked for
// whenever that poll has slept for a tenth of a second.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <new>

#include "os/descriptors_posix.hpp"
#include "os/os.hpp"

extern char **environ;

namespace os {

struct Process {
  pid_t pid = -1;
  // Readable once the child has ended: a pidfd, or the read end of the
  // reaper thread's pipe.
  int endFd = -1;
  // Without a pidfd a detached reaper thread waits for the child, keeps its
  // status and writes to this pipe.  The record is shared by the handle and
  // the reaper; the last of the two to let go deletes it.
  bool hasReaper = false;
  int reaperWriteFd = -1;
  std::atomic<int> owners{1};
  std::atomic<bool> reaped{false};
  int status = 0;
  bool terminated = false;
  int terminationCode = 0;
  // Ended at the terminal by its break keys or its hang-up while it had it.
  bool brokenAtTerminal = false;
  // What a program started without capture writes (a file with no name).
  int scratchFd = -1;
};

namespace {

// Children whose handle was freed while they still ran; reaped by later
// calls once they have ended, so that no zombie stays for long.
std::vector<pid_t> &Orphans() {
  static std::vector<pid_t> orphans;
  return orphans;
}

void ReapOrphans() {
  std::vector<pid_t> &orphans = Orphans();
  for (size_t i = 0; i < orphans.size();) {
    int status;
    if (waitpid(orphans[i], &status, WNOHANG) == 0) {
      ++i;
    } else {
      orphans.erase(orphans.begin() + static_cast<long>(i));
    }
  }
}

int OpenPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
  long fd = syscall(SYS_pidfd_open, pid, 0);
  if (fd >= 0) {
    fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
    return static_cast<int>(fd);
  }
#else
  (void)pid;
#endif
  return -1;
}

// Blocks until the child has ended and keeps its status.
void Reap(Process *process) {
  if (process->reaped.load()) return;
  int status = 0;
  pid_t result;
  do {
    result = waitpid(process->pid, &status, 0);
  } while (result < 0 && errno == EINTR);
  process->status = result == process->pid ? status : -1;
  process->reaped.store(true);
}

void Release(Process *process) {
  if (process->owners.fetch_sub(1) == 1) {
    CloseQuietly(process->scratchFd);
    CloseQuietly(process->endFd);
    CloseQuietly(process->reaperWriteFd);
    delete process;
  }
}

void *ReaperEntry(void *raw) {
  Process *process = static_cast<Process *>(raw);
  Reap(process);
  WriteByte(process->reaperWriteFd);
  Release(process);
  return nullptr;
}

// Waits (without a time limit) until the end descriptor becomes readable.
void WaitReadable(int fd) {
  struct pollfd entry;
  entry.fd = fd;
  entry.events = POLLIN;
  while (poll(&entry, 1, -1) < 0 && errno == EINTR) {
  }
}

// How long a wait sleeps before it looks whether the child has stopped.
const int kStopCheckMs = 100;
// How long a program started without capture has to fail at once.
const int kQuickFailureMs = 300;

// The child's stop or end that a wait has not taken yet, left for later
// (WNOWAIT); false when there is none.
bool PendingChange(Process *process, int kinds, siginfo_t &info) {
  if (process->reaped.load()) return false;
  memset(&info, 0, sizeof info);
  return waitid(P_PID, static_cast<id_t>(process->pid), &info, kinds | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == process->pid;
}

bool StoppedForTerminal(Process *process) {
  siginfo_t info;
  return PendingChange(process, WSTOPPED, info) && info.si_code == CLD_STOPPED &&
         (info.si_status == SIGTTIN || info.si_status == SIGTTOU);
}

// Takes the stop report, so that the next look sees only a new stop; true
// when the child had stopped.
bool TakeStop(Process *process) {
  siginfo_t info;
  memset(&info, 0, sizeof info);
  return !process->reaped.load() &&
         waitid(P_PID, static_cast<id_t>(process->pid), &info, WSTOPPED | WNOHANG) == 0 &&
         info.si_pid == process->pid;
}

// Whether the process has ended (it may not be reaped yet).
bool HasEnded(Process *process) {
  if (process->reaped.load()) return true;
  struct pollfd entry = {process->endFd, POLLIN, 0};
  return process->endFd >= 0 && poll(&entry, 1, 0) > 0;
}

// A file with no name for what a program started without capture writes.
int NamelessScratchFile() {
  const char *dir = getenv("TMPDIR");
  if (dir == nullptr || dir[0] != '/') dir = "/tmp";
  int fd = -1;
#ifdef O_TMPFILE
  fd = open(dir, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
#endif
  std::string name = std::string(dir) + "/quillet-start-XXXXXX";
  fd = mkostemp(&name[0], O_CLOEXEC);
  if (fd >= 0) unlink(name.c_str());
  return fd;
}

bool childTerminal = true;

}  // namespace

void SetChildTerminal(bool allowed) { childTerminal = allowed; }
bool ChildTerminalAllowed() { return childTerminal; }

Process *StartProcess(const std::string &program, const char *const *argv, FILE *output,
                      StartFailure &failure, const EnvironmentSettings &settings) {
  failure = StartFailure();
  ReapOrphans();
  if (program.empty() || argv == nullptr || argv[0] == nullptr) {
    failure.What = StartFailure::NoProgram;
    return nullptr;
  }
  std::vector<std::string> current;
  for (char **entry = environ; entry != nullptr && *entry != nullptr; ++entry)
    current.push_back(*entry);
  const std::vector<std::string> environment = MergedEnvironment(current, settings, false);
  std::vector<char *> envp;
  for (const std::string &entry : environment) envp.push_back(const_cast<char *>(entry.c_str()));
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  int scratch = -1;
  if (output != nullptr) {
    fflush(output);
    int fd = fileno(output);
    // Both streams share one open file, so their order is kept.
    posix_spawn_file_actions_adddup2(&actions, fd, 1);
    posix_spawn_file_actions_adddup2(&actions, fd, 2);
    if (!childTerminal) posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  } else {
    // Nobody waits for it: the terminal is not its to read or write.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    scratch = NamelessScratchFile();
    if (scratch >= 0) {
      posix_spawn_file_actions_adddup2(&actions, scratch, 1);
    } else {
      posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
  }
  // The child starts with no blocked signals and the usual dispositions,
  // whatever the host has set for itself.
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  sigset_t defaults;
  sigemptyset(&defaults);
  // The terminal's job-control signals too: a console host ignores them
  // for itself, and a child that ignored them could neither wait for the
  // terminal nor be noticed wanting it.
  const int kResetSignals[] = {SIGPIPE, SIGINT,  SIGQUIT, SIGTERM, SIGHUP,
                               SIGCHLD, SIGALRM, SIGTTIN, SIGTTOU, SIGTSTP};
  for (int signal : kResetSignals) sigaddset(&defaults, signal);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  // A process group of its own: a break ends the child and whatever it has
  // started (an ssh, an editor) together.
  // Without the terminal, a session of its own: no terminal to open at all.
  posix_spawnattr_setpgroup(&attributes, 0);
  const bool ownSession = output != nullptr && !childTerminal;
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                               (ownSession ? POSIX_SPAWN_SETSID : POSIX_SPAWN_SETPGROUP));

  pid_t pid = -1;
  int rc = posix_spawn(&pid, program.c_str(), &actions, &attributes,
                       const_cast<char *const *>(argv), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (rc != 0) {
    if (scratch >= 0) CloseQuietly(scratch);
    failure.What = StartFailure::System;
    failure.Code = rc;
    failure.NotFound = rc == ENOENT;
    failure.Said = strerror(rc);
    return nullptr;
  }

  Process *process = new (std::nothrow) Process;
  if (process == nullptr) {
    // Without a record nobody could wait for the child: end it at once.
    if (scratch >= 0) CloseQuietly(scratch);
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    failure.What = StartFailure::NoMemory;
    return nullptr;
  }
  process->pid = pid;
  process->endFd = OpenPidFd(pid);
  if (process->endFd < 0) {
    int fds[2];
    if (MakePipe(fds)) {
      process->endFd = fds[0];
      process->reaperWriteFd = fds[1];
      process->owners.store(2);
      pthread_t reaper;
      process->hasReaper = true;
      if (pthread_create(&reaper, nullptr, ReaperEntry, process) == 0) {
        pthread_detach(reaper);
      } else {
        process->owners.store(1);
        process->hasReaper = false;
        CloseQuietly(process->endFd);
        CloseQuietly(process->reaperWriteFd);
      }
    }
  }
  process->scratchFd = scratch;
  return process;
}

bool FailedAtOnce(Process *process, StartFailure &failure) {
  failure = StartFailure();
  if (process == nullptr || process->scratchFd < 0 || process->endFd < 0) return false;
  struct pollfd entry = {process->endFd, POLLIN, 0};
  int ready;
  while ((ready = poll(&entry, 1, kQuickFailureMs)) < 0 && errno == EINTR) {
  }
  if (ready <= 0) return false;  // still running: it has started
  int code = ProcessExitCode(process);
  if (code == 0) return false;
  char text[1024];
  ssize_t got = pread(process->scratchFd, text, sizeof text - 1, 0);
  std::string &said = failure.Said;
  said.assign(text, got > 0 ? static_cast<size_t>(got) : 0);
  while (!said.empty() && (said.back() == '\n' || said.back() == '\r')) said.pop_back();
  failure.What = StartFailure::EndedAtOnce;
  failure.Code = code;
  return true;
}

WaitResult WaitProcessOrEvent(Process *process, Event *event) {
  if (process == nullptr) return WaitResult::Failed;
  if (process->reaped.load()) return WaitResult::ProcessEnded;
  if (process->endFd < 0) {
    // Nothing to wait on together with the event: only the plain wait for
    // the child is left.
    Reap(process);
    return WaitResult::ProcessEnded;
  }
  struct pollfd fds[2];
  fds[0].fd = process->endFd;
  fds[0].events = POLLIN;
  fds[1].fd = event != nullptr ? event->fds[0] : -1;
  fds[1].events = POLLIN;
  for (;;) {
    fds[0].revents = fds[1].revents = 0;
    int ready = poll(fds, 2, kStopCheckMs);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return WaitResult::Failed;
    }
    if (ready == 0) {
      if (StoppedForTerminal(process)) return WaitResult::WantsTerminal;
      continue;
    }
    // The process comes first, as in a wait for any of two objects.
    if (fds[0].revents != 0) return WaitResult::ProcessEnded;
    if (fds[1].revents != 0 && Drain(event->fds[0])) return WaitResult::EventSignalled;
  }
}

// The hosts on POSIX read a terminal, which takes no written input.
bool WakeHostThread() { return false; }

bool LendTerminal(Process *process, int brokenCode) {
  if (process == nullptr || process->reaped.load()) return false;
  int tty = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (tty < 0) return false;
  // Giving the terminal away and taking it back from the background would
  // stop this process: SIGTTOU is held off for this thread meanwhile.
  sigset_t ttou, saved;
  sigemptyset(&ttou);
  sigaddset(&ttou, SIGTTOU);
  pthread_sigmask(SIG_BLOCK, &ttou, &saved);
  const pid_t owner = tcgetpgrp(tty);
  const bool lent = owner > 0 && tcsetpgrp(tty, process->pid) == 0;
  if (lent) {
    TakeStop(process);
    kill(-process->pid, SIGCONT);
    while (!HasEnded(process)) {
      if (process->endFd < 0) {
        Reap(process);
        break;
      }
      struct pollfd entry = {process->endFd, POLLIN, 0};
      if (poll(&entry, 1, kStopCheckMs) != 0) continue;
      // Stopped again (Ctrl+Z, or the terminal taken by one of its own):
      // with nowhere else to go, it gets the terminal and goes on.
      if (TakeStop(process)) {
        tcsetpgrp(tty, process->pid);
        kill(-process->pid, SIGCONT);
      }
    }
    siginfo_t info;
    int endedBy = 0;  // the signal that ended it, if one did
    if (PendingChange(process, WEXITED, info) && info.si_code != CLD_EXITED) {
      endedBy = info.si_status;
    } else if (process->reaped.load() && process->status != -1 && WIFSIGNALED(process->status)) {
      endedBy = WTERMSIG(process->status);
    }
    if (endedBy == SIGINT || endedBy == SIGQUIT || endedBy == SIGHUP) {
      // The user's break: nothing of the tree outlives it.  The unreaped
      // child still holds its group's number.
      kill(-process->pid, SIGKILL);
      process->terminated = true;
      process->brokenAtTerminal = true;
      process->terminationCode = brokenCode;
    }
    tcsetpgrp(tty, owner);
  }
  pthread_sigmask(SIG_SETMASK, &saved, nullptr);
  CloseQuietly(tty);
  return lent;
}

void TerminateProcess(Process *process, int exitCode) {
  if (process == nullptr || process->reaped.load()) return;
  // Until the child is reaped its pid, which names its process group too,
  // cannot be taken by another process.  The group holds what the child
  // started; the child alone is ended where the group cannot be.
  if (kill(-process->pid, SIGKILL) == 0 || kill(process->pid, SIGKILL) == 0) {
    process->terminated = true;
    process->terminationCode = exitCode;
  }
}

int ProcessExitCode(Process *process) {
  if (process == nullptr) return -1;
  if (process->hasReaper) {
    WaitReadable(process->endFd);  // the reaper has the status
  } else {
    Reap(process);
  }
  if (!process->reaped.load()) return -1;
  int status = process->status;
  if (status == -1) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) {
    // Killed by our own termination: the code it was terminated with.  A
    // child that had ended by itself keeps its own code.
    if (process->terminated && (WTERMSIG(status) == SIGKILL || process->brokenAtTerminal))
      return process->terminationCode;
    return 128 + WTERMSIG(status);
  }
  return -1;
}

void FreeProcess(Process *process) {
  if (process == nullptr) return;
  if (!process->hasReaper && !process->reaped.load()) {
    int status;
    if (waitpid(process->pid, &status, WNOHANG) == 0) Orphans().push_back(process->pid);
  }
  Release(process);
}

}  // namespace os
