// The question before a command the user chose runs cvs where a working
// copy could make it start a program or write through a link.
#include <string>
#include <vector>

#include "host/host.hpp"
#include "os/os.hpp"
#include "runner/cvs_visits.hpp"

namespace {

// Folder names and roots come from the working copy: long ones are cut,
// and control characters never reach the screen as such.
const size_t kShownLength = 200;

std::string Shown(const std::string &text) {
  std::string shown = text.size() > kShownLength ? text.substr(0, kShownLength) + "..." : text;
  for (char &c : shown)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return shown;
}

// The folder as the user knows it from the current one.
std::string ShownFolder(const std::string &folder) {
  const std::string here = std::string(".") + os::kSep;
  return Shown(folder.compare(0, here.size(), here) == 0 ? folder.substr(here.size()) : folder);
}

bool IsFolderPart(char c) { return c == '/' || c == os::kSep; }

}  // namespace

VisitFinding CheckCommandFolders(const Selection &selection, bool recursive) {
  const bool whole = selection.size() == 1 && selection[0] == ".";
  VisitFinding found = CheckFoldersCvsVisits(".", whole && recursive);
  if (found || whole) return found;
  for (const std::string &name : selection) {
    if (os::IsDirectory(name)) {
      found = CheckFoldersCvsVisits(name, recursive);
    } else {
      // A file is worked on with the CVS folder beside it.
      size_t cut = name.size();
      while (cut > 0 && !IsFolderPart(name[cut - 1])) --cut;
      if (cut > 1) found = CheckFoldersCvsVisits(name.substr(0, cut - 1), false);
    }
    if (found) return found;
  }
  return found;
}

std::vector<std::string> FindingLines(const VisitFinding &finding) {
  const bool here = finding.Folder == ".";
  const std::string folder = ShownFolder(finding.Folder);
  switch (finding.What) {
    case VisitFinding::RootOptions:
      return {here ? std::string("This folder's CVS/Root gives its access method options:")
                   : "The CVS/Root of " + folder + " gives its access method options:",
              Shown(finding.Detail),
              "cvs would obey them, and they can name a program for it to start."};
    case VisitFinding::AdminFolder:
      return {here ? std::string("In this folder:") : "In the folder " + folder + ":",
              Shown(finding.Detail),
              "cvs writes its files back through any link, and reads a FIFO or a device without "
              "end."};
    case VisitFinding::Unchecked:
      return {(here ? std::string("This folder") : folder) + " could not be checked:",
              Shown(finding.Detail), "A CVS/Root there could name a program for cvs to start."};
    default:
      return {};
  }
}

bool MayRunCvsOn(const Selection &selection, bool recursive) {
  const VisitFinding finding = CheckCommandFolders(selection, recursive);
  if (!finding) return true;
  std::vector<std::string> lines = FindingLines(finding);
  lines.insert(lines.begin(), "Warning");
  lines.push_back("Run cvs all the same?");
  lines.push_back("Cancel");
  lines.push_back("Run");
  std::vector<const char *> items;
  for (const std::string &line : lines) items.push_back(line.c_str());
  // "Cancel" comes first, so that Enter and Esc alike run nothing.
  return HostInfo.Message(HostInfo.ModuleNumber, FMSG_WARNING, nullptr, items.data(),
                          static_cast<int>(items.size()), 2) == 1;
}
