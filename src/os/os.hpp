// The operating-system layer: processes, threads, events, files and the
// environment, with one implementation for Win32 and one for POSIX.  Code
// shared by both builds takes these from here, never from std::thread.
#ifndef QUILLET_OS_HPP
#define QUILLET_OS_HPP

#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

#include "far/far_api.hpp"
#include "os/environment.hpp"

namespace os {

#ifdef _WIN32
constexpr char kSep = '\\';
constexpr char kPathListSep = ';';
constexpr bool kKnowsFileIdentity = false;  // see FileIdentity
#else
constexpr char kSep = '/';
constexpr char kPathListSep = ':';
constexpr bool kKnowsFileIdentity = true;
#endif

// Environment and files.
bool GetEnv(const char *name, std::string &value);  // false when unset
bool PathExists(const std::string &path);
bool IsDirectory(const std::string &path);
bool IsRegularFile(const std::string &path);
// A regular file this process may run (on Windows: any regular file).
bool IsExecutableFile(const std::string &path);
bool ChangeDir(const std::string &path);
std::string CurrentDir();
bool RemoveFile(const std::string &path);
// Makes a new folder of the user's own in `parent` (on POSIX mode 0700,
// named "<prefix>XXXXXX" by mkdtemp), its path in `made`; false when none
// can be made.  Removing it takes an empty folder only.
bool MakePrivateFolder(const std::string &parent, const char *prefix, std::string &made);
bool RemoveEmptyFolder(const std::string &path);
enum class CreateResult { Created, Exists, Failed };
// Creates the file exclusively (owner-only on POSIX) and closes it at once.
CreateResult CreateExclusive(const std::string &path);
// Creates or truncates a file for writing in text mode.  A program started
// later gets it only as the output StartProcess gives it, never as a stray
// inherited descriptor or handle.  Null on failure.
FILE *OpenOutputFile(const std::string &path);
// What tells one file from another on this machine: its device and its
// number there.  Not Known for a path that is no regular file (a link
// included), nor on Windows, where the system gives no such pair cheaply.
struct FileIdentity {
  uint64_t Device = 0;
  uint64_t Number = 0;
  bool Known = false;
};
FileIdentity IdentityOf(const std::string &path);
// Opens `path` for reading ("r") or writing afresh ("w", with "b" or "t"
// after it) only while it is the file `expected` names: never through a
// link at its place, never another file put at its name or under a folder
// swapped on its way; nothing is created, and a file is emptied for
// writing only once it is known to be the one.  Null otherwise.  Closed in
// started programs, like OpenOutputFile.  Where `expected` is not Known,
// opens as fopen (for reading) or OpenOutputFile (for writing) would.
FILE *OpenSameFile(const std::string &path, const char *mode, const FileIdentity &expected);

// The attribute bits of a directory entry, numbered as Windows numbers them
// (on Windows the system's own bits come through as they are).
enum : uint32_t {
  kAttributeReadOnly = 0x1,
  kAttributeHidden = 0x2,
  kAttributeDirectory = 0x10,
  kAttributeNormal = 0x80,
};

// One entry of a folder as a listing reads it.  Times count 100-ns
// intervals since 1601-01-01 UTC, as Windows keeps them.
struct DirectoryEntry {
  std::string Name;       // the bare name
  std::string ShortName;  // Windows' 8.3 name where it has one, else empty
  uint32_t Attributes = 0;
  uint64_t Size = 0;  // 0 for a folder
  uint64_t CreationTime = 0;
  uint64_t LastAccessTime = 0;
  uint64_t LastWriteTime = 0;
  uint32_t Reserved0 = 0;  // what Windows keeps there (a reparse tag), else 0
  uint32_t Reserved1 = 0;
  // The listing names the entry as something other than a plain file or a
  // folder (a link, a FIFO, a device, a socket; or it gives no type): what
  // it is, is worth a closer look before a program reads it.
  bool NotPlain = false;
};

// Directory enumeration: every entry (".", ".." included where the system
// lists them).  False when the folder cannot be listed.
bool ListDirectory(const std::string &dir, std::vector<DirectoryEntry> &entries);
// The same entries handed to `each` one at a time, as they are read (one
// record, refilled for each entry).
bool EachDirectoryEntry(const std::string &dir,
                        const std::function<void(const DirectoryEntry &)> &each);
// How many entries the folder holds, at most as many as the two above give
// (their details are not read, so this is cheap); for sizing.  False when
// the folder cannot be listed.
bool CountDirectoryEntries(const std::string &dir, size_t &count);

// Events: auto-reset, created non-signalled.
struct Event;
Event *NewEvent();
void SignalEvent(Event *event);
void FreeEvent(Event *event);

// Worker threads.
struct Thread;
typedef void (*ThreadMain)(void *arg);
Thread *StartThread(ThreadMain main, void *arg);  // null when it cannot start
void JoinThread(Thread *thread);                  // waits for the end and frees
// Lets the calling thread wait for a few milliseconds.
void Pause(int milliseconds);

// Processes.
struct Process;
// Why StartProcess started nothing, or why a program FailedAtOnce: a kind
// that the caller puts into the user's words (the operating-system layer
// has none of its own), with the system's or the child's own words where
// there are any.
struct StartFailure {
  enum Kind {
    None,
    NoProgram,    // no program or no argument vector was given
    NoOutput,     // the output file could not be handed to the child
    NoHandle,     // the child started but cannot be waited for
    NoMemory,     // no room to keep the child
    System,       // the system refused: Code and its own words in Said
    EndedAtOnce,  // ended at once with exit code Code, having written Said
  };
  Kind What = None;
  int Code = 0;
  std::string Said;
  bool NotFound = false;  // the file to run is missing (a System failure)
};
// Starts `program` (a path to an executable file) with the argument vector
// `argv` (null-ended; argv[0] is the name the program sees), without waiting.
// When `output` is not null the child's standard output and standard error
// both go into it.  On failure returns null and says why in `failure`.  The
// program gets this process's environment with `settings` applied.
// On POSIX a program started without `output` runs on by itself, so it
// gets no terminal: its input is /dev/null and what it writes goes into a
// scratch file that has no name (FailedAtOnce reads it).
Process *StartProcess(const std::string &program, const char *const *argv, FILE *output,
                      StartFailure &failure,
                      const EnvironmentSettings &settings = EnvironmentSettings());
// POSIX, for a program started without `output`: waits a moment for it to
// fail at once (a launcher whose tool is missing); true, with its exit code
// and what it wrote in `failure`, when it did.  False on Windows.
bool FailedAtOnce(Process *process, StartFailure &failure);
// POSIX: while `allowed` is false, a program started with an output file
// gets no controlling terminal (a session of its own, its input from
// /dev/null), so that whatever would ask the user there (ssh's password
// prompt) fails at once instead.  On Windows it changes nothing: a console
// program shares the host's console there.
void SetChildTerminal(bool allowed);
bool ChildTerminalAllowed();
enum class WaitResult { ProcessEnded, EventSignalled, WantsTerminal, Failed };
// Waits without limit for the first of the process's end and the event.
// On POSIX a process that stops to use the terminal (to read from it, or
// to write to it or change its modes while it belongs to another group)
// ends the wait too: WantsTerminal, the process still stopped.
WaitResult WaitProcessOrEvent(Process *process, Event *event);
// Puts a key that no keyboard sends (F24) into the console's input, so that
// a host waiting there for input in a modal dialog hands the dialog a
// message on its own thread.  A host may not be driven from another thread:
// the current generation of the file manager runs a dialog's close on the
// calling thread, window manager and all.  False, with nothing done, where
// there is no console to write to (always on POSIX).
bool WakeHostThread();
// POSIX: gives the controlling terminal to the stopped process's group,
// lets the group go on and waits until the process has ended, then gives
// the terminal back to the group that had it.  Meanwhile the terminal's
// break keys are the user's Break: when they (or the terminal's hang-up)
// end the process, whatever is left of its group is ended too and the
// process counts as terminated with `brokenCode`.  False, with nothing
// done, when there is no terminal to give (and always on Windows).
bool LendTerminal(Process *process, int brokenCode);
// Ends the process and, where the system lets it, everything it started.
void TerminateProcess(Process *process, int exitCode);
// Waits until the process is gone and returns its exit code (the code given
// to TerminateProcess when it was terminated).
int ProcessExitCode(Process *process);
void FreeProcess(Process *process);

}  // namespace os

#endif
