// Directory enumeration on Win32: the system's find data converted to the
// listing's record, for the whole listing and for one entry at a time alike.
#include <string.h>
#include <windows.h>

#include "os/os.hpp"
#include "os/search_handle_win32.hpp"

namespace os {

namespace {

// Starts a search of every entry of `dir`; INVALID_HANDLE_VALUE with
// `empty` set when the folder holds nothing at all.
HANDLE StartSearch(const std::string &dir, WIN32_FIND_DATAA &found, bool &empty) {
  std::string pattern = dir.empty() ? std::string(".") : dir;
  if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += '*';
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  empty = search == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND;
  return search;
}

uint64_t Ticks(const FILETIME &time) {
  return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

bool CountDirectoryEntries(const std::string &dir, size_t &count) {
  count = 0;
  WIN32_FIND_DATAA found;
  bool empty = false;
  SearchHandle search(StartSearch(dir, found, empty));
  if (!search) return empty;
  do {
    ++count;
  } while (FindNextFileA(search.Handle, &found));
  return true;
}

bool ListDirectory(const std::string &dir, std::vector<DirectoryEntry> &entries) {
  return EachDirectoryEntry(dir,
                            [&entries](const DirectoryEntry &entry) { entries.push_back(entry); });
}

bool EachDirectoryEntry(const std::string &dir,
                        const std::function<void(const DirectoryEntry &)> &each) {
  WIN32_FIND_DATAA found;
  bool empty = false;
  SearchHandle search(StartSearch(dir, found, empty));
  if (!search) return empty;
  DirectoryEntry data;
  do {
    data.Name.assign(found.cFileName, strnlen(found.cFileName, sizeof found.cFileName));
    data.ShortName.assign(found.cAlternateFileName,
                          strnlen(found.cAlternateFileName, sizeof found.cAlternateFileName));
    data.Attributes = found.dwFileAttributes;
    data.CreationTime = Ticks(found.ftCreationTime);
    data.LastAccessTime = Ticks(found.ftLastAccessTime);
    data.LastWriteTime = Ticks(found.ftLastWriteTime);
    data.Size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    data.Reserved0 = found.dwReserved0;
    data.Reserved1 = found.dwReserved1;
    data.NotPlain = (found.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0;
    each(data);
  } while (FindNextFileA(search.Handle, &found));
  return true;
}

}  // namespace os
