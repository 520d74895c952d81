// The key table and what is made from it.
#include "console/key_table.hpp"

#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

namespace vk = hostcore::vk;

namespace {

const unsigned C = PKF_CONTROL, S = PKF_SHIFT, A = PKF_ALT;

bool CtrlDigit(const hostcore::KeyPress &key) {
  return key.Mods == PKF_CONTROL && key.Vk >= '0' && key.Vk <= '9';
}
bool VerticalMove(const hostcore::KeyPress &key) {
  return key.Mods == 0 &&
         (key.Vk == vk::Up || key.Vk == vk::Down || key.Vk == vk::Prior || key.Vk == vk::Next);
}
bool LineMove(const hostcore::KeyPress &key) {
  return key.Mods == 0 &&
         (key.Vk == vk::Left || key.Vk == vk::Right || key.Vk == vk::Home || key.Vk == vk::End);
}
bool ShiftVertical(const hostcore::KeyPress &key) {
  return key.Mods == PKF_SHIFT &&
         (key.Vk == vk::Up || key.Vk == vk::Down || key.Vk == vk::Prior || key.Vk == vk::Next);
}
bool ShiftLine(const hostcore::KeyPress &key) {
  return key.Mods == PKF_SHIFT &&
         (key.Vk == vk::Left || key.Vk == vk::Right || key.Vk == vk::Home || key.Vk == vk::End);
}
bool ScrollKey(const hostcore::KeyPress &key) {
  return VerticalMove(key) || LineMove(key) ||
         (key.Mods == PKF_CONTROL && (key.Vk == vk::Home || key.Vk == vk::End));
}

// The table.  Keys of one action follow each other, the first with the
// help line; a family names its keys in Shown.
const std::vector<KeyBinding> kTable = {
    // The panels.
    {Place::Panels, vk::F(1), 0, 0, Action::Help, T::BarHelp, T::KeyHelp},
    {Place::Panels, vk::F(3), 0, 0, Action::View, T::BarView, T::KeyView},
    {Place::Panels, vk::F(4), 0, 0, Action::Edit, T::BarEdit, T::KeyEdit},
    {Place::Panels, vk::F(5), 0, 0, Action::Copy, T::BarCopy, T::KeyCopy},
    {Place::Panels, vk::F(6), 0, 0, Action::Move, T::BarRenMov, T::KeyMove},
    {Place::Panels, vk::F(7), 0, 0, Action::MakeFolder, T::BarMkFold, T::KeyMakeFolder},
    {Place::Panels, vk::F(8), 0, 0, Action::Delete, T::BarDelete, T::KeyDelete},
    {Place::Panels, vk::F(10), 0, 0, Action::Quit, T::BarQuit, T::KeyQuit},
    {Place::Panels, vk::F(11), 0, 0, Action::Plugins, T::BarPlugin, T::KeyPlugins, nullptr, nullptr,
     0, "Ctrl+P"},
    {Place::Panels, 0, 0, 0, Action::MoveCursor, T::None, T::KeyMoveCursor, "Up, Down, PgUp, PgDn",
     VerticalMove},
    {Place::Panels, 0, 0, 0, Action::MoveCursor, T::None, T::None, "Left, Right, Home, End",
     LineMove, kNotWhileTyping},
    {Place::Panels, vk::Return, 0, 0, Action::Enter, T::None, T::KeyEnter},
    {Place::Panels, vk::Insert, 0, 0, Action::ToggleSelection, T::None, T::KeyToggle},
    {Place::Panels, 0, 0, 0, Action::SelectMoving, T::None, T::KeySelectMoving,
     "Shift+Up, Down, PgUp, PgDn", ShiftVertical},
    {Place::Panels, 0, 0, 0, Action::SelectMoving, T::None, T::None, "Home, End", ShiftLine,
     kNotWhileTyping},
    {Place::Panels, 0, 0, '+', Action::SelectGroup, T::None, T::KeySelectGroup, nullptr, nullptr,
     kNotWhileTyping},
    {Place::Panels, 0, 0, '-', Action::UnselectGroup, T::None, T::KeyUnselectGroup, nullptr,
     nullptr, kNotWhileTyping},
    {Place::Panels, 0, 0, '*', Action::InvertSelection, T::None, T::KeyInvert, nullptr, nullptr,
     kNotWhileTyping},
    {Place::Panels, vk::Tab, 0, 0, Action::SwitchPanel, T::None, T::KeySwitch},
    {Place::Panels, 'O', C, 0, Action::UserScreen, T::None, T::KeyUserScreen},
    {Place::Panels, 'R', C, 0, Action::Reread, T::None, T::KeyReread},
    {Place::Panels, 'L', C, 0, Action::InfoView, T::None, T::KeyInfo},
    {Place::Panels, vk::Oem5, C, 0, Action::Root, T::None, T::KeyRoot, "Ctrl+\\"},
    {Place::Panels, 0, 0, 0, Action::ViewMode, T::None, T::KeyViewMode, "Ctrl+0 .. Ctrl+9",
     CtrlDigit, 0, "Alt+0 .. Alt+9"},
    // The status panel (the module sees every key first; these are the
    // host's own there).
    {Place::StatusPanel, vk::Return, C, 0, Action::NameToCommandLine, T::None, T::KeyNameToLine,
     nullptr, nullptr, 0, "Ctrl+J"},
    {Place::StatusPanel, vk::Escape, S, 0, Action::LeavePanel, T::None, T::KeyLeave, nullptr,
     nullptr, 0, "Ctrl+Q"},
    // The command line: typed text, the host's cd, the shell.
    {Place::CommandLine, vk::Escape, 0, 0, Action::ClearCommandLine, T::None, T::KeyClearLine},
    {Place::CommandLine, 0, 0, 0, Action::None, T::None, T::KeyLineCvs, "cvs: Enter"},
    {Place::CommandLine, 0, 0, 0, Action::None, T::None, T::KeyLineCd, "cd FOLDER Enter"},
    {Place::CommandLine, 0, 0, 0, Action::None, T::None, T::KeyLineShell, "COMMAND Enter"},
    {Place::CommandLine, 0, 0, 0, Action::None, T::None, T::KeyLineEdit,
     "Left, Right, Home, End, Del"},
    {Place::CommandLine, 0, 0, 0, Action::None, T::None, T::KeyLineSelect,
     "Shift+arrows, Home, End"},
    // Dialogs and menus (their own rules; listed here for the help).
    {Place::Dialogs, 0, 0, 0, Action::None, T::None, T::KeyDialogMove, "Tab, Shift+Tab, Up, Down"},
    {Place::Dialogs, vk::Space, 0, 0, Action::None, T::None, T::KeyDialogSpace},
    {Place::Dialogs, vk::Return, 0, 0, Action::None, T::None, T::KeyDialogEnter},
    {Place::Dialogs, vk::Escape, 0, 0, Action::None, T::None, T::KeyDialogEsc},
    {Place::Dialogs, 0, 0, 0, Action::None, T::None, T::KeyDialogHotKey, "Alt+letter"},
    {Place::Dialogs, vk::Down, C, 0, Action::None, T::None, T::KeyDialogHistory, nullptr, nullptr,
     0, "Alt+Down"},
    // The viewer.
    {Place::Viewer, vk::F(1), 0, 0, Action::Help, T::BarHelp, T::KeyHelp},
    {Place::Viewer, vk::F(4), 0, 0, Action::HexView, T::BarHex, T::KeyHex},
    {Place::Viewer, vk::F(7), 0, 0, Action::Search, T::BarSearch, T::KeySearch},
    {Place::Viewer, 0, 0, '/', Action::Search, T::None, T::None},
    {Place::Viewer, vk::F(7), S, 0, Action::SearchAgain, T::None, T::KeySearchAgain},
    {Place::Viewer, 0, 0, 'n', Action::SearchAgain, T::None, T::None},
    {Place::Viewer, 0, 0, 0, Action::Scroll, T::None, T::KeyScroll,
     "Up, Down, PgUp, PgDn, Home, End, Left, Right", ScrollKey},
    {Place::Viewer, vk::Escape, 0, 0, Action::Leave, T::None, T::KeyLeaveView},
    {Place::Viewer, vk::F(3), 0, 0, Action::Leave, T::BarQuit, T::None},
    {Place::Viewer, vk::F(10), 0, 0, Action::Leave, T::BarQuit, T::None},
    // The editor.
    {Place::Editor, vk::F(1), 0, 0, Action::Help, T::BarHelp, T::KeyHelp},
    {Place::Editor, vk::F(2), 0, 0, Action::Save, T::BarSave, T::KeySave, nullptr, nullptr,
     kWritableOnly},
    {Place::Editor, vk::F(7), 0, 0, Action::Search, T::BarSearch, T::KeySearch},
    {Place::Editor, 0, 0, '/', Action::Search, T::None, T::None, "/ (locked)", nullptr,
     kLockedOnly},
    {Place::Editor, vk::F(7), S, 0, Action::SearchAgain, T::None, T::KeySearchAgain},
    {Place::Editor, 0, 0, 'n', Action::SearchAgain, T::None, T::None, "n (locked)", nullptr,
     kLockedOnly},
    {Place::Editor, 'Y', C, 0, Action::DeleteLine, T::None, T::KeyDeleteLine, nullptr, nullptr,
     kWritableOnly},
    {Place::Editor, 0, 0, 0, Action::None, T::None, T::KeyEditText, "Arrows, PgUp, PgDn, ..."},
    {Place::Editor, vk::Escape, 0, 0, Action::Leave, T::None, T::KeyLeaveEditor},
    {Place::Editor, vk::F(10), 0, 0, Action::Leave, T::BarQuit, T::None},
    // The help itself.
    {Place::Help, 0, 0, 0, Action::Scroll, T::None, T::KeyScroll, "Up, Down, PgUp, PgDn",
     ScrollKey},
    {Place::Help, vk::Escape, 0, 0, Action::Leave, T::None, T::KeyLeaveView},
    {Place::Help, vk::F(1), 0, 0, Action::Leave, T::None, T::None},
    {Place::Help, vk::F(10), 0, 0, Action::Leave, T::BarQuit, T::None},
    // The mouse, for the help.
    {Place::Mouse, 0, 0, 0, Action::None, T::None, T::MouseClick, "click"},
    {Place::Mouse, 0, 0, 0, Action::None, T::None, T::MouseDouble, "double click"},
    {Place::Mouse, 0, 0, 0, Action::None, T::None, T::MouseRight, "right click"},
    {Place::Mouse, 0, 0, 0, Action::None, T::None, T::MouseWheel, "wheel"},
    {Place::Mouse, 0, 0, 0, Action::None, T::None, T::MouseShift, "Shift+drag"},
};

bool Matches(const KeyBinding &binding, const hostcore::KeyPress &key) {
  if (binding.Family != nullptr) return binding.Family(key);
  if (binding.Char != 0)
    return key.Char == binding.Char && (key.Mods & (PKF_CONTROL | PKF_ALT)) == 0;
  return binding.Vk != 0 && key.Vk == binding.Vk && key.Mods == binding.Mods;
}

struct Section {
  Place Where;
  T Title;
};
const Section kSections[] = {{Place::Panels, T::HelpPanels},
                             {Place::StatusPanel, T::HelpStatusPanel},
                             {Place::CommandLine, T::HelpCommandLine},
                             {Place::Dialogs, T::HelpDialogs},
                             {Place::Viewer, T::HelpViewer},
                             {Place::Editor, T::HelpEditor},
                             {Place::Help, T::HelpHelp},
                             {Place::Mouse, T::HelpMouse}};

// Where the help's descriptions start.
const int kKeyColumn = 22;

}  // namespace

const std::vector<KeyBinding> &KeyTable() { return kTable; }

const KeyBinding *FindKey(Place place, const hostcore::KeyPress &key, bool typing, bool writable) {
  for (const KeyBinding &binding : kTable) {
    if (binding.Where != place || binding.What == Action::None) continue;
    if (typing && (binding.Flags & kNotWhileTyping)) continue;
    if (!writable && (binding.Flags & kWritableOnly)) continue;
    if (writable && (binding.Flags & kLockedOnly)) continue;
    if (Matches(binding, key)) return &binding;
  }
  return nullptr;
}

std::vector<std::string> KeyBarLabels(Place place, bool writable) {
  std::vector<std::string> labels(12);
  for (const KeyBinding &binding : kTable) {
    if (binding.Where != place || binding.Label == T::None || binding.Mods != 0) continue;
    if (!writable && (binding.Flags & kWritableOnly)) continue;
    int number = binding.Vk - vk::F1 + 1;
    if (number >= 1 && number <= 12 && labels[static_cast<size_t>(number - 1)].empty())
      labels[static_cast<size_t>(number - 1)] = Text(binding.Label);
  }
  return labels;
}

std::string KeyShown(const KeyBinding &binding) {
  if (binding.Shown != nullptr) return binding.Shown;
  if (binding.Char != 0) return hostcore::Utf8Of(binding.Char);
  return hostcore::KeyName(hostcore::KeyOf(binding.Vk, binding.Mods));
}

std::vector<std::string> HelpLines() {
  std::vector<std::string> lines = {Text(T::HelpIntro)};
  for (const Section &section : kSections) {
    lines.push_back("");
    lines.push_back(Text(section.Title));
    // Keys that share a help line are named together before it.
    std::vector<std::string> keys;
    T help = T::None;
    std::string alternative;
    auto flush = [&] {
      if (keys.empty()) return;
      std::string names;
      for (const std::string &key : keys) names += (names.empty() ? "" : ", ") + key;
      std::string line = "  " + names;
      int cells = hostcore::TextWidth(line);
      line += std::string(static_cast<size_t>(std::max(2, kKeyColumn - cells)), ' ');
      line += Text(help);
      if (!alternative.empty()) line += "  (" + Text(T::HelpAlternative, {alternative}) + ")";
      lines.push_back(line);
      keys.clear();
      alternative.clear();
    };
    for (const KeyBinding &binding : kTable) {
      if (binding.Where != section.Where) continue;
      if (binding.HelpLine != T::None) {
        flush();
        help = binding.HelpLine;
      }
      keys.push_back(KeyShown(binding));
      if (binding.Alternative != nullptr) alternative = binding.Alternative;
    }
    flush();
  }
  lines.push_back("");
  lines.push_back(Text(T::HelpExtendedKeys));
  lines.push_back(Text(T::HelpExtendedKeys2));
  return lines;
}

}  // namespace console
