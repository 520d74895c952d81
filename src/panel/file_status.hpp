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
// Runs `cvs -q status -l` in `directory`, reads the folder into `listing`
// while cvs runs, and writes every record of the report into its item as
// the record is read.  When cvs never started, the listing is left unread
// for the caller; when the folder cannot be listed, no state is read.  A
// run that fails or is broken off keeps the states of the files it
// covered; a failure is shown with its exit code and output, a break is
// not.  Returns empty when cvs reported on the whole folder, else a short
// line saying why the states were not read.
std::string ReadCvsStatus(PanelListing &listing, const std::string &directory);

// Gives every plain file without a state what the panel can truly say of
// it.  In a folder where cvs runs (`cvsRuns`): nothing where cvs keeps the
// file but gave no state for it (the run failed, or the name could not be
// matched), "Ignored" where cvs's ignore rules pass over it; "Unknown"
// otherwise, and everywhere outside such a folder.
void MarkFilesWithoutState(PanelListing &listing, bool cvsRuns);
// Marks a plain file that has no state: "Unknown", one column "?", '?'.
void MarkUnknown(PluginPanelItem &item);
// Marks a plain file that cvs ignores: "Ignored", no letter.
void MarkIgnored(PluginPanelItem &item);

#endif
