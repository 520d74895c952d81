// The operating-system layer on Win32.
#include "os/os.hpp"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <windows.h>

#include <new>

#include "os/command_line.hpp"

namespace os {

// ---------------------------------------------------------------------------
// Environment and files.

bool GetEnv(const char *name, std::string &value) {
  if (name == nullptr) return false;
  DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return false;
  std::vector<char> buffer(size + 1);
  SetLastError(ERROR_SUCCESS);
  DWORD length = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
  if (length >= buffer.size()) return false;
  value.assign(buffer.data(), length);
  return true;
}

namespace {
DWORD Attributes(const std::string &path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
}
}  // namespace

bool PathExists(const std::string &path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool IsDirectory(const std::string &path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsRegularFile(const std::string &path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsExecutableFile(const std::string &path) { return IsRegularFile(path); }

bool ChangeDir(const std::string &path) {
  return !path.empty() && SetCurrentDirectoryA(path.c_str()) != 0;
}

std::string CurrentDir() {
  DWORD size = GetCurrentDirectoryA(0, nullptr);
  if (size == 0) return std::string();
  std::vector<char> buffer(size + 1);
  DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length == 0 || length >= buffer.size()) return std::string();
  return std::string(buffer.data(), length);
}

bool RemoveFile(const std::string &path) { return !path.empty() && DeleteFileA(path.c_str()) != 0; }

bool MakePrivateFolder(const std::string &parent, const char *prefix, std::string &made) {
  // The user's temporary folder is the user's own on Windows; a new folder
  // there takes its access list.
  made.clear();
  std::string base = parent;
  if (base.empty() || (base.back() != '\\' && base.back() != '/')) base += '\\';
  base += prefix;
  unsigned long seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
  for (int tries = 0; tries < 100; ++tries) {
    seed = seed * 1103515245ul + 12345ul;
    const std::string name = base + std::to_string(seed % 1000000ul);
    if (CreateDirectoryA(name.c_str(), nullptr)) {
      made = name;
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool RemoveEmptyFolder(const std::string &path) {
  return !path.empty() && RemoveDirectoryA(path.c_str()) != 0;
}

CreateResult CreateExclusive(const std::string &path) {
  if (path.empty()) return CreateResult::Failed;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    // A name held by a file that is being deleted answers "access denied".
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
        error == ERROR_ACCESS_DENIED) {
      return CreateResult::Exists;
    }
    return CreateResult::Failed;
  }
  CloseHandle(file);
  return CreateResult::Created;
}

FILE *OpenOutputFile(const std::string &path) {
  if (path.empty()) return nullptr;
  // The handle is not inheritable: a child gets the file only as the
  // output StartProcess gives it, never as a stray handle.
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_TEXT);
  if (fd < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  FILE *file = _fdopen(fd, "wt");
  if (file == nullptr) _close(fd);
  return file;
}

FileIdentity IdentityOf(const std::string &) { return FileIdentity(); }

FILE *OpenSameFile(const std::string &path, const char *mode, const FileIdentity &) {
  const bool writing = mode != nullptr && mode[0] == 'w';
  if (path.empty() || mode == nullptr || (!writing && mode[0] != 'r')) return nullptr;
  return writing ? OpenOutputFile(path) : fopen(path.c_str(), mode);
}

// ---------------------------------------------------------------------------
// Events.

struct Event {
  HANDLE Handle;
};

Event *NewEvent() {
  HANDLE handle = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (handle == nullptr) return nullptr;
  Event *event = new (std::nothrow) Event;
  if (event == nullptr) {
    CloseHandle(handle);
    return nullptr;
  }
  event->Handle = handle;
  return event;
}

void SignalEvent(Event *event) {
  if (event != nullptr) SetEvent(event->Handle);
}

void FreeEvent(Event *event) {
  if (event == nullptr) return;
  CloseHandle(event->Handle);
  delete event;
}

// ---------------------------------------------------------------------------
// Threads.

struct Thread {
  HANDLE Handle;
  ThreadMain Main;
  void *Arg;
};

namespace {
unsigned __stdcall ThreadEntry(void *raw) {
  Thread *thread = static_cast<Thread *>(raw);
  thread->Main(thread->Arg);
  return 0;
}
}  // namespace

Thread *StartThread(ThreadMain main, void *arg) {
  if (main == nullptr) return nullptr;
  Thread *thread = new (std::nothrow) Thread;
  if (thread == nullptr) return nullptr;
  thread->Main = main;
  thread->Arg = arg;
  uintptr_t handle = _beginthreadex(nullptr, 0, ThreadEntry, thread, 0, nullptr);
  if (handle == 0) {
    delete thread;
    return nullptr;
  }
  thread->Handle = reinterpret_cast<HANDLE>(handle);
  return thread;
}

void JoinThread(Thread *thread) {
  if (thread == nullptr) return;
  WaitForSingleObject(thread->Handle, INFINITE);
  CloseHandle(thread->Handle);
  delete thread;
}

// ---------------------------------------------------------------------------
// Processes.

// A started process and, where one could be made, the job object that holds
// it and everything it starts, so that a break ends them all.
struct Process {
  HANDLE Handle;
  HANDLE Job;
};

namespace {

// The C runtime's descriptor flags, as a child built on the same runtime
// reads them from the start-up information.
const unsigned char kDescriptorOpen = 0x01;
const unsigned char kDescriptorPipe = 0x08;
const unsigned char kDescriptorDevice = 0x40;
const unsigned char kDescriptorText = 0x80;
const int kInheritedDescriptors = 3;

// An inheritable copy of `handle` for one process start; null when there is
// nothing to copy or it cannot be copied.
HANDLE InheritableCopy(HANDLE handle) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
  HANDLE copy = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, TRUE,
                       DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  return copy;
}

// The handles a child gets as its standard input, output and error, each
// an inheritable copy made for this start and closed right after it.  The
// host's own descriptors and standard handles are never touched.
struct ChildStreams {
  HANDLE Handles[kInheritedDescriptors] = {nullptr, nullptr, nullptr};
  ~ChildStreams() {
    // Output and error share one copy.
    if (Handles[0] != nullptr) CloseHandle(Handles[0]);
    if (Handles[1] != nullptr) CloseHandle(Handles[1]);
  }
};

// The block of inherited descriptors 0, 1 and 2: a count, one flag byte
// each, then one system handle each.  A descriptor without a handle is
// passed as closed.
std::vector<unsigned char> DescriptorBlock(const HANDLE (&handles)[kInheritedDescriptors]) {
  const int count = kInheritedDescriptors;
  std::vector<unsigned char> block(sizeof(int) + count * (1 + sizeof(HANDLE)), 0);
  memcpy(block.data(), &count, sizeof(int));
  unsigned char *flags = block.data() + sizeof(int);
  unsigned char *slots = flags + count;
  for (int fd = 0; fd < count; ++fd) {
    HANDLE handle = handles[fd];
    unsigned char flag = 0;
    if (handle == nullptr) {
      handle = INVALID_HANDLE_VALUE;
    } else {
      flag = kDescriptorOpen | kDescriptorText;
      DWORD type = GetFileType(handle);
      if (type == FILE_TYPE_CHAR) flag |= kDescriptorDevice;
      if (type == FILE_TYPE_PIPE) flag |= kDescriptorPipe;
    }
    flags[fd] = flag;
    memcpy(slots + fd * sizeof(HANDLE), &handle, sizeof(HANDLE));
  }
  return block;
}

// The module's own descriptors 0, 1 and 2 as they are, for a child that
// gets no output file.  Only a handle known to be kept from children is
// passed as closed; console handles of older systems answer no questions
// and are passed.
void ModuleDescriptors(HANDLE (&handles)[kInheritedDescriptors]) {
  for (int fd = 0; fd < kInheritedDescriptors; ++fd) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    DWORD information = HANDLE_FLAG_INHERIT;
    bool valid = handle != INVALID_HANDLE_VALUE && handle != nullptr;
    if (valid && !GetHandleInformation(handle, &information)) information = HANDLE_FLAG_INHERIT;
    handles[fd] = valid && (information & HANDLE_FLAG_INHERIT) != 0 ? handle : nullptr;
  }
}

std::string SystemMessage(DWORD error) {
  char *text = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char *>(&text), 0, nullptr);
  std::string message;
  if (length != 0 && text != nullptr) {
    message.assign(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
      message.pop_back();
    }
  }
  if (text != nullptr) LocalFree(text);
  return message;
}

// Puts a suspended process into a fresh job object; null when no job can
// be made or the process cannot join one (a host inside a job that allows
// no nested jobs): a break then ends the process alone.
HANDLE JoinNewJob(HANDLE process) {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  if (job == nullptr) return nullptr;
  if (!AssignProcessToJobObject(job, process)) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

// This process's environment with `settings` applied, as the block that
// CreateProcessA takes: "NAME=value" entries, each ended by a NUL, and one
// more NUL at the end.
std::vector<char> EnvironmentBlock(const EnvironmentSettings &settings) {
  std::vector<std::string> current;
  if (char *strings = GetEnvironmentStringsA()) {
    for (const char *entry = strings; *entry != '\0'; entry += strlen(entry) + 1)
      current.push_back(entry);
    FreeEnvironmentStringsA(strings);
  }
  std::vector<char> block;
  for (const std::string &entry : MergedEnvironment(current, settings, true)) {
    block.insert(block.end(), entry.begin(), entry.end());
    block.push_back('\0');
  }
  if (block.empty()) block.push_back('\0');
  block.push_back('\0');
  return block;
}

}  // namespace

Process *StartProcess(const std::string &program, const char *const *argv, FILE *output,
                      StartFailure &failure, const EnvironmentSettings &settings) {
  failure = StartFailure();
  if (program.empty() || argv == nullptr || argv[0] == nullptr) {
    failure.What = StartFailure::NoProgram;
    return nullptr;
  }
  // Every entry arrives as one argument, blanks and quotes included.
  std::string commandLine = QuoteCommandLine(argv);
  std::vector<char> commandBuffer(commandLine.begin(), commandLine.end());
  commandBuffer.push_back('\0');

  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  ChildStreams streams;
  HANDLE descriptors[kInheritedDescriptors] = {nullptr, nullptr, nullptr};
  if (output != nullptr) {
    // The child writes both streams into one inheritable copy of the
    // output file's handle: one file position, so the order is kept.
    fflush(output);
    HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(output)));
    streams.Handles[1] = InheritableCopy(file);
    if (streams.Handles[1] == nullptr) {
      failure.What = StartFailure::NoOutput;
      return nullptr;
    }
    streams.Handles[2] = streams.Handles[1];
    streams.Handles[0] = InheritableCopy(GetStdHandle(STD_INPUT_HANDLE));
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = streams.Handles[0] != nullptr ? streams.Handles[0] : INVALID_HANDLE_VALUE;
    startup.hStdOutput = streams.Handles[1];
    startup.hStdError = streams.Handles[2];
    for (int fd = 0; fd < kInheritedDescriptors; ++fd) descriptors[fd] = streams.Handles[fd];
  } else {
    ModuleDescriptors(descriptors);
  }
  std::vector<unsigned char> block = DescriptorBlock(descriptors);
  startup.cbReserved2 = static_cast<WORD>(block.size());
  startup.lpReserved2 = block.data();

  PROCESS_INFORMATION information;
  memset(&information, 0, sizeof information);
  // Suspended until it is in its job, so that nothing it starts escapes.
  std::vector<char> environment = EnvironmentBlock(settings);
  BOOL started =
      CreateProcessA(program.c_str(), commandBuffer.data(), nullptr, nullptr, TRUE,
                     CREATE_SUSPENDED, environment.data(), nullptr, &startup, &information);
  if (!started) {
    DWORD error = GetLastError();
    failure.What = StartFailure::System;
    failure.Code = static_cast<int>(error);
    failure.NotFound = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    failure.Said = SystemMessage(error);
    return nullptr;
  }
  if (information.hProcess == nullptr) {
    // Wine starts a Linux program named by a Windows path but hands back
    // no handle: nothing could wait for its end or read its exit code.
    if (information.hThread != nullptr) CloseHandle(information.hThread);
    failure.What = StartFailure::NoHandle;
    return nullptr;
  }
  HANDLE job = JoinNewJob(information.hProcess);
  ResumeThread(information.hThread);
  CloseHandle(information.hThread);
  Process *process = new (std::nothrow) Process;
  if (process == nullptr) {
    // Without a record nobody could wait for it: end it at once.
    if (job != nullptr) {
      TerminateJobObject(job, 1);
      CloseHandle(job);
    }
    ::TerminateProcess(information.hProcess, 1);
    CloseHandle(information.hProcess);
    failure.What = StartFailure::NoMemory;
    return nullptr;
  }
  process->Handle = information.hProcess;
  process->Job = job;
  return process;
}

WaitResult WaitProcessOrEvent(Process *process, Event *event) {
  if (process == nullptr) return WaitResult::Failed;
  HANDLE handles[2] = {process->Handle, event != nullptr ? event->Handle : nullptr};
  DWORD count = event != nullptr ? 2 : 1;
  DWORD result = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
  if (result == WAIT_OBJECT_0) return WaitResult::ProcessEnded;
  if (count == 2 && result == WAIT_OBJECT_0 + 1) return WaitResult::EventSignalled;
  return WaitResult::Failed;
}

// A program started without capture shares the console; what it says is
// its own.
bool FailedAtOnce(Process *, StartFailure &) { return false; }

namespace {
bool childTerminal = true;
}  // namespace

void SetChildTerminal(bool allowed) { childTerminal = allowed; }
bool ChildTerminalAllowed() { return childTerminal; }

bool WakeHostThread() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (input == nullptr || input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode))
    return false;
  INPUT_RECORD records[2];
  memset(records, 0, sizeof records);
  for (int i = 0; i < 2; ++i) {
    records[i].EventType = KEY_EVENT;
    records[i].Event.KeyEvent.bKeyDown = i == 0;
    records[i].Event.KeyEvent.wRepeatCount = 1;
    records[i].Event.KeyEvent.wVirtualKeyCode = VK_F24;
    records[i].Event.KeyEvent.wVirtualScanCode =
        static_cast<WORD>(MapVirtualKeyA(VK_F24, 0 /* MAPVK_VK_TO_VSC */));
  }
  DWORD written = 0;
  return WriteConsoleInputA(input, records, 2, &written) && written == 2;
}

// A console is shared by every program on it: there is nothing to lend.
bool LendTerminal(Process *, int) { return false; }

void TerminateProcess(Process *process, int exitCode) {
  if (process == nullptr) return;
  // The whole job: the process and every process it started that still
  // runs.  A process that has ended by itself keeps its code.
  if (process->Job != nullptr) TerminateJobObject(process->Job, static_cast<UINT>(exitCode));
  ::TerminateProcess(process->Handle, static_cast<UINT>(exitCode));
}

int ProcessExitCode(Process *process) {
  if (process == nullptr) return -1;
  // Termination is asynchronous: wait until the process is really gone.
  WaitForSingleObject(process->Handle, INFINITE);
  DWORD code = 0;
  if (!GetExitCodeProcess(process->Handle, &code)) return -1;
  return static_cast<int>(code);
}

void FreeProcess(Process *process) {
  if (process == nullptr) return;
  // Closing the job ends nothing: a program that was started and left to
  // run (TkDiff) goes on.
  if (process->Job != nullptr) CloseHandle(process->Job);
  CloseHandle(process->Handle);
  delete process;
}

}  // namespace os
