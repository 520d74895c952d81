// File stamps.
#include "console/file_stamp.hpp"

#include <sys/stat.h>

namespace console {

bool FileStamp::operator==(const FileStamp &other) const {
  if (Exists != other.Exists) return false;
  return !Exists || (Device == other.Device && Inode == other.Inode && Size == other.Size &&
                     Seconds == other.Seconds && Nanoseconds == other.Nanoseconds);
}

FileStamp StampOf(const std::string &path) {
  FileStamp stamp;
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return stamp;
  stamp.Exists = true;
  stamp.Device = static_cast<uint64_t>(info.st_dev);
  stamp.Inode = static_cast<uint64_t>(info.st_ino);
  stamp.Size = static_cast<uint64_t>(info.st_size);
  stamp.Seconds = static_cast<int64_t>(info.st_mtim.tv_sec);
  stamp.Nanoseconds = static_cast<int64_t>(info.st_mtim.tv_nsec);
  return stamp;
}

}  // namespace console
