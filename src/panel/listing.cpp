// The panel's rows: every entry of the directory, with the CVS state of the
// files that cvs reports and "Unknown" for the other plain files.
#include <string.h>

#include <vector>

#include "host/host.hpp"
#include "os/os.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/file_status.hpp"
#include "panel/panel_paths.hpp"
#include "runner/runner.hpp"

namespace {

bool IsListed(const char *name) {
  return strcmp(name, ".") != 0 && strcmp(name, "..") != 0 && strcmp(name, "CVS") != 0;
}

void ReleaseAll(ItemMap &items) {
  for (ItemMap::value_type &entry : items) ReleaseItemTexts(entry.second);
  items.clear();
}

}  // namespace

int CvsPanel::GetFindData(PluginPanelItem **items, int *count) {
  *items = nullptr;
  *count = 0;
  std::vector<FAR_FIND_DATA> entries;
  if (!os::ListDirectory(Directory, entries)) {
    ShowErrorText("Cannot read the folder " + Directory);
    return 1;
  }

  ItemMap itemsByName;
  PluginPanelItem *array = nullptr;
  try {
    for (const FAR_FIND_DATA &entry : entries) {
      if (!IsListed(entry.cFileName)) continue;
      // Items carry full paths; one that does not fit the host's field is
      // left out rather than shown under a cut, wrong name.
      const std::string fullPath = JoinPath(Directory, entry.cFileName, os::kSep);
      PluginPanelItem item;
      if (fullPath.size() >= sizeof(item.FindData.cFileName)) continue;
      memset(&item, 0, sizeof(item));
      item.FindData = entry;
      CopyToField(item.FindData.cFileName, fullPath);
      itemsByName.emplace(entry.cFileName, item);
    }
    if (CvsMayRun()) ReadCvsStatus(itemsByName, Directory);
    for (ItemMap::value_type &entry : itemsByName) {
      PluginPanelItem &item = entry.second;
      if (item.CustomColumnData == nullptr &&
          !(item.FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        MarkUnknown(item);
      }
    }
    // An empty listing hands out no array: the host gives back a count of
    // 0, and an empty allocation would never be released.
    if (itemsByName.empty()) return 1;
    array = new PluginPanelItem[itemsByName.size()];
  } catch (...) {
    ReleaseAll(itemsByName);
    throw;
  }
  int index = 0;
  for (const ItemMap::value_type &entry : itemsByName) array[index++] = entry.second;
  itemsByName.clear();
  *items = array;
  *count = index;
  return 1;
}

void FreeFindItems(PluginPanelItem *items, int count) {
  if (items == nullptr || count <= 0) return;
  for (int i = 0; i < count; ++i) ReleaseItemTexts(items[i]);
  delete[] items;
}
