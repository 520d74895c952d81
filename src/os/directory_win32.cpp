// Directory enumeration on Win32: find data converted to the host's record
// once, for the whole listing and for one entry at a time alike.
#include <string.h>
#include <windows.h>

#include "os/os.hpp"

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

}  // namespace

bool CountDirectoryEntries(const std::string &dir, size_t &count) {
  count = 0;
  WIN32_FIND_DATAA found;
  bool empty = false;
  HANDLE search = StartSearch(dir, found, empty);
  if (search == INVALID_HANDLE_VALUE) return empty;
  do {
    ++count;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

bool ListDirectory(const std::string &dir, std::vector<FAR_FIND_DATA> &entries) {
  return EachDirectoryEntry(dir,
                            [&entries](const FAR_FIND_DATA &entry) { entries.push_back(entry); });
}

bool EachDirectoryEntry(const std::string &dir,
                        const std::function<void(const FAR_FIND_DATA &)> &each) {
  WIN32_FIND_DATAA found;
  bool empty = false;
  HANDLE search = StartSearch(dir, found, empty);
  if (search == INVALID_HANDLE_VALUE) return empty;
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
    try {
      each(data);
    } catch (...) {
      FindClose(search);
      throw;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

}  // namespace os
