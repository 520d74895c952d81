// The question before a command the user chose runs cvs where a working
// copy could make it start a program or write through a link.
#include <string>
#include <vector>

#include "host/host.hpp"
#include "runner/cvs_visits.hpp"
#include "ui/boxes.hpp"

bool MayRunCvsOn(const Selection &selection, bool recursive) {
  const VisitFinding finding = CheckCommandFolders(selection, recursive);
  if (!finding) return true;
  std::vector<std::string> lines = FindingLines(finding);
  lines.insert(lines.begin(), GetMsg(MWarningTitle));
  lines.push_back(GetMsg(MRunAnyway));
  lines.push_back(GetMsg(MCancel));
  lines.push_back(GetMsg(MRunButton));
  std::vector<const char *> items;
  for (const std::string &line : lines) items.push_back(line.c_str());
  // "Cancel" comes first, so that Enter and Esc alike run nothing.
  return HostInfo.Message(HostInfo.ModuleNumber, FMSG_WARNING, nullptr, items.data(),
                          static_cast<int>(items.size()), 2) == 1;
}

bool MayRunOnCurrentFolderRoot() { return MayRunCvsOn(Selection{"."}, true); }
