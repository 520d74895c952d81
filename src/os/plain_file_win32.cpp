// Plain files on Windows: a reparse point (a symbolic link or a junction)
// counts as a link and is never followed; only a disk file is read.
#include <windows.h>

#include "os/plain_file.hpp"

namespace os {

namespace {
DWORD EntryAttributes(const std::string &path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
}
}  // namespace

bool IsPlainFile(const std::string &path) {
  const DWORD attributes = EntryAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

bool IsPlainDirectory(const std::string &path) {
  const DWORD attributes = EntryAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool EntryExists(const std::string &path) {
  return EntryAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool ResolvedPath(const std::string &path, std::string &resolved) {
  resolved.clear();
  HANDLE handle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  char buffer[32768];
  const DWORD length = GetFinalPathNameByHandleA(handle, buffer, sizeof buffer, 0);
  CloseHandle(handle);
  if (length == 0 || length >= sizeof buffer) return false;
  resolved.assign(buffer, length);
  // "\\?\C:\x" names the same file as "C:\x".
  if (resolved.compare(0, 4, "\\\\?\\") == 0) resolved.erase(0, 4);
  return true;
}

PlainRead ReadPlainFile(const std::string &path, size_t maxBytes, std::string &content) {
  content.clear();
  if (EntryAttributes(path) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || path.empty()
               ? PlainRead::Missing
               : PlainRead::Failed;
  }
  if (!IsPlainFile(path)) return PlainRead::NotPlain;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return PlainRead::Failed;
  // The entry may have been swapped between the test and the open.
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
    CloseHandle(file);
    return PlainRead::NotPlain;
  }
  PlainRead result = PlainRead::Read;
  char buffer[65536];
  for (;;) {
    const size_t room = maxBytes - content.size();
    const DWORD want = static_cast<DWORD>(room < sizeof buffer ? room + 1 : sizeof buffer);
    DWORD got = 0;
    if (!ReadFile(file, buffer, want, &got, nullptr)) {
      result = PlainRead::Failed;
      break;
    }
    if (got == 0) break;
    if (got > room) {
      content.append(buffer, room);
      result = PlainRead::TooLarge;
      break;
    }
    content.append(buffer, got);
  }
  CloseHandle(file);
  if (result == PlainRead::Failed) content.clear();
  return result;
}

}  // namespace os
