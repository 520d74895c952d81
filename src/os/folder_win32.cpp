// Open folders on Windows: the folder's path, and each lookup a path below
// it.  A path the system cannot take counts as a folder that cannot be
// entered, so a walk stops there rather than pass it over.
#include <windows.h>

#include "os/folder.hpp"
#include "os/search_handle_win32.hpp"

namespace os {

namespace {

const char *const kDeviceNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};

FolderIdentity IdentityOf(const std::string &path) {
  FolderIdentity identity;
  HANDLE handle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return identity;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(handle, &info)) {
    identity.Device = info.dwVolumeSerialNumber;
    identity.Node = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.Known = true;
  }
  CloseHandle(handle);
  return identity;
}

EntryType TypeOfAttributes(DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryType::Link;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryType::Folder;
  return EntryType::File;
}

bool NamesDevice(const std::string &name) {
  std::string base = name.substr(0, name.find('.'));
  for (char &c : base) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  for (const char *device : kDeviceNames)
    if (base == device) return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

Folder::~Folder() {}

std::unique_ptr<Folder> Folder::Open(const std::string &path) {
  if (path.empty()) return nullptr;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return nullptr;
  std::unique_ptr<Folder> folder(new Folder);
  folder->path_ = path;
  if (folder->path_.back() == '\\' || folder->path_.back() == '/') folder->path_.pop_back();
  folder->identity_ = IdentityOf(path);
  return folder;
}

std::unique_ptr<Folder> Folder::Enter(const std::string &name, bool followLink,
                                      EnterResult &result) const {
  const std::string path = path_ + "\\" + name;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  result = EnterResult::NotAFolder;
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      result = EnterResult::Failed;
    return nullptr;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) && !followLink) return nullptr;
  std::unique_ptr<Folder> folder(new Folder);
  folder->path_ = path;
  folder->identity_ = IdentityOf(path);
  result = EnterResult::Entered;
  return folder;
}

EntryType Folder::TypeOf(const std::string &name, bool followLink) const {
  if (followLink && NamesDevice(name)) return EntryType::Other;
  const std::string path = path_ + "\\" + name;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? EntryType::Missing
                                                                          : EntryType::Failed;
  }
  if (!followLink || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return TypeOfAttributes(attributes);
  HANDLE handle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return EntryType::Failed;
  EntryType type = EntryType::Other;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info))
    type = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryType::Folder : EntryType::File;
  CloseHandle(handle);
  return type;
}

PlainRead Folder::ReadPlain(const std::string &name, size_t maxBytes, std::string &content) const {
  return ReadPlainFile(path_ + "\\" + name, maxBytes, content);
}

Sharing Folder::SharingOfSelf() const { return Sharing::Own; }

Sharing Folder::SharingOf(const std::string &name, bool followLink) const {
  (void)followLink;
  return TypeOf(name, false) == EntryType::Failed ? Sharing::Unknown : Sharing::Own;
}

bool Folder::SizeOf(const std::string &name, bool followLink, uint64_t &size) const {
  (void)followLink;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA((path_ + "\\" + name).c_str(), GetFileExInfoStandard, &data))
    return false;
  size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

bool Folder::EachEntry(
    const std::function<void(const std::string &name, EntryType type)> &each) const {
  WIN32_FIND_DATAA found;
  SearchHandle search(FindFirstFileA((path_ + "\\*").c_str(), &found));
  if (!search) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") each(name, TypeOfAttributes(found.dwFileAttributes));
  } while (FindNextFileA(search.Handle, &found));
  return GetLastError() == ERROR_NO_MORE_FILES;
}

}  // namespace os
