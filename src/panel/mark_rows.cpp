// Selecting the status panel's rows by their letters.
#include "panel/mark_rows.hpp"

#include <string.h>

#include <string>
#include <unordered_set>

#include "os/os.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/folder_listing.hpp"
#include "panel/panel_paths.hpp"
#include "panel/status_report.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/host_panel.hpp"
#include "working_copy/ignore_rules.hpp"
#include "working_copy/kept_files.hpp"

bool MarkStatusRows(StateClass stateClass) {
  PanelInfo info;
  if (!ReadActivePanel(info) || info.Plugin == 0) return false;
  if (!IsStatusPanelOn(std::string(info.CurDir, strnlen(info.CurDir, sizeof info.CurDir))))
    return false;
  const std::string directory(info.CurDir, strnlen(info.CurDir, sizeof info.CurDir));
  // A folder of the disk is not in the repository where CVS/Entries does
  // not name it and cvs's ignore rules do not pass over it; what the
  // folders hold, the panel does not show, so for the other classes they
  // keep their selection.
  const bool foldersByEntries = stateClass == StateClass::NotInRepository;
  std::unordered_set<std::string> keptFolders;
  IgnoreRules ignored;
  if (foldersByEntries) {
    const KeptEntries kept = ReadKeptEntries(directory, IdentityTable());
    keptFolders.insert(kept.Folders.begin(), kept.Folders.end());
    ignored = IgnoreRules::ForFolder(directory);
  }
  int notRead = 0;
  for (int i = 0; info.PanelItems != nullptr && i < info.ItemsNumber; ++i) {
    PluginPanelItem &item = info.PanelItems[i];
    const char letter = RowLetter(item);
    const std::string path(item.FindData.cFileName,
                           strnlen(item.FindData.cFileName, sizeof item.FindData.cFileName));
    // The host's ".." row carries no path.
    if (path.find(os::kSep) == std::string::npos) continue;
    if (letter == '\0' && (item.FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      if (!foldersByEntries) continue;
      const std::string name = BareName(path, os::kSep);
      if (keptFolders.count(name) == 0 && !ignored.Ignores(name.c_str()))
        item.Flags |= PPIF_SELECTED;
      else
        item.Flags &= ~PPIF_SELECTED;
      continue;
    }
    const bool read = letter != '\0' && letter != kLetterNotRead && letter != kLetterNotRun;
    if (!read) ++notRead;
    if (read && InClass(stateClass, letter))
      item.Flags |= PPIF_SELECTED;
    else
      item.Flags &= ~PPIF_SELECTED;
  }
  SelectInActivePanel(info);
  if (notRead > 0) ShowNotice(MessageText(MMenuMarkTitle), FormatText(CheckedFormat(MMarkNotRead), notRead));
  return true;
}
