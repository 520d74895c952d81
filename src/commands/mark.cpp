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

bool QueryStates(const std::string &directory, Selection &names, const char *letters,
                 bool localOnly, bool acceptNonzero) {
  CvsArgs args;
  args.push_back("cvs");
  args.push_back("-n");
  args.push_back("-q");
  args.push_back("update");
  if (localOnly) args.push_back("-l");
  args.push_back(directory.c_str());
  args.push_back(nullptr);

  std::string outputPath = TempFileName("HOME");
  if (outputPath.empty()) return false;
  int exitCode = RunCvs(args.data(), outputPath.c_str());
  if (exitCode != 0 && !acceptNonzero) {
    ReportOutcome(exitCode, outputPath.c_str());
    os::RemoveFile(outputPath);
    return false;
  }

  FILE *output = fopen(outputPath.c_str(), "rt");
  if (output == nullptr) {
    os::RemoveFile(outputPath);
    return false;
  }
  names.clear();
  char line[kLineSize];
  std::string name;
  while (fgets(line, sizeof line, output) != nullptr) {
    if (ScanStateLine(line, letters, localOnly, name)) names.push_back(name);
  }
  fclose(output);
  os::RemoveFile(outputPath);
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
  for (int i = 0; i < info.ItemsNumber; ++i) {
    PluginPanelItem &item = info.PanelItems[i];
    bool named = false;
    for (const std::string &name : names) {
      if (name == item.FindData.cFileName) {
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
