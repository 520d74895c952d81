// Whole writes and the shared lock, with a POSIX and a Win32 branch.
#include "core/whole_file.hpp"
#include "core/host_texts.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>

namespace hostcore {

namespace {

// A name for the fresh file in `dir` that no earlier run can have taken:
// the process, a counter and the clock.  It is created exclusively, so a
// name that is taken after all (even by a link) is simply passed over.
std::string FreshName(const std::string &dir, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
#ifdef _WIN32
  unsigned long process = GetCurrentProcessId();
  unsigned long long clock = GetTickCount64();
  const char separator = '\\';
#else
  unsigned long process = static_cast<unsigned long>(getpid());
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  unsigned long long clock = static_cast<unsigned long long>(now.tv_nsec);
  const char separator = '/';
#endif
  return dir + separator + ".quillet-save-" + std::to_string(process) + "-" +
         std::to_string(counter.fetch_add(1) + attempt) + "-" + std::to_string(clock % 1000000);
}

std::string Unchanged(const std::string &path, const std::string &why) {
  return Say(HostText::ErrorUnchanged, {path, why});
}

}  // namespace

#ifdef _WIN32

namespace {
std::string LastError() {
  char text[256] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 GetLastError(), 0, text, sizeof text, nullptr);
  std::string result = text;
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}
}  // namespace

bool ReplaceFileWhole(const std::string &path, const std::string &text, LinkRule, unsigned,
                      std::string &error) {
  size_t slash = path.find_last_of("\\/");
  std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
  DWORD attributes = GetFileAttributesA(path.c_str());
  std::string fresh;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    fresh = FreshName(dir, attempt);
    file = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    error = Unchanged(path, Say(HostText::ErrorNoNewFile, {dir, LastError()}));
    return false;
  }
  bool ok = true;
  for (size_t done = 0; ok && done < text.size();) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
    ok = WriteFile(file, text.data() + done, chunk, &written, nullptr) != 0 && written > 0;
    done += written;
  }
  ok = ok && FlushFileBuffers(file) != 0;
  std::string why = ok ? "" : LastError();
  CloseHandle(file);
  if (ok && !MoveFileExA(fresh.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    why = LastError();
  }
  if (!ok) {
    DeleteFileA(fresh.c_str());
    error = Unchanged(path, why);
    return false;
  }
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path.c_str(), attributes);
  return true;
}

bool FileSize(const std::string &path, uint64_t &size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

FileLock::FileLock(const std::string &path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  handle_ = reinterpret_cast<intptr_t>(file);
  OVERLAPPED whole = {};
  held_ = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole) != 0;
}

FileLock::~FileLock() {
  if (handle_ == -1) return;
  HANDLE file = reinterpret_cast<HANDLE>(handle_);
  if (held_) {
    OVERLAPPED whole = {};
    UnlockFileEx(file, 0, 1, 0, &whole);
  }
  CloseHandle(file);
}

#else

namespace {

bool WriteAll(int fd, const std::string &text) {
  for (size_t done = 0; done < text.size();) {
    ssize_t written = write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(written);
  }
  return true;
}

void CloseQuietly(int fd) {
  while (close(fd) != 0 && errno == EINTR) {
  }
}

}  // namespace

bool ReplaceFileWhole(const std::string &path, const std::string &text, LinkRule links,
                      unsigned newMode, std::string &error) {
  std::string target = path;
  struct stat old;
  bool exists = lstat(path.c_str(), &old) == 0;
  if (exists && S_ISLNK(old.st_mode) && links == LinkRule::Follow) {
    char *real = realpath(path.c_str(), nullptr);
    if (real == nullptr) {
      error = Unchanged(path, Say(HostText::ErrorLinkToNothing));
      return false;
    }
    target = real;
    free(real);
    exists = lstat(target.c_str(), &old) == 0;
  }
  if (exists && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode)) {
    error = Unchanged(path, Say(HostText::ErrorNotPlain));
    return false;
  }
  const bool keepMode = exists && S_ISREG(old.st_mode);
  size_t slash = target.rfind('/');
  std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);

  std::string fresh;
  int fd = -1;
  for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    fresh = FreshName(dir == "/" ? "" : dir, attempt);
    // O_EXCL with O_CREAT never follows a link, whatever the name holds.
    fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
              static_cast<mode_t>(newMode));
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    error = Unchanged(path, Say(HostText::ErrorNoNewFile, {dir, strerror(errno)}));
    return false;
  }
  bool ok = WriteAll(fd, text);
  if (ok && keepMode) {
    // The owner can be kept only by root; the same user keeps it anyway.
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
      int ignored = fchown(fd, old.st_uid, old.st_gid);
      (void)ignored;
    }
    ok = fchmod(fd, old.st_mode & 07777) == 0;
  }
  ok = ok && fsync(fd) == 0;
  int saved = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && rename(fresh.c_str(), target.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    unlink(fresh.c_str());
    error = Unchanged(path, strerror(saved));
    return false;
  }
  // The rename itself reaches the disk with the folder.
  int folder = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    CloseQuietly(folder);
  }
  return true;
}

bool FileSize(const std::string &path, uint64_t &size) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  size = static_cast<uint64_t>(info.st_size);
  return true;
}

FileLock::FileLock(const std::string &path) {
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return;
  handle_ = fd;
  int result;
  while ((result = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
  }
  held_ = result == 0;
}

FileLock::~FileLock() {
  if (handle_ >= 0) CloseQuietly(static_cast<int>(handle_));
}

#endif

}  // namespace hostcore
