// Following the user through the file system, and the panel's own keys.
#include "os/os.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/panel_paths.hpp"
#include "ui/host_panel.hpp"

int CvsPanel::SetDirectory(const char *dir) {
  std::string next;
  if (NextDirectory(Directory, dir, os::kSep, next)) EnterDirectory(next);
  return 1;
}

int CvsPanel::ProcessKey(int key, unsigned int controlState) {
  if (key == VK_RETURN && controlState == PKF_CONTROL) return InsertItemName();
  if (key == VK_ESCAPE && controlState == PKF_SHIFT) {
    // The host closes the plug-in panel and shows Directory in its file panel.
    ClosePluginPanel(this, Directory);
    return 1;
  }
  if (key == VK_F3 && controlState == 0 && InWorkingCopy) return ShowItemMenu();
  // Editing a row without a file would make a new, empty one.
  if (key == VK_F4 && controlState == 0 && InWorkingCopy) return SayWhenNoFile();
  // Ctrl+R: the host describes the panel before it lists it again, so the
  // CVS context is read first, for the info lines to match the listing.
  if (key == 'R' && controlState == PKF_CONTROL) ReadCvsContext();
  return 0;
}
