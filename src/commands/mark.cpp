// Marking by state: a dry-run update tells which files are in a state, and
// exactly those become the selection of the active file panel.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "commands/commands.hpp"
#include "os/plain_file.hpp"
#include "runner/output_lines.hpp"
#include "runner/temp_file.hpp"
#include "ui/boxes.hpp"
#include "ui/cvs_run.hpp"
#include "ui/host_panel.hpp"
#include "working_copy/admin_folder.hpp"
#include "working_copy/entries_file.hpp"

namespace {

inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

#ifdef _WIN32
const bool kLinesEndInCrLf = true;
#else
const bool kLinesEndInCrLf = false;
#endif

// Whether `name`, read from cvs output about the queried folder, is a path
// inside it: relative, with no empty, "." or ".." part (nor, on Windows, a
// drive or a backslash), so that "../x" or "/etc/passwd" never counts.
bool IsPathInside(const std::string &name) {
  if (name.empty()) return false;
#ifdef _WIN32
  if (name.find_first_of("\\:") != std::string::npos) return false;
#endif
  size_t start = 0;
  for (;;) {
    const size_t end = std::min(name.find('/', start), name.size());
    const std::string part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (end == name.size()) return true;
    start = end + 1;
  }
}

// The names the folder's CVS/Entries knows: cvs never reports one of them
// as unknown, so a "?" line that seems to name one is a cut name (a file
// whose own name holds a line end).
std::unordered_set<std::string> TrackedNames(const std::string &directory) {
  std::string entries, log;
  ReadAdminFile(directory, "Entries", entries);
  ReadAdminFile(directory, "Entries.Log", log);
  const FolderEntries known = ParseEntries(entries, log);
  std::unordered_set<std::string> names(known.Files.begin(), known.Files.end());
  names.insert(known.Folders.begin(), known.Folders.end());
  return names;
}

}  // namespace

bool ScanStateLine(const char *line, const char *letters, bool localOnly, std::string &name) {
  const char *end = line + strlen(line);
  if (end > line && end[-1] == '\n') --end;
  // The Windows client ends its lines with CR LF, and no Windows name holds
  // a CR; elsewhere a CR before the line end belongs to the name.
  if (kLinesEndInCrLf && end > line && end[-1] == '\r') --end;
  const char *p = line;
  while (p < end && IsSpace(*p)) ++p;
  if (p == end || strchr(letters, *p) == nullptr) return false;
  ++p;
  // cvs writes the letter, one blank and the name: the name runs to the
  // end of the line, its own blanks (leading ones too) included.
  if (localOnly) {
    // This folder only: the blank may be missing ("?foo"); a name never
    // holds "/", so what follows one is not part of it.
    if (p < end && *p == ' ') ++p;
    const char *slash = static_cast<const char *>(memchr(p, '/', static_cast<size_t>(end - p)));
    if (slash != nullptr) end = slash;
  } else {
    // Whole tree: the blank is required, and the name is a path.
    if (p == end || *p != ' ') return false;
    ++p;
  }
  if (p == end) return false;
  name.assign(p, end);
  return true;
}

namespace {

// Every line of `output`, cut at a NUL as a C string would be, with "\n".
void ReadWholeLines(FILE *output, std::vector<std::string> &lines) {
  OutputLines reader;
  StartOutputLines(reader, output);
  reader.KeepCarriageReturn = !kLinesEndInCrLf;
  const char *text;
  size_t length;
  while (NextOutputLine(reader, text, length)) {
    lines.emplace_back(text, strnlen(text, length));
    lines.back() += '\n';
  }
}

// The lines of the file at `path`; false when it cannot be opened.
bool ReadOutputFile(const std::string &path, std::vector<std::string> &lines) {
  const os::OwnedFile output = OpenTempFile(path, "rb");
  if (output == nullptr) return false;
  ReadWholeLines(output.get(), lines);
  return true;
}

// Runs "cvs -n -q update [-l] <directory>" and reads its output as whole
// lines, however long, each with a "\n" at its end.  False when cvs failed
// (the failure is then shown) or the output cannot be read.  cvs ends such
// a run with its failure code 1 whenever a file is in conflict, with its
// answer whole all the same: `acceptNonzero` accepts that code whatever
// caused it; without it, 1 counts only where a conflict explains it.  A
// cvs killed by a signal, or one that crashed, gives another code and is
// always reported: its output may name only part of the states.
bool ReadDryRunUpdate(const std::string &directory, bool localOnly, bool acceptNonzero,
                      std::vector<std::string> &lines) {
  CvsArgs args = {"cvs", "-n", "-q", "update"};
  if (localOnly) args.Add("-l");
  args.Add(directory);

  CvsRun cvs(acceptNonzero ? ExitRule::CvsAnswered : ExitRule::ConflictExplains, "HOME");
  if (!cvs.Ready()) return false;
  if (!cvs.Run(args).Ok()) {
    cvs.Show();
    return false;
  }
  return ReadOutputFile(cvs.OutputPath(), lines);
}

}  // namespace

bool QueryStateLetters(const std::string &directory, Selection &names, std::string &letterOf,
                       const char *letters, bool localOnly, bool acceptNonzero) {
  std::vector<std::string> lines;
  if (!ReadDryRunUpdate(directory, localOnly, acceptNonzero, lines)) return false;
  names.clear();
  letterOf.clear();
  std::unordered_set<std::string> tracked;
  if (strchr(letters, '?') != nullptr) tracked = TrackedNames(directory);
  std::string name;
  for (const std::string &line : lines) {
    if (!ScanStateLine(line.c_str(), letters, localOnly, name) || !IsPathInside(name)) continue;
    const size_t letter = line.find_first_not_of(" \t\v\f\r");
    if (line[letter] == '?' && tracked.count(name) != 0) continue;
    names.push_back(name);
    letterOf += line[letter];
  }
  return true;
}

bool QueryStates(const std::string &directory, Selection &names, const char *letters,
                 bool localOnly, bool acceptNonzero) {
  std::string letterOf;
  return QueryStateLetters(directory, names, letterOf, letters, localOnly, acceptNonzero);
}

bool CollectNewEntries(Selection &names) {
  std::vector<std::string> lines;
  if (!ReadDryRunUpdate(".", true, false, lines)) return false;
  names.clear();
  const std::unordered_set<std::string> tracked = TrackedNames(".");
  std::string name;
  for (const std::string &line : lines) {
    // "? name": the name runs to the end of the line, blanks and all; it
    // counts only when it names an entry of this folder, exactly.
    if (line.compare(0, 2, "? ") != 0 || !ScanStateLine(line.c_str(), "?", false, name)) continue;
    if (name.find('/') == std::string::npos && IsPathInside(name) && tracked.count(name) == 0 &&
        os::EntryExists(name))
      names.push_back(name);
  }
  return true;
}

bool CollectModified(const std::string &directory, Selection &names, bool localOnly) {
  return QueryStates(directory, names, "MA", localOnly, false);
}

bool CollectChanges(const std::string &directory, Selection &changed, Selection &removed) {
  Selection names;
  std::string letterOf;
  if (!QueryStateLetters(directory, names, letterOf, "MAR", false, false)) return false;
  changed.clear();
  removed.clear();
  for (size_t i = 0; i < names.size(); ++i)
    (letterOf[i] == 'R' ? removed : changed).push_back(names[i]);
  return true;
}

bool CollectConflicts(const std::string &directory, Selection &names, bool localOnly) {
  // A conflict ends the query with 1, but so does a missing repository:
  // the code counts only where a conflict line explains it.
  return QueryStates(directory, names, "C", localOnly, false);
}

bool MarkInPanel(Selection &names) {
  PanelInfo info;
  if (!ReadActivePanel(info)) return false;
  if (info.PanelType != PTYPE_FILEPANEL || info.Plugin != 0) return false;

  // A file below a subfolder marks the subfolder's item.
  for (std::string &name : names) {
    size_t slash = name.find('/');
    if (slash != std::string::npos) name.erase(slash);
  }
  // One lookup per item keeps the marking linear in names plus items.
  const std::unordered_set<std::string_view> named(names.begin(), names.end());
  for (int i = 0; info.PanelItems != nullptr && i < info.ItemsNumber; ++i) {
    PluginPanelItem &item = info.PanelItems[i];
    const char *field = item.FindData.cFileName;
    std::string_view itemName(field, strnlen(field, sizeof item.FindData.cFileName));
    if (named.count(itemName) != 0)
      item.Flags |= PPIF_SELECTED;
    else
      item.Flags &= ~PPIF_SELECTED;
  }
  SelectInActivePanel(info);
  return true;
}
