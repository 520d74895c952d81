// Scratch files of the tests, with a POSIX and a Win32 branch where the
// systems differ.
#include "scratch_files.hpp"

#include <errno.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace testsupport {

namespace {

#ifdef _WIN32
const char kSep = '\\';
#else
const char kSep = '/';
#endif

// On Windows the system's copy, which the module reads and children get.
bool GetVariable(const std::string &name, std::string &value) {
#ifdef _WIN32
  DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (size == 0) return false;
  std::vector<char> buffer(size);
  DWORD length = GetEnvironmentVariableA(name.c_str(), buffer.data(), size);
  value.assign(buffer.data(), length);
  return true;
#else
  const char *found = getenv(name.c_str());
  if (found == nullptr) return false;
  value = found;
  return true;
#endif
}

// Sets the variable for this process and for the programs it starts
// (on Windows the C runtime's copy and the system's are two).
void SetVariable(const std::string &name, const std::string *value) {
#ifdef _WIN32
  _putenv_s(name.c_str(), value != nullptr ? value->c_str() : "");
  SetEnvironmentVariableA(name.c_str(), value != nullptr ? value->c_str() : nullptr);
#else
  if (value != nullptr) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}

std::string TempBase() {
  std::string base;
  if (GetVariable("QUILLET_TEST_TMP", base) && !base.empty()) return base;
#ifdef _WIN32
  char buffer[MAX_PATH];
  DWORD length = GetTempPathA(sizeof buffer, buffer);
  base = length > 0 && length < sizeof buffer ? std::string(buffer, length) : "C:\\";
  if (base.size() > 3 && base.back() == '\\') base.pop_back();
  return base;
#else
  return "/tmp";
#endif
}

void RemoveTree(const std::string &path) {
#ifdef _WIN32
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
#else
  // Folders a test made unreadable or unwritable are opened up first.
  chmod(path.c_str(), 0700);
  if (DIR *folder = opendir(path.c_str())) {
    while (dirent *entry = readdir(folder)) {
      std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      std::string child = path + "/" + name;
      struct stat info;
      if (lstat(child.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        RemoveTree(child);
      } else {
        unlink(child.c_str());
      }
    }
    closedir(folder);
  }
  rmdir(path.c_str());
#endif
}

bool MakeDir(const std::string &path) {
#ifdef _WIN32
  return CreateDirectoryA(path.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
#else
  return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
#endif
}

}  // namespace

TempDir::TempDir() {
  const std::string base = TempBase();
#ifdef _WIN32
  static unsigned serial = 0;
  for (;;) {
    std::string candidate = base + "\\quillet-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(++serial);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      ADD_FAILURE() << "cannot create a folder under " << base;
      return;
    }
  }
#else
  std::string pattern = base + "/quillet-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed for " << pattern;
  path_ = buffer.data();
#endif
}

TempDir::~TempDir() {
  if (!path_.empty()) RemoveTree(path_);
}

std::string TempDir::operator/(const std::string &name) const { return path_ + kSep + name; }

ScopedEnv::~ScopedEnv() {
  for (const auto &entry : saved_) {
    SetVariable(entry.first, entry.second.first ? &entry.second.second : nullptr);
  }
}

void ScopedEnv::Remember(const std::string &name) {
  if (saved_.count(name) != 0) return;
  std::string value;
  bool set = GetVariable(name, value);
  saved_[name] = std::make_pair(set, value);
}

void ScopedEnv::Set(const std::string &name, const std::string &value) {
  Remember(name);
  SetVariable(name, &value);
}

void ScopedEnv::Unset(const std::string &name) {
  Remember(name);
  SetVariable(name, nullptr);
}

ScopedCwd::ScopedCwd() {
#ifdef _WIN32
  char buffer[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (length > 0 && length < sizeof buffer) saved_.assign(buffer, length);
#else
  char buffer[4096];
  if (getcwd(buffer, sizeof(buffer)) != nullptr) saved_ = buffer;
#endif
}

ScopedCwd::ScopedCwd(const std::string &dir) : ScopedCwd() {
#ifdef _WIN32
  bool entered = SetCurrentDirectoryA(dir.c_str()) != 0;
#else
  bool entered = chdir(dir.c_str()) == 0;
#endif
  if (!entered) ADD_FAILURE() << "cannot enter " << dir;
}

ScopedCwd::~ScopedCwd() {
  if (saved_.empty()) return;
#ifdef _WIN32
  bool back = SetCurrentDirectoryA(saved_.c_str()) != 0;
#else
  bool back = chdir(saved_.c_str()) == 0;
#endif
  if (!back) ADD_FAILURE() << "cannot return to " << saved_;
}

std::string ReadFile(const std::string &path) {
  std::string text;
  FILE *file = fopen(path.c_str(), "rb");
  if (file == nullptr) return text;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  fclose(file);
  return text;
}

void WriteFile(const std::string &path, const std::string &content) {
  FILE *file = fopen(path.c_str(), "wb");
  bool written =
      file != nullptr && fwrite(content.data(), 1, content.size(), file) == content.size();
  if (file != nullptr && fclose(file) != 0) written = false;
  if (!written) ADD_FAILURE() << "cannot write " << path;
}

bool Exists(const std::string &path) {
#ifdef _WIN32
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
#endif
}

void MakeDirs(const std::string &path) {
  // Past a drive letter's root or the root folder.
  size_t start = path.size() > 2 && path[1] == ':' ? 3 : 1;
  for (size_t at = path.find_first_of("/\\", start); at != std::string::npos;
       at = path.find_first_of("/\\", at + 1)) {
    MakeDir(path.substr(0, at));
  }
  if (!MakeDir(path)) ADD_FAILURE() << "cannot create " << path;
}

std::vector<std::string> ListDir(const std::string &dir) {
  std::vector<std::string> names;
#ifdef _WIN32
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
#else
  if (DIR *folder = opendir(dir.c_str())) {
    while (dirent *entry = readdir(folder)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(folder);
  }
#endif
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> ReadLines(const std::string &path) {
  std::vector<std::string> lines;
  std::string text = ReadFile(path);
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace testsupport
