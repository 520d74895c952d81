// What a working-copy folder's CVS/Entries and CVS/Entries.Log say about
// its subfolders and files, read the way cvs reads them.
#ifndef QUILLET_ENTRIES_FILE_HPP
#define QUILLET_ENTRIES_FILE_HPP

#include <string>
#include <vector>

struct FolderEntries {
  std::vector<std::string> Folders;  // "D/name/..." lines
  std::vector<std::string> Files;    // "/name/..." lines
  // A line that begins with "D" anywhere, an entry or not (the bare "D"
  // line too, which cvs writes into a folder without subfolders): cvs then
  // enters only the folders named.  Without one it enters every subfolder
  // that holds a CVS folder.
  bool NamesFolders = false;
};

// Reads the text of CVS/Entries, then the changes of CVS/Entries.Log, line
// by line as the cvs client does (see entries_file.cpp): "A <line>" adds an
// entry, "R <line>" removes the entry of that name, and a line without a
// command letter is an entry added.  A name is never empty and never holds
// a "/" or a NUL byte.
FolderEntries ParseEntries(const std::string &entries, const std::string &log);

#endif
