// cvs.exe for the tests that run the real file manager under Wine: runs
// the Linux cvs client with this process's arguments, current folder and
// output file, and ends with its exit code.
//
// Wine starts a Linux program named by a Windows path (a link cvs.exe to
// /usr/bin/cvs runs), but hands back no process handle for it: nothing
// on the Windows side can wait for its end or learn its exit code.  This
// bridge is the Windows program the module starts and waits for; the
// Linux client does all the work.  A POSIX shell starts the client and
// writes its exit code into a file the bridge polls for.  The shell also
// watches the bridge's heartbeat file: when the bridge is ended (the user
// broke the run) the shell ends the client, as ending the process tree
// would on Windows.  (Wine passes files to a Linux program but no pipes,
// and a Windows program cannot learn its own Linux process id.)
//
// Arguments that are absolute Windows paths (the commit message file)
// reach the client as the Linux paths of the same files.
// QUILLET_LINUX_CVS names the client (default /usr/bin/cvs).
#include <windows.h>

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "os/command_line.hpp"

namespace {

// The shell's part: $1 is the status file, $2 the heartbeat file, the
// rest the client's command.
const char kScript[] =
    "status=$1 beat=$2; shift 2\n"
    // Wine places only standard input and output: the module hands both
    // streams one file, so standard error joins standard output.
    "exec 2>&1\n"
    "\"$@\" </dev/null &\n"
    "child=$!\n"
    // A count that stands still for two seconds: the bridge was ended.
    "(last=; while sleep 2; now=$(cat \"$beat\" 2>/dev/null); [ \"$now\" != \"$last\" ]; do\n"
    "  last=$now; done; kill $child; rm -f \"$beat\") >/dev/null 2>&1 &\n"
    "watcher=$!\n"
    "wait $child; code=$?\n"
    // A watcher that ended by itself saw the bridge go: nobody reads the code.
    "kill $watcher 2>/dev/null; wait $watcher 2>/dev/null && exit $code\n"
    "echo $code >\"$status.part\" && mv \"$status.part\" \"$status\"\n";

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

void Beat(const char *path, unsigned long count) {
  FILE *heart = fopen(path, "w");
  if (heart == nullptr) return;
  fprintf(heart, "%lu\n", count);
  fclose(heart);
}

}  // namespace

int main(int argc, char **argv) {
  char tempFolder[MAX_PATH];
  char statusPath[MAX_PATH];
  char beatPath[MAX_PATH];
  if (GetTempPathA(MAX_PATH, tempFolder) == 0 ||
      GetTempFileNameA(tempFolder, "qcb", 0, statusPath) == 0)
    return Fail("no temporary file");
  // The shell makes the file anew when the client has ended.
  DeleteFileA(statusPath);
  if (GetTempFileNameA(tempFolder, "qcb", 0, beatPath) == 0) {
    Fail("no temporary file");
    return 127;
  }
  std::string statusUnix = UnixPath(statusPath);
  std::string beatUnix = UnixPath(beatPath);
  if (statusUnix.empty() || beatUnix.empty()) {
    DeleteFileA(beatPath);
    return Fail("runs only under Wine");
  }

  const char *client = getenv("QUILLET_LINUX_CVS");
  std::vector<std::string> words = {"sh", "-c", kScript, "sh", statusUnix, beatUnix,
                                    client != nullptr && *client != '\0' ? client : "/usr/bin/cvs"};
  for (int i = 1; i < argc; ++i) {
    const char *arg = argv[i];
    std::string linux;
    if (isalpha(static_cast<unsigned char>(arg[0])) && arg[1] == ':' && arg[2] == '\\')
      linux = UnixPath(arg);
    words.push_back(linux.empty() ? std::string(arg) : linux);
  }
  std::vector<const char *> args;
  for (const std::string &word : words) args.push_back(word.c_str());
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
  Beat(beatPath, 0);
  if (!CreateProcessA("Z:\\bin\\sh", buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &started)) {
    DeleteFileA(beatPath);
    return Fail("cannot start /bin/sh");
  }
  if (started.hThread != nullptr) CloseHandle(started.hThread);
  if (started.hProcess != nullptr) CloseHandle(started.hProcess);

  for (unsigned long tick = 1;; ++tick) {
    if (tick % 20 == 0) Beat(beatPath, tick);
    FILE *status = fopen(statusPath, "r");
    if (status != nullptr) {
      int code = 127;
      if (fscanf(status, "%d", &code) != 1) code = 127;
      fclose(status);
      DeleteFileA(statusPath);
      DeleteFileA(beatPath);
      return code;
    }
    Sleep(10);
  }
}
