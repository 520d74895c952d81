// The panel's rows built in place: the folder is read straight into the
// array that is handed to the host, sorted there, and the CVS states are
// written into it by name.  No second copy of the items is ever made.
#ifndef QUILLET_FOLDER_LISTING_HPP
#define QUILLET_FOLDER_LISTING_HPP

#include <stddef.h>

#include <string>

#include "far/far_api.hpp"
#include "panel/panel_items.hpp"

// PathTooLong: the folder's own path leaves no room in the host's file-name
// field for the name of any entry.
enum class ListingState { NotRead, Read, Unreadable, PathTooLong };

struct PanelListing {
  std::string Directory;
  PanelItems Items;
  size_t NameOffset = 0;  // where the bare name starts in every item's file name
  ListingState State = ListingState::NotRead;
};

// Reads `listing.Directory` into the array: every entry except ".", ".."
// and "CVS", each with the full path as its file name (an entry whose full
// path does not fit the host's field is left out), in byte order of the
// bare names.  Sets State to Read, or (with no items) to PathTooLong or to
// Unreadable when the folder cannot be listed.
void ListFolder(PanelListing &listing);
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
