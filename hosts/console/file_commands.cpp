// Making folders, renaming and deleting from the panels.
#include "console/file_commands.hpp"

#include <string>
#include <vector>

#include "console/file_operations.hpp"
#include "console/input_box.hpp"
#include "console/message_box.hpp"
#include "core/host_texts.hpp"
#include "core/panel_cursor.hpp"

namespace console {

using hostcore::HostText;
using hostcore::Say;

namespace {

// How many names the delete confirmation lists before "and N more".
const size_t kNamesShown = 8;

std::string NamePart(const std::string &path) {
  size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool ListsFiles(Terminal &term, const hostcore::PanelModel &panel) {
  bool real = !panel.Plugin || (panel.Described.Flags & OPIF_REALNAMES) != 0;
  if (real && !panel.CurDir.empty()) return true;
  AskUser(term, Say(HostText::TitleError), {Say(HostText::ErrorNotFileSystem)},
          {Say(HostText::ButtonOk)}, true);
  return false;
}

// Both panels read again (a plug-in panel through the module), the active
// one's cursor on `name` when it is listed.
void ReadAgain(hostcore::HostCore &core, const std::string &name) {
  for (int index = 0; index < 2; ++index) {
    if (!core.Panels[index].CurDir.empty()) core.RereadPanel(index);
  }
  hostcore::PanelModel &panel = core.ActivePanel();
  int row = name.empty() ? -1 : hostcore::FindRow(panel, name);
  if (row >= 0) panel.CurrentItem = row;
}

void Refuse(Terminal &term, const std::string &what, const std::string &error) {
  AskUser(term, Say(HostText::TitleError), {what, error}, {Say(HostText::ButtonOk)}, true);
}

// The question's lines for deleting `paths`, of which `folders` are
// folders (deleted with what they hold).
std::vector<std::string> DeleteQuestion(const std::vector<std::string> &paths,
                                        const std::vector<bool> &folders) {
  bool anyFolder = false;
  for (bool folder : folders) anyFolder = anyFolder || folder;
  std::vector<std::string> lines;
  if (paths.size() == 1) {
    lines.push_back(Say(folders[0] ? HostText::AskDeleteFolder : HostText::AskDeleteFile));
    lines.push_back(NamePart(paths[0]));
    if (folders[0]) lines.push_back(Say(HostText::AskDeleteFolderWhole));
    return lines;
  }
  lines.push_back(Say(HostText::AskDeleteEntries, {std::to_string(paths.size())}));
  for (size_t i = 0; i < paths.size() && i < kNamesShown; ++i)
    lines.push_back(NamePart(paths[i]) + (folders[i] ? "/" : ""));
  if (paths.size() > kNamesShown)
    lines.push_back(Say(HostText::AskDeleteMore, {std::to_string(paths.size() - kNamesShown)}));
  if (anyFolder) lines.push_back(Say(HostText::AskDeleteFoldersWhole));
  return lines;
}

}  // namespace

void MakeFolderCommand(Terminal &term, hostcore::HostCore &core) {
  hostcore::PanelModel &panel = core.ActivePanel();
  if (!ListsFiles(term, panel)) return;
  InputBoxText box;
  box.Title = Say(HostText::TitleMakeFolder);
  box.Prompt = Say(HostText::AskMakeFolder);
  std::string name, error;
  // A refused name is offered again to be mended, not lost.
  for (;;) {
    if (!AskLine(term, core.Histories, box, name)) return;
    if (MakeFolder(panel.CurDir, name, error)) break;
    Refuse(term, Say(HostText::ErrorCannotMakeFolder), error);
  }
  ReadAgain(core, name);
}

void RenameCommand(Terminal &term, hostcore::HostCore &core) {
  hostcore::PanelModel &panel = core.ActivePanel();
  if (panel.Rows.empty() || !ListsFiles(term, panel)) return;
  hostcore::ClampCurrent(panel);
  const hostcore::PanelRow &row = panel.Rows[static_cast<size_t>(panel.CurrentItem)];
  if (!hostcore::Selectable(row)) return;
  std::string path = hostcore::RowPath(panel, row);
  std::string old = NamePart(path), name = old, error;
  InputBoxText box;
  box.Title = Say(HostText::TitleRename);
  box.Prompt = Say(HostText::AskRename, {old});
  box.Button = Say(HostText::ButtonRename);
  for (;;) {
    if (!AskLine(term, core.Histories, box, name) || name == old) return;
    if (RenameEntry(path, name, error)) break;
    Refuse(term, Say(HostText::ErrorCannotRename, {old}), error);
  }
  ReadAgain(core, name);
}

void DeleteCommand(Terminal &term, hostcore::HostCore &core) {
  hostcore::PanelModel &panel = core.ActivePanel();
  if (panel.Rows.empty() || !ListsFiles(term, panel)) return;
  hostcore::ClampCurrent(panel);
  std::vector<std::string> paths;
  for (const hostcore::PanelRow &row : panel.Rows) {
    if (row.Selected && hostcore::Selectable(row)) paths.push_back(hostcore::RowPath(panel, row));
  }
  const hostcore::PanelRow &current = panel.Rows[static_cast<size_t>(panel.CurrentItem)];
  if (paths.empty() && hostcore::Selectable(current))
    paths.push_back(hostcore::RowPath(panel, current));
  if (paths.empty()) return;
  std::vector<bool> folders;
  for (const std::string &path : paths) folders.push_back(IsRealFolder(path));
  if (AskUser(term, Say(HostText::TitleDelete), DeleteQuestion(paths, folders),
              {Say(HostText::ButtonDelete), Say(HostText::ButtonCancelKey)}, true) != 0)
    return;
  std::vector<std::string> failures;
  for (const std::string &path : paths) {
    std::string error;
    if (!DeleteEntry(path, error)) failures.push_back(error);
  }
  ReadAgain(core, "");
  if (failures.empty()) return;
  std::vector<std::string> lines = {
      Say(HostText::ErrorCouldNotDelete,
          {std::to_string(failures.size()), std::to_string(paths.size())})};
  for (size_t i = 0; i < failures.size() && i < kNamesShown; ++i) lines.push_back(failures[i]);
  AskUser(term, Say(HostText::TitleError), lines, {Say(HostText::ButtonOk)}, true);
}

}  // namespace console
