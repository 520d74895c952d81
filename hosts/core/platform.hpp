// The few operating-system calls of the host core, each with a POSIX and a
// Win32 branch: module libraries, folder listings, local time, the cells of
// a character.
#ifndef QUILLET_HOSTCORE_PLATFORM_HPP
#define QUILLET_HOSTCORE_PLATFORM_HPP

#include <stdint.h>

#include <string>
#include <vector>

namespace hostcore {

#ifdef _WIN32
const char kPathSeparator = '\\';
#else
const char kPathSeparator = '/';
#endif

// A loaded shared library (module); null with a reason when it cannot load.
void *OpenLibrary(const std::string &path, std::string &error);
void *LibrarySymbol(void *library, const char *name);
void CloseLibrary(void *library);

// One entry of a folder, as a file panel shows it.
struct FolderEntry {
  std::string Name;
  uint32_t Attributes = 0;  // FILE_ATTRIBUTE_* bits
  uint64_t Size = 0;
  uint64_t WriteTime = 0;  // 100-ns ticks since 1601-01-01 UTC, as FILETIME
};
// The entries of `dir` without "." and "..", in no order; false when the
// folder cannot be read.
bool ReadFolder(const std::string &dir, std::vector<FolderEntry> &entries);

// Whether `path` names an existing folder; an existing plain file (not a
// device, pipe or socket, which a viewer must not open).
bool IsFolder(const std::string &path);
bool IsPlainFile(const std::string &path);

// A FILETIME value in the local time zone.
struct LocalTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};
bool ToLocalTime(uint64_t fileTime, LocalTime &local);

// Makes `dir` the process's current folder; false when it cannot.
bool SetCurrentFolder(const std::string &dir);

// The terminal cells a printable character takes: 2 for wide (East Asian)
// characters, 0 for marks that combine with the one before, 1 for others;
// -1 for what the locale cannot print.  On POSIX this is the C library's
// wcwidth, which terminals and ncurses measure by as well (the locale's
// character set must be UTF-8).
int CharacterCells(uint32_t character);

// `dir` joined with `name` by the platform's separator.
std::string JoinPath(const std::string &dir, const std::string &name);

}  // namespace hostcore

#endif
