// Reading CVS/Entries and CVS/Entries.Log.
#include "runner/entries_file.hpp"

#include <string_view>
#include <unordered_map>

namespace {

// One entry line: "D" alone, "D/name/...", or "/name/...".
struct EntryLine {
  bool Folder = false;
  bool Bare = false;  // the bare "D" line
  std::string_view Name;
};

bool ReadEntryLine(std::string_view line, EntryLine &entry) {
  entry = EntryLine();
  size_t start = 0;
  if (!line.empty() && line[0] == 'D') {
    entry.Folder = true;
    if (line.size() == 1 || line[1] == '\r') {
      entry.Bare = true;
      return true;
    }
    start = 1;
  }
  if (line.size() <= start || line[start] != '/') return false;
  const size_t end = line.find('/', start + 1);
  if (end == std::string_view::npos) return false;
  entry.Name = line.substr(start + 1, end - start - 1);
  return !entry.Name.empty() && entry.Name.find('\0') == std::string_view::npos;
}

template <typename Each>
void EachLine(std::string_view text, Each each) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    each(text.substr(start, end - start));
    start = end + 1;
  }
}

// The names of one kind in the order first met, and whether each is there
// after every addition and removal: linear however many lines the log
// holds.  The names point into the texts read.
struct NameSet {
  std::vector<std::string_view> Order;
  std::unordered_map<std::string_view, bool> Present;
  void Set(std::string_view name, bool present) {
    auto found = Present.emplace(name, present);
    if (found.second) {
      Order.push_back(name);
    } else {
      found.first->second = present;
    }
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    names.reserve(Order.size());
    for (std::string_view name : Order)
      if (Present.at(name)) names.emplace_back(name);
    return names;
  }
};

}  // namespace

FolderEntries ParseEntries(const std::string &entries, const std::string &log) {
  FolderEntries result;
  NameSet folders, files;
  // Each line of Entries gives one name (an entry line is some 50 bytes).
  files.Present.reserve(entries.size() / 32);
  EntryLine entry;
  auto apply = [&](bool add) {
    result.NamesFolders = result.NamesFolders || entry.Folder;
    if (!entry.Bare) (entry.Folder ? folders : files).Set(entry.Name, add);
  };
  EachLine(entries, [&](std::string_view line) {
    if (ReadEntryLine(line, entry)) apply(true);
  });
  EachLine(log, [&](std::string_view line) {
    if (line.size() < 2 || (line[0] != 'A' && line[0] != 'R') || line[1] != ' ') return;
    if (ReadEntryLine(line.substr(2), entry)) apply(line[0] == 'A');
  });
  result.Folders = folders.Names();
  result.Files = files.Names();
  return result;
}
