// Reading `cvs -q status` reports.  The patterns follow the client's layout:
//
//   ===================================================================
//   File: name.c           <tab>Status: Locally Modified
//      Working revision:<tab>1.2<tab>date
//      Repository revision:<tab>1.2<tab>/repository/path,v
//      Sticky Tag:<tab><tab>(none)
//
// Lines that fit no pattern, such as the client's own error messages written
// into the same file, are passed over.
#include "panel/status_report.hpp"

#include <ctype.h>
#include <string.h>

#include <string>

#include "host/host.hpp"

namespace {

const char *SkipSpace(const char *p) {
  while (*p != '\0' && isspace(static_cast<unsigned char>(*p))) ++p;
  return p;
}

// Matches `pattern` at the start of `line`: a blank in the pattern stands
// for any run of white space, also none; every other character must match.
// Returns where the match ends, or null.
const char *MatchWords(const char *line, const char *pattern) {
  const char *p = line;
  for (; *pattern != '\0'; ++pattern) {
    if (*pattern == ' ') {
      p = SkipSpace(p);
    } else if (*p == *pattern) {
      ++p;
    } else {
      return nullptr;
    }
  }
  return p;
}

// The first run of non-blank characters after white space; empty when none.
std::string FirstWord(const char *p) {
  p = SkipSpace(p);
  const char *end = p;
  while (*end != '\0' && !isspace(static_cast<unsigned char>(*end))) ++end;
  return std::string(p, end);
}

// The file line: " File: <name up to the tab> Status: <text up to the line end>".
bool ReadFileLine(const char *line, const unsigned char decodeTable[256], FileStatus &record) {
  const char *p = MatchWords(line, " File:");
  if (p == nullptr) return false;
  p = SkipSpace(p);
  const char *nameEnd = strchr(p, '\t');
  if (nameEnd == nullptr) nameEnd = p + strlen(p);
  if (nameEnd == p) return false;
  std::string name(p, nameEnd);
  const char *status = MatchWords(nameEnd, " Status:");
  if (status == nullptr) return false;
  status = SkipSpace(status);
  const char *statusEnd = strchr(status, '\n');
  if (statusEnd == nullptr) statusEnd = status + strlen(status);
  if (statusEnd == status) return false;
  std::string text(status, statusEnd);

  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (char &c : name) c = static_cast<char>(decodeTable[static_cast<unsigned char>(c)]);
  name = std::string(name.c_str());  // a character decoded to 0 ends the name
  record.NameCut = name.size() >= sizeof(record.Name);
  CopyToField(record.Name, name);
  record.Letter = StatusLetter(text.c_str());
  CopyToField(record.StatusText, ShownStatusText(text.c_str()));
  return true;
}

// A field line: the label, then the value's first word.  `emptyValue` is the
// word that stands for no value.
template <size_t N>
bool ReadField(const char *line, const char *label, const char *emptyValue, char (&field)[N]) {
  const char *p = MatchWords(line, label);
  if (p == nullptr) return false;
  std::string value = FirstWord(p);
  if (value.empty()) return false;
  if (emptyValue != nullptr && value == emptyValue) value.clear();
  CopyToField(field, value);
  return true;
}

struct StateName {
  const char *Reported;
  char Letter;
  const char *Shown;
};

const StateName kStates[] = {
    {"Up-to-date", ' ', "Up-to-date"},
    {"Locally Modified", 'M', "Modified"},
    {"Needs Patch", 'U', "Needs Patch"},
    {"Locally Added", 'A', "Added"},
    {"Unresolved Conflict", 'c', "Unresolved Conflict"},
    {"File had conflicts on merge", 'C', "Conflicts"},
};

}  // namespace

void ClearFileStatus(FileStatus &record) { memset(&record, 0, sizeof(record)); }

char StatusLetter(const char *statusText) {
  for (const StateName &state : kStates) {
    if (strcmp(statusText, state.Reported) == 0) return state.Letter;
  }
  return statusText[0];
}

const char *ShownStatusText(const char *statusText) {
  for (const StateName &state : kStates) {
    if (strcmp(statusText, state.Reported) == 0) return state.Shown;
  }
  return statusText;
}

bool IsRecordSeparator(const char *line) { return strncmp(line, "===============", 15) == 0; }

void ReadReportLine(const char *line, const unsigned char decodeTable[256], FileStatus &record) {
  if (ReadFileLine(line, decodeTable, record)) return;
  if (ReadField(line, " Working revision:", nullptr, record.WorkingRevision)) return;
  if (ReadField(line, " Repository revision:", nullptr, record.RepositoryRevision)) return;
  if (ReadField(line, " Expansion option:", "(default)", record.ExpansionOption)) return;
  if (ReadField(line, " Sticky Tag:", "(none)", record.StickyTag)) return;
  if (ReadField(line, " Sticky Date:", "(none)", record.StickyDate)) return;
  if (ReadField(line, " Sticky Options:", "(none)", record.StickyOptions)) return;
  ReadField(line, " Merge From:", "(none)", record.MergeFrom);
}

std::vector<FileStatus> ReadStatusReport(FILE *report, const unsigned char decodeTable[256]) {
  std::vector<FileStatus> records;
  if (report == nullptr) return records;
  if (decodeTable == nullptr) decodeTable = IdentityTable();
  FileStatus record;
  ClearFileStatus(record);
  char line[kReportLineLength + 1];
  while (fgets(line, sizeof(line), report) != nullptr) {
    if (IsRecordSeparator(line)) {
      if (record.Name[0] != '\0') records.push_back(record);
      ClearFileStatus(record);
      continue;
    }
    ReadReportLine(line, decodeTable, record);
  }
  if (record.Name[0] != '\0') records.push_back(record);
  return records;
}

const unsigned char *IdentityTable() {
  static unsigned char table[256];
  static bool filled = false;
  if (!filled) {
    for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
    filled = true;
  }
  return table;
}
