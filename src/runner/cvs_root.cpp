// Reading CVS/Root safely, and the rule that keeps a root's method options
// from starting programs without the user's consent.
#include "runner/cvs_root.hpp"

#include <algorithm>
#include <vector>

#include "host/host.hpp"
#include "os/os.hpp"
#include "os/plain_file.hpp"

namespace {
// The root as shown in the warning box.
const size_t kShownRootLength = 200;
const int kMaxFolders = 10000;
}  // namespace

bool ReadRootLine(const std::string &path, size_t maxChars, std::string &line) {
  const os::PlainRead read = os::ReadPlainFile(path, maxChars, line);
  if (read != os::PlainRead::Read && read != os::PlainRead::TooLarge) {
    line.clear();
    return false;
  }
  line.resize(std::min(line.size(), line.find_first_of(std::string("\r\n\0", 3))));
  return true;
}

bool RootCarriesOptions(const std::string &root) {
  if (root.empty() || root[0] != ':') return false;
  size_t methodEnd = root.find(':', 1);
  return root.find(';', 1) < methodEnd;
}

namespace {

// FindRootWithOptions with a budget of folders: links that lead back up the
// tree would otherwise make the walk grow without end.  A walk that runs out
// of budget answers as if it had found such a root, so that the user is
// asked rather than a root left unseen.
bool WalkForRootWithOptions(const std::string &dir, int maxDepth, int &budget, std::string &where,
                            std::string &root) {
  const std::string admin = dir + os::kSep + "CVS";
  if (!os::IsDirectory(admin)) return false;
  if (--budget < 0) {
    where = dir;
    root = "(not checked: more than " + std::to_string(kMaxFolders) + " working-copy folders)";
    return true;
  }
  std::string line;
  if (ReadRootLine(admin + os::kSep + "Root", kRootLineLength, line) && RootCarriesOptions(line)) {
    where = dir;
    root = line;
    return true;
  }
  if (maxDepth <= 0) return false;
  std::vector<FAR_FIND_DATA> entries;
  if (!os::ListDirectory(dir, entries)) return false;
  for (const FAR_FIND_DATA &entry : entries) {
    const std::string name = entry.cFileName;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == ".." ||
        name == "CVS")
      continue;
    if (WalkForRootWithOptions(dir + os::kSep + name, maxDepth - 1, budget, where, root))
      return true;
  }
  return false;
}

}  // namespace

bool FindRootWithOptions(const std::string &dir, int maxDepth, std::string &where,
                         std::string &root) {
  int budget = kMaxFolders;
  return WalkForRootWithOptions(dir, maxDepth, budget, where, root);
}

bool MayRunOnCurrentFolderRoot() {
  std::string where, root;
  if (!FindRootWithOptions(".", kRootWalkDepth, where, root)) return true;
  if (root.size() > kShownRootLength) root = root.substr(0, kShownRootLength) + "...";
  const std::string heading =
      where == "." ? std::string("This folder's CVS/Root gives its access method options:")
                   : "The CVS/Root of " + where.substr(2) + " gives its access method options:";
  const char *items[] = {"Warning",
                         heading.c_str(),
                         root.c_str(),
                         "cvs would obey them, and they can name a program for it to start.",
                         "Run cvs on this folder all the same?",
                         "Cancel",
                         "Run"};
  const int count = static_cast<int>(sizeof items / sizeof items[0]);
  // "Cancel" comes first, so that Enter and Esc alike run nothing.
  return HostInfo.Message(HostInfo.ModuleNumber, FMSG_WARNING, nullptr, items, count, 2) == 1;
}
