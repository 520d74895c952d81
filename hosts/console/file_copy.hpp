// Copying and moving entries between folders (F5, F6).  Every file is
// written whole or not at all: it is copied under a temporary name beside
// its destination and renamed into place, so a failure or a stop leaves no
// half-written file, and a link planted at the destination is replaced,
// never written through.  Folders are copied with everything in them
// (built under a temporary name too when they are new), without following
// a link inside them; files keep their mode and change time; a link is
// copied as a link.  A move renames where it can and copies, then deletes
// the source, across file systems.
#ifndef QUILLET_CONSOLE_FILE_COPY_HPP
#define QUILLET_CONSOLE_FILE_COPY_HPP

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

namespace console {

// Where each source goes: `destination` (relative to `folder`) is an
// existing folder that takes them all under their names, or, for one
// source, the new path itself.  False, with the reason, when it names
// neither, or when a source would go onto itself or into itself.
bool CopyTargets(const std::vector<std::string> &sources, const std::string &destination,
                 const std::string &folder, std::vector<std::string> &targets, std::string &error);

enum class Existing { Replace, Skip, Stop };

struct CopyProgress {
  std::string Name;               // the entry being copied
  size_t Entry = 0, Entries = 0;  // the source being worked on, of how many
  uint64_t Done = 0, Size = 0;    // the current file's bytes
};

struct CopyHooks {
  // The destination `target` exists: replace it, skip this entry, or stop.
  std::function<Existing(const std::string &target)> AskReplace;
  // Called as bytes are copied; false stops (the file in work is removed).
  std::function<bool(const CopyProgress &progress)> Progress;
};

struct CopyReport {
  size_t Done = 0;                    // sources copied or moved whole
  std::vector<std::string> Failures;  // each with its reason
  bool Stopped = false;
};

// Copies (or moves) each source to its target.
CopyReport CopyEntries(const std::vector<std::string> &sources,
                       const std::vector<std::string> &targets, bool move, CopyHooks &hooks);

}  // namespace console

#endif
