// Reading the names out of CVS/Entries and CVS/Entries.Log.
#include "working_copy/kept_files.hpp"

#include <memory>

#include "os/folder.hpp"
#include "working_copy/admin_folder.hpp"
#include "working_copy/entries_file.hpp"

KeptEntries ReadKeptEntries(const std::string &directory, const unsigned char decodeTable[256]) {
  KeptEntries kept;
  // Through the folder, so that a CVS that is a link (where cvs is refused)
  // is not read wherever it leads.
  std::unique_ptr<os::Folder> folder = os::Folder::Open(directory);
  if (folder == nullptr) return kept;
  std::string entries, log;
  if (ReadAdminFile(*folder, "Entries", entries) != os::PlainRead::Read) return kept;
  if (ReadAdminFile(*folder, "Entries.Log", log) != os::PlainRead::Read) log.clear();
  FolderEntries parsed = ParseEntries(entries, log);
  kept.Read = true;
  kept.Files = std::move(parsed.Files);
  kept.Folders = std::move(parsed.Folders);
  for (int c = 0; c < 256 && !kept.Decoded; ++c) kept.Decoded = decodeTable[c] != c;
  if (!kept.Decoded) return kept;
  kept.DecodedFiles.reserve(kept.Files.size());
  for (std::string name : kept.Files) {
    for (char &c : name) c = static_cast<char>(decodeTable[static_cast<unsigned char>(c)]);
    // A character decoded to NUL ends the name, as it does in the report.
    kept.DecodedFiles.insert(name.substr(0, name.find('\0')));
  }
  return kept;
}
