// The panel's rows: every entry of the directory, with the CVS state of the
// files that cvs reports, and for the other plain files what can truly be
// said of them (see MarkFilesWithoutState).
#include "host/host.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/file_status.hpp"
#include "panel/folder_listing.hpp"
#include "panel/panel_items.hpp"
#include "runner/runner.hpp"
#include "ui/boxes.hpp"

int CvsPanel::GetFindData(PluginPanelItem **items, int *count) {
  *items = nullptr;
  *count = 0;
  StatesNotRead.clear();
  // A refresh (Ctrl+R) must see a CVS folder changed since the last one.
  ReadCvsContext();
  PanelListing listing;
  listing.Directory = Directory;
  if (CvsMayRun()) StatesNotRead = ReadCvsStatus(listing, Directory);
  if (listing.State == ListingState::NotRead) ListFolder(listing);
  if (listing.State == ListingState::PathTooLong) {
    StatesNotRead.clear();
    ShowErrorText(std::string(GetMsg(MPathTooLong)) + "\n" + Directory);
    return 1;
  }
  if (listing.State == ListingState::Unreadable) {
    StatesNotRead.clear();
    ShowErrorText(FormatText(CheckedFormat(MCannotRead), Directory.c_str()));
    return 1;
  }
  // An empty listing hands out no array: the host gives back a count of
  // 0, and an empty allocation would never be released.
  if (listing.Items.Count() == 0) return 1;
  MarkFilesWithoutState(listing, CvsMayRun());
  *count = static_cast<int>(listing.Items.Count());
  *items = listing.Items.Release();
  return 1;
}

void FreeFindItems(PluginPanelItem *items, int count) {
  // Back in its owner's hands, the array and its texts go with the owner.
  PanelItems::Adopt(items, count > 0 ? static_cast<size_t>(count) : 0);
}
