// The question before a command the user chose runs cvs where a working
// copy could make it start a program or write through a link.
#include <string>
#include <vector>

#include <set>
#include "host/host.hpp"
#include "texts/messages.hpp"

#include "ui/boxes.hpp"
#include "working_copy/cvs_visits.hpp"
#include "working_copy/run_check.hpp"

namespace {

// Asks whether cvs may run despite `finding`; "Cancel" is the default.
bool MayRunDespite(const VisitFinding &finding, const char *question) {
  NoteUserPause();
  std::vector<std::string> lines = FindingLines(finding);
  lines.insert(lines.begin(), MessageText(MWarningTitle));
  lines.push_back(question);
  lines.push_back(MessageText(MCancel));
  lines.push_back(MessageText(MRunButton));
  std::vector<const char *> items;
  for (const std::string &line : lines) items.push_back(line.c_str());
  // "Cancel" comes first, so that Enter and Esc alike run nothing.
  return HostInfo.Message(HostInfo.ModuleNumber, FMSG_WARNING, nullptr, items.data(),
                          static_cast<int>(items.size()), 2) == 1;
}

// Each question that the user's word settles for the session is asked at
// most once; the walk then goes on past it.  Bounded all the same.
const int kMostQuestions = 64;

}  // namespace

VisitFinding FindingAfterQuestions(const Selection &selection, bool recursive) {
  const VisitLimits limits;
  for (int asked = 0; asked < kMostQuestions; ++asked) {
    const VisitFinding finding = CheckWithBreak(selection, recursive, limits);
    if (!finding.NeedsConsent()) {
      // Checked again right before cvs starts.
      RememberCheck(selection, recursive, limits, finding);
      return finding;
    }
    if (!MayRunDespite(finding, MessageText(MRunAnyway))) return finding;
    AgreeTo(finding);
  }
  VisitFinding unchecked;
  unchecked.What = VisitFinding::Unchecked;
  return unchecked;
}

bool MayRunCvsOn(const Selection &selection, bool recursive) {
  const VisitFinding finding = FindingAfterQuestions(selection, recursive);
  if (!finding) return true;
  if (finding.NeedsConsent() || !MayRunDespite(finding, MessageText(MRunAnyway))) {
    ForgetCheck();
    return false;
  }
  return true;
}

VisitFinding PanelFinding(const std::string &directory) {
  VisitLimits limits;
  limits.AskForRemoteHosts = false;
  for (int asked = 0; asked < kMostQuestions; ++asked) {
    const VisitFinding finding = CheckFoldersCvsVisits(directory, false, limits);
    if (!finding.NeedsConsent()) return finding;
    // The panel asks once a session for each; a refusal is kept too, and
    // a command of the plug-ins menu asks again.
    static std::set<std::string> askedBefore;
    // The panel's own folder is "this folder" to the user.
    VisitFinding shown = finding;
    if (shown.Folder == directory) shown.Folder = ".";
    if (!askedBefore.insert(finding.Key).second || !MayRunDespite(shown, MessageText(MPanelAsks)))
      return finding;
    AgreeTo(finding);
  }
  VisitFinding unchecked;
  unchecked.What = VisitFinding::Unchecked;
  return unchecked;
}

bool MayRunOnCurrentFolderRoot() { return MayRunCvsOn(Selection{"."}, true); }
