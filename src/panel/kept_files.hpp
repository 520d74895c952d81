// The files cvs keeps in a working-copy folder: those its CVS/Entries names,
// with the additions and removals CVS/Entries.Log still holds (cvs merges
// that log in whenever it reads the folder).  Whatever the report says of a
// file, one named here is not unknown to cvs.
#ifndef QUILLET_KEPT_FILES_HPP
#define QUILLET_KEPT_FILES_HPP

#include <string>
#include <unordered_set>

// The bare names of the files (not the folders) that `directory`'s CVS
// folder records, each character decoded through `decodeTable` as the
// names of the status report are.  Empty when Entries cannot be read.
std::unordered_set<std::string> KeptFiles(const std::string &directory,
                                          const unsigned char decodeTable[256]);

#endif
