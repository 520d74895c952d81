// The panel's rows: every entry of the directory, with the CVS state of the
// files that cvs reports, and for the other plain files what can truly be
// said of them (see MarkFilesWithoutState).
#include "panel/cvs_panel.hpp"
#include "panel/file_status.hpp"
#include "panel/folder_listing.hpp"
#include "runner/runner.hpp"

int CvsPanel::GetFindData(PluginPanelItem **items, int *count) {
  *items = nullptr;
  *count = 0;
  StatesNotRead.clear();
  // A refresh (Ctrl+R) must see a CVS folder changed since the last one.
  ReadCvsContext();
  PanelListing listing;
  listing.Directory = Directory;
  try {
    if (CvsMayRun()) StatesNotRead = ReadCvsStatus(listing, Directory);
    if (listing.State == ListingState::NotRead) ListFolder(listing);
    if (listing.State == ListingState::PathTooLong) {
      StatesNotRead.clear();
      ShowErrorText("The path of this folder is too long for its files to be listed:\n" +
                    Directory);
      return 1;
    }
    if (listing.State == ListingState::Unreadable) {
      ReleaseListing(listing);
      StatesNotRead.clear();
      ShowErrorText("Cannot read the folder " + Directory);
      return 1;
    }
    // An empty listing hands out no array: the host gives back a count of
    // 0, and an empty allocation would never be released.
    if (listing.Count == 0) {
      ReleaseListing(listing);
      return 1;
    }
    MarkFilesWithoutState(listing, CvsMayRun());
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
