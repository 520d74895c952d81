// Reading CVS/Entries and CVS/Entries.Log.
#include "runner/entries_file.hpp"

#include <unordered_map>

namespace {

// One entry line: "D" alone, "D/name/...", or "/name/...".
struct EntryLine {
  bool Folder = false;
  bool Bare = false;  // the bare "D" line
  std::string Name;
};

bool ReadEntryLine(const std::string &line, EntryLine &entry) {
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
  if (end == std::string::npos) return false;
  entry.Name = line.substr(start + 1, end - start - 1);
  return !entry.Name.empty() && entry.Name.find('\0') == std::string::npos;
}

template <typename Each>
void EachLine(const std::string &text, Each each) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    each(text.substr(start, end - start));
    start = end + 1;
  }
}

// The names of one kind in the order first met, and whether each is there
// after every addition and removal: linear however many lines the log holds.
struct NameSet {
  std::vector<std::string> Order;
  std::unordered_map<std::string, bool> Present;
  void Set(const std::string &name, bool present) {
    auto found = Present.emplace(name, present);
    if (found.second) {
      Order.push_back(name);
    } else {
      found.first->second = present;
    }
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const std::string &name : Order)
      if (Present.at(name)) names.push_back(name);
    return names;
  }
};

}  // namespace

FolderEntries ParseEntries(const std::string &entries, const std::string &log) {
  FolderEntries result;
  NameSet folders, files;
  EntryLine entry;
  auto apply = [&](bool add) {
    result.NamesFolders = result.NamesFolders || entry.Folder;
    if (!entry.Bare) (entry.Folder ? folders : files).Set(entry.Name, add);
  };
  EachLine(entries, [&](const std::string &line) {
    if (ReadEntryLine(line, entry)) apply(true);
  });
  EachLine(log, [&](const std::string &line) {
    if (line.size() < 2 || (line[0] != 'A' && line[0] != 'R') || line[1] != ' ') return;
    if (ReadEntryLine(line.substr(2), entry)) apply(line[0] == 'A');
  });
  result.Folders = folders.Names();
  result.Files = files.Names();
  return result;
}
