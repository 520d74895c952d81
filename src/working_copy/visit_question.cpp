// What stands in the way of a command the user chose where a working copy
// could make cvs start a program or write through a link: the folders its
// run visits, and the lines that say what was found there.
#include <string>
#include <vector>

#include "os/os.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "working_copy/cvs_visits.hpp"

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

VisitFinding CheckCommandFolders(const Selection &selection, bool recursive,
                                 const VisitLimits &limits) {
  const bool whole = selection.size() == 1 && selection[0] == ".";
  VisitFinding found = CheckFoldersCvsVisits(".", whole && recursive, limits);
  if (found || whole) return found;
  uint64_t fingerprint = found.Fingerprint;
  for (const std::string &name : selection) {
    if (os::IsDirectory(name)) {
      found = CheckFoldersCvsVisits(name, recursive, limits);
    } else {
      // A file is worked on with the CVS folder beside it.
      size_t cut = name.size();
      while (cut > 0 && !IsFolderPart(name[cut - 1])) --cut;
      if (cut > 1) found = CheckFoldersCvsVisits(name.substr(0, cut - 1), false, limits);
    }
    fingerprint = fingerprint * 1099511628211ull ^ found.Fingerprint;
    found.Fingerprint = fingerprint;
    if (found) return found;
  }
  return found;
}

std::vector<std::string> FindingLines(const VisitFinding &finding) {
  const bool here = finding.Folder == ".";
  const std::string folder = ShownFolder(finding.Folder);
  switch (finding.What) {
    case VisitFinding::RootOptions:
      return {here ? MessageText(MHereRootOptions)
                   : FormatText(CheckedFormat(MRootOptions), folder.c_str()),
              Shown(finding.Detail), MessageText(MRootOptionsWhy)};
    case VisitFinding::AdminFolder:
      return {here ? MessageText(MHereAdminFolder)
                   : FormatText(CheckedFormat(MAdminFolder), folder.c_str()),
              Shown(finding.Detail), MessageText(MAdminFolderWhy)};
    case VisitFinding::Unchecked:
      return {here ? MessageText(MHereUnchecked) : FormatText(CheckedFormat(MUnchecked), folder.c_str()),
              Shown(finding.Detail), MessageText(MUncheckedWhy)};
    case VisitFinding::OddFolder:
      return {FormatText(CheckedFormat(MOddFolder), folder.c_str()), Shown(finding.Detail),
              MessageText(MOddFolderWhy)};
    case VisitFinding::ForeignRepository:
      return {here ? MessageText(MHereForeignRepository)
                   : FormatText(CheckedFormat(MForeignRepository), folder.c_str()),
              Shown(finding.Detail), MessageText(MForeignRepositoryWhy)};
    case VisitFinding::NotifyFile:
    case VisitFinding::SharedFolder:
      return {
          here ? MessageText(MHereAdminFolder) : FormatText(CheckedFormat(MAdminFolder), folder.c_str()),
          Shown(finding.Detail),
          MessageText(finding.What == VisitFinding::NotifyFile ? MNotifyWhy : MSharedWhy)};
    case VisitFinding::RemoteHost:
      return {
          FormatText(CheckedFormat(MRemoteHost), Shown(finding.Detail).c_str()),
          here ? MessageText(MHereRemoteRoot) : FormatText(CheckedFormat(MRemoteRoot), folder.c_str()),
          MessageText(MRemoteHostWhy)};
    default:
      return {};
  }
}
