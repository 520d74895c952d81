// A stand-in for the cvs client that replays what the real client printed:
// on Windows, where no real cvs runs in the test machines, it is built as
// cvs.exe so that the listing, the marking and the commit can run end to
// end against reports recorded on Linux (tests/record_replay_reports.sh).
//
// QUILLET_REPLAY names the folder of recordings.  A run is looked up by its
// command word, with "-n" after it for a dry run ("status", "update-n",
// "commit"): KEY.txt is written to standard output and KEY.exit holds the
// exit code (0 when there is none).  A recording made in a sub-folder,
// KEY@FOLDER.txt, is taken first where the current folder's last part is
// FOLDER ("status@sub").  A command without a recording writes a message
// to standard error and ends with 1.
//
// When QUILLET_REPLAY_LOG names a file, each run appends one line to it,
// "FOLDER:[arg1][arg2]...", with the current folder and every argument;
// the message file of "-F FILE" is copied to QUILLET_REPLAY_LOG.message.
//
// A slow client for the tests that break a run: when QUILLET_REPLAY_PID
// names a file, the process id is written into it, and when
// QUILLET_REPLAY_WAIT_MS is set, the answer comes only after that many
// milliseconds.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#ifdef _WIN32
#include <direct.h>
#include <process.h>
#include <windows.h>
#define getcwd _getcwd
#define getpid _getpid
#else
#include <time.h>
#include <unistd.h>
#endif

namespace {

// Global options of cvs that take the next argument as their value.
bool TakesValue(const char *option) {
  static const char *const kWithValue[] = {"-d", "-e", "-s", "-T", "-z"};
  for (const char *known : kWithValue) {
    if (strcmp(option, known) == 0) return true;
  }
  return false;
}

std::string Slurp(const std::string &path, bool &found) {
  std::string text;
  FILE *file = fopen(path.c_str(), "rb");
  found = file != nullptr;
  if (file == nullptr) return text;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  fclose(file);
  return text;
}

void Append(const std::string &path, const std::string &text, const char *mode) {
  FILE *file = fopen(path.c_str(), mode);
  if (file == nullptr) return;
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);
}

std::string CurrentFolder() {
  char folder[4096];
  return getcwd(folder, sizeof folder) != nullptr ? folder : "?";
}

// The current folder's last part, which names a sub-folder's recordings.
std::string FolderName() {
  std::string folder = CurrentFolder();
  size_t cut = folder.find_last_of("/\\");
  return cut == std::string::npos ? folder : folder.substr(cut + 1);
}

void SleepMs(long ms) {
#ifdef _WIN32
  Sleep(static_cast<DWORD>(ms));
#else
  struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
#endif
}

void Log(int argc, char **argv) {
  const char *log = getenv("QUILLET_REPLAY_LOG");
  if (log == nullptr || *log == '\0') return;
  std::string line = CurrentFolder();
  line += ':';
  for (int i = 1; i < argc; ++i) line += std::string("[") + argv[i] + "]";
  Append(log, line + "\n", "ab");
  for (int i = 1; i + 1 < argc; ++i) {
    if (strcmp(argv[i], "-F") == 0) {
      bool found;
      std::string message = Slurp(argv[i + 1], found);
      Append(std::string(log) + ".message", message, "wb");
      break;
    }
  }
}

// The slow client's part: its process id out, then the wait.
void HoldBack() {
  const char *pidFile = getenv("QUILLET_REPLAY_PID");
  if (pidFile != nullptr && *pidFile != '\0') {
    Append(pidFile, std::to_string(getpid()), "wb");
  }
  const char *wait = getenv("QUILLET_REPLAY_WAIT_MS");
  if (wait != nullptr && *wait != '\0') SleepMs(atol(wait));
}

}  // namespace

int main(int argc, char **argv) {
  Log(argc, argv);
  HoldBack();
  bool dryRun = false;
  int i = 1;
  for (; i < argc && argv[i][0] == '-'; ++i) {
    if (strcmp(argv[i], "-n") == 0) dryRun = true;
    if (TakesValue(argv[i])) ++i;
  }
  if (i >= argc) {
    fprintf(stderr, "cvs [replay]: no command given\n");
    return 1;
  }
  std::string key = argv[i];
  if (dryRun) key += "-n";

  const char *folder = getenv("QUILLET_REPLAY");
  if (folder == nullptr || *folder == '\0') {
    fprintf(stderr, "cvs [replay]: QUILLET_REPLAY names no folder of recordings\n");
    return 1;
  }
  std::string base = std::string(folder) + "/" + key + "@" + FolderName();
  bool found = false;
  std::string report = Slurp(base + ".txt", found);
  if (!found) {
    base = std::string(folder) + "/" + key;
    report = Slurp(base + ".txt", found);
  }
  if (!found) {
    fprintf(stderr, "cvs [replay]: no recording for \"%s\" in %s\n", key.c_str(), folder);
    return 1;
  }
  // Text mode: on Windows the lines end as a Windows client's do.
  fwrite(report.data(), 1, report.size(), stdout);
  fflush(stdout);
  std::string exitText = Slurp(base + ".exit", found);
  return found ? atoi(exitText.c_str()) : 0;
}
