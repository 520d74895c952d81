// Marking by state: a dry-run update tells which files are in a state, and
// exactly those become the selection of the active file panel.
#include <stdio.h>
#include <string.h>

#include "commands/commands.hpp"
#include "host/host.hpp"

namespace {

// Whole tree: the letter, at least one blank, then a path (it may hold "/").
const char kTreeTemplate[] = " X%*[ ] %s";
// This folder only: the letter, then a name up to a blank or "/".
const char kLocalTemplate[] = " X %[^ \t\n/]";

const size_t kLineSize = 300;
// The exit code cvs gives for its own failures, among them a file in
// conflict.
const int kCvsFailed = 1;

}  // namespace

bool ScanStateLine(const char *line, const char *letters, bool localOnly, std::string &name) {
  char pattern[sizeof kTreeTemplate > sizeof kLocalTemplate ? sizeof kTreeTemplate
                                                            : sizeof kLocalTemplate];
  char found[kLineSize];
  // A name is never longer than the line that holds it, and lines are read
  // in pieces shorter than the buffer.
  if (strlen(line) >= sizeof found) return false;
  for (const char *letter = letters; *letter != '\0'; ++letter) {
    CopyToField(pattern, localOnly ? kLocalTemplate : kTreeTemplate);
    pattern[1] = *letter;
    if (sscanf(line, pattern, found) == 1) {
      name = found;
      return true;
    }
  }
  return false;
}

namespace {

// Runs "cvs -n -q update [-l] <directory>" and reads its output in pieces of
// at most 299 characters (a longer line arrives as several pieces).  False
// when cvs failed (and that is not accepted: the failure is then shown) or
// the output cannot be read.  `acceptNonzero` accepts cvs's own failure
// code, 1, which it gives when a file is in conflict; a cvs killed by a
// signal, or one that crashed, gives another code and is reported.
bool ReadDryRunUpdate(const std::string &directory, bool localOnly, bool acceptNonzero,
                      std::vector<std::string> &pieces, int *exitCodeOut = nullptr) {
  CvsArgs args;
  args.push_back("cvs");
  args.push_back("-n");
  args.push_back("-q");
  args.push_back("update");
  if (localOnly) args.push_back("-l");
  args.push_back(directory.c_str());
  args.push_back(nullptr);

  std::string outputPath = TempFileNameOrSay("HOME");
  if (outputPath.empty()) return false;
  int exitCode = RunCvs(args.data(), outputPath.c_str());
  if (exitCodeOut != nullptr) *exitCodeOut = exitCode;
  // Only cvs's own failure code may be accepted: a negative code means cvs
  // never ran or was broken off, a code above 1 that it died, and then its
  // output may name only part of the states.
  if (exitCode != 0 && !(acceptNonzero && exitCode == kCvsFailed)) {
    ReportOutcome(exitCode, outputPath.c_str());
    os::RemoveFile(outputPath);
    return false;
  }

  FILE *output = fopen(outputPath.c_str(), "rt");
  if (output == nullptr) {
    os::RemoveFile(outputPath);
    return false;
  }
  char line[kLineSize];
  while (fgets(line, sizeof line, output) != nullptr) pieces.push_back(line);
  fclose(output);
  os::RemoveFile(outputPath);
  return true;
}

}  // namespace

bool QueryStates(const std::string &directory, Selection &names, const char *letters,
                 bool localOnly, bool acceptNonzero) {
  std::vector<std::string> pieces;
  if (!ReadDryRunUpdate(directory, localOnly, acceptNonzero, pieces)) return false;
  names.clear();
  std::string name;
  for (const std::string &piece : pieces) {
    if (ScanStateLine(piece.c_str(), letters, localOnly, name)) names.push_back(name);
  }
  return true;
}

bool CollectNewEntries(Selection &names) {
  std::vector<std::string> pieces;
  // A file in conflict anywhere in the folder makes the query end with 1;
  // its "?" lines are whole all the same.
  int exitCode = 0;
  if (!ReadDryRunUpdate(".", true, true, pieces, &exitCode)) return false;
  names.clear();
  std::string line;
  for (const std::string &piece : pieces) {
    line += piece;
    if (line.empty() || line.back() != '\n') continue;
    line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // "? name": the name runs to the end of the line, blanks and all.
    if (line.size() > 2 && line.compare(0, 2, "? ") == 0) names.push_back(line.substr(2));
    line.clear();
  }
  // A query that failed and named nothing new is a failure to report, not
  // an answer.
  if (names.empty() && exitCode != 0) {
    ShowErrorText("cvs could not tell which entries of this folder are new (exit code " +
                  std::to_string(exitCode) + ")");
    return false;
  }
  return true;
}

bool CollectModified(const std::string &directory, Selection &names, bool localOnly) {
  return QueryStates(directory, names, "MA", localOnly, false);
}

bool CollectConflicts(const std::string &directory, Selection &names, bool localOnly) {
  return QueryStates(directory, names, "C", localOnly, true);
}

bool MarkInPanel(Selection &names) {
  PanelInfo info;
  memset(&info, 0, sizeof info);
  if (!HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_GETPANELINFO, &info)) return false;
  if (info.PanelType != PTYPE_FILEPANEL || info.Plugin != 0) return false;

  // A file below a subfolder marks the subfolder's item.
  for (std::string &name : names) {
    size_t slash = name.find('/');
    if (slash != std::string::npos) name.erase(slash);
  }
  for (int i = 0; info.PanelItems != nullptr && i < info.ItemsNumber; ++i) {
    PluginPanelItem &item = info.PanelItems[i];
    const char *field = item.FindData.cFileName;
    std::string itemName(field, strnlen(field, sizeof item.FindData.cFileName));
    bool named = false;
    for (const std::string &name : names) {
      if (name == itemName) {
        named = true;
        break;
      }
    }
    if (named)
      item.Flags |= PPIF_SELECTED;
    else
      item.Flags &= ~PPIF_SELECTED;
  }
  HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_SETSELECTION, &info);
  HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_REDRAWPANEL, nullptr);
  return true;
}
