// Reading the names out of CVS/Entries and CVS/Entries.Log.
#include "panel/kept_files.hpp"

#include "runner/admin_folder.hpp"

namespace {

// Calls `each` with every line of `text`, without its line end.
template <typename Each>
void EachLine(const std::string &text, Each each) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    size_t length = end - at;
    if (length > 0 && text[end - 1] == '\r') --length;
    each(text.substr(at, length));
    at = end + 1;
  }
}

std::string Decoded(std::string name, const unsigned char decodeTable[256]) {
  for (char &c : name) c = static_cast<char>(decodeTable[static_cast<unsigned char>(c)]);
  // A character decoded to NUL ends the name, as it does in the report.
  return name.substr(0, name.find('\0'));
}

}  // namespace

bool EntryFileName(const std::string &line, std::string &name) {
  if (line.size() < 2 || line[0] != '/') return false;
  const size_t end = line.find('/', 1);
  if (end == std::string::npos || end == 1) return false;
  name = line.substr(1, end - 1);
  return true;
}

std::unordered_set<std::string> KeptFiles(const std::string &directory,
                                          const unsigned char decodeTable[256]) {
  std::unordered_set<std::string> names;
  std::string content, name;
  if (ReadAdminFile(directory, "Entries", content) != os::PlainRead::Read) return names;
  EachLine(content, [&](const std::string &line) {
    if (EntryFileName(line, name)) names.insert(Decoded(name, decodeTable));
  });
  if (ReadAdminFile(directory, "Entries.Log", content) != os::PlainRead::Read) return names;
  EachLine(content, [&](const std::string &line) {
    // "A /name/..." adds an entry, "R /name/..." takes one away.
    if (line.size() < 2 || line[1] != ' ' || !EntryFileName(line.substr(2), name)) return;
    if (line[0] == 'A') names.insert(Decoded(name, decodeTable));
    if (line[0] == 'R') names.erase(Decoded(name, decodeTable));
  });
  return names;
}
