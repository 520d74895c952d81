// Reading a folder into the host's array.  The folder is read once; its
// entries are gathered first, so that the array is allocated once at the
// size of the entries and of the rows for what the disk lacks.
#include "panel/folder_listing.hpp"

#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>
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
  // One look-up per name on each side: which entries of the disk CVS/Entries
  // keeps, and which of its names the disk lacks.
  struct Row {
    std::string_view Name;
    const os::DirectoryEntry *Entry;  // null for a name the disk lacks
    bool Folder;                      // of a name the disk lacks
    bool Kept;
  };
  std::vector<Row> rows;
  rows.reserve(entries.size());
  for (const os::DirectoryEntry &entry : entries) rows.push_back({entry.Name, &entry, false, false});
  if (kept != nullptr && kept->Read) {
    std::unordered_map<std::string_view, bool> named;  // name -> met on the disk
    named.reserve(kept->Files.size() + kept->Folders.size());
    for (const std::string &name : kept->Files) named.emplace(name, false);
    for (const std::string &name : kept->Folders) named.emplace(name, false);
    for (Row &row : rows) {
      auto found = named.find(row.Name);
      if (found == named.end()) continue;
      found->second = true;
      row.Kept = true;
    }
    auto addMissing = [&](const std::vector<std::string> &names, bool folder) {
      for (const std::string &name : names) {
        auto found = named.find(name);
        if (found->second || !fits(name)) continue;
        found->second = true;  // a name written twice is one row
        rows.push_back({name, nullptr, folder, true});
      }
    };
    addMissing(kept->Files, false);
    addMissing(kept->Folders, true);
  }
  // Sorted here, where the names lie close together, and written into the
  // array in that order.
  std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.Name < b.Name; });
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
