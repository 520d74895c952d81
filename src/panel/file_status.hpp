// Writing CVS states into the panel's items, and asking cvs for them.
#ifndef QUILLET_FILE_STATUS_HPP
#define QUILLET_FILE_STATUS_HPP

#include <string>

#include "far/far_api.hpp"
#include "panel/folder_listing.hpp"
#include "panel/panel_items.hpp"
#include "panel/status_report.hpp"

// Writes one record into one item: description, the four status columns,
// the letter in UserData and the highlighting bits of the attributes.
// Texts the item held before are released first.
void ApplyFileStatus(PluginPanelItem &item, const FileStatus &record);
// Writes a record into the listed item of its name, if there is one.  A
// record whose name was cut matches nothing: the cut name could be another
// file's.
void ApplyRecord(PanelListing &listing, const FileStatus &record);
// Runs `cvs -q status -l` in `directory`, whose rows `listing` holds, and
// writes every record of the report into its row as the record is read.
// A run that fails or is broken off keeps the states of the files it
// covered; a failure is shown with its exit code and output, a break is
// not.  Returns empty when cvs reported on the whole folder, else a short
// line saying why the states were not read.
std::string ReadCvsStatus(PanelListing &listing, const std::string &directory);

// How far cvs got with the rows of a folder.
enum class RowsCvsRead {
  NotAWorkingCopy,  // the folder is none: cvs knows nothing of its files
  NotRun,           // a working copy on which cvs was not run
  Ran,              // cvs ran (to its end or not)
};
// Gives every row that has no state what the panel can truly say of it.
// A plain file that CVS/Entries (`kept`) names, or every plain file where
// that could not be read, is "Not read" (cvs ran and gave no state for it)
// or "Not run"; one that it does not name is "Ignored" where cvs's ignore
// rules pass over it and "Unknown" otherwise; outside a working copy every
// plain file is "Unknown".  A missing folder is "Missing folder" ('N').
// Folders on the disk keep no state.
void MarkRowsWithoutState(PanelListing &listing, const KeptEntries &kept, RowsCvsRead read);
// Gives a row a state of the panel's own: the letter in its one column and
// its UserData, the text as its description.
void MarkRow(PluginPanelItem &item, char letter, const char *text);

#endif
