// What a working-copy folder's CVS/Entries and CVS/Entries.Log say about
// its subfolders and files, read the way cvs reads them.
#ifndef QUILLET_ENTRIES_FILE_HPP
#define QUILLET_ENTRIES_FILE_HPP

#include <string>
#include <vector>

struct FolderEntries {
  std::vector<std::string> Folders;  // "D/name/..." lines
  std::vector<std::string> Files;    // "/name/..." lines
  // A "D" line anywhere (the bare "D" line too, which cvs writes into a
  // folder without subfolders): cvs then enters only the folders named.
  // Without one it enters every subfolder that holds a CVS folder.
  bool NamesFolders = false;
};

// Reads the text of CVS/Entries, then the changes of CVS/Entries.Log
// ("A <line>" adds an entry, "R <line>" removes one).  A name that is
// empty or holds a NUL byte is left out: no file or folder has it.
FolderEntries ParseEntries(const std::string &entries, const std::string &log);

#endif
