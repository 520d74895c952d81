// The panel's rows: every entry of the directory, with the CVS state of the
// files that cvs reports and "Unknown" for the other plain files.
#include "panel/cvs_panel.hpp"
#include "panel/file_status.hpp"
#include "panel/folder_listing.hpp"
#include "runner/runner.hpp"

int CvsPanel::GetFindData(PluginPanelItem **items, int *count) {
  *items = nullptr;
  *count = 0;
  // A refresh (Ctrl+R) must see a CVS folder changed since the last one.
  ReadCvsContext();
  PanelListing listing;
  listing.Directory = Directory;
  try {
    if (CvsMayRun()) ReadCvsStatus(listing, Directory);
    if (listing.State == ListingState::NotRead) ListFolder(listing);
    if (listing.State == ListingState::Unreadable) {
      ReleaseListing(listing);
      ShowErrorText("Cannot read the folder " + Directory);
      return 1;
    }
    // An empty listing hands out no array: the host gives back a count of
    // 0, and an empty allocation would never be released.
    if (listing.Count == 0) {
      ReleaseListing(listing);
      return 1;
    }
    for (size_t i = 0; i < listing.Count; ++i) {
      PluginPanelItem &item = listing.Items[i];
      if (item.CustomColumnData == nullptr &&
          !(item.FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        MarkUnknown(item);
      }
    }
  } catch (...) {
    ReleaseListing(listing);
    throw;
  }
  *items = listing.Items;
  *count = static_cast<int>(listing.Count);
  return 1;
}

void FreeFindItems(PluginPanelItem *items, int count) {
  if (items == nullptr || count <= 0) return;
  for (int i = 0; i < count; ++i) ReleaseItemTexts(items[i]);
  delete[] items;
}
