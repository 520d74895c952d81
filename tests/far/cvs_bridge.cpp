// cvs.exe for the tests that run the real file manager under Wine: runs
// the Linux cvs client with this process's arguments, current folder and
// standard handles, and ends with its exit code.
//
// Wine starts a Linux program named by a Windows path (a link cvs.exe to
// /usr/bin/cvs runs), but hands back no process handle for it: nothing
// on the Windows side can wait for its end or learn its exit code.  This
// bridge is the Windows program the module starts and waits for; the
// Linux client does all the work.  A POSIX shell starts the client and
// writes its exit code into a file the bridge polls for.  The shell also
// watches the bridge's Linux process: when the bridge is ended (the user
// broke the run) the shell ends the client, as ending the process tree
// would on Windows.  (Wine passes files to a Linux program, but no pipes.)
//
// QUILLET_LINUX_CVS names the client (default /usr/bin/cvs).
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "os/command_line.hpp"

namespace {

// The shell's part: $1 is the status file, the rest the client's command.
const char kScript[] =
    "status=$1 bridge=$2; shift 2\n"
    "\"$@\" </dev/null &\n"
    "child=$!\n"
    "(while kill -0 $bridge; do sleep 0.2; done; kill $child) >/dev/null 2>&1 &\n"
    "watcher=$!\n"
    "wait $child; code=$?\n"
    // A watcher that ended by itself saw the bridge go: nobody reads the code.
    "kill $watcher 2>/dev/null; wait $watcher 2>/dev/null && exit $code\n"
    "echo $code >\"$status.part\" && mv \"$status.part\" \"$status\"\n";

// This process's id on the Linux side, where the shell can watch it.
std::string LinuxProcessId() {
  FILE *stat = fopen("Z:\\proc\\self\\stat", "r");
  if (stat == nullptr) return std::string();
  unsigned long id = 0;
  int read = fscanf(stat, "%lu", &id);
  fclose(stat);
  return read == 1 ? std::to_string(id) : std::string();
}

typedef char *(CDECL *UnixNameOf)(const WCHAR *);

std::string UnixPath(const std::string &windowsPath) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  FARPROC found = kernel != nullptr ? GetProcAddress(kernel, "wine_get_unix_file_name") : nullptr;
  UnixNameOf convert = reinterpret_cast<UnixNameOf>(reinterpret_cast<void *>(found));
  if (convert == nullptr) return std::string();
  WCHAR wide[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH) == 0)
    return std::string();
  char *unix = convert(wide);
  if (unix == nullptr) return std::string();
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

int Fail(const char *what) {
  fprintf(stderr, "cvs bridge: %s (error %lu)\n", what, GetLastError());
  return 127;
}

}  // namespace

int main(int argc, char **argv) {
  char tempFolder[MAX_PATH];
  char statusPath[MAX_PATH];
  if (GetTempPathA(MAX_PATH, tempFolder) == 0 ||
      GetTempFileNameA(tempFolder, "qcb", 0, statusPath) == 0)
    return Fail("no temporary file");
  // The shell makes the file anew when the client has ended.
  DeleteFileA(statusPath);
  std::string statusUnix = UnixPath(statusPath);
  if (statusUnix.empty()) return Fail("runs only under Wine");

  std::string bridgeId = LinuxProcessId();
  if (bridgeId.empty()) return Fail("no Linux process id");
  const char *client = getenv("QUILLET_LINUX_CVS");
  std::vector<const char *> args = {"sh", "-c", kScript, "sh", statusUnix.c_str(), bridgeId.c_str(),
                                    client != nullptr && *client != '\0' ? client : "/usr/bin/cvs"};
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  std::string commandLine = QuoteCommandLine(args.data());
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');

  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started;
  ZeroMemory(&started, sizeof started);
  if (!CreateProcessA("Z:\\bin\\sh", buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &started))
    return Fail("cannot start /bin/sh");
  if (started.hThread != nullptr) CloseHandle(started.hThread);
  if (started.hProcess != nullptr) CloseHandle(started.hProcess);

  for (;;) {
    FILE *status = fopen(statusPath, "r");
    if (status != nullptr) {
      int code = 127;
      if (fscanf(status, "%d", &code) != 1) code = 127;
      fclose(status);
      DeleteFileA(statusPath);
      return code;
    }
    Sleep(10);
  }
}
