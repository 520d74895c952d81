// One open status panel: its directory, its CVS context, and its
// description to the host.
#ifndef QUILLET_CVS_PANEL_HPP
#define QUILLET_CVS_PANEL_HPP

#include <string>

#include "far/far_api.hpp"
#include "runner/cvs_args.hpp"
#include "working_copy/cvs_visits.hpp"

class CvsPanel {
 public:
  CvsPanel();
  virtual ~CvsPanel();

  std::string Directory;
  bool InWorkingCopy = false;
  int StartViewMode = 0;
  std::string CvsRoot;
  // Why the panel does not run cvs here although the folder is a working
  // copy (its root gives the access method options, its CVS folder holds
  // a link...); empty when it may.
  std::string CvsRefusal;
  // Why the last listing holds no states from cvs for some files (the run
  // failed or was broken off); empty when cvs reported on the whole folder.
  std::string StatesNotRead;
  char Title[256] = {};

  // Whether the panel's own runs (the listing, F3) may start cvs here.
  bool CvsMayRun() const { return InWorkingCopy && CvsRefusal.empty(); }

  // Makes `path` the panel's directory and re-reads its CVS context.
  void EnterDirectory(const std::string &path);
  // Reads the CVS context of the panel's directory again (whether it is a
  // working copy, its root, whether cvs may run there unasked): at each
  // change of directory and each refresh, since the folder may change.
  // Without `trackedFiles` the folder's tracked files are not looked at:
  // the refresh does that from its own listing.
  void ReadCvsContext(bool trackedFiles = true);
  // Fills the host's description of the panel.
  void DescribePanel(OpenPluginInfo *info);
  // Listing, navigation and keys.
  int GetFindData(PluginPanelItem **items, int *count);
  int SetDirectory(const char *dir);
  int ProcessKey(int key, unsigned int controlState);
  // F3: the view/log/diff menu for the current or the selected files;
  // 1 when handled, 0 to leave the key to the host.
  int ShowItemMenu();
  // What keeps F3's run of cvs on `operands` (relative to the panel's
  // folder, which is current) from starting; nothing when it may run.
  VisitFinding FindingForRun(const Selection &operands);
  // Ctrl+Enter: the current item's bare name and a blank into the command
  // line; 1 when inserted, or when the row has no file (which is said).
  int InsertItemName();
  // Where the current row stands for an entry the disk lacks, says so and
  // returns 1; else 0, leaving the key to the host.
  int SayWhenNoFile();
};

// The F3 menu for the item `name` (null or empty for none) and the number of
// selected files; the chosen row (0..5) or -1.
int ChooseItemAction(const char *name, int selectedCount);

// Opens a panel on the active file panel's directory, or INVALID_HANDLE_VALUE.
HANDLE CreatePanel();
// Whether one of the open status panels shows `directory`: the host tells a
// plug-in panel only by the folder its plug-in gave.
bool IsStatusPanelOn(const std::string &directory);
// Releases what GetFindData handed out.
void FreeFindItems(PluginPanelItem *items, int count);

#endif
