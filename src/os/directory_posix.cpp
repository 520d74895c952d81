// Listing folders on POSIX systems, with the attributes and times as
// Windows numbers them.
#include <dirent.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>

#include <memory>

#include "os/os.hpp"

namespace os {

namespace {

// Seconds and nanoseconds since 1970 as 100-ns intervals since 1601.
uint64_t ToFileTime(const struct timespec &time) {
  const long long kEpochDifference = 11644473600LL;
  long long ticks =
      (static_cast<long long>(time.tv_sec) + kEpochDifference) * 10000000LL + time.tv_nsec / 100;
  return ticks < 0 ? 0 : static_cast<uint64_t>(ticks);
}

struct DirCloser {
  void operator()(DIR *listing) const { closedir(listing); }
};

}  // namespace

bool ListDirectory(const std::string &dir, std::vector<DirectoryEntry> &entries) {
  return EachDirectoryEntry(dir,
                            [&entries](const DirectoryEntry &entry) { entries.push_back(entry); });
}

bool CountDirectoryEntries(const std::string &dir, size_t &count) {
  count = 0;
  std::unique_ptr<DIR, DirCloser> listing(opendir(dir.empty() ? "." : dir.c_str()));
  if (listing == nullptr) return false;
  while (readdir(listing.get()) != nullptr) ++count;
  return true;
}

bool EachDirectoryEntry(const std::string &dir,
                        const std::function<void(const DirectoryEntry &)> &each) {
  std::unique_ptr<DIR, DirCloser> listing(opendir(dir.empty() ? "." : dir.c_str()));
  if (listing == nullptr) return false;
  // Entries are looked up relative to the open folder, without walking
  // the folder's path again for each of them.
  const int folder = dirfd(listing.get());
  DirectoryEntry data;
  while (struct dirent *entry = readdir(listing.get())) {
    const char *name = entry->d_name;
    struct stat info;
    // A link is shown as what it points to; a dangling link as itself.
    if (fstatat(folder, name, &info, 0) != 0 &&
        fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
      continue;
    uint32_t attributes = 0;
    if (S_ISDIR(info.st_mode)) attributes |= kAttributeDirectory;
    if ((info.st_mode & S_IWUSR) == 0) attributes |= kAttributeReadOnly;
    bool dots = strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
    if (name[0] == '.' && !dots) attributes |= kAttributeHidden;
    if (attributes == 0) attributes = kAttributeNormal;
    data.Name.assign(name);
    data.Attributes = attributes;
    data.CreationTime = ToFileTime(info.st_ctim);
    data.LastAccessTime = ToFileTime(info.st_atim);
    data.LastWriteTime = ToFileTime(info.st_mtim);
    data.Size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
    // The type comes with the listing on most file systems; where it does
    // not, the entry is looked at more closely by whoever needs to know.
    data.NotPlain = entry->d_type != DT_REG && entry->d_type != DT_DIR;
    each(data);
  }
  return true;
}

}  // namespace os
