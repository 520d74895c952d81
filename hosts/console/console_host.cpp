// The console host's screen and keys.
#include "console/console_host.hpp"

#include <string.h>
#include <unistd.h>

#include "console/command_line.hpp"
#include "console/dialog.hpp"
#include "console/editor.hpp"
#include "console/file_panel.hpp"
#include "console/help.hpp"
#include "console/key_bar.hpp"
#include "console/menu.hpp"
#include "console/message_box.hpp"
#include "console/plugin_panel.hpp"
#include "console/text_codec.hpp"
#include "console/viewer.hpp"
#include "core/dialog_session.hpp"
#include "core/panel_cursor.hpp"
#include "core/platform.hpp"
#include "host/field_text.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;
using hostcore::KeyPress;

namespace {
const std::vector<std::string> kPanelKeys = {"Help", "", "View", "Edit", "",       "",
                                             "",     "", "",     "Quit", "Plugin", ""};
}  // namespace

ConsoleHost::ConsoleHost(Terminal &term) : term_(term), core_(*this) {}

ConsoleHost::~ConsoleHost() {
  for (int i = 0; i < 2; ++i) core_.ClosePluginPanel(i);
  SaveHistories();
  if (moduleLoaded_) hostcore::UnloadModule(module_);
}

bool ConsoleHost::Start(const Options &options, std::string &error) {
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
    error = "not a folder: " + folder;
    return false;
  }
  core_.ShowFolder(0, folder);
  core_.ShowFolder(1, folder);
  core_.Active = 0;
  term_.PushLayer([this] { DrawScreen(); });
  if (!options.StartCommand.empty()) {
    SetCommandLine(options.StartCommand);
    RunCommandLine();
  }
  return true;
}

void ConsoleHost::Run() {
  while (!quit_) {
    // Keys the module posted come before the terminal's.
    if (!core_.PostedKeys.empty()) {
      DWORD code = core_.PostedKeys.front();
      core_.PostedKeys.pop_front();
      HandleKey(hostcore::KeyOfHostCode(code));
      continue;
    }
    term_.Redraw();
    Event event = term_.Next();
    if (event.What == Event::Closed) break;
    if (event.What == Event::Key) HandleKey(event.Press);
  }
}

// ---- the services' screens -------------------------------------------------

int ConsoleHost::ShowMenu(hostcore::MenuModel &menu) { return RunMenu(term_, menu); }

int ConsoleHost::ShowMessage(hostcore::MessageModel &box) { return RunMessageBox(term_, box); }

hostcore::DialogClose ConsoleHost::ShowDialog(hostcore::DialogSession &dialog) {
  ModuleClose pending = [&dialog](int &code) {
    hostcore::ScopedLock lock(dialog.Lock());
    return dialog.ModuleClosePending() && dialog.TakeModuleClose(code);
  };
  return RunDialog(term_, dialog.Model, core_.Histories, pending);
}

void ConsoleHost::WakeDialog(hostcore::DialogSession &) { term_.Wake(); }

void ConsoleHost::DialogDone(const hostcore::DialogSession &, int) { SaveHistories(); }

hostcore::EditorOutcome ConsoleHost::Edit(const hostcore::EditorRequest &request) {
  return RunEditor(term_, request, core_.Histories);
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

void ConsoleHost::DrawScreen() {
  LayOut();
  for (int i = 0; i < 2; ++i) {
    hostcore::PanelModel &panel = core_.Panels[i];
    if (!panel.Visible) continue;
    bool active = i == core_.Active;
    if (infoView_ && !active) {
      DrawInfoPanel(term_, panel.Rect, core_.ActivePanel());
      continue;
    }
    DrawPanel(term_, panel,
              panel.Plugin ? PluginPanelLook(panel, active) : FilePanelLook(panel, active));
  }
  DrawCommandLine(term_, term_.Height() - 2, core_.ActivePanel().CurDir, command_);
  DrawKeyBar(term_, term_.Height() - 1, kPanelKeys);
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
  if (Is(key, vk::F(10))) {
    quit_ = true;
  } else if (Is(key, vk::F(1))) {
    RunHelp(term_);
  } else if (Is(key, vk::Tab)) {
    core_.Active = 1 - core_.Active;
  } else if (Is(key, 'L', PKF_CONTROL)) {
    infoView_ = !infoView_;
  } else if (Is(key, 'R', PKF_CONTROL)) {
    core_.RereadPanel(core_.Active);
  } else if (key.Mods == PKF_CONTROL && key.Vk >= '0' && key.Vk <= '9') {
    core_.SetViewMode(key.Vk - '0');
  } else if (Is(key, vk::F(11))) {
    ShowPluginsMenu();
  } else if (Is(key, vk::F(3))) {
    ViewCurrent(false);
  } else if (Is(key, vk::F(4))) {
    ViewCurrent(true);
  } else if (Is(key, vk::Escape, PKF_SHIFT)) {
    core_.LeavePanel();
  } else if (Is(key, vk::Return, PKF_CONTROL)) {
    std::string name = hostcore::CurrentRowName(panel);
    if (!name.empty() && name != "..") {
      hostcore::InsertText(command_.Edit, std::string(PathNamePart(name.c_str())) + " ");
      core_.CommandLine = command_.Edit.Text;
    }
  } else if (Is(key, vk::Oem5, PKF_CONTROL)) {
    core_.GoToRoot();
  } else if (Is(key, vk::Insert)) {
    hostcore::ToggleCurrent(panel, window);
  } else if (Is(key, vk::Return)) {
    if (typing)
      RunCommandLine();
    else if (!core_.EnterCurrentRow())
      AskUser(term_, "Error", {"Cannot read the folder"}, {"OK"}, true);
  } else if (Is(key, vk::Escape)) {
    SetCommandLine("");
  } else if ((!typing || Is(key, vk::Up) || Is(key, vk::Down) || Is(key, vk::Prior) ||
              Is(key, vk::Next)) &&
             hostcore::MovePanelCursor(panel, key, window)) {
  } else {
    bool changed = false;
    if (!hostcore::EditLineKey(command_.Edit, key, &changed)) return false;
    if (changed) core_.CommandLine = command_.Edit.Text;
  }
  return true;
}

void ConsoleHost::RunCommandLine() {
  std::string text = command_.Edit.Text;
  SetCommandLine("");
  if (core_.RunPrefixedCommand(text)) return;
  if (text.find_first_not_of(" \t") == std::string::npos) return;
  RunShellCommand(term_, core_.ActivePanel().CurDir, text);
  core_.RereadFilePanels();
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
    AskUser(term_, "Viewer", {error}, {"OK"}, true);
}

void ConsoleHost::SetCommandLine(const std::string &text) {
  core_.CommandLine = text;
  command_.Edit = hostcore::NewLineEdit(text);
}

void ConsoleHost::SaveHistories() {
  // Merged with what another host kept meanwhile.
  if (!historiesPath_.empty())
    hostcore::SaveHistoriesMerged(historiesPath_, historiesBase_, core_.Histories);
}

}  // namespace console
