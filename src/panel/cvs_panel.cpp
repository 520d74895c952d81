// Making a panel and reading the CVS context of its directory.
#include "panel/cvs_panel.hpp"

#include <stdio.h>
#include <string.h>

#include "host/host.hpp"
#include "os/os.hpp"
#include "panel/panel_paths.hpp"

namespace {
// Longest Root line taken; a longer line is kept as far as it was read.
const int kRootLineLength = 347;
}  // namespace

CvsPanel::~CvsPanel() {}

void CvsPanel::EnterDirectory(const std::string &path) {
  InWorkingCopy = false;
  CvsRoot.clear();
  Directory = path;
  const std::string admin = JoinPath(Directory, "CVS", os::kSep);
  if (!os::IsDirectory(admin)) return;
  InWorkingCopy = true;
  FILE *root = fopen(JoinPath(admin, "Root", os::kSep).c_str(), "r");
  if (root == nullptr) return;
  char line[kRootLineLength + 1];
  if (fgets(line, sizeof(line), root) != nullptr) {
    char *end = strchr(line, '\n');
    if (end != nullptr) *end = '\0';
    CvsRoot = line;
  }
  fclose(root);
}

HANDLE CreatePanel() {
  PanelInfo info;
  memset(&info, 0, sizeof(info));
  if (HostInfo.Control == nullptr) return INVALID_HANDLE_VALUE;
  if (!HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_GETPANELINFO, &info))
    return INVALID_HANDLE_VALUE;
  if (info.PanelType != PTYPE_FILEPANEL) return INVALID_HANDLE_VALUE;
  CvsPanel *panel = new CvsPanel;
  panel->StartViewMode = info.ViewMode;
  panel->EnterDirectory(std::string(info.CurDir, strnlen(info.CurDir, sizeof(info.CurDir))));
  return panel;
}
