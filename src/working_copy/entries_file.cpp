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

#include <stdint.h>
#include <string.h>

#include <string_view>

namespace {

// Fields after the name that end in "/" in a whole entry.
const int kFieldsAfterName = 3;

// One entry line: "D/name/...", or "/name/..."; the name points into the
// text read.
struct EntryLine {
  bool Folder = false;
  std::string_view Name;
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
  entry.Name = std::string_view(name, static_cast<size_t>(slash - name));
  return true;
}

// Calls `each(line, length)` for every line of `text` that holds no NUL.
template <typename Each>
void EachLine(const std::string &text, Each each) {
  const char *start = text.data();
  const char *const end = start + text.size();
  while (start < end) {
    const char *newline =
        static_cast<const char *>(memchr(start, '\n', static_cast<size_t>(end - start)));
    const char *lineEnd = newline != nullptr ? newline : end;
    const size_t length = static_cast<size_t>(lineEnd - start);
    if (memchr(start, '\0', length) == nullptr) each(start, length);
    start = lineEnd + 1;
  }
}

// The entries by name in the order first met, and what each is after every
// addition and removal: linear however many lines the two files hold.  A
// working copy's folder may name tens of thousands of files and the panel
// reads them at every refresh, so the names stay in the texts read and are
// found through a table of their own (open addressing, at most half full,
// growing with the entries found) rather than copied into nodes.
class EntryTable {
 public:
  enum State : char { Gone, File, Folder };

  // Room for about `expected` names before the table grows.
  explicit EntryTable(size_t expected) {
    size_t size = 1024;
    while (size < 2 * expected) size *= 2;
    slots_.assign(size, 0);
    entries_.reserve(expected);
  }

  void Set(std::string_view name, State state) {
    size_t at = Find(name);
    if (slots_[at] != 0) {
      entries_[slots_[at] - 1].Now = state;
      return;
    }
    entries_.push_back({name, state});
    slots_[at] = static_cast<uint32_t>(entries_.size());
    if (2 * entries_.size() >= slots_.size()) Grow();
  }

  std::vector<std::string> Names(State state) const {
    std::vector<std::string> names;
    for (const Entry &entry : entries_)
      if (entry.Now == state) names.emplace_back(entry.Name);
    return names;
  }

 private:
  struct Entry {
    std::string_view Name;
    State Now;
  };

  static size_t Hash(std::string_view name) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    return static_cast<size_t>(hash ^ (hash >> 29));
  }

  // The slot that holds `name`, or the empty slot where it would go.
  size_t Find(std::string_view name) const {
    const size_t mask = slots_.size() - 1;
    for (size_t at = Hash(name) & mask;; at = (at + 1) & mask) {
      const uint32_t slot = slots_[at];
      if (slot == 0 || entries_[slot - 1].Name == name) return at;
    }
  }

  void Grow() {
    slots_.assign(slots_.size() * 2, 0);
    for (size_t i = 0; i < entries_.size(); ++i)
      slots_[Find(entries_[i].Name)] = static_cast<uint32_t>(i + 1);
  }

  std::vector<Entry> entries_;
  std::vector<uint32_t> slots_;  // 1 + the entry's index; 0 where empty
};

}  // namespace

FolderEntries ParseEntries(const std::string &entries, const std::string &log) {
  FolderEntries result;
  // An entry line takes some 40 bytes ("/name/1.1/date//"): the table is
  // made for about that many, and grows where the lines are shorter.
  EntryTable table((entries.size() + log.size()) / 40);
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
