// Reading CVS/Root safely, and the rule that keeps a root's method options
// from starting programs without the user's consent.
#include "runner/cvs_root.hpp"

#include <stdio.h>

#include "host/host.hpp"
#include "os/os.hpp"

namespace {
// Longest Root line taken; a longer line is kept as far as it was read.
const size_t kRootLineLength = 347;
// The root as shown in the warning box.
const size_t kShownRootLength = 200;
}  // namespace

bool ReadRootLine(const std::string &path, size_t maxChars, std::string &line) {
  line.clear();
  if (!os::IsRegularFile(path)) return false;
  FILE *file = fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  int c;
  while (line.size() < maxChars && (c = getc(file)) != EOF) {
    if (c == '\n' || c == '\r' || c == '\0') break;
    line += static_cast<char>(c);
  }
  fclose(file);
  return true;
}

bool RootCarriesOptions(const std::string &root) {
  if (root.empty() || root[0] != ':') return false;
  size_t methodEnd = root.find(':', 1);
  return root.find(';', 1) < methodEnd;
}

bool CurrentFolderRootCarriesOptions(std::string &root) {
  root.clear();
  const std::string admin = "CVS";
  if (!os::IsDirectory(admin)) return false;
  std::string line;
  if (!ReadRootLine(admin + os::kSep + "Root", kRootLineLength, line)) return false;
  if (!RootCarriesOptions(line)) return false;
  root = line;
  return true;
}

bool MayRunOnCurrentFolderRoot() {
  std::string root;
  if (!CurrentFolderRootCarriesOptions(root)) return true;
  if (root.size() > kShownRootLength) root = root.substr(0, kShownRootLength) + "...";
  const char *items[] = {"Warning",
                         "This folder's CVS/Root gives its access method options:",
                         root.c_str(),
                         "cvs would obey them, and they can name a program for it to start.",
                         "Run cvs on this folder all the same?",
                         "Cancel",
                         "Run"};
  const int count = static_cast<int>(sizeof items / sizeof items[0]);
  // "Cancel" comes first, so that Enter and Esc alike run nothing.
  return HostInfo.Message(HostInfo.ModuleNumber, FMSG_WARNING, nullptr, items, count, 2) == 1;
}
