// Making a panel and reading the CVS context of its directory.
#include "panel/cvs_panel.hpp"

#include <string.h>

#include <algorithm>
#include <vector>

#include "os/folder.hpp"
#include "os/os.hpp"
#include "os/plain_file.hpp"
#include "panel/panel_paths.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/host_panel.hpp"
#include "working_copy/admin_folder.hpp"
#include "working_copy/cvs_root.hpp"

namespace {
// The panels the host holds open; the host closes each before unloading.
std::vector<const CvsPanel *> openPanels;
}  // namespace

CvsPanel::CvsPanel() { openPanels.push_back(this); }

CvsPanel::~CvsPanel() {
  openPanels.erase(std::remove(openPanels.begin(), openPanels.end(), this), openPanels.end());
}

bool IsStatusPanelOn(const std::string &directory) {
  for (const CvsPanel *panel : openPanels)
    if (panel->Directory == directory) return true;
  return false;
}

void CvsPanel::EnterDirectory(const std::string &path) {
  Directory = path;
  InWorkingCopy = false;
  CvsRoot.clear();
  CvsRefusal.clear();
  ReadCvsContext();
}

void CvsPanel::ReadCvsContext(bool trackedFiles) {
  // A folder that cannot be looked into keeps what was known of it: the
  // listing then says that it cannot enter it.
  std::unique_ptr<os::Folder> folder = os::Folder::Open(Directory);
  if (folder != nullptr && folder->TypeOf("CVS", false) == os::EntryType::Failed) return;
  InWorkingCopy = false;
  CvsRoot.clear();
  CvsRefusal.clear();
  const std::string admin = JoinPath(Directory, "CVS", os::kSep);
  if (!os::IsDirectory(admin)) return;
  InWorkingCopy = true;
  const std::string rootFile = JoinPath(admin, "Root", os::kSep);
  ReadRootLine(rootFile, kRootLineLength, CvsRoot);
  // The folder is data from elsewhere: nothing in it may start a program
  // before the user has chosen a command, nor block the host (cvs would
  // wait on a FIFO under that name for as long as nobody writes to it).
  if (RootCarriesOptions(CvsRoot)) {
    CvsRefusal = MessageText(MRefusedRootOptions);
  } else if (os::EntryExists(rootFile) && !os::IsPlainFile(rootFile)) {
    CvsRefusal = MessageText(MRefusedRootNotPlain);
  } else {
    // cvs writes its files back, through a link wherever it leads, and
    // reads a tracked file whose time has changed to its end.
    CvsRefusal = AdminFolderRefusal(Directory);
    if (CvsRefusal.empty() && trackedFiles) CvsRefusal = TrackedFileRefusal(Directory);
  }
  // A repository or a folder that others can change, and CVS/Notify, need
  // the user's word first (asked once a session).
  if (CvsRefusal.empty()) {
    const VisitFinding finding = PanelFinding(Directory);
    if (finding) CvsRefusal = finding.Detail.empty() ? MessageText(MRefusedNotAsked) : finding.Detail;
  }
}

HANDLE CreatePanel() {
  PanelInfo info;
  if (!ReadActivePanel(info)) return INVALID_HANDLE_VALUE;
  if (info.PanelType != PTYPE_FILEPANEL) return INVALID_HANDLE_VALUE;
  CvsPanel *panel = new CvsPanel;
  panel->StartViewMode = info.ViewMode;
  panel->EnterDirectory(std::string(info.CurDir, strnlen(info.CurDir, sizeof(info.CurDir))));
  return panel;
}
