// Reading a folder into the host's array.  The folder is read once; its
// entries are gathered first, so that the array is allocated once at the
// size of the entries and of the rows for what the disk lacks.
#include "panel/folder_listing.hpp"

#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <numeric>
#include <string_view>
#include <vector>

#include "far/field_text.hpp"
#include "os/os.hpp"
#include "panel/panel_paths.hpp"

namespace {

bool IsListed(const char *name) {
  return strcmp(name, ".") != 0 && strcmp(name, "..") != 0 && strcmp(name, "CVS") != 0;
}

FILETIME ToHostTime(uint64_t ticks) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return time;
}

// The host's find data of an entry, its file name `prefix` and the bare name.
void FillFindData(FAR_FIND_DATA &data, const os::DirectoryEntry &entry, const std::string &prefix) {
  data.dwFileAttributes = entry.Attributes;
  data.ftCreationTime = ToHostTime(entry.CreationTime);
  data.ftLastAccessTime = ToHostTime(entry.LastAccessTime);
  data.ftLastWriteTime = ToHostTime(entry.LastWriteTime);
  data.nFileSizeHigh = static_cast<DWORD>(entry.Size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(entry.Size & 0xFFFFFFFFu);
  data.dwReserved0 = entry.Reserved0;
  data.dwReserved1 = entry.Reserved1;
  CopyToField(data.cFileName, prefix.c_str());
  CopyToField(data.cFileName + prefix.size(), sizeof data.cFileName - prefix.size(),
              entry.Name.c_str());
  if (entry.ShortName.size() < sizeof data.cAlternateFileName)
    CopyToField(data.cAlternateFileName, entry.ShortName.c_str());
}

// The first 8 bytes of a name as a number that orders as the bytes do
// (unsigned, a shorter name first: it is padded with zeros, and no name
// holds a zero byte).
uint64_t OrderKey(std::string_view name) {
  uint64_t key = 0;
  for (size_t i = 0; i < 8; ++i)
    key = (key << 8) | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0u);
  return key;
}

const char *BareName(const PanelListing &listing, size_t index) {
  return listing.Items[index].FindData.cFileName + listing.NameOffset;
}

}  // namespace

bool FolderPathFits(const std::string &directory) {
  return JoinPath(directory, "", os::kSep).size() + 1 < sizeof(FAR_FIND_DATA{}.cFileName);
}

void ListFolder(PanelListing &listing, const KeptEntries *kept) {
  ReleaseListing(listing);
  listing.NotPlain.clear();
  const std::string prefix = JoinPath(listing.Directory, "", os::kSep);
  const size_t room = sizeof(FAR_FIND_DATA{}.cFileName);
  if (!FolderPathFits(listing.Directory)) {
    listing.State = ListingState::PathTooLong;
    return;
  }
  listing.NameOffset = prefix.size();
  // Items carry full paths; one that does not fit the host's field is left
  // out rather than shown under a cut, wrong name.  A name holding a NUL
  // byte (which no listing gives) could not be shown whole either.
  auto fits = [&](const std::string &name) {
    return IsListed(name.c_str()) && prefix.size() + name.size() < room &&
           name.find('\0') == std::string::npos;
  };
  // The entries are gathered first, so that the array is allocated once at
  // its size; what they hold is smaller than the items made of them.
  std::vector<os::DirectoryEntry> entries;
  const bool read = os::EachDirectoryEntry(listing.Directory, [&](const os::DirectoryEntry &entry) {
    if (fits(entry.Name)) entries.push_back(entry);
  });
  if (!read) {
    listing.State = ListingState::Unreadable;
    return;
  }
  // Both sides are sorted and walked together once: which entries of the
  // disk CVS/Entries keeps, and which of its names the disk lacks.
  struct Row {
    std::string_view Name;
    uint64_t Key;                     // the name's first 8 bytes, for a quick order
    const os::DirectoryEntry *Entry;  // null for a name the disk lacks
    bool Folder;                      // of a name the disk lacks
    bool Kept;
  };
  auto before = [](const Row &a, const Row &b) {
    return a.Key != b.Key ? a.Key < b.Key : a.Name < b.Name;
  };
  std::vector<Row> onDisk;
  onDisk.reserve(entries.size());
  for (const os::DirectoryEntry &entry : entries)
    onDisk.push_back({entry.Name, OrderKey(entry.Name), &entry, false, false});
  std::sort(onDisk.begin(), onDisk.end(), before);
  std::vector<Row> named;
  if (kept != nullptr && kept->Read) {
    named.reserve(kept->Files.size() + kept->Folders.size());
    for (const std::string &name : kept->Files)
      if (fits(name)) named.push_back({name, OrderKey(name), nullptr, false, true});
    for (const std::string &name : kept->Folders)
      if (fits(name)) named.push_back({name, OrderKey(name), nullptr, true, true});
    // A name written twice is one row, the first kind given.
    std::stable_sort(named.begin(), named.end(), before);
  }
  std::vector<Row> rows;
  rows.reserve(onDisk.size() + named.size());
  size_t disk = 0, name = 0;
  while (disk < onDisk.size() || name < named.size()) {
    if (name < named.size() && name > 0 && named[name].Name == named[name - 1].Name) {
      ++name;
    } else if (name == named.size() || (disk < onDisk.size() && before(onDisk[disk], named[name]))) {
      rows.push_back(onDisk[disk++]);
    } else if (disk == onDisk.size() || before(named[name], onDisk[disk])) {
      rows.push_back(named[name++]);
    } else {
      rows.push_back(onDisk[disk++]);
      rows.back().Kept = !named[name++].Folder;
    }
  }
  listing.Items.Reserve(rows.size());
  for (const Row &row : rows) {
    PluginPanelItem &item = listing.Items.Add();
    if (row.Entry != nullptr) {
      if (row.Entry->NotPlain) listing.NotPlain.push_back(row.Entry->Name);
      FillFindData(item.FindData, *row.Entry, prefix);
    } else {
      item.FindData.dwFileAttributes =
          kNoFileAttributes | (row.Folder ? FILE_ATTRIBUTE_DIRECTORY : 0);
      CopyToField(item.FindData.cFileName, prefix.c_str());
      CopyToField(item.FindData.cFileName + prefix.size(), room - prefix.size(), row.Name.data(),
                  row.Name.size());
      item.UserData = kNoFileRow;
    }
    if (row.Kept) item.UserData |= kKeptRow;
  }
  listing.State = ListingState::Read;
}

void SortListing(PanelListing &listing) {
  // The order is found on indexes and then carried out by moving each item
  // once, along the cycles of the permutation.
  std::vector<uint32_t> order(listing.Items.Count());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [&listing](uint32_t a, uint32_t b) {
    return strcmp(BareName(listing, a), BareName(listing, b)) < 0;
  });
  PluginPanelItem *items = listing.Items.Data();
  for (uint32_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    PluginPanelItem held = items[start];
    uint32_t at = start;
    while (order[at] != start) {
      uint32_t from = order[at];
      items[at] = items[from];
      order[at] = at;
      at = from;
    }
    items[at] = held;
    order[at] = at;
  }
}

PluginPanelItem *FindListed(PanelListing &listing, const char *name) {
  size_t low = 0, high = listing.Items.Count();
  while (low < high) {
    size_t middle = low + (high - low) / 2;
    int order = strcmp(BareName(listing, middle), name);
    if (order == 0) return &listing.Items[middle];
    if (order < 0)
      low = middle + 1;
    else
      high = middle;
  }
  return nullptr;
}

void ReleaseListing(PanelListing &listing) { listing.Items.Clear(); }
