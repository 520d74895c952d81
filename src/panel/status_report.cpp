// Reading `cvs -q status` reports.  The patterns follow the client's layout:
//
//   ===================================================================
//   File: name.c           <tab>Status: Locally Modified
//      Working revision:<tab>1.2<tab>date
//      Repository revision:<tab>1.2<tab>/repository/path,v
//      Sticky Tag:<tab><tab>(none)
//
// Lines that fit no pattern, such as the client's own error messages written
// into the same file, are passed over.  Each line is read whole and looked
// at once: its first word picks the one pattern it can match.
#include "panel/status_report.hpp"

#include <string.h>

#include "far/field_text.hpp"
#include "os/os.hpp"
#include "runner/output_lines.hpp"

namespace {

// White space as the C locale's isspace sees it.
inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

const char *SkipSpace(const char *p, const char *end) {
  while (p < end && IsSpace(*p)) ++p;
  return p;
}

// Matches `pattern` at `p`: a blank in the pattern stands for any run of
// white space, also none; every other character must match.  Returns where
// the match ends, or null.
const char *MatchWords(const char *p, const char *end, const char *pattern) {
  for (; *pattern != '\0'; ++pattern) {
    if (*pattern == ' ') {
      p = SkipSpace(p, end);
    } else if (p < end && *p == *pattern) {
      ++p;
    } else {
      return nullptr;
    }
  }
  return p;
}

struct StateName {
  const char *Reported;
  size_t Length;
  char Letter;
  const char *Shown;
};

#define QUILLET_STATE(reported, letter, shown) \
  { reported, sizeof(reported) - 1, letter, shown }
const StateName kStates[] = {
    QUILLET_STATE("Up-to-date", ' ', "Up-to-date"),
    QUILLET_STATE("Locally Modified", 'M', "Modified"),
    QUILLET_STATE("Needs Patch", 'U', "Needs Patch"),
    QUILLET_STATE("Locally Added", 'A', "Added"),
    QUILLET_STATE("Unresolved Conflict", 'c', "Unresolved Conflict"),
    QUILLET_STATE("File had conflicts on merge", 'C', "Conflicts"),
};
#undef QUILLET_STATE

const StateName *KnownState(const char *text, size_t length) {
  for (const StateName &state : kStates) {
    if (state.Length == length && memcmp(text, state.Reported, length) == 0) return &state;
  }
  return nullptr;
}

// The status label of a file line: the last "Status:" with white space
// before it that holds a tab.  Searching from the end lets a name hold a tab
// and even "Status:" itself.  Sets `nameEnd` to that tab.
const char *FindStatusLabel(const char *name, const char *end, const char *&nameEnd) {
  static const char kLabel[] = "Status:";
  const size_t labelLength = sizeof(kLabel) - 1;
  for (size_t offset = static_cast<size_t>(end - name); offset > labelLength;) {
    const char *at = name + --offset - labelLength + 1;
    if (at <= name) break;
    if (*at != 'S' || memcmp(at, kLabel, labelLength) != 0) continue;
    const char *space = at;
    while (space > name && IsSpace(space[-1])) --space;
    const char *tab =
        static_cast<const char *>(memchr(space, '\t', static_cast<size_t>(at - space)));
    if (tab == nullptr || tab == name) continue;
    nameEnd = tab;
    return at + labelLength;
  }
  return nullptr;
}

// The file line: "File: <name> <tab>Status: <text to the line end>".  cvs
// writes one blank after "File:", so a name's own leading blanks are kept.
bool ReadFileLine(const char *p, const char *end, const unsigned char decodeTable[256],
                  FileStatus &record) {
  p = MatchWords(p, end, "File:");
  if (p == nullptr) return false;
  if (p < end && *p == ' ') ++p;
  const char *nameEnd = nullptr;
  const char *status = FindStatusLabel(p, end, nameEnd);
  if (status == nullptr) return false;
  status = SkipSpace(status, end);
  if (status == end) return false;
  while (nameEnd > p && nameEnd[-1] == ' ') --nameEnd;

  // Decoded into the field; a character decoded to NUL ends the name.
  size_t length = 0;
  bool cut = false;
  for (const char *c = p; c < nameEnd; ++c) {
    char decoded = static_cast<char>(decodeTable[static_cast<unsigned char>(*c)]);
    if (decoded == '\0') break;
    if (length + 1 >= sizeof(record.Name)) {
      cut = true;
      break;
    }
    record.Name[length++] = decoded;
  }
  record.Name[length] = '\0';
  record.NameCut = cut;

  const size_t statusLength = static_cast<size_t>(end - status);
  const StateName *known = KnownState(status, statusLength);
  if (known != nullptr) {
    record.Letter = known->Letter;
    CopyToField(record.StatusText, known->Shown);
  } else {
    record.Letter = status[0];
    CopyToField(record.StatusText, status, statusLength);
  }
  return true;
}

// A field line: the label, then the value's first word.  `emptyValue` is the
// word that stands for no value.  Returns where the word ends, or null when
// the line is not this field.
template <size_t N>
const char *ReadField(const char *p, const char *end, const char *label, const char *emptyValue,
                      char (&field)[N]) {
  p = MatchWords(p, end, label);
  if (p == nullptr) return nullptr;
  p = SkipSpace(p, end);
  const char *wordEnd = p;
  while (wordEnd < end && !IsSpace(*wordEnd)) ++wordEnd;
  const size_t length = static_cast<size_t>(wordEnd - p);
  if (length == 0) return nullptr;
  if (emptyValue != nullptr && strlen(emptyValue) == length && memcmp(p, emptyValue, length) == 0)
    field[0] = '\0';
  else
    CopyToField(field, p, length);
  return wordEnd;
}

// "Sticky Tag:  name (branch: 1.17.2)" for a branch, "(revision: 1.3)" for
// an ordinary tag.
bool ReadStickyTag(const char *p, const char *end, FileStatus &record) {
  const char *after = ReadField(p, end, "Sticky Tag:", "(none)", record.StickyTag);
  if (after == nullptr) return false;
  record.StickyBranch =
      record.StickyTag[0] != '\0' && MatchWords(after, end, " (branch:") != nullptr;
  return true;
}

}  // namespace

void ClearFileStatus(FileStatus &record) { memset(&record, 0, sizeof(record)); }

char StatusLetter(const char *statusText) {
  const StateName *known = KnownState(statusText, strlen(statusText));
  return known != nullptr ? known->Letter : statusText[0];
}

const char *ShownStatusText(const char *statusText) {
  const StateName *known = KnownState(statusText, strlen(statusText));
  return known != nullptr ? known->Shown : statusText;
}

bool IsRecordSeparator(const char *line) { return strncmp(line, "===============", 15) == 0; }

void ReadReportLine(const char *line, const unsigned char decodeTable[256], FileStatus &record) {
  const char *end = line + strlen(line);
  // A line end left on the line is no part of its last value.
  if (end > line && end[-1] == '\n') --end;
  if (end > line && end[-1] == '\r') --end;
  const char *p = SkipSpace(line, end);
  if (p == end) return;
  switch (*p) {
    case 'F':
      ReadFileLine(p, end, decodeTable, record);
      break;
    case 'W':
      ReadField(p, end, "Working revision:", nullptr, record.WorkingRevision);
      break;
    case 'R':
      ReadField(p, end, "Repository revision:", nullptr, record.RepositoryRevision);
      break;
    case 'E':
      if (ReadField(p, end, "Expansion option:", "(default)", record.ExpansionOption))
        record.HasExpansionOption = true;
      break;
    case 'S':
      if (ReadStickyTag(p, end, record)) break;
      if (ReadField(p, end, "Sticky Date:", "(none)", record.StickyDate)) break;
      ReadField(p, end, "Sticky Options:", "(none)", record.StickyOptions);
      break;
    case 'M':
      ReadField(p, end, "Merge From:", "(none)", record.MergeFrom);
      break;
    default:
      break;
  }
}

namespace {

// Hands on every record of the lines that have come so far; the record
// still open stays in `record` for the lines to come.
void TakeArrivedRecords(OutputLines &lines, const unsigned char decodeTable[256],
                        FileStatus &record, const TakeRecord &take) {
  const char *line;
  size_t length;
  while (NextOutputLine(lines, line, length)) {
    if (IsRecordSeparator(line)) {
      if (record.Name[0] != '\0') take(record);
      ClearFileStatus(record);
      continue;
    }
    ReadReportLine(line, decodeTable, record);
  }
}

// The file is looked at every 25 ms: read every 2 ms, the file that cvs
// was appending to cost cvs itself some 5% more time.  Whether cvs has
// ended is looked at every millisecond, so that the last lines are read as
// soon as it has.
const int kFollowPauseMs = 1;
const int kReadEveryMs = 25;

}  // namespace

void ForEachStatusRecord(FILE *report, const unsigned char decodeTable[256],
                         const TakeRecord &take) {
  const std::atomic<bool> ended{true};
  FollowStatusReport(report, decodeTable, ended, take);
}

void FollowStatusReport(FILE *report, const unsigned char decodeTable[256],
                        const std::atomic<bool> &ended, const TakeRecord &take,
                        FileStatus *unclosed) {
  if (report == nullptr) return;
  if (decodeTable == nullptr) decodeTable = IdentityTable();
  FileStatus record;
  ClearFileStatus(record);
  OutputLines lines;
  StartOutputLines(lines, report);
  for (;;) {
    // Whatever the writer wrote before it ended is in the file once
    // `ended` reads true: one more pass then finds all of it.
    const bool last = ended.load();
    lines.Following = !last;
    TakeArrivedRecords(lines, decodeTable, record, take);
    if (last) break;
    for (int waited = 0; waited < kReadEveryMs && !ended.load(); waited += kFollowPauseMs)
      os::Pause(kFollowPauseMs);
  }
  if (unclosed != nullptr)
    *unclosed = record;
  else if (record.Name[0] != '\0')
    take(record);
}

std::vector<FileStatus> ReadStatusReport(FILE *report, const unsigned char decodeTable[256]) {
  std::vector<FileStatus> records;
  ForEachStatusRecord(report, decodeTable,
                      [&records](const FileStatus &record) { records.push_back(record); });
  return records;
}

namespace {
struct Identity {
  unsigned char Table[256];
  Identity() {
    for (int i = 0; i < 256; ++i) Table[i] = static_cast<unsigned char>(i);
  }
};
}  // namespace

const unsigned char *IdentityTable() {
  // Filled once, whichever thread asks first.
  static const Identity identity;
  return identity.Table;
}
