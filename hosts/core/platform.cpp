// POSIX and Win32 branches of the host core's operating-system calls.
#include "core/platform.hpp"

#include "far/far_api.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wchar.h>
#endif
#include <time.h>

namespace hostcore {

namespace {
// Seconds between 1601-01-01 and 1970-01-01, and FILETIME ticks per second.
const uint64_t kEpochShift = 11644473600ULL;
const uint64_t kTicksPerSecond = 10000000ULL;
}  // namespace

std::string JoinPath(const std::string &dir, const std::string &name) {
  if (dir.empty()) return name;
  if (dir.back() == kPathSeparator || dir.back() == '/') return dir + name;
  return dir + kPathSeparator + name;
}

#ifdef _WIN32

void *OpenLibrary(const std::string &path, std::string &error) {
  HMODULE library = LoadLibraryA(path.c_str());
  if (library == nullptr) {
    error = "cannot load " + path + ": error " + std::to_string(GetLastError());
    return nullptr;
  }
  return reinterpret_cast<void *>(library);
}

void *LibrarySymbol(void *library, const char *name) {
  return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void *library) {
  if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

bool ReadFolder(const std::string &dir, std::vector<FolderEntry> &entries) {
  entries.clear();
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(JoinPath(dir, "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.Name = name;
    entry.Attributes = data.dwFileAttributes;
    entry.Size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.WriteTime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    entries.push_back(entry);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return true;
}

bool SetCurrentFolder(const std::string &dir) { return SetCurrentDirectoryA(dir.c_str()) != 0; }

bool IsPlainFile(const std::string &path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

bool IsFolder(const std::string &path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CharacterCells(uint32_t character) {
  // Windows has no wcwidth: the blocks of wide characters and of combining
  // marks, which is what its consoles go by.
  struct Range {
    uint32_t First, Last;
  };
  static const Range kWide[] = {{0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},
                                {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
                                {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE30, 0xFE4F},
                                {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F},
                                {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD}};
  static const Range kCombining[] = {
      {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x1AB0, 0x1AFF},
      {0x1DC0, 0x1DFF}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}};
  if (character < 0x20 || (character >= 0x7F && character < 0xA0)) return -1;
  for (const Range &range : kCombining)
    if (character >= range.First && character <= range.Last) return 0;
  for (const Range &range : kWide)
    if (character >= range.First && character <= range.Last) return 2;
  return 1;
}

bool ToLocalTime(uint64_t fileTime, LocalTime &local) {
  if (fileTime < kEpochShift * kTicksPerSecond) return false;
  time_t seconds = static_cast<time_t>(fileTime / kTicksPerSecond - kEpochShift);
  struct tm parts;
  if (localtime_s(&parts, &seconds) != 0) return false;
  local = LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                    parts.tm_hour,        parts.tm_min,     parts.tm_sec};
  return true;
}

#else

void *OpenLibrary(const std::string &path, std::string &error) {
  void *library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char *reason = dlerror();
    error = "cannot load " + path + ": " + (reason != nullptr ? reason : "unknown reason");
  }
  return library;
}

void *LibrarySymbol(void *library, const char *name) { return dlsym(library, name); }

void CloseLibrary(void *library) {
  if (library != nullptr) dlclose(library);
}

bool ReadFolder(const std::string &dir, std::vector<FolderEntry> &entries) {
  entries.clear();
  DIR *folder = opendir(dir.c_str());
  if (folder == nullptr) return false;
  while (dirent *found = readdir(folder)) {
    std::string name = found->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.Name = name;
    struct stat info;
    // A link shows what it points at; a dangling one shows as a file.
    if (stat(JoinPath(dir, name).c_str(), &info) == 0 ||
        lstat(JoinPath(dir, name).c_str(), &info) == 0) {
      entry.Attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
      if (!(info.st_mode & S_IWUSR)) entry.Attributes |= FILE_ATTRIBUTE_READONLY;
      entry.Size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
      if (info.st_mtime >= 0) {
        entry.WriteTime = (static_cast<uint64_t>(info.st_mtime) + kEpochShift) * kTicksPerSecond;
      }
    } else {
      entry.Attributes = FILE_ATTRIBUTE_ARCHIVE;
    }
    if (name[0] == '.') entry.Attributes |= FILE_ATTRIBUTE_HIDDEN;
    entries.push_back(entry);
  }
  closedir(folder);
  return true;
}

bool SetCurrentFolder(const std::string &dir) { return chdir(dir.c_str()) == 0; }

bool IsPlainFile(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsFolder(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int CharacterCells(uint32_t character) {
  return wcwidth(static_cast<wchar_t>(character));
}

bool ToLocalTime(uint64_t fileTime, LocalTime &local) {
  if (fileTime < kEpochShift * kTicksPerSecond) return false;
  time_t seconds = static_cast<time_t>(fileTime / kTicksPerSecond - kEpochShift);
  struct tm parts;
  if (localtime_r(&seconds, &parts) == nullptr) return false;
  local = LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                    parts.tm_hour,        parts.tm_min,     parts.tm_sec};
  return true;
}

#endif

}  // namespace hostcore
