// Open folders on POSIX systems: a descriptor for each, opened only for
// looking up names below it (O_PATH where there is one, so that a folder
// that may be searched but not read can still be passed through), and
// every lookup relative to it.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "os/folder.hpp"

namespace os {

namespace {

#ifdef O_PATH
const int kLookupOnly = O_PATH;
#else
const int kLookupOnly = O_RDONLY;
#endif

EntryType TypeOfMode(mode_t mode) {
  if (S_ISREG(mode)) return EntryType::File;
  if (S_ISDIR(mode)) return EntryType::Folder;
  if (S_ISLNK(mode)) return EntryType::Link;
  return EntryType::Other;
}

FolderIdentity IdentityOf(const struct stat &info) {
  FolderIdentity identity;
  identity.Device = static_cast<uint64_t>(info.st_dev);
  identity.Node = static_cast<uint64_t>(info.st_ino);
  identity.Known = true;
  return identity;
}

// Whether the group `gid` holds nobody but this user: the user's own
// private group, as Debian makes one for each user.
bool PrivateGroup(gid_t gid) {
  if (gid != getegid()) return false;
  const struct group *entry = getgrgid(gid);
  if (entry == nullptr) return false;
  // Members listed by name are others: the user's own group lists nobody.
  return entry->gr_mem == nullptr || entry->gr_mem[0] == nullptr;
}

Sharing SharingOfStat(const struct stat &info) {
  if (info.st_uid != geteuid() && info.st_uid != 0) return Sharing::OtherOwner;
  // A link's own mode says nothing; what it leads to was looked at.
  if (S_ISLNK(info.st_mode)) return Sharing::Own;
  // The sticky bit keeps others from replacing what they do not own.
  if ((info.st_mode & S_IWOTH) != 0 && !(S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX)))
    return Sharing::WritableByOthers;
  if ((info.st_mode & S_IWGRP) != 0 && !PrivateGroup(info.st_gid)) return Sharing::WritableByOthers;
  return Sharing::Own;
}

}  // namespace

Sharing Folder::SharingOfSelf() const {
  struct stat info;
  return fstat(fd_, &info) == 0 ? SharingOfStat(info) : Sharing::Unknown;
}

Sharing Folder::SharingOf(const std::string &name, bool followLink) const {
  struct stat info;
  if (fstatat(fd_, name.c_str(), &info, followLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
    return Sharing::Unknown;
  return SharingOfStat(info);
}

bool Folder::SizeOf(const std::string &name, bool followLink, uint64_t &size) const {
  struct stat info;
  if (fstatat(fd_, name.c_str(), &info, followLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0) return false;
  size = static_cast<uint64_t>(info.st_size);
  return true;
}

Folder::~Folder() {
  if (fd_ >= 0) close(fd_);
}

std::unique_ptr<Folder> Folder::Open(const std::string &path) {
  if (path.empty()) return nullptr;
  const int fd = open(path.c_str(), kLookupOnly | O_DIRECTORY | O_CLOEXEC);
  struct stat info;
  if (fd < 0) return nullptr;
  std::unique_ptr<Folder> folder(new Folder);
  folder->fd_ = fd;
  if (fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode)) return nullptr;
  folder->identity_ = IdentityOf(info);
  return folder;
}

std::unique_ptr<Folder> Folder::Enter(const std::string &name, bool followLink,
                                      EnterResult &result) const {
  result = EnterResult::NotAFolder;
  const int flags = kLookupOnly | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
  const int fd = openat(fd_, name.c_str(), flags);
  if (fd < 0) {
    if (errno != ENOENT && errno != ENOTDIR && errno != ELOOP) result = EnterResult::Failed;
    return nullptr;
  }
  std::unique_ptr<Folder> folder(new Folder);
  folder->fd_ = fd;
  struct stat info;
  if (fstat(fd, &info) != 0) {
    result = EnterResult::Failed;
    return nullptr;
  }
  // O_PATH with O_NOFOLLOW opens a link itself rather than failing.
  if (!S_ISDIR(info.st_mode)) return nullptr;
  folder->identity_ = IdentityOf(info);
  result = EnterResult::Entered;
  return folder;
}

EntryType Folder::TypeOf(const std::string &name, bool followLink) const {
  struct stat info;
  if (fstatat(fd_, name.c_str(), &info, followLink ? 0 : AT_SYMLINK_NOFOLLOW) == 0)
    return TypeOfMode(info.st_mode);
  return errno == ENOENT || errno == ENOTDIR ? EntryType::Missing : EntryType::Failed;
}

PlainRead Folder::ReadPlain(const std::string &name, size_t maxBytes, std::string &content) const {
  return ReadPlainFileAt(fd_, name, maxBytes, content);
}

bool Folder::EachEntry(
    const std::function<void(const std::string &name, EntryType type)> &each) const {
  // Listing needs a descriptor opened for reading; the lookup descriptor
  // may not be one.
  const int fd = openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  std::unique_ptr<DIR, int (*)(DIR *)> listing(fdopendir(fd), closedir);
  if (listing == nullptr) {
    close(fd);
    return false;
  }
  errno = 0;
  while (struct dirent *entry = readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    EntryType type;
    switch (entry->d_type) {
      case DT_REG:
        type = EntryType::File;
        break;
      case DT_DIR:
        type = EntryType::Folder;
        break;
      case DT_LNK:
        type = EntryType::Link;
        break;
      case DT_UNKNOWN:
        type = TypeOf(name, false);
        break;
      default:
        type = EntryType::Other;
        break;
    }
    each(name, type);
    errno = 0;
  }
  return errno == 0;
}

}  // namespace os
