// The panel's rows: every entry of the directory and every entry that the
// folder's CVS/Entries names but the disk lacks, with the CVS state of the
// files that cvs reports, and for the other rows what can truly be said of
// them (see MarkRowsWithoutState).  One refresh reads the folder once and
// CVS/Entries once, and joins the report to those rows as it is read.
#include "os/os.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/file_status.hpp"
#include "panel/folder_listing.hpp"
#include "panel/panel_items.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "working_copy/admin_folder.hpp"
#include "working_copy/kept_files.hpp"

#include "ui/boxes.hpp"
#include "ui/host_panel.hpp"

int CvsPanel::GetFindData(PluginPanelItem **items, int *count) {
  *items = nullptr;
  *count = 0;
  StatesNotRead.clear();
  // A refresh (Ctrl+R) must see a CVS folder changed since the last one;
  // its tracked files are looked at below, from the listing.
  ReadCvsContext(false);
  KeptEntries kept;
  if (InWorkingCopy) {
    unsigned char decodeTable[256];
    HostDecodeTable(decodeTable);
    kept = ReadKeptEntries(Directory, decodeTable);
  }
  PanelListing listing;
  listing.Directory = Directory;
  ListFolder(listing, InWorkingCopy ? &kept : nullptr);
  if (listing.State == ListingState::PathTooLong) {
    ShowErrorText(std::string(MessageText(MPathTooLong)) + "\n" + Directory);
    return 1;
  }
  if (listing.State == ListingState::Unreadable) {
    ShowErrorText(FormatText(CheckedFormat(MCannotRead), Directory.c_str()));
    return 1;
  }
  // cvs reads a tracked file whose time has changed to its end: a FIFO or
  // a device under a tracked name would hold it for ever.
  if (CvsMayRun() && !listing.NotPlain.empty())
    CvsRefusal = TrackedFileRefusal(
        Directory, listing.NotPlain,
        std::unordered_set<std::string>(kept.Files.begin(), kept.Files.end()));
  if (CvsMayRun()) StatesNotRead = ReadCvsStatus(listing, Directory);
  // An empty listing hands out no array: the host gives back a count of
  // 0, and an empty allocation would never be released.
  if (listing.Items.Count() == 0) return 1;
  MarkRowsWithoutState(listing, kept,
                       !InWorkingCopy   ? RowsCvsRead::NotAWorkingCopy
                       : !CvsMayRun()   ? RowsCvsRead::NotRun
                                        : RowsCvsRead::Ran);
  *count = static_cast<int>(listing.Items.Count());
  *items = listing.Items.Release();
  return 1;
}

void FreeFindItems(PluginPanelItem *items, int count) {
  // Back in its owner's hands, the array and its texts go with the owner.
  PanelItems::Adopt(items, count > 0 ? static_cast<size_t>(count) : 0);
}
