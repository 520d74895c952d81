// Reading the names out of CVS/Entries and CVS/Entries.Log.
#include "panel/kept_files.hpp"

#include "runner/admin_folder.hpp"
#include "runner/entries_file.hpp"

std::unordered_set<std::string> KeptFiles(const std::string &directory,
                                          const unsigned char decodeTable[256]) {
  std::unordered_set<std::string> names;
  std::string entries, log;
  if (ReadAdminFile(directory, "Entries", entries) != os::PlainRead::Read) return names;
  if (ReadAdminFile(directory, "Entries.Log", log) != os::PlainRead::Read) log.clear();
  for (std::string name : ParseEntries(entries, log).Files) {
    for (char &c : name) c = static_cast<char>(decodeTable[static_cast<unsigned char>(c)]);
    // A character decoded to NUL ends the name, as it does in the report.
    names.insert(name.substr(0, name.find('\0')));
  }
  return names;
}
