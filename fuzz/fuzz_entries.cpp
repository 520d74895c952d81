// A working copy's CVS/Entries and CVS/Entries.Log, any content ("entries
// <NUL> log"): the walk before a command takes subfolder names from them,
// and each must be a single name, never a path or nothing.
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "working_copy/entries_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string input(reinterpret_cast<const char *>(data), size);
  const size_t split = input.find('\0');
  const std::string entries = input.substr(0, split);
  const std::string log = split == std::string::npos ? "" : input.substr(split + 1);
  const FolderEntries found = ParseEntries(entries, log);
  for (const auto *names : {&found.Folders, &found.Files}) {
    for (const std::string &name : *names) {
      if (name.empty() || name.find_first_of(std::string("/\n\0", 3)) != std::string::npos)
        abort();
    }
  }
  if (!found.Folders.empty() && !found.NamesFolders) abort();
  return 0;
}
