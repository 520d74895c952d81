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
  return fopen(path.c_str(), "wt");
}

bool ListDirectory(const std::string &dir, std::vector<FAR_FIND_DATA> &entries) {
  std::string pattern = dir.empty() ? std::string(".") : dir;
  if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    size_t length = strlen(found.cFileName);
    FAR_FIND_DATA data;
    memset(&data, 0, sizeof data);
    if (length >= sizeof data.cFileName) continue;
    data.dwFileAttributes = found.dwFileAttributes;
    data.ftCreationTime = found.ftCreationTime;
    data.ftLastAccessTime = found.ftLastAccessTime;
    data.ftLastWriteTime = found.ftLastWriteTime;
    data.nFileSizeHigh = found.nFileSizeHigh;
    data.nFileSizeLow = found.nFileSizeLow;
    data.dwReserved0 = found.dwReserved0;
    data.dwReserved1 = found.dwReserved1;
    memcpy(data.cFileName, found.cFileName, length + 1);
    size_t shortLength = strnlen(found.cAlternateFileName, sizeof found.cAlternateFileName);
    if (shortLength < sizeof data.cAlternateFileName) {
      memcpy(data.cAlternateFileName, found.cAlternateFileName, shortLength);
    }
    entries.push_back(data);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
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

struct Process {
  HANDLE Handle;
};

namespace {

// The C runtime's descriptor flags, as a child built on the same runtime
// reads them from the start-up information.
const unsigned char kDescriptorOpen = 0x01;
const unsigned char kDescriptorPipe = 0x08;
const unsigned char kDescriptorDevice = 0x40;
const unsigned char kDescriptorText = 0x80;
const int kInheritedDescriptors = 3;

// The block of inherited descriptors 0, 1 and 2: a count, one flag byte
// each, then one system handle each.  A descriptor that is closed or not
// inheritable is passed as closed.
std::vector<unsigned char> InheritedDescriptorBlock() {
  const int count = kInheritedDescriptors;
  std::vector<unsigned char> block(sizeof(int) + count * (1 + sizeof(HANDLE)), 0);
  memcpy(block.data(), &count, sizeof(int));
  unsigned char *flags = block.data() + sizeof(int);
  unsigned char *handles = flags + count;
  for (int fd = 0; fd < count; ++fd) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    // Only a handle known to be kept from children is passed as closed;
    // console handles of older systems answer no questions and are passed.
    DWORD information = HANDLE_FLAG_INHERIT;
    bool valid = handle != INVALID_HANDLE_VALUE && handle != nullptr;
    if (valid && !GetHandleInformation(handle, &information)) information = HANDLE_FLAG_INHERIT;
    bool usable = valid && (information & HANDLE_FLAG_INHERIT) != 0;
    if (!usable) handle = INVALID_HANDLE_VALUE;
    unsigned char flag = 0;
    if (usable) {
      flag = kDescriptorOpen | kDescriptorText;
      DWORD type = GetFileType(handle);
      if (type == FILE_TYPE_CHAR) flag |= kDescriptorDevice;
      if (type == FILE_TYPE_PIPE) flag |= kDescriptorPipe;
    }
    flags[fd] = flag;
    memcpy(handles + fd * sizeof(HANDLE), &handle, sizeof(HANDLE));
  }
  return block;
}

// Points descriptors 1 and 2 at `output` for the length of one process
// start, and back afterwards.
struct Redirection {
  int SavedOut = -1;
  int SavedErr = -1;
  bool Active = false;
};

bool Redirect(FILE *output, Redirection &redirection) {
  fflush(stdout);
  fflush(stderr);
  fflush(output);
  redirection.SavedOut = _dup(1);
  redirection.SavedErr = _dup(2);
  int fd = _fileno(output);
  if (_dup2(fd, 1) != 0 || _dup2(fd, 2) != 0) {
    if (redirection.SavedOut >= 0) _dup2(redirection.SavedOut, 1);
    if (redirection.SavedErr >= 0) _dup2(redirection.SavedErr, 2);
    if (redirection.SavedOut >= 0) _close(redirection.SavedOut);
    if (redirection.SavedErr >= 0) _close(redirection.SavedErr);
    return false;
  }
  redirection.Active = true;
  return true;
}

void Restore(Redirection &redirection) {
  if (!redirection.Active) return;
  // A descriptor that was closed before stays closed.
  if (redirection.SavedOut >= 0) {
    _dup2(redirection.SavedOut, 1);
    _close(redirection.SavedOut);
  } else {
    _close(1);
  }
  if (redirection.SavedErr >= 0) {
    _dup2(redirection.SavedErr, 2);
    _close(redirection.SavedErr);
  } else {
    _close(2);
  }
  redirection.Active = false;
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
  if (message.empty()) message = "system error " + std::to_string(error);
  return message;
}

}  // namespace

Process *StartProcess(const std::string &program, const char *const *argv, FILE *output,
                      std::string &error, bool &notFound) {
  notFound = false;
  error.clear();
  if (program.empty() || argv == nullptr || argv[0] == nullptr) {
    error = "no program to start";
    return nullptr;
  }
  // Every entry arrives as one argument, blanks and quotes included.
  std::string commandLine = QuoteCommandLine(argv);
  std::vector<char> commandBuffer(commandLine.begin(), commandLine.end());
  commandBuffer.push_back('\0');

  Redirection redirection;
  if (output != nullptr && !Redirect(output, redirection)) {
    error = "the output file cannot be handed to the program";
    return nullptr;
  }
  std::vector<unsigned char> descriptors = InheritedDescriptorBlock();
  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  startup.cbReserved2 = static_cast<WORD>(descriptors.size());
  startup.lpReserved2 = descriptors.data();
  PROCESS_INFORMATION information;
  memset(&information, 0, sizeof information);
  BOOL started = CreateProcessA(program.c_str(), commandBuffer.data(), nullptr, nullptr, TRUE, 0,
                                nullptr, nullptr, &startup, &information);
  DWORD failure = started ? 0 : GetLastError();
  Restore(redirection);
  if (!started) {
    notFound = failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND;
    error = SystemMessage(failure);
    return nullptr;
  }
  CloseHandle(information.hThread);
  Process *process = new (std::nothrow) Process;
  if (process == nullptr) {
    // Without a record nobody could wait for it: end it at once.
    ::TerminateProcess(information.hProcess, 1);
    CloseHandle(information.hProcess);
    error = "out of memory";
    return nullptr;
  }
  process->Handle = information.hProcess;
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

void TerminateProcess(Process *process, int exitCode) {
  if (process != nullptr) ::TerminateProcess(process->Handle, static_cast<UINT>(exitCode));
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
  CloseHandle(process->Handle);
  delete process;
}

}  // namespace os
