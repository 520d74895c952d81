// Reading CVS/Entries and CVS/Entries.Log as the cvs client reads them
// (found by experiment with the real client, 1.12):
// - a line that holds a NUL byte is passed over whole;
// - an entry is "/name/rev/time/options/rest" for a file and
//   "D/name/x/x/x/rest" for a folder: the name and three more fields each
//   end in "/"; a line with fewer is no entry, and neither is one with an
//   empty name;
// - any line that begins with "D", an entry or not, the bare "D" included,
//   tells cvs that the folder's subfolders are listed;
// - entries are kept by name alone, files and folders in one table: a later
//   line for the same name replaces the earlier one, whichever its kind;
// - a log line whose second character is a space is a command ("A " adds
//   the entry after it, "R " removes the entry of its name, any other
//   letter is passed over); any other log line is an entry added as it is.
#include "working_copy/entries_file.hpp"

#include <string.h>

#include <unordered_map>

namespace {

// Fields after the name that end in "/" in a whole entry.
const int kFieldsAfterName = 3;

// One entry line: "D/name/...", or "/name/...".
struct EntryLine {
  bool Folder = false;
  std::string Name;
};

// Reads an entry from `line` (`length` bytes, no NUL); false when it is none.
bool ReadEntryLine(const char *line, size_t length, EntryLine &entry) {
  entry = EntryLine();
  size_t start = 0;
  if (length > 0 && line[0] == 'D') {
    entry.Folder = true;
    start = 1;
  }
  if (length <= start || line[start] != '/') return false;
  const char *end = line + length;
  const char *name = line + start + 1;
  const char *slash = static_cast<const char *>(memchr(name, '/', static_cast<size_t>(end - name)));
  if (slash == nullptr || slash == name) return false;
  const char *field = slash + 1;
  for (int i = 0; i < kFieldsAfterName; ++i) {
    const char *next =
        static_cast<const char *>(memchr(field, '/', static_cast<size_t>(end - field)));
    if (next == nullptr) return false;
    field = next + 1;
  }
  entry.Name.assign(name, static_cast<size_t>(slash - name));
  return true;
}

// Calls `each(line, length)` for every line of `text` that holds no NUL.
template <typename Each>
void EachLine(const std::string &text, Each each) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const char *line = text.data() + start;
    if (memchr(line, '\0', end - start) == nullptr) each(line, end - start);
    start = end + 1;
  }
}

// The entries by name in the order first met, and what each is after every
// addition and removal: linear however many lines the log holds.
struct EntryTable {
  enum State : char { Gone, File, Folder };
  std::vector<std::string> Order;
  std::unordered_map<std::string, State> Now;
  void Set(const std::string &name, State state) {
    auto found = Now.emplace(name, state);
    if (found.second) {
      Order.push_back(name);
    } else {
      found.first->second = state;
    }
  }
  std::vector<std::string> Names(State state) const {
    std::vector<std::string> names;
    for (const std::string &name : Order)
      if (Now.at(name) == state) names.push_back(name);
    return names;
  }
};

}  // namespace

FolderEntries ParseEntries(const std::string &entries, const std::string &log) {
  FolderEntries result;
  EntryTable table;
  EntryLine entry;
  // Reads the entry text of one line; the table changes by `command`.
  auto apply = [&](const char *line, size_t length, char command) {
    if (length > 0 && line[0] == 'D') result.NamesFolders = true;
    if (!ReadEntryLine(line, length, entry)) return;
    if (command == 'A')
      table.Set(entry.Name, entry.Folder ? EntryTable::Folder : EntryTable::File);
    else if (command == 'R')
      table.Set(entry.Name, EntryTable::Gone);
  };
  EachLine(entries, [&](const char *line, size_t length) { apply(line, length, 'A'); });
  EachLine(log, [&](const char *line, size_t length) {
    if (length >= 2 && line[1] == ' ')
      apply(line + 2, length - 2, line[0]);
    else
      apply(line, length, 'A');
  });
  result.Folders = table.Names(EntryTable::Folder);
  result.Files = table.Names(EntryTable::File);
  return result;
}
