// Reading the report of `cvs -q status` into one record per file.  Works on
// a stream alone, so it runs the same on a captured file and on test text.
#ifndef QUILLET_STATUS_REPORT_HPP
#define QUILLET_STATUS_REPORT_HPP

#include <stdio.h>

#include <vector>

// One file's record of the report.  Every text has a fixed capacity (the
// array size less the terminator); longer values are cut to fit.
struct FileStatus {
  char Name[128];
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
};

// Longest line taken at once; a longer line is taken in pieces, and each
// piece is handled as a line of its own.
constexpr int kReportLineLength = 311;

void ClearFileStatus(FileStatus &record);

// The panel's letter for a status text, and the text the panel shows for it.
char StatusLetter(const char *statusText);
const char *ShownStatusText(const char *statusText);

// Handles one line of a report.  Returns true when the line is a separator,
// which ends the record before it: the caller takes that record (when it has
// a name) before the record is cleared for the next file.
bool IsRecordSeparator(const char *line);
void ReadReportLine(const char *line, const unsigned char decodeTable[256], FileStatus &record);

// Reads a whole report: every record that carries a name, in report order.
// Each character of a name is decoded through `decodeTable`.
std::vector<FileStatus> ReadStatusReport(FILE *report, const unsigned char decodeTable[256]);

// The table that decodes every character to itself.
const unsigned char *IdentityTable();

#endif
