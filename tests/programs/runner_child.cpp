// A child program for the runner's tests, built for Linux and for Windows.
// Each argument is one step, done in order:
//   out:TEXT     writes TEXT and a line end to standard output
//   err:TEXT     writes TEXT and a line end to standard error
//   sleep:MS     sleeps MS milliseconds
//   args         writes every argument, each as "[argument]" on its own line
//   self         writes the path of its own executable
//   pid:PATH     writes its process id into the file PATH
//   spawn:STEPS  starts a grandchild, this program again, with the steps
//                separated by '+' (for example spawn:pid:/tmp/g+sleep:9000),
//                and goes on without waiting for it
//   handles      (Windows) writes "handles: same" when descriptors 1 and 2
//                are the system's standard output and error handles, else
//                "handles: differ"
//   exit:N       ends with exit code N
// Writes go straight to the descriptors, so their order is the order of
// the steps.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "os/command_line.hpp"

// mingw's start-up code would expand "*.c" in the arguments; the child
// reports them as the command line's splitter gives them.
extern "C" {
int _dowildcard = 0;
}
#else
#include <spawn.h>
#include <time.h>
#include <unistd.h>

extern char **environ;
#endif

namespace {

#ifdef _WIN32

void Put(int fd, const std::string &text) {
  const char *data = text.data();
  size_t left = text.size();
  while (left > 0) {
    int written = _write(fd, data, static_cast<unsigned>(left));
    if (written <= 0) return;
    data += written;
    left -= static_cast<size_t>(written);
  }
}

void SleepMs(long ms) { Sleep(static_cast<DWORD>(ms)); }

long ProcessId() { return static_cast<long>(GetCurrentProcessId()); }

std::string OwnPath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length < sizeof path ? length : 0);
}

// Starts this program again with `args` (entry 0 its own name); the
// grandchild inherits the standard handles, as a tool started by cvs does.
bool Spawn(const std::vector<const char *> &args) {
  std::string program = OwnPath();
  std::string line = QuoteCommandLine(args.data());
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup;
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started;
  if (!CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return false;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

std::string HandleReport() {
  bool same = reinterpret_cast<HANDLE>(_get_osfhandle(1)) == GetStdHandle(STD_OUTPUT_HANDLE) &&
              reinterpret_cast<HANDLE>(_get_osfhandle(2)) == GetStdHandle(STD_ERROR_HANDLE);
  return same ? "handles: same\n" : "handles: differ\n";
}

#else

void Put(int fd, const std::string &text) {
  const char *data = text.data();
  size_t left = text.size();
  while (left > 0) {
    ssize_t written = write(fd, data, left);
    if (written <= 0) return;
    data += written;
    left -= static_cast<size_t>(written);
  }
}

void SleepMs(long ms) {
  struct timespec delay = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&delay, &delay) != 0) {
  }
}

long ProcessId() { return static_cast<long>(getpid()); }

std::string OwnPath() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

bool Spawn(const std::vector<const char *> &args) {
  std::string program = OwnPath();
  pid_t pid;
  return posix_spawn(&pid, program.c_str(), nullptr, nullptr,
                     const_cast<char *const *>(args.data()), environ) == 0;
}

std::string HandleReport() { return "handles: same\n"; }

#endif

bool Starts(const char *text, const char *prefix, const char **rest) {
  size_t length = strlen(prefix);
  if (strncmp(text, prefix, length) != 0) return false;
  *rest = text + length;
  return true;
}

// "a+b+c" as the grandchild's argument list, behind its program name.
bool SpawnSteps(const char *program, const char *steps) {
  std::vector<std::string> parts;
  std::string part;
  for (const char *c = steps;; ++c) {
    if (*c == '+' || *c == '\0') {
      parts.push_back(part);
      part.clear();
      if (*c == '\0') break;
    } else {
      part += *c;
    }
  }
  std::vector<const char *> args{program};
  for (const std::string &entry : parts) args.push_back(entry.c_str());
  args.push_back(nullptr);
  return Spawn(args);
}

}  // namespace

int main(int argc, char **argv) {
  for (int i = 1; i < argc; ++i) {
    const char *rest = nullptr;
    if (Starts(argv[i], "out:", &rest)) {
      Put(1, std::string(rest) + "\n");
    } else if (Starts(argv[i], "err:", &rest)) {
      Put(2, std::string(rest) + "\n");
    } else if (Starts(argv[i], "sleep:", &rest)) {
      SleepMs(atol(rest));
    } else if (strcmp(argv[i], "args") == 0) {
      for (int j = 0; j < argc; ++j) Put(1, std::string("[") + argv[j] + "]\n");
    } else if (Starts(argv[i], "env:", &rest)) {
      const char *value = getenv(rest);
      Put(1, std::string(rest) + (value != nullptr ? "=" + std::string(value) : " unset") + "\n");
    } else if (strcmp(argv[i], "self") == 0) {
      Put(1, OwnPath() + "\n");
    } else if (Starts(argv[i], "pid:", &rest)) {
      FILE *file = fopen(rest, "w");
      if (file != nullptr) {
        fprintf(file, "%ld\n", ProcessId());
        fclose(file);
      }
    } else if (Starts(argv[i], "spawn:", &rest)) {
      if (!SpawnSteps(argv[0], rest)) Put(2, "spawn failed\n");
    } else if (strcmp(argv[i], "handles") == 0) {
      Put(1, HandleReport());
    } else if (Starts(argv[i], "exit:", &rest)) {
      return atoi(rest);
    }
  }
  return 0;
}
