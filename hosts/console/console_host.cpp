// The console host's screen and keys.
#include "console/console_host.hpp"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "console/command_line.hpp"
#include "console/dialog.hpp"
#include "console/editor.hpp"
#include "console/file_commands.hpp"
#include "console/file_panel.hpp"
#include "console/help.hpp"
#include "console/input_box.hpp"
#include "console/key_bar.hpp"
#include "console/key_table.hpp"
#include "console/menu.hpp"
#include "console/message_box.hpp"
#include "console/panel_mouse.hpp"
#include "console/plugin_panel.hpp"
#include "console/shell_text.hpp"
#include "console/text_codec.hpp"
#include "console/viewer.hpp"
#include "core/dialog_session.hpp"
#include "core/host_texts.hpp"
#include "core/panel_cursor.hpp"
#include "core/panel_selection.hpp"
#include "core/platform.hpp"
#include "far/field_text.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;
using hostcore::KeyPress;

namespace {
// The history of the masks typed for + and -.
const char kMaskHistory[] = "Masks";
}  // namespace

ConsoleHost::ConsoleHost(Terminal &term) : term_(term), core_(*this) {}

ConsoleHost::~ConsoleHost() {
  for (int i = 0; i < 2; ++i) core_.ClosePluginPanel(i);
  SaveHistories(false);
  if (moduleLoaded_) hostcore::UnloadModule(module_);
}

bool ConsoleHost::Start(const Options &options, std::string &error) {
  hostcore::SetHostLanguage(options.Language);
  core_.ConvertText = [](const std::string &text, const std::string &language) {
    return ConvertLanguageText(text, language);
  };
  if (!hostcore::LoadModuleExports(options.ModulePath, module_, error)) return false;
  moduleLoaded_ = true;
  core_.LoadLanguageBeside(options.ModulePath, options.Language);
  core_.BindModule(module_);
  entry_ = hostcore::ReadModuleEntry(module_);
  historiesPath_ = options.HistoriesPath;
  if (!historiesPath_.empty()) hostcore::LoadHistoriesFromFile(historiesPath_, core_.Histories);
  historiesBase_ = core_.Histories;
  std::string folder = options.Folder;
  if (folder.empty()) {
    char here[4096];
    folder = getcwd(here, sizeof here) != nullptr ? here : "/";
  }
  if (!hostcore::IsFolder(folder)) {
    error = Say(HostText::ErrorNotAFolder, {folder});
    return false;
  }
  core_.ShowFolder(0, folder);
  core_.ShowFolder(1, folder);
  core_.Active = 0;
  startCommand_ = options.StartCommand;
  return true;
}

void ConsoleHost::Run() {
  CountSelection();
  RunModal(term_, *this);
}

bool ConsoleHost::BeforeWait(Event &event) {
  if (quit_) {
    End();
    return false;
  }
  if (!startCommand_.empty()) {
    SetCommandLine(startCommand_);
    startCommand_.clear();
    RunCommandLine();
    CountSelection();
  }
  // Keys the module posted come before the terminal's.
  if (core_.PostedKeys.empty()) return false;
  DWORD code = core_.PostedKeys.front();
  core_.PostedKeys.pop_front();
  event = Event();
  event.Press = hostcore::KeyOfHostCode(code);
  return true;
}

void ConsoleHost::OnEvent(const Event &event) {
  movedOnly_ = false;
  if (event.What == Event::Key) HandleKey(event.Press);
  if (event.What == Event::Mouse) HandleMouse(event.Pointer);
  if ((event.What == Event::Key || event.What == Event::Mouse) && !movedOnly_) CountSelection();
  if (quit_) End();
}

void ConsoleHost::CountSelection() {
  for (int i = 0; i < 2; ++i) selection_[i] = hostcore::SelectionSummary(core_.Panels[i]);
}

// ---- the services' screens -------------------------------------------------

int ConsoleHost::ShowMenu(hostcore::MenuModel &menu) { return RunMenu(term_, menu); }

int ConsoleHost::ShowMessage(hostcore::MessageModel &box) { return RunMessageBox(term_, box); }

hostcore::DialogClose ConsoleHost::ShowDialog(hostcore::DialogSession &dialog) {
  ModuleClose pending = [&dialog](int &code) {
    hostcore::ScopedLock lock(dialog.Lock());
    return dialog.ModuleClosePending() && dialog.TakeModuleClose(code);
  };
  return RunDialog(term_, dialog.Model, core_.Histories, pending, dialog.IsEx());
}

void ConsoleHost::WakeDialog(hostcore::DialogSession &) { term_.Wake(); }

void ConsoleHost::DialogDone(const hostcore::DialogSession &, int) { SaveHistories(true); }

hostcore::EditorOutcome ConsoleHost::Edit(const hostcore::EditorRequest &request) {
  hostcore::EditorRequest forPlugin = request;
  forPlugin.ForPlugin = true;
  return RunEditor(term_, forPlugin, core_.Histories);
}

bool ConsoleHost::LeaveScreen() {
  term_.LendScreen();
  return true;
}

void ConsoleHost::TakeScreenBack() { term_.Resume(); }

void ConsoleHost::CommandLineChanged() { command_.Edit = hostcore::NewLineEdit(core_.CommandLine); }

// ---- the screen ------------------------------------------------------------

void ConsoleHost::LayOut() {
  int width = term_.Width(), height = term_.Height();
  LONG bottom = height - 3;
  int half = width / 2;
  core_.Panels[0].Rect = RECT{0, 0, half - 1, bottom};
  core_.Panels[1].Rect = RECT{half, 0, width - 1, bottom};
  core_.Panels[0].Visible = core_.Panels[1].Visible = true;
  hostcore::PanelModel &active = core_.ActivePanel();
  if (hostcore::PanelModeColumns(active).FullScreen) {
    active.Rect = RECT{0, 0, width - 1, bottom};
    core_.PassivePanel().Visible = false;
  }
}

void ConsoleHost::Draw(Terminal &) {
  LayOut();
  for (int i = 0; i < 2; ++i) {
    hostcore::PanelModel &panel = core_.Panels[i];
    if (!panel.Visible) continue;
    bool active = i == core_.Active;
    if (infoView_ && !active) {
      DrawInfoPanel(term_, panel.Rect, core_.ActivePanel());
      continue;
    }
    PanelLook look = panel.Plugin ? PluginPanelLook(panel, active) : FilePanelLook(panel, active);
    look.Selection = selection_[i];
    DrawPanel(term_, panel, look);
  }
  DrawCommandLine(term_, term_.Height() - 2, core_.ActivePanel().CurDir, command_);
  DrawKeyBar(term_, term_.Height() - 1, KeyBarLabels(Place::Panels));
}

// ---- keys --------------------------------------------------------------------

void ConsoleHost::HandleKey(const KeyPress &key) {
  hostcore::PanelModel &panel = core_.ActivePanel();
  // A plug-in panel is offered every key first.
  if (panel.Plugin && key.Vk != 0) {
    core_.FollowActivePanel();
    if (core_.PressKey(key.Vk, key.Mods) != 0) {
      core_.RereadFilePanels();
      return;
    }
  }
  HostKey(key);
}

bool ConsoleHost::HostKey(const KeyPress &key) {
  hostcore::PanelModel &panel = core_.ActivePanel();
  hostcore::PanelWindow window = PanelWindowOf(panel);
  bool typing = !command_.Edit.Text.empty();
  const KeyBinding *binding = nullptr;
  for (Place place : {Place::Panels, Place::StatusPanel, Place::CommandLine}) {
    if (binding == nullptr) binding = FindKey(place, key, typing);
  }
  switch (binding != nullptr ? binding->What : Action::None) {
    case Action::Quit:
      AskToQuit();
      break;
    case Action::Help:
      RunHelp(term_);
      break;
    case Action::UserScreen:
      ShowUserScreen();
      break;
    case Action::SwitchPanel:
      core_.Active = 1 - core_.Active;
      break;
    case Action::InfoView:
      infoView_ = !infoView_;
      break;
    case Action::Reread:
      core_.RereadPanel(core_.Active);
      break;
    case Action::ViewMode:
      core_.SetViewMode(key.Vk - '0');
      break;
    case Action::Plugins:
      ShowPluginsMenu();
      break;
    case Action::View:
    case Action::Edit:
      ViewCurrent(binding->What == Action::Edit);
      break;
    case Action::LeavePanel:
      core_.LeavePanel();
      break;
    case Action::Copy:
    case Action::Move:
      CopyCommand(term_, core_, binding->What == Action::Move);
      break;
    case Action::MakeFolder:
      MakeFolderCommand(term_, core_);
      break;
    case Action::Delete:
      DeleteCommand(term_, core_);
      break;
    case Action::NameToCommandLine: {
      // The name as one shell word, whatever it holds.
      std::string name = hostcore::CurrentRowName(panel);
      if (!name.empty() && name != "..") {
        hostcore::InsertText(command_.Edit, QuoteForShell(PathNamePart(name.c_str())) + " ");
        core_.CommandLine = command_.Edit.Text;
      }
      break;
    }
    case Action::Root:
      core_.GoToRoot();
      break;
    case Action::ToggleSelection:
      hostcore::ToggleCurrent(panel, window);
      break;
    case Action::Enter:
      if (typing)
        RunCommandLine();
      else if (!core_.EnterCurrentRow())
        AskUser(term_, Say(HostText::TitleError), {Say(HostText::ErrorCannotReadFolder)},
                {Say(HostText::ButtonOk)}, true);
      break;
    case Action::ClearCommandLine:
      SetCommandLine("");
      break;
    case Action::SelectGroup:
    case Action::UnselectGroup:
      SelectByMask(binding->What == Action::SelectGroup);
      break;
    case Action::InvertSelection:
      hostcore::InvertFileSelection(panel);
      break;
    case Action::MoveCursor:
      hostcore::MovePanelCursor(panel, key, window);
      movedOnly_ = true;
      break;
    case Action::SelectMoving:
      hostcore::SelectWhileMoving(panel, key, window);
      break;
    default: {
      bool changed = false;
      if (!hostcore::EditLineKey(command_.Edit, key, &changed)) return false;
      if (changed) core_.CommandLine = command_.Edit.Text;
    }
  }
  return true;
}

void ConsoleHost::SelectByMask(bool select) {
  InputBoxText box;
  box.Title = Say(select ? HostText::TitleSelect : HostText::TitleDeselect);
  box.Prompt = Say(select ? HostText::AskSelectMask : HostText::AskDeselectMask);
  box.History = kMaskHistory;
  std::string masks = "*";
  if (!AskLine(term_, core_.Histories, box, masks)) return;
  // The panel may have been read again meanwhile: find it anew.
  hostcore::PanelModel &now = core_.ActivePanel();
  if (select)
    hostcore::SelectByMask(now, masks);
  else
    hostcore::UnselectByMask(now, masks);
}

// The terminal's own screen, as the last shell command left it, until a key.
void ConsoleHost::ShowUserScreen() {
  term_.Suspend();
  term_.PauseForKey("");
  term_.Resume();
}

// ---- the mouse ---------------------------------------------------------------

void ConsoleHost::HandleMouse(const MouseEvent &mouse) {
  KeyPress key;
  if (KeyBarClick(term_, mouse, key)) {
    HandleKey(key);
    return;
  }
  int index = -1;
  for (int i = 0; i < 2; ++i) {
    if (InsidePanel(core_.Panels[i], mouse.Y, mouse.X)) index = i;
  }
  // The info view shows no rows of its own.
  if (index < 0 || (infoView_ && index != core_.Active)) return;
  hostcore::PanelModel &panel = core_.Panels[index];
  if (mouse.Wheel()) {
    int step = mouse.What == MouseEvent::WheelUp ? -kWheelRows : kWheelRows;
    hostcore::MoveCursor(panel, step, PanelWindowOf(panel));
    movedOnly_ = true;
    return;
  }
  if (mouse.What != MouseEvent::Press) return;
  if (index != core_.Active) {
    core_.Active = index;
    core_.FollowActivePanel();
  }
  int row = PanelRowAt(panel, mouse.Y, mouse.X);
  if (row < 0) return;
  panel.CurrentItem = row;
  if (mouse.Button == MouseEvent::Right) {
    // As Insert, without moving on.
    hostcore::PanelRow &clicked = panel.Rows[static_cast<size_t>(row)];
    if (hostcore::Selectable(clicked)) clicked.Selected = !clicked.Selected;
  } else if (mouse.Button == MouseEvent::Left && mouse.Double) {
    EnterByMouse();
  } else {
    movedOnly_ = true;
  }
}

void ConsoleHost::EnterByMouse() {
  // Enter on the row, whatever the command line holds: the module first.
  if (core_.ActivePanel().Plugin) {
    core_.FollowActivePanel();
    if (core_.PressKey(vk::Return, 0) != 0) {
      core_.RereadFilePanels();
      return;
    }
  }
  if (!core_.EnterCurrentRow())
    AskUser(term_, Say(HostText::TitleError), {Say(HostText::ErrorCannotReadFolder)},
            {Say(HostText::ButtonOk)}, true);
}

// ---- the command line ----------------------------------------------------------

void ConsoleHost::RunCommandLine() {
  std::string text = command_.Edit.Text;
  if (IsCdCommand(text)) {
    if (ChangeFolder(text)) SetCommandLine("");
    return;
  }
  SetCommandLine("");
  if (core_.RunPrefixedCommand(text)) return;
  if (text.find_first_not_of(" \t") == std::string::npos) return;
  RunShellCommand(term_, core_.ActivePanel().CurDir, text);
  // The command may have changed any file either panel shows.
  for (int index = 0; index < 2; ++index) {
    if (!core_.Panels[index].CurDir.empty()) core_.RereadPanel(index);
  }
}

bool ConsoleHost::ChangeFolder(const std::string &line) {
  CdPlaces places;
  places.Current = core_.ActivePanel().CurDir;
  places.Previous = previousFolder_[core_.Active];
  const char *home = getenv("HOME");
  places.Home = home != nullptr && *home != '\0' ? home : "/";
  std::string target, error;
  if (CdTarget(line, places, target, error)) {
    if (!hostcore::IsFolder(target))
      error = Say(HostText::ErrorNoSuchFolder, {target});
    else if (access(target.c_str(), R_OK | X_OK) != 0)
      error = target + ": " + strerror(errno);
  }
  if (!error.empty()) {
    AskUser(term_, Say(HostText::CdTitle), {error}, {Say(HostText::ButtonOk)}, true);
    return false;
  }
  previousFolder_[core_.Active] = places.Current;
  if (core_.ActivePanel().Plugin) {
    core_.FollowActivePanel();
    core_.EnterRow(target);
  } else {
    core_.ShowFolder(core_.Active, target);
  }
  core_.FollowActivePanel();
  return true;
}

void ConsoleHost::AskToQuit() {
  if (AskUser(term_, Say(HostText::TitleQuit), {Say(HostText::AskQuit)},
              {Say(HostText::ButtonYes), Say(HostText::ButtonNo)}, false) == 0)
    quit_ = true;
}

void ConsoleHost::ShowPluginsMenu() {
  hostcore::MenuModel menu = hostcore::PluginsMenu(entry_);
  int row = hostcore::MenuResult(menu, RunMenu(term_, menu));
  if (row >= 0) core_.OpenModule(OPEN_PLUGINSMENU, row);
}

void ConsoleHost::ViewCurrent(bool edit) {
  hostcore::PanelModel &panel = core_.ActivePanel();
  if (panel.Rows.empty()) return;
  hostcore::ClampCurrent(panel);
  const hostcore::PanelRow &row = panel.Rows[static_cast<size_t>(panel.CurrentItem)];
  if (hostcore::IsFolderRow(row)) return;
  std::string path = hostcore::RowPath(panel, row);
  if (edit) {
    hostcore::EditorRequest request;
    request.FileName = path;
    request.Title = path;
    RunEditor(term_, request, core_.Histories);
    core_.RereadPanel(core_.Active);
    return;
  }
  std::string error;
  if (!RunViewer(term_, path, core_.Histories, error))
    AskUser(term_, Say(HostText::TitleViewer), {error}, {Say(HostText::ButtonOk)}, true);
}

void ConsoleHost::SetCommandLine(const std::string &text) {
  core_.CommandLine = text;
  command_.Edit = hostcore::NewLineEdit(text);
}

void ConsoleHost::SaveHistories(bool maySay) {
  // Merged with what another host kept meanwhile; a dialog that added
  // nothing (the run dialog of every cvs run) writes nothing.
  if (historiesPath_.empty() || core_.Histories == historiesBase_ ||
      hostcore::SaveHistoriesMerged(historiesPath_, historiesBase_, core_.Histories))
    return;
  if (!maySay || historiesUnsavedSaid_) return;
  historiesUnsavedSaid_ = true;
  AskUser(term_, "Histories",
          {"The edit histories cannot be saved in", historiesPath_,
           "(the folder cannot be made or written); they are kept until the host ends."},
          {"OK"}, true);
}

}  // namespace console
