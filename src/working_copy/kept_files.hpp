// The files cvs keeps in a working-copy folder: those its CVS/Entries names,
// with the additions and removals CVS/Entries.Log still holds (cvs merges
// that log in whenever it reads the folder).  Whatever the report says of a
// file, one named here is not unknown to cvs.
#ifndef QUILLET_KEPT_FILES_HPP
#define QUILLET_KEPT_FILES_HPP

#include <string>
#include <unordered_set>
#include <vector>

struct KeptEntries {
  // Entries could be read: without it nothing is known to be kept.
  bool Read = false;
  // The names as they stand in the files (and on the disk).
  std::vector<std::string> Files;
  std::vector<std::string> Folders;
  // Where the host's table changes some character: the file names decoded
  // through it, as the names of the status report are.  Where it changes
  // none, the listing's own look-up tells which rows are kept.
  bool Decoded = false;
  std::unordered_set<std::string> DecodedFiles;
};

// Reads `directory`'s CVS/Entries and CVS/Entries.Log once, for everything a
// refresh asks of them.
KeptEntries ReadKeptEntries(const std::string &directory, const unsigned char decodeTable[256]);

#endif
