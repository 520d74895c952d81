// Reading the report of `cvs -q status` into one record per file.  Works on
// a stream alone, so it runs the same on a captured file and on test text.
#ifndef QUILLET_STATUS_REPORT_HPP
#define QUILLET_STATUS_REPORT_HPP

#include <stddef.h>
#include <stdio.h>

#include <atomic>
#include <functional>
#include <vector>

#include "far/far_api.hpp"

// One file's record of the report.  Every text has a fixed capacity (the
// array size less the terminator); longer values are cut to fit.  A name
// holds as much as the host's file-name field, so that every file the
// panel can list can get its state.
struct FileStatus {
  char Name[sizeof(FAR_FIND_DATA{}.cFileName)];
  char StatusText[48];
  char Letter;  // the panel's one-character state; 0 while none is known
  char WorkingRevision[24];
  char RepositoryRevision[24];
  char ExpansionOption[16];  // empty for "(default)"
  char StickyTag[32];        // these four are empty for "(none)"
  char StickyDate[32];
  char StickyOptions[32];
  char MergeFrom[32];
  // The reported name was longer than Name holds.  Such a record cannot be
  // matched to a file by name: the cut name could be another file's.
  bool NameCut;
  // The record carried an expansion-option line.  Clients that print none
  // (cvs 1.12 among them) give the keyword option only as a sticky option.
  bool HasExpansionOption;
  // The sticky tag names a branch ("name (branch: 1.17.2)"), not a revision.
  bool StickyBranch;
};

void ClearFileStatus(FileStatus &record);

// The panel's letter for a status text, and the text the panel shows for it.
char StatusLetter(const char *statusText);
const char *ShownStatusText(const char *statusText);

// Handles one whole line of a report (its line end, if left on, is
// ignored).  Returns true when the line is a separator, which ends the record
// before it: the caller takes that record (when it has a name) before the
// record is cleared for the next file.
bool IsRecordSeparator(const char *line);
void ReadReportLine(const char *line, const unsigned char decodeTable[256], FileStatus &record);

typedef std::function<void(const FileStatus &)> TakeRecord;

// Reads a whole report (a file opened in binary mode) line by line and
// hands every record that carries a name to `take`, in report order, as
// soon as the record is complete.  Each character of a name is decoded
// through `decodeTable`.
void ForEachStatusRecord(FILE *report, const unsigned char decodeTable[256],
                         const TakeRecord &take);
// The same for a report that cvs is still writing: the records are taken
// as the lines arrive, looking again every 25 milliseconds, until `ended`
// turns true; then, within a millisecond, the rest is read to the end.
// When `unclosed` is given, the record the report ends on is put there
// instead of being taken: no separator closed it, and a run cut short may
// have stopped in the middle of it, even of its status line.
void FollowStatusReport(FILE *report, const unsigned char decodeTable[256],
                        const std::atomic<bool> &ended, const TakeRecord &take,
                        FileStatus *unclosed = nullptr);
// The same, gathered into a list.
std::vector<FileStatus> ReadStatusReport(FILE *report, const unsigned char decodeTable[256]);

// The table that decodes every character to itself.
const unsigned char *IdentityTable();

#endif
