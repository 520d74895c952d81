// The operating-system layer on POSIX systems.
//
// A child process is waited for together with an event: the process is
// watched through a pidfd (Linux) or, where there is none, through a pipe
// that a small reaper thread writes once the child has ended; the event is
// a pipe as well, so one poll() waits for both.  A stop of the child (it
// wants the terminal, which the system tells only to a wait) is looked for
// whenever that poll has slept for a tenth of a second.
#include "os/os.hpp"

#include <dirent.h>
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

#include "host/host.hpp"

extern char **environ;

namespace os {

namespace {

void CloseQuietly(int &fd) {
  if (fd >= 0) {
    while (close(fd) != 0 && errno == EINTR) {
    }
    fd = -1;
  }
}

// A pipe whose two ends are closed in started programs; the read end does
// not block.
bool MakePipe(int fds[2]) {
  if (pipe(fds) != 0) return false;
  for (int i = 0; i < 2; ++i) fcntl(fds[i], F_SETFD, FD_CLOEXEC);
  fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
  return true;
}

void WriteByte(int fd) {
  const char byte = 1;
  while (write(fd, &byte, 1) < 0 && errno == EINTR) {
  }
}

// Empties a non-blocking pipe; true when anything was in it.
bool Drain(int fd) {
  bool any = false;
  char buffer[64];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      any = true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return any;
  }
}

// Seconds and nanoseconds since 1970 as 100-ns intervals since 1601.
uint64_t ToFileTime(const struct timespec &time) {
  const long long kEpochDifference = 11644473600LL;
  long long ticks =
      (static_cast<long long>(time.tv_sec) + kEpochDifference) * 10000000LL + time.tv_nsec / 100;
  return ticks < 0 ? 0 : static_cast<uint64_t>(ticks);
}

struct DirCloser {
  void operator()(DIR *listing) const { closedir(listing); }
};

}  // namespace

// ---------------------------------------------------------------------------
// Environment and files.

bool GetEnv(const char *name, std::string &value) {
  const char *text = name != nullptr ? getenv(name) : nullptr;
  if (text == nullptr) return false;
  value = text;
  return true;
}

bool PathExists(const std::string &path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string &path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsRegularFile(const std::string &path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsExecutableFile(const std::string &path) {
  return IsRegularFile(path) && access(path.c_str(), X_OK) == 0;
}

bool ChangeDir(const std::string &path) { return !path.empty() && chdir(path.c_str()) == 0; }

std::string CurrentDir() {
  std::vector<char> buffer(4096);
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

bool RemoveFile(const std::string &path) { return !path.empty() && unlink(path.c_str()) == 0; }

bool MakePrivateFolder(const std::string &parent, const char *prefix, std::string &made) {
  std::string name = parent;
  if (name.empty() || name.back() != '/') name += '/';
  name += std::string(prefix) + "XXXXXX";
  made.clear();
  if (mkdtemp(&name[0]) == nullptr) return false;
  made = name;
  return true;
}

bool RemoveEmptyFolder(const std::string &path) {
  return !path.empty() && rmdir(path.c_str()) == 0;
}

CreateResult CreateExclusive(const std::string &path) {
  if (path.empty()) return CreateResult::Failed;
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
  CloseQuietly(fd);
  return CreateResult::Created;
}

FILE *OpenOutputFile(const std::string &path) {
  if (path.empty()) return nullptr;
  // Close-on-exec, so that a child sees the file only as the standard
  // output and error it is given; never through a link put at its place.
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  FILE *file = fdopen(fd, "w");
  if (file == nullptr) CloseQuietly(fd);
  return file;
}

bool ListDirectory(const std::string &dir, std::vector<DirectoryEntry> &entries) {
  return EachDirectoryEntry(dir,
                            [&entries](const DirectoryEntry &entry) { entries.push_back(entry); });
}

bool CountDirectoryEntries(const std::string &dir, size_t &count) {
  count = 0;
  std::unique_ptr<DIR, DirCloser> listing(opendir(dir.empty() ? "." : dir.c_str()));
  if (listing == nullptr) return false;
  while (readdir(listing.get()) != nullptr) ++count;
  return true;
}

bool EachDirectoryEntry(const std::string &dir,
                        const std::function<void(const DirectoryEntry &)> &each) {
  std::unique_ptr<DIR, DirCloser> listing(opendir(dir.empty() ? "." : dir.c_str()));
  if (listing == nullptr) return false;
  // Entries are looked up relative to the open folder, without walking
  // the folder's path again for each of them.
  const int folder = dirfd(listing.get());
  DirectoryEntry data;
  while (struct dirent *entry = readdir(listing.get())) {
    const char *name = entry->d_name;
    struct stat info;
    // A link is shown as what it points to; a dangling link as itself.
    if (fstatat(folder, name, &info, 0) != 0 &&
        fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
      continue;
    uint32_t attributes = 0;
    if (S_ISDIR(info.st_mode)) attributes |= kAttributeDirectory;
    if ((info.st_mode & S_IWUSR) == 0) attributes |= kAttributeReadOnly;
    bool dots = strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
    if (name[0] == '.' && !dots) attributes |= kAttributeHidden;
    if (attributes == 0) attributes = kAttributeNormal;
    data.Name.assign(name);
    data.Attributes = attributes;
    data.CreationTime = ToFileTime(info.st_ctim);
    data.LastAccessTime = ToFileTime(info.st_atim);
    data.LastWriteTime = ToFileTime(info.st_mtim);
    data.Size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
    // The type comes with the listing on most file systems; where it does
    // not, the entry is looked at more closely by whoever needs to know.
    data.NotPlain = entry->d_type != DT_REG && entry->d_type != DT_DIR;
    each(data);
  }
  return true;
}

// ---------------------------------------------------------------------------
// Events: a pipe; a byte in it means "signalled".  Waiting consumes it.

struct Event {
  int fds[2] = {-1, -1};
};

Event *NewEvent() {
  Event *event = new (std::nothrow) Event;
  if (event == nullptr) return nullptr;
  if (!MakePipe(event->fds)) {
    delete event;
    return nullptr;
  }
  return event;
}

void SignalEvent(Event *event) {
  if (event != nullptr) WriteByte(event->fds[1]);
}

void FreeEvent(Event *event) {
  if (event == nullptr) return;
  CloseQuietly(event->fds[0]);
  CloseQuietly(event->fds[1]);
  delete event;
}

// ---------------------------------------------------------------------------
// Threads.

struct Thread {
  pthread_t id;
  ThreadMain main;
  void *arg;
};

namespace {
void *ThreadEntry(void *raw) {
  Thread *thread = static_cast<Thread *>(raw);
  thread->main(thread->arg);
  return nullptr;
}
}  // namespace

Thread *StartThread(ThreadMain main, void *arg) {
  if (main == nullptr) return nullptr;
  Thread *thread = new (std::nothrow) Thread;
  if (thread == nullptr) return nullptr;
  thread->main = main;
  thread->arg = arg;
  if (pthread_create(&thread->id, nullptr, ThreadEntry, thread) != 0) {
    delete thread;
    return nullptr;
  }
  return thread;
}

void JoinThread(Thread *thread) {
  if (thread == nullptr) return;
  pthread_join(thread->id, nullptr);
  delete thread;
}

void Pause(int milliseconds) {
  struct timespec wait;
  wait.tv_sec = milliseconds / 1000;
  wait.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

// ---------------------------------------------------------------------------
// Processes.

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
                      std::string &error, bool &notFound, const EnvironmentSettings &settings) {
  notFound = false;
  error.clear();
  ReapOrphans();
  if (program.empty() || argv == nullptr || argv[0] == nullptr) {
    error = GetMsg(MStartNoProgram);
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
    notFound = rc == ENOENT;
    error = strerror(rc);
    return nullptr;
  }

  Process *process = new (std::nothrow) Process;
  if (process == nullptr) {
    // Without a record nobody could wait for the child: end it at once.
    if (scratch >= 0) CloseQuietly(scratch);
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    error = GetMsg(MStartNoMemory);
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

bool FailedAtOnce(Process *process, std::string &said) {
  said.clear();
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
  said.assign(text, got > 0 ? static_cast<size_t>(got) : 0);
  while (!said.empty() && (said.back() == '\n' || said.back() == '\r')) said.pop_back();
  std::string failure = FormatText(CheckedFormat(MStartEndedAtOnce), code);
  said = said.empty() ? failure : failure + ": " + said;
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
