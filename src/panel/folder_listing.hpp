// The panel's rows built in place: the folder is read straight into the
// array that is handed to the host, sorted there, and the CVS states are
// written into it by name.  No second copy of the items is ever made.
#ifndef QUILLET_FOLDER_LISTING_HPP
#define QUILLET_FOLDER_LISTING_HPP

#include <stddef.h>

#include <string>
#include <vector>

#include "far/far_api.hpp"
#include "panel/panel_items.hpp"
#include "working_copy/kept_files.hpp"

// PathTooLong: the folder's own path leaves no room in the host's file-name
// field for the name of any entry.
enum class ListingState { NotRead, Read, Unreadable, PathTooLong };

struct PanelListing {
  std::string Directory;
  PanelItems Items;
  size_t NameOffset = 0;  // where the bare name starts in every item's file name
  ListingState State = ListingState::NotRead;
  // The entries the listing named as no plain file or folder (links,
  // FIFOs, devices...), for the check of tracked files before cvs runs.
  std::vector<std::string> NotPlain;
};

// A row's UserData: the state letter in the low byte, and this bit on a row
// that stands for an entry which CVS/Entries names but the disk lacks (a
// lost or removed file, a missing folder).
const DWORD_PTR kNoFileRow = 0x100;
// While the rows are made: CVS/Entries names the row.  Cleared before the
// host gets them.
const DWORD_PTR kKeptRow = 0x200;
// The attributes of such a row: no data here, and nothing the host would
// hide or refuse to act on.  A missing folder is a folder row as well.
const DWORD kNoFileAttributes = FILE_ATTRIBUTE_OFFLINE;

inline bool IsNoFileRow(const PluginPanelItem &item) { return (item.UserData & kNoFileRow) != 0; }
inline char RowLetter(const PluginPanelItem &item) {
  return static_cast<char>(item.UserData & 0xFF);
}

// Reads `listing.Directory` into the array, reading the folder once: every
// entry except ".", ".." and "CVS", each with the full path as its file name
// (an entry whose full path does not fit the host's field is left out), and
// a row (kNoFileRow, no size, no times) for every file and folder that
// `kept` names but the folder lacks, the rows that `kept` names carrying
// kKeptRow; in byte order of the bare names.  Sets
// State to Read, or (with no items) to PathTooLong or to Unreadable when
// the folder cannot be listed.
void ListFolder(PanelListing &listing, const KeptEntries *kept = nullptr);
// Whether the items of `directory` can carry their full paths at all.
bool FolderPathFits(const std::string &directory);
// Orders the items by their file names, byte by byte (unsigned), a prefix
// before the longer name.
void SortListing(PanelListing &listing);
// The item whose bare name is exactly `name`, or null.
PluginPanelItem *FindListed(PanelListing &listing, const char *name);
// Releases the items and what they own, and empties the listing.
void ReleaseListing(PanelListing &listing);

#endif
