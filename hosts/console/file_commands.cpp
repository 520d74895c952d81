// Copying, moving, making folders and deleting from the panels.
#include "console/file_commands.hpp"

#include <chrono>
#include <string>
#include <vector>

#include "console/file_copy.hpp"
#include "console/file_operations.hpp"
#include "console/input_box.hpp"
#include "console/message_box.hpp"
#include "core/host_texts.hpp"
#include "core/panel_cursor.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace {

// How many names a confirmation or a report lists before "and N more".
const size_t kNamesShown = 8;
// A copy shows its progress once it has lasted this long, and redraws it
// this often.
const int kProgressAfterMs = 300, kProgressEveryMs = 100;

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

// The selected entries, or the one under the cursor.
std::vector<std::string> ChosenPaths(hostcore::PanelModel &panel) {
  hostcore::ClampCurrent(panel);
  std::vector<std::string> paths;
  for (const hostcore::PanelRow &row : panel.Rows) {
    if (row.Selected && hostcore::Selectable(row)) paths.push_back(hostcore::RowPath(panel, row));
  }
  const hostcore::PanelRow &current = panel.Rows[static_cast<size_t>(panel.CurrentItem)];
  if (paths.empty() && hostcore::Selectable(current))
    paths.push_back(hostcore::RowPath(panel, current));
  return paths;
}

// The copy with its progress line, shown once it lasts, and Esc to stop
// it; other keys typed meanwhile are held for afterwards.
CopyReport RunCopy(Terminal &term, const std::vector<std::string> &sources,
                   const std::vector<std::string> &targets, bool move) {
  using Clock = std::chrono::steady_clock;
  const auto showFrom = Clock::now() + std::chrono::milliseconds(kProgressAfterMs);
  auto drawn = Clock::time_point();
  CopyProgress now;
  bool shown = false;
  hostcore::MessageModel box;
  auto draw = [&] {
    if (!shown) return;
    box.Title = Say(move ? HostText::MoveTitle : HostText::CopyTitle);
    int percent = now.Size == 0 ? 100 : static_cast<int>(now.Done * 100 / now.Size);
    box.Lines = {Say(move ? HostText::MovingNow : HostText::CopyingNow, {now.Name}),
                 Say(HostText::Progress, {std::to_string(now.Entry), std::to_string(now.Entries),
                                          std::to_string(percent)})};
    DrawMessage(term, box);
  };
  term.PushLayer(draw);
  CopyHooks hooks;
  bool replaceAll = false;
  hooks.AskReplace = [&](const std::string &target) {
    if (replaceAll) return Existing::Replace;
    int answer =
        AskUser(term, Say(HostText::OverwriteTitle), {Say(HostText::OverwriteQuestion, {target})},
                {Say(HostText::OverwriteButton), Say(HostText::SkipButton),
                 Say(HostText::AllButton), Say(HostText::ButtonCancelKey)},
                true);
    replaceAll = answer == 2;
    return answer == 0 || answer == 2 ? Existing::Replace
           : answer == 1              ? Existing::Skip
                                      : Existing::Stop;
  };
  hooks.Progress = [&](const CopyProgress &progress) {
    now = progress;
    for (;;) {
      Event event = term.Next(0);
      if (event.What == Event::Tick) break;
      if (event.What == Event::Closed) return false;
      if (event.What == Event::Key && hostcore::Is(event.Press, hostcore::vk::Escape)) return false;
      if (event.What == Event::Key || event.What == Event::Mouse) term.Hold(event);
    }
    auto at = Clock::now();
    if (at >= showFrom && at - drawn >= std::chrono::milliseconds(kProgressEveryMs)) {
      shown = true;
      drawn = at;
      term.Redraw();
    }
    return true;
  };
  CopyReport report = CopyEntries(sources, targets, move, hooks);
  term.PopLayer();
  return report;
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

void CopyCommand(Terminal &term, hostcore::HostCore &core, bool move) {
  hostcore::PanelModel &panel = core.ActivePanel();
  if (panel.Rows.empty() || !ListsFiles(term, panel)) return;
  std::vector<std::string> sources = ChosenPaths(panel);
  if (sources.empty()) return;
  // The other panel's folder, as Midnight Commander offers it; this one's
  // when the other lists no files of the file system.
  const hostcore::PanelModel &other = core.PassivePanel();
  bool otherReal = !other.Plugin || (other.Described.Flags & OPIF_REALNAMES) != 0;
  std::string folder = otherReal && !other.CurDir.empty() ? other.CurDir : panel.CurDir;
  std::string destination = folder == "/" ? folder : folder + "/";
  InputBoxText box;
  std::string count = std::to_string(sources.size());
  if (move) {
    box.Title = Say(HostText::MoveTitle);
    box.Prompt = sources.size() == 1 ? Say(HostText::MoveOne, {NamePart(sources[0])})
                                     : Say(HostText::MoveMany, {count});
    box.Button = Say(HostText::MoveButton);
  } else {
    box.Title = Say(HostText::CopyTitle);
    box.Prompt = sources.size() == 1 ? Say(HostText::CopyOne, {NamePart(sources[0])})
                                     : Say(HostText::CopyMany, {count});
    box.Button = Say(HostText::CopyButton);
  }
  std::vector<std::string> targets;
  std::string error;
  // A refused destination is offered again to be mended, not lost.
  for (;;) {
    if (!AskLine(term, core.Histories, box, destination)) return;
    if (CopyTargets(sources, destination, panel.CurDir, targets, error)) break;
    Refuse(term, box.Title, error);
  }
  // Keys typed while the copy works are kept for the panels after it: an
  // overwrite question or the report of failures takes only keys typed
  // once it shows.
  term.BeginHolding();
  CopyReport report = RunCopy(term, sources, targets, move);
  // The cursor follows a renamed entry.
  std::string shown = move && sources.size() == 1 && FolderPart(targets[0]) == panel.CurDir
                          ? NamePart(targets[0])
                          : "";
  ReadAgain(core, shown);
  std::vector<std::string> lines;
  if (!report.Failures.empty()) {
    lines.push_back(Say(move ? HostText::MoveFailed : HostText::CopyFailed,
                        {std::to_string(sources.size() - report.Done), count}));
    for (size_t i = 0; i < report.Failures.size() && i < kNamesShown; ++i)
      lines.push_back(report.Failures[i]);
    if (report.Failures.size() > kNamesShown)
      lines.push_back(
          Say(HostText::AskDeleteMore, {std::to_string(report.Failures.size() - kNamesShown)}));
  }
  if (report.Stopped)
    lines.push_back(Say(HostText::CopyStopped, {std::to_string(report.Done), count}));
  if (!lines.empty())
    AskUser(term, Say(HostText::TitleError), lines, {Say(HostText::ButtonOk)}, true);
  term.EndHolding();
}

void DeleteCommand(Terminal &term, hostcore::HostCore &core) {
  hostcore::PanelModel &panel = core.ActivePanel();
  if (panel.Rows.empty() || !ListsFiles(term, panel)) return;
  std::vector<std::string> paths = ChosenPaths(panel);
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
